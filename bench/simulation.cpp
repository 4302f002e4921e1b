#include "simulation.h"

namespace {

struct EventEffect {
  uint32_t event_id;
  uint32_t variable_id;
};

constexpr EventEffect event_effects[] = {
    {throttle_1_event, throttle_1_variable},
    {throttle_2_event, throttle_2_variable},
    {throttle_3_event, throttle_3_variable},
    {throttle_4_event, throttle_4_variable},
};

}  // namespace

double Simulation::variable(uint32_t variable_id) const {
  auto found = variables_.find(variable_id);
  return found == variables_.end() ? 0.0 : found->second;
}

void Simulation::set_variable(uint32_t variable_id, double value) { variables_[variable_id] = value; }

std::optional<uint32_t> Simulation::apply_event(uint32_t event_id, int32_t value) {
  for (const EventEffect& effect : event_effects) {
    if (effect.event_id != event_id) continue;
    set_variable(effect.variable_id, value);
    return effect.variable_id;
  }
  return std::nullopt;
}
