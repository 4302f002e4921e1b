// A gauge with one fault that the host must report, chosen when the module is built:
// - FAULT_UNKNOWN_ELEMENT_KIND: the background has a child of element kind 7, which the host does not know;
// - FAULT_GAUGE_HEADER_VALUE: the header holds 611 where every gauge header holds 610.
#include "gauge.h"

namespace {

char gauge_name[8] = "FAULTY";

extern ElementList background_children[];
extern ElementList root_list[];

constinit StaticImageElement background = {
    .header = {
        .element_kind = kind_static_image,
        .resource_id = 0x1000,
        .gauge_header = &gauge_header,
        .children = background_children,
    },
};

constinit StaticImageElement child = {
    .header = {
        .element_kind = FAULT_UNKNOWN_ELEMENT_KIND ? 7u : uint32_t{kind_static_image},
        .resource_id = 0x2000,
        .gauge_header = &gauge_header,
    },
};

constinit ElementList background_children[] = {&child.header, nullptr};
constinit ElementList root_list[] = {&background.header, nullptr};

constinit MouseRect no_mouse_rects[] = {
    {.rect_kind = rect_list_end, .cursor = cursor_none},
};

constexpr GaugeHeader with_fault(GaugeHeader header) {
  if (FAULT_GAUGE_HEADER_VALUE) header.fixed_value = gauge_header_fixed_value + 1;
  return header;
}

}  // namespace

constinit GaugeHeader gauge_header = with_fault(gauge_header_for(gauge_name, root_list));
MouseRect* const gauge_mouse_rects = no_mouse_rects;
