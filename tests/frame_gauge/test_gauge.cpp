// A small gauge built from the frame alone, for the frame's tests: a background with one icon on it, and a
// mouse list of one area.
#include "gauge.h"

namespace {

char gauge_name[8] = "FRAMEGA";

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

constinit IconElement marker = {
    .header = {
        .element_kind = kind_icon,
        .resource_id = 0x2000,
        .position_x = 4,
        .position_y = 5,
        .gauge_header = &gauge_header,
        .image_flags = image_flag_changes,
    },
    .picture_count = 2,
};

constinit ElementList background_children[] = {&marker.header, nullptr};
constinit ElementList root_list[] = {&background.header, nullptr};

constinit MouseRect test_mouse_rects[] = {
    {.rect_kind = rect_parent, .cursor = cursor_none},
    {.rect_kind = rect_child, .box_width = 10, .box_height = 10, .cursor = cursor_none},
    {.rect_kind = rect_parent_end, .cursor = cursor_none},
    {.rect_kind = rect_list_end, .cursor = cursor_none},
};

}  // namespace

constinit GaugeHeader gauge_header = gauge_header_for(gauge_name, root_list);
MouseRect* const gauge_mouse_rects = test_mouse_rects;
