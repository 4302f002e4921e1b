#include "throttle_levers.h"

#include "gauge.h"

std::optional<int32_t> lever_value_from_pointer(int32_t pointer_y, int32_t root_image_height) {
  const double zero_height = root_image_height * 0.75;
  // A height of 0 gives no value at all; inventing one could cut or slam a throttle.
  if (zero_height == 0.0) return std::nullopt;
  const auto zero_row = static_cast<int32_t>(zero_height);
  // Rows from the zero row, times 16384, both wrapping as 32-bit two's complement.
  const uint32_t rows_above = static_cast<uint32_t>(zero_row) - static_cast<uint32_t>(pointer_y);
  const auto scaled = static_cast<int32_t>(rows_above << 14);
  double value = scaled / zero_height;
  // Held in double precision first, so that truncating to an integer is always in range.
  if (value > lever_value_max) value = lever_value_max;
  if (value < lever_value_min) value = lever_value_min;
  return static_cast<int32_t>(value);
}

namespace {

int32_t send_lever_value(uint32_t event_id, const MousePoint* point) {
  if (std::optional<int32_t> value = lever_value_from_pointer(point->y, root_image()->height)) {
    host_services().send_event(event_id, *value);
  }
  return 0;
}

}  // namespace

int32_t HOST_CALL throttle_lever_mouse_1(MousePoint* point, uint32_t) {
  return send_lever_value(throttle_lever_event_1, point);
}

int32_t HOST_CALL throttle_lever_mouse_2(MousePoint* point, uint32_t) {
  return send_lever_value(throttle_lever_event_2, point);
}

int32_t HOST_CALL throttle_lever_mouse_3(MousePoint* point, uint32_t) {
  return send_lever_value(throttle_lever_event_3, point);
}

int32_t HOST_CALL throttle_lever_mouse_4(MousePoint* point, uint32_t) {
  return send_lever_value(throttle_lever_event_4, point);
}
