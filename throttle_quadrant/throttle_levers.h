// The four throttle levers: a mouse action in a lever's slot sends that lever's event with a value taken
// from the pointer's height.
#pragma once

#include <cstdint>
#include <optional>

#include "elements.h"

constexpr int32_t lever_value_max = 16384;
constexpr int32_t lever_value_min = -4096;

constexpr uint32_t throttle_lever_event_1 = 65820;
constexpr uint32_t throttle_lever_event_2 = 65821;
constexpr uint32_t throttle_lever_event_3 = 65822;
constexpr uint32_t throttle_lever_event_4 = 65823;

// Zero at three quarters of the root image's height, 16384 per three quarters of it upwards, held between
// the limits. No value for a height of 0.
std::optional<int32_t> lever_value_from_pointer(int32_t pointer_y, int32_t root_image_height);

int32_t HOST_CALL throttle_lever_mouse_1(MousePoint* point, uint32_t host_word);
int32_t HOST_CALL throttle_lever_mouse_2(MousePoint* point, uint32_t host_word);
int32_t HOST_CALL throttle_lever_mouse_3(MousePoint* point, uint32_t host_word);
int32_t HOST_CALL throttle_lever_mouse_4(MousePoint* point, uint32_t host_word);
