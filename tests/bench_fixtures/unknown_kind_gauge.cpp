// A gauge whose background has a child of element kind 7, which the host does not know.
#include "gauge.h"

namespace {

char gauge_name[12] = "UNKNOWNK";

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

constinit StaticImageElement unknown_kind = {
    .header = {
        .element_kind = 7,
        .resource_id = 0x2000,
        .gauge_header = &gauge_header,
    },
};

constinit ElementList background_children[] = {&unknown_kind.header, nullptr};
constinit ElementList root_list[] = {&background.header, nullptr};

constinit MouseRect no_mouse_rects[] = {
    {.rect_kind = rect_list_end, .cursor = cursor_none},
};

}  // namespace

constinit GaugeHeader gauge_header = gauge_header_for(gauge_name, root_list);
MouseRect* const gauge_mouse_rects = no_mouse_rects;
