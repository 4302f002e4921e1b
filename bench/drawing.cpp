#include "drawing.h"

#include <algorithm>
#include <cmath>

#include <stb_image_write.h>

namespace {

constexpr double pixel_limit = 1 << 20;

int32_t truncated(double pixels) {
  if (std::isnan(pixels)) return 0;
  return static_cast<int32_t>(std::clamp(pixels, -pixel_limit, pixel_limit));
}

bool drawn(uint32_t rgb, uint32_t image_flags) { return !(image_flags & image_flag_black_transparent) || rgb != pure_black; }

void draw_picture(Canvas& canvas, const Picture& picture, int32_t left, int32_t top, uint32_t image_flags) {
  for (int32_t y = 0; y < picture.height; ++y) {
    for (int32_t x = 0; x < picture.width; ++x) {
      uint32_t rgb = picture.at(x, y);
      if (drawn(rgb, image_flags)) canvas.put(left + x, top + y, rgb);
    }
  }
}

// The strip shows through the window picture's rectangle, left edges aligned; where the strip has no
// pixel to show, or leaves one undrawn, the window's own pixel shows.
void draw_moving_image(Canvas& canvas, const MovingImageElement& moving, const Picture& strip, const Picture& window,
                       double value) {
  const ElementHeader& header = moving.header;
  int32_t offset = strip_offset(moving, value, strip.height, window.height);
  for (int32_t y = 0; y < window.height; ++y) {
    int32_t strip_y = offset + y;
    for (int32_t x = 0; x < window.width; ++x) {
      uint32_t rgb = window.at(x, y);
      if (!drawn(rgb, header.image_flags)) continue;
      if (x < strip.width && strip_y >= 0 && strip_y < strip.height && drawn(strip.at(x, strip_y), header.image_flags)) {
        rgb = strip.at(x, strip_y);
      }
      canvas.put(header.position_x + x, header.position_y + y, rgb);
    }
  }
}

void draw_element(Canvas& canvas, const ElementHeader& element, const InstalledElement& installed,
                  const Simulation& simulation) {
  auto picture = [&](size_t index) -> const Picture& { return installed.pictures.at(index)->picture; };
  int32_t x = element.position_x;
  int32_t y = element.position_y;
  switch (element.element_kind) {
    case kind_static_image:
      draw_picture(canvas, picture(0), x, y, element.image_flags);
      break;
    case kind_icon:
      draw_picture(canvas, picture(icon_picture_index(reinterpret_cast<const IconElement&>(element))), x, y,
                   element.image_flags);
      break;
    case kind_slider: {
      auto& slider = reinterpret_cast<const SliderElement&>(element);
      double value = simulation.variable(slider.var_y.variable_id);
      draw_picture(canvas, picture(0), x, y + slider_displacement(slider, value), element.image_flags);
      break;
    }
    case kind_moving_image: {
      auto& moving = reinterpret_cast<const MovingImageElement&>(element);
      draw_moving_image(canvas, moving, picture(0), picture(1), simulation.variable(moving.var_y.variable_id));
      break;
    }
  }
}

}  // namespace

Canvas::Canvas(const std::vector<GaugeArea>& areas, std::optional<uint32_t> backdrop_rgb) {
  for (const GaugeArea& area : areas) {
    if (!placements_.empty()) width_ += area_gap;
    placements_.push_back({area, width_});
    width_ += area.width;
    height_ = std::max(height_, area.height);
  }
  rgba_.assign(static_cast<size_t>(width_) * height_ * 4, 0);
  if (!backdrop_rgb) return;
  for (int32_t y = 0; y < height_; ++y) {
    for (int32_t x = 0; x < width_; ++x) {
      uint8_t* pixel = &rgba_[(static_cast<size_t>(y) * width_ + x) * 4];
      pixel[0] = *backdrop_rgb >> 16 & 0xFF;
      pixel[1] = *backdrop_rgb >> 8 & 0xFF;
      pixel[2] = *backdrop_rgb & 0xFF;
      pixel[3] = 0xFF;
    }
  }
}

void Canvas::put(int32_t gauge_x, int32_t gauge_y, uint32_t rgb) {
  for (const Placement& placement : placements_) {
    const GaugeArea& area = placement.area;
    int32_t x = gauge_x - area.x;
    int32_t y = gauge_y - area.y;
    if (x < 0 || y < 0 || x >= area.width || y >= area.height) continue;
    uint8_t* pixel = &rgba_[(static_cast<size_t>(y) * width_ + placement.canvas_x + x) * 4];
    pixel[0] = rgb >> 16 & 0xFF;
    pixel[1] = rgb >> 8 & 0xFF;
    pixel[2] = rgb & 0xFF;
    pixel[3] = 0xFF;
  }
}

void draw_element_tree(Canvas& canvas, ElementHeader* root, const InstalledElements& installed,
                       const Simulation& simulation) {
  for_each_element(root, [&](ElementHeader* element, int) {
    draw_element(canvas, *element, installed.at(element), simulation);
  });
}

bool write_png(const Canvas& canvas, int zoom, const std::string& path) {
  int32_t width = canvas.width() * zoom;
  int32_t height = canvas.height() * zoom;
  std::vector<uint8_t> rgba(static_cast<size_t>(width) * height * 4);
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      const uint8_t* from = &canvas.rgba()[(static_cast<size_t>(y / zoom) * canvas.width() + x / zoom) * 4];
      std::copy(from, from + 4, &rgba[(static_cast<size_t>(y) * width + x) * 4]);
    }
  }
  return stbi_write_png(path.c_str(), width, height, 4, rgba.data(), width * 4) != 0;
}

int32_t slider_displacement(const SliderElement& slider, double value) { return truncated(value * slider.scale_y); }

int32_t strip_offset(const MovingImageElement& moving, double value, int32_t strip_height, int32_t window_height) {
  int32_t travel = std::max(strip_height - window_height, 0);
  double span = moving.range_to_y - moving.range_from_y;
  double fraction = span == 0 ? 0.5 : (value - moving.range_from_y) / span;
  if (std::isnan(fraction)) fraction = 0.5;
  return truncated(std::clamp(fraction, 0.0, 1.0) * travel);
}

size_t icon_picture_index(const IconElement& icon) {
  double last = icon.picture_count == 0 ? 0 : icon.picture_count - 1;
  if (std::isnan(icon.icon_value)) return 0;
  return static_cast<size_t>(std::clamp(icon.icon_value, 0.0, last));
}
