// The bench's command line: what to load, how to drive it, and what to show.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

enum class Command { help, render, describe };

struct VariableSetting {
  uint32_t variable_id;
  double value;
};

struct GaugePoint {
  int32_t x;
  int32_t y;
};

// A rectangle of the gauge's pixel frame.
struct GaugeArea {
  int32_t x;
  int32_t y;
  int32_t width;
  int32_t height;
};

struct BenchOptions {
  Command command = Command::help;
  std::string module_path;
  std::string gauge_name;  // empty: the module's first gauge
  std::string host_dir;    // empty: the folder above the module's
  std::vector<VariableSetting> settings;
  std::vector<GaugePoint> clicks;
  uint32_t wait_ms = 0;
  // render
  std::string out_path;
  std::vector<GaugeArea> areas;  // empty: the root picture
  int zoom = 1;
  std::optional<uint32_t> backdrop_rgb;  // none: transparent
  // describe
  bool json = false;
};

extern const char bench_help[];

// Fails with ExitCode::malformed_arguments, naming the argument at fault.
BenchOptions parse_command_line(int argc, char** argv);
