// A gauge whose header holds 611 where every gauge header holds 610.
#include "gauge.h"

namespace {

char gauge_name[12] = "WRONGHDR";

extern ElementList root_list[];

constinit StaticImageElement background = {
    .header = {
        .element_kind = kind_static_image,
        .resource_id = 0x1000,
        .gauge_header = &gauge_header,
    },
};

constinit ElementList root_list[] = {&background.header, nullptr};

constinit MouseRect no_mouse_rects[] = {
    {.rect_kind = rect_list_end, .cursor = cursor_none},
};

constexpr GaugeHeader with_wrong_fixed_value(GaugeHeader header) {
  header.fixed_value = gauge_header_fixed_value + 1;
  return header;
}

}  // namespace

constinit GaugeHeader gauge_header = with_wrong_fixed_value(gauge_header_for(gauge_name, root_list));
MouseRect* const gauge_mouse_rects = no_mouse_rects;
