// What a gauge supplies to the frame, and the frame's routines that its header names.
#pragma once

#include "elements.h"
#include "linkage.h"

// Supplied by each gauge.
extern GaugeHeader gauge_header;
extern MouseRect* const gauge_mouse_rects;

// The gauge's own steps, run after the frame's install calls and before its kill calls. The install steps
// receive register_mouse_rects' result and return what gauge_install hands back.
HostWord gauge_install_steps(HostWord registered);
void gauge_kill_steps();

HostWord HOST_CALL gauge_query();
HostWord HOST_CALL gauge_install(HostWord w);
HostWord HOST_CALL gauge_initialize();
HostWord HOST_CALL gauge_update();
HostWord HOST_CALL gauge_generate(HostWord w);
HostWord HOST_CALL gauge_draw();
HostWord HOST_CALL gauge_kill();

// The header of a gauge named `name` whose tree hangs from `root_list`, with the frame's seven routines.
constexpr GaugeHeader gauge_header_for(char* name, ElementList* root_list) {
  return {
      .fixed_value = gauge_header_fixed_value,
      .gauge_name = name,
      .root_element_list = root_list,
      .gauge_query = gauge_query,
      .gauge_install = gauge_install,
      .gauge_initialize = gauge_initialize,
      .gauge_update = gauge_update,
      .gauge_generate = gauge_generate,
      .gauge_draw = gauge_draw,
      .gauge_kill = gauge_kill,
      .fixed_value_2c = gauge_header_fixed_value_2c,
  };
}

// The root image's HostImage, which the host fills in during install_elements.
HostImage* root_image();
