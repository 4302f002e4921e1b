// Drawing a gauge as the host does, from its records alone: each element's picture where its kind and
// its variable put it, pure black left undrawn where image flag bit 0 asks for it, and every element
// before its children, so that deeper elements lie over their parents.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "command_line.h"
#include "element_install.h"
#include "simulation.h"

// Between the areas of a canvas, side by side.
constexpr int32_t area_gap = 8;

// One or more areas of the gauge's pixel frame, side by side with their tops aligned, as RGBA rows.
class Canvas {
 public:
  Canvas(const std::vector<GaugeArea>& areas, std::optional<uint32_t> backdrop_rgb);
  void put(int32_t gauge_x, int32_t gauge_y, uint32_t rgb);
  int32_t width() const { return width_; }
  int32_t height() const { return height_; }
  const std::vector<uint8_t>& rgba() const { return rgba_; }

 private:
  struct Placement {
    GaugeArea area;
    int32_t canvas_x;
  };
  std::vector<Placement> placements_;
  int32_t width_ = 0;
  int32_t height_ = 0;
  std::vector<uint8_t> rgba_;
};

void draw_element_tree(Canvas& canvas, ElementHeader* root, const InstalledElements& installed,
                       const Simulation& simulation);

// Writes the canvas, each pixel enlarged to zoom x zoom; false when the file cannot be written.
bool write_png(const Canvas& canvas, int zoom, const std::string& path);

// Where the host shows a picture, from an element's records and its variable's value. Floating-point
// results are truncated toward zero.
int32_t slider_displacement(const SliderElement& slider, double value);
// The strip's first row in the window: the range's first end shows the strip's top, its second end the
// strip's bottom, and the middle of the range the middle of the strip.
int32_t strip_offset(const MovingImageElement& moving, double value, int32_t strip_height, int32_t window_height);
size_t icon_picture_index(const IconElement& icon);
