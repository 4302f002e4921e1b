// Running the gauge bench as a user does, through its command line, and reading back what it writes.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "bitmap_resource.h"

struct BenchRun {
  DWORD exit_code = 0;
  std::string out;
  std::string err;
};

// Runs the bench with `args` and waits for it to end.
BenchRun run_bench(const std::vector<std::string>& args);

// A path in the tests' output folder.
std::string output_path(const std::string& name);

// A rendered PNG, each pixel 0xAARRGGBB.
struct Rendered {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
  uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
  bool operator==(const Rendered&) const = default;
};

Rendered read_png(const std::string& path);

// Runs `render` on the module with `args` into output_path(name) and reads the picture back; fails the
// test if the run fails. `run_out` receives the run.
Rendered render(const char* module, const std::string& name, std::vector<std::string> args,
                BenchRun* run_out = nullptr);

// A bitmap resource of the module, as the host loads it.
Picture module_bitmap(const char* module, uint32_t id);

// How many of the picture's pixels from `first_row` on, other than pure black, the render does not show
// with that row at (left, top); `rows` and `columns` limit what is compared, as a window does.
int pixels_not_shown(const Rendered& rendered, const Picture& picture, int left, int top, int first_row = 0,
                     int rows = -1, int columns = -1);

// The lines of `text` that start with `prefix`.
std::vector<std::string> lines_starting(const std::string& text, const std::string& prefix);
