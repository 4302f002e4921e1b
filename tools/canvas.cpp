#include "canvas.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>

namespace art {

Rgb shade(Rgb colour, double factor)
{
    const double stepped = std::round(factor * 32.0) / 32.0;
    auto channel = [stepped](std::uint8_t value) {
        return static_cast<std::uint8_t>(std::clamp(std::lround(value * stepped), 1L, 255L));
    };
    return {channel(colour.r), channel(colour.g), channel(colour.b)};
}

Canvas::Canvas(int width, int height, Rgb background)
    : width_(width), height_(height), pixels_(static_cast<std::size_t>(width) * height)
{
    if (width <= 0 || height <= 0)
        throw std::invalid_argument("canvas size must be positive");
    std::ranges::fill(pixels_, index_of(background));
}

bool Canvas::contains(int x, int y) const
{
    return x >= 0 && y >= 0 && x < width_ && y < height_;
}

void Canvas::set(int x, int y, Rgb colour)
{
    if (contains(x, y))
        pixels_[static_cast<std::size_t>(y) * width_ + x] = index_of(colour);
}

std::uint8_t Canvas::index_of(Rgb colour)
{
    auto found = std::ranges::find(palette_, colour);
    if (found != palette_.end())
        return static_cast<std::uint8_t>(found - palette_.begin());
    if (palette_.size() == 256)
        throw std::length_error("picture needs more than 256 colours");
    palette_.push_back(colour);
    return static_cast<std::uint8_t>(palette_.size() - 1);
}

Canvas::Compacted Canvas::compacted() const
{
    constexpr std::uint8_t unmapped = 0;
    std::array<int, 256> new_index{};  // old index -> new index + 1
    Compacted result;
    result.pixels.reserve(pixels_.size());
    for (std::uint8_t old : pixels_) {
        if (new_index[old] == unmapped) {
            result.palette.push_back(palette_[old]);
            new_index[old] = static_cast<int>(result.palette.size());
        }
        result.pixels.push_back(static_cast<std::uint8_t>(new_index[old] - 1));
    }
    return result;
}

}  // namespace art
