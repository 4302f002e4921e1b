// The seven routines through which the host drives a gauge. Each hands the gauge's records to the
// matching host service and returns that service's result unchanged.
#include "gauge.h"

namespace {

ElementHeader* root_element() { return gauge_header.root_element_list[0]; }

}  // namespace

HostImage* root_image() { return reinterpret_cast<StaticImageElement*>(root_element())->image; }

HostWord HOST_CALL gauge_query() { return host_services().query_elements(root_element()); }

HostWord HOST_CALL gauge_install(HostWord w) {
  host_services().install_elements(root_element(), w);
  host_services().install_mouse_rects(gauge_mouse_rects, &gauge_header, &root_image()->width);
  return gauge_install_steps(host_services().register_mouse_rects(gauge_mouse_rects, &gauge_header));
}

HostWord HOST_CALL gauge_initialize() { return host_services().initialize_elements(root_element()); }

HostWord HOST_CALL gauge_update() { return host_services().update_elements(root_element()); }

HostWord HOST_CALL gauge_generate(HostWord w) { return host_services().generate_elements(root_element(), w); }

HostWord HOST_CALL gauge_draw() { return host_services().draw_elements(root_element()); }

HostWord HOST_CALL gauge_kill() {
  gauge_kill_steps();
  host_services().unregister_mouse_rects(gauge_mouse_rects, &gauge_header);
  return host_services().kill_elements(root_element());
}
