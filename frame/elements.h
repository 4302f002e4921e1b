// Element records and mouse rectangles: the tree of pictures and the active areas that a gauge hands
// to the host. The host reads them in place and writes into the words marked host-owned.
#pragma once

#include <cstddef>
#include <cstdint>

#include "linkage.h"

enum ElementKind : uint32_t {
  kind_static_image = 0,
  kind_slider = 3,
  kind_icon = 4,
  kind_moving_image = 5,
};

enum ImageFlags : uint32_t {
  image_flag_black_transparent = 1,  // pure black pixels are left undrawn
  image_flag_changes = 2,            // set on every element whose picture moves or changes at run time
};

struct ElementHeader {
  uint32_t element_kind;
  uint32_t resource_id;
  int32_t position_x;
  int32_t position_y;
  uint32_t host_owned_10[4];
  GaugeHeader* gauge_header;
  uint32_t host_owned_24;
  ElementList* children;
  uint32_t host_owned_2c;
  uint32_t image_flags;
  uint32_t host_owned_34[2];
};

static_assert(sizeof(ElementHeader) == 60);
static_assert(offsetof(ElementHeader, resource_id) == 0x04);
static_assert(offsetof(ElementHeader, position_x) == 0x08);
static_assert(offsetof(ElementHeader, position_y) == 0x0C);
static_assert(offsetof(ElementHeader, gauge_header) == 0x20);
static_assert(offsetof(ElementHeader, children) == 0x28);
static_assert(offsetof(ElementHeader, image_flags) == 0x30);
static_assert(sizeof(ElementList[2]) == 8);

// The host's record of a loaded picture; gauge code reads only its size.
struct HostImage {
  uint32_t host_word_00;
  int32_t width;
  int32_t height;
};

static_assert(offsetof(HostImage, width) == 0x04);
static_assert(offsetof(HostImage, height) == 0x08);

struct StaticImageElement {
  ElementHeader header;
  HostImage* image;  // filled by the host's install_elements
  uint32_t host_owned_40[4];
};

static_assert(sizeof(StaticImageElement) == 80);
static_assert(offsetof(StaticImageElement, image) == 0x3C);

struct IconElement {
  ElementHeader header;
  uint32_t host_owned_3c[3];
  double icon_value;  // 0.0 shows resource_id, 1.0 shows resource_id + 3
  uint32_t host_owned_50[8];
  uint32_t picture_count;
  uint32_t host_owned_74[5];
};

static_assert(sizeof(IconElement) == 136);
static_assert(offsetof(IconElement, icon_value) == 0x48);
static_assert(offsetof(IconElement, picture_count) == 0x70);

// Names the simulator variable that moves an element; 0 names none.
struct ModuleVar {
  uint32_t variable_id;
  uint32_t host_owned_04[7];
};

static_assert(sizeof(ModuleVar) == 32);

struct SliderElement {
  ElementHeader header;
  uint32_t host_owned_3c[11];
  ModuleVar var_y;
  double scale_y;  // vertical pixels per unit of the variable
  uint32_t host_owned_90[6];
};

static_assert(sizeof(SliderElement) == 168);
static_assert(offsetof(SliderElement, var_y) == 0x68);
static_assert(offsetof(SliderElement, scale_y) == 0x88);

struct MovingImageElement {
  ElementHeader header;
  uint32_t host_owned_3c[13];
  ModuleVar var_y;
  double range_from_y;
  double range_to_y;
  uint32_t host_owned_a0[22];
};

static_assert(sizeof(MovingImageElement) == 248);
static_assert(offsetof(MovingImageElement, var_y) == 0x70);
static_assert(offsetof(MovingImageElement, range_from_y) == 0x90);
static_assert(offsetof(MovingImageElement, range_to_y) == 0x98);

enum MouseRectKind : uint32_t {
  rect_list_end = 0,
  rect_parent = 1,
  rect_child = 2,
  rect_parent_end = 3,
};

// What the host passes, by address, to a mouse function.
struct MousePoint {
  int32_t x;
  int32_t y;
};

static_assert(sizeof(MousePoint) == 8);
static_assert(offsetof(MousePoint, y) == 0x04);

using MouseFunction = int32_t(HOST_CALL*)(MousePoint* point, uint32_t host_word);

constexpr int32_t cursor_none = -1;

struct MouseRect {
  uint32_t rect_kind;
  int32_t box_x;  // relative to the enclosing parent
  int32_t box_y;
  int32_t box_width;
  int32_t box_height;
  int32_t cursor;
  uint32_t help_id;
  uint32_t mouse_flags;
  uint32_t event_id;
  MouseFunction function;
  uint32_t data;
};

static_assert(sizeof(MouseRect) == 44);
static_assert(offsetof(MouseRect, box_x) == 0x04);
static_assert(offsetof(MouseRect, box_y) == 0x08);
static_assert(offsetof(MouseRect, box_width) == 0x0C);
static_assert(offsetof(MouseRect, box_height) == 0x10);
static_assert(offsetof(MouseRect, cursor) == 0x14);
static_assert(offsetof(MouseRect, help_id) == 0x18);
static_assert(offsetof(MouseRect, mouse_flags) == 0x1C);
static_assert(offsetof(MouseRect, event_id) == 0x20);
static_assert(offsetof(MouseRect, function) == 0x24);
static_assert(offsetof(MouseRect, data) == 0x28);
