// The bench's model of the simulation: a table of simulator variables and the events that change them.
// Every variable starts at 0. The throttle-lever events set their throttle's variable to the event's
// value, so that a lever click moves its knob; any other event changes nothing.
#pragma once

#include <cstdint>
#include <map>
#include <optional>

constexpr uint32_t throttle_1_event = 65820;
constexpr uint32_t throttle_2_event = 65821;
constexpr uint32_t throttle_3_event = 65822;
constexpr uint32_t throttle_4_event = 65823;

constexpr uint32_t throttle_1_variable = 128;
constexpr uint32_t throttle_2_variable = 163;
constexpr uint32_t throttle_3_variable = 198;
constexpr uint32_t throttle_4_variable = 233;

class Simulation {
 public:
  double variable(uint32_t variable_id) const;
  void set_variable(uint32_t variable_id, double value);
  // Returns the variable that the event set, if any.
  std::optional<uint32_t> apply_event(uint32_t event_id, int32_t value);

 private:
  std::map<uint32_t, double> variables_;
};
