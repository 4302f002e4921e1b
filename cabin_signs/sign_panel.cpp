// The cabin-sign panel "PENDAXSB": two toggle switches under the painted labels NO SMOKING and SEAT BELTS,
// and a lamp plate with the two green annunciators they light. A click on a switch flips it, flips its lamp
// and plays the click. The states live only in the icons' values; the simulator is told nothing of them.
#include <windows.h>

#include "gauge.h"
#include "sound_player.h"

namespace {

constexpr int32_t switch_cursor = 5;
constexpr uint32_t switch_mouse_flags = 0x20000000;

char gauge_name[16] = "PENDAXSB";
const char click_sound_file[] = ".\\Sound\\cdclick.wav";

int32_t click_handle = 0;
HWND owner_window = nullptr;

int32_t HOST_CALL no_smoking_switch_mouse(MousePoint* point, uint32_t host_word);
int32_t HOST_CALL seat_belts_switch_mouse(MousePoint* point, uint32_t host_word);

extern ElementList sign_root_list[];
extern ElementList sign_panel_children[];
extern ElementList lamp_plate_children[];

// Background: white lettering and rings on pure black, which is left undrawn.

constinit StaticImageElement sign_panel = {
    .header = {
        .element_kind = kind_static_image,
        .resource_id = 0x1000,
        .position_x = 0,
        .position_y = 0,
        .gauge_header = &gauge_header,
        .children = sign_panel_children,
        .image_flags = image_flag_black_transparent,
    },
};

// The lamp plate, which the panel places far from the switches.

constinit StaticImageElement lamp_plate = {
    .header = {
        .element_kind = kind_static_image,
        .resource_id = 0x2000,
        .position_x = 669,
        .position_y = 1114,
        .gauge_header = &gauge_header,
        .children = lamp_plate_children,
        .image_flags = 0,
    },
};

// Switches and lamps: picture 0 is a switch at OFF or a dark lamp, picture 1 a switch at ON or a lit lamp.

constexpr IconElement two_state_icon(uint32_t resource_id, int32_t x, int32_t y, uint32_t image_flags) {
  return {
      .header = {
          .element_kind = kind_icon,
          .resource_id = resource_id,
          .position_x = x,
          .position_y = y,
          .gauge_header = &gauge_header,
          .image_flags = image_flags,
      },
      .icon_value = 0.0,
      .picture_count = 2,
  };
}

constinit IconElement no_smoking_switch = two_state_icon(0x3000, 22, 10, image_flag_black_transparent | image_flag_changes);
constinit IconElement seat_belts_lamp = two_state_icon(0x4000, 675, 1120, image_flag_changes);
constinit IconElement seat_belts_switch = two_state_icon(0x5000, 103, 10, image_flag_black_transparent | image_flag_changes);
constinit IconElement no_smoking_lamp = two_state_icon(0x6000, 675, 1143, image_flag_black_transparent | image_flag_changes);

// The tree: the background, the plate under it, and the four icons under the plate.

constinit ElementList sign_root_list[] = {&sign_panel.header, nullptr};
constinit ElementList sign_panel_children[] = {&lamp_plate.header, nullptr};
constinit ElementList lamp_plate_children[] = {
    &no_smoking_switch.header,
    &seat_belts_lamp.header,
    &seat_belts_switch.header,
    &no_smoking_lamp.header,
    nullptr,
};

// Mouse areas: one over each switch, inside the region that holds both.

constinit MouseRect sign_mouse_rects[] = {
    {.rect_kind = rect_parent, .cursor = cursor_none},
    {.rect_kind = rect_parent, .box_x = 20, .box_y = 11, .box_width = 111, .box_height = 50, .cursor = cursor_none},
    {.rect_kind = rect_child, .box_x = 0, .box_y = 0, .box_width = 30, .box_height = 50,
     .cursor = switch_cursor, .mouse_flags = switch_mouse_flags, .function = no_smoking_switch_mouse},
    {.rect_kind = rect_child, .box_x = 81, .box_y = 0, .box_width = 30, .box_height = 50,
     .cursor = switch_cursor, .mouse_flags = switch_mouse_flags, .function = seat_belts_switch_mouse},
    {.rect_kind = rect_parent_end, .cursor = cursor_none},
    {.rect_kind = rect_parent_end, .cursor = cursor_none},
    {.rect_kind = rect_list_end, .cursor = cursor_none},
};

// Both values of a pair are flipped, never copied from each other; they stay equal because they start
// equal and only ever flip together.
void toggle(IconElement& icon) {
  const double next = icon.icon_value + 1.0;
  icon.icon_value = next == 2.0 ? 0.0 : next;
}

int32_t flip_switch(IconElement& switch_icon, IconElement& lamp_icon) {
  toggle(switch_icon);
  toggle(lamp_icon);
  sound_play(click_handle);
  return 1;
}

int32_t HOST_CALL no_smoking_switch_mouse(MousePoint*, uint32_t) {
  return flip_switch(no_smoking_switch, no_smoking_lamp);
}

int32_t HOST_CALL seat_belts_switch_mouse(MousePoint*, uint32_t) {
  return flip_switch(seat_belts_switch, seat_belts_lamp);
}

}  // namespace

constinit GaugeHeader gauge_header = gauge_header_for(gauge_name, sign_root_list);
MouseRect* const gauge_mouse_rects = sign_mouse_rects;

// The handle held from an earlier install is played first: 0 or a released handle, so nothing sounds
// unless the gauge is installed twice without a kill.
HostWord gauge_install_steps(HostWord) {
  sound_play(click_handle);
  owner_window = GetActiveWindow();
  click_handle = sound_load(owner_window, click_sound_file);
  return static_cast<HostWord>(click_handle);
}

// The handle is kept after release; the next install replaces it.
void gauge_kill_steps() { sound_release(click_handle); }
