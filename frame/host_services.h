// The host's table of panel services, as the gauge modules call it.
#pragma once

#include <cstddef>
#include <cstdint>

#define HOST_CALL __stdcall

struct ElementHeader;
struct GaugeHeader;
struct MouseRect;

using HostWord = uint32_t;

// The host knows its entries by byte offset. The modules use eleven of them; the rest of the table is the
// host's business and is never touched here.
struct HostServices {
  void* unused_entries_00[24];
  HostWord(HOST_CALL* query_elements)(ElementHeader* root);
  HostWord(HOST_CALL* install_elements)(ElementHeader* root, HostWord w);
  HostWord(HOST_CALL* initialize_elements)(ElementHeader* root);
  HostWord(HOST_CALL* update_elements)(ElementHeader* root);
  HostWord(HOST_CALL* generate_elements)(ElementHeader* root, HostWord w);
  HostWord(HOST_CALL* draw_elements)(ElementHeader* root);
  void* unused_entry_78;
  HostWord(HOST_CALL* kill_elements)(ElementHeader* root);
  HostWord(HOST_CALL* install_mouse_rects)(MouseRect* list, GaugeHeader* gauge, int32_t* root_image_size);
  HostWord(HOST_CALL* register_mouse_rects)(MouseRect* list, GaugeHeader* gauge);
  HostWord(HOST_CALL* unregister_mouse_rects)(MouseRect* list, GaugeHeader* gauge);
  void* unused_entry_8c;
  HostWord(HOST_CALL* send_event)(uint32_t event_id, int32_t value);
};

static_assert(offsetof(HostServices, query_elements) == 0x60);
static_assert(offsetof(HostServices, install_elements) == 0x64);
static_assert(offsetof(HostServices, initialize_elements) == 0x68);
static_assert(offsetof(HostServices, update_elements) == 0x6C);
static_assert(offsetof(HostServices, generate_elements) == 0x70);
static_assert(offsetof(HostServices, draw_elements) == 0x74);
static_assert(offsetof(HostServices, kill_elements) == 0x7C);
static_assert(offsetof(HostServices, install_mouse_rects) == 0x80);
static_assert(offsetof(HostServices, register_mouse_rects) == 0x84);
static_assert(offsetof(HostServices, unregister_mouse_rects) == 0x88);
static_assert(offsetof(HostServices, send_event) == 0x90);
static_assert(sizeof(HostServices) == 0x94);

// The host may replace its table at any time, so every call into the host goes through this read.
HostServices& host_services();
