// The throttle quadrant "PENDAX": a 361 x 327 quadrant with four throttle knobs in their slots, a trim
// wheel along each side and a trim scale beside each wheel. The knobs follow the four engines' throttle
// variables and the wheels and scales follow the pitch trim; a mouse action in a slot moves that lever.
#include "gauge.h"
#include "throttle_levers.h"

namespace {

constexpr uint32_t throttle_1_variable = 128;
constexpr uint32_t throttle_2_variable = 163;
constexpr uint32_t throttle_3_variable = 198;
constexpr uint32_t throttle_4_variable = 233;
constexpr uint32_t pitch_trim_variable = 318;

// A knob moves 1 pixel per 102.4 units, upwards for larger values: 160 pixels over the travel to 16384.
constexpr double knob_scale_y = -0.009765625;
constexpr double trim_range_from = 16383.0;
constexpr double trim_range_to = -16383.0;

constexpr int32_t lever_cursor = 5;
constexpr uint32_t quadrant_help_id = 42024;
constexpr uint32_t lever_mouse_flags = 0x00800000;

char gauge_name[8] = "PENDAX";

extern ElementList quadrant_panel_children[];
extern ElementList quadrant_root_list[];

// Background.

constinit StaticImageElement quadrant_panel = {
    .header = {
        .element_kind = kind_static_image,
        .resource_id = 0x1000,
        .position_x = 0,
        .position_y = 0,
        .gauge_header = &gauge_header,
        .children = quadrant_panel_children,
        .image_flags = 0,
    },
};

// Trim scales and trim wheels: each strip slides behind its window as the pitch trim moves.

constexpr MovingImageElement trim_strip(uint32_t resource_id, int32_t x, int32_t y) {
  return {
      .header = {
          .element_kind = kind_moving_image,
          .resource_id = resource_id,
          .position_x = x,
          .position_y = y,
          .gauge_header = &gauge_header,
          .image_flags = image_flag_changes,
      },
      .var_y = {.variable_id = pitch_trim_variable},
      .range_from_y = trim_range_from,
      .range_to_y = trim_range_to,
  };
}

constinit MovingImageElement trim_scale_left = trim_strip(0x2000, 54, 64);
constinit MovingImageElement trim_scale_right = trim_strip(0x3000, 278, 64);
constinit MovingImageElement trim_wheel_left = trim_strip(0x4000, 13, 21);
constinit MovingImageElement trim_wheel_right = trim_strip(0x5000, 328, 21);

// Throttle knobs: one picture, 0x6003, for all four.

constexpr SliderElement lever_knob(int32_t x, uint32_t variable_id) {
  return {
      .header = {
          .element_kind = kind_slider,
          .resource_id = 0x6003,
          .position_x = x,
          .position_y = 176,
          .gauge_header = &gauge_header,
          .image_flags = image_flag_black_transparent | image_flag_changes,
      },
      .var_y = {.variable_id = variable_id},
      .scale_y = knob_scale_y,
  };
}

constinit SliderElement lever_knob_1 = lever_knob(119, throttle_1_variable);
constinit SliderElement lever_knob_2 = lever_knob(150, throttle_2_variable);
constinit SliderElement lever_knob_3 = lever_knob(181, throttle_3_variable);
constinit SliderElement lever_knob_4 = lever_knob(212, throttle_4_variable);

// The tree: the background alone at the root, everything else its children, knobs last so they lie on top.

constinit ElementList quadrant_root_list[] = {&quadrant_panel.header, nullptr};

constinit ElementList quadrant_panel_children[] = {
    &trim_scale_left.header,
    &trim_scale_right.header,
    &trim_wheel_left.header,
    &trim_wheel_right.header,
    &lever_knob_1.header,
    &lever_knob_2.header,
    &lever_knob_3.header,
    &lever_knob_4.header,
    nullptr,
};

// Mouse areas: the whole quadrant, with one area per lever slot covering its knob's travel.

constinit MouseRect quadrant_mouse_rects[] = {
    {.rect_kind = rect_parent, .cursor = cursor_none},
    {.rect_kind = rect_parent, .box_x = 0, .box_y = 0, .box_width = 361, .box_height = 327,
     .cursor = cursor_none, .help_id = quadrant_help_id},
    {.rect_kind = rect_child, .box_x = 119, .box_y = 20, .box_width = 29, .box_height = 258,
     .cursor = lever_cursor, .mouse_flags = lever_mouse_flags, .function = throttle_lever_mouse_1},
    {.rect_kind = rect_child, .box_x = 150, .box_y = 20, .box_width = 29, .box_height = 258,
     .cursor = lever_cursor, .mouse_flags = lever_mouse_flags, .function = throttle_lever_mouse_2},
    {.rect_kind = rect_child, .box_x = 181, .box_y = 20, .box_width = 29, .box_height = 258,
     .cursor = lever_cursor, .mouse_flags = lever_mouse_flags, .function = throttle_lever_mouse_3},
    {.rect_kind = rect_child, .box_x = 212, .box_y = 20, .box_width = 29, .box_height = 258,
     .cursor = lever_cursor, .mouse_flags = lever_mouse_flags, .function = throttle_lever_mouse_4},
    {.rect_kind = rect_parent_end, .cursor = cursor_none},
    {.rect_kind = rect_parent_end, .cursor = cursor_none},
    {.rect_kind = rect_list_end, .cursor = cursor_none},
};

}  // namespace

constinit GaugeHeader gauge_header = gauge_header_for(gauge_name, quadrant_root_list);
MouseRect* const gauge_mouse_rects = quadrant_mouse_rects;
