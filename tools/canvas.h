// An 8-bit indexed picture: every pixel is an index into a palette of at
// most 256 colours, which grows as drawing uses new colours.
#pragma once

#include <cstdint>
#include <vector>

namespace art {

struct Rgb {
    std::uint8_t r;
    std::uint8_t g;
    std::uint8_t b;

    friend constexpr bool operator==(Rgb, Rgb) = default;
};

// Pure black is the colour the host leaves undrawn on transparent elements.
inline constexpr Rgb pure_black{0, 0, 0};
inline constexpr Rgb white{255, 255, 255};
// What the pictures use wherever black is meant to be seen.
inline constexpr Rgb near_black{8, 8, 8};
inline constexpr Rgb window_black{1, 1, 1};

// Scales each channel by `factor` (above 1 lightens), clamped to 1..255 so
// that shading never produces pure black by accident. The factor is taken
// in steps of 1/32, which keeps a shaded picture within its 256 colours.
Rgb shade(Rgb colour, double factor);

// Inclusive pixel rectangle: columns left..right, rows top..bottom.
struct Box {
    int left;
    int top;
    int right;
    int bottom;

    int width() const { return right - left + 1; }
    int height() const { return bottom - top + 1; }
};

class Canvas {
public:
    Canvas(int width, int height, Rgb background);

    int width() const { return width_; }
    int height() const { return height_; }

    // Pixels outside the picture are ignored, so shapes may overhang.
    void set(int x, int y, Rgb colour);

    // The picture with a palette of only the colours still visible, in the
    // order the rows (top to bottom) first use them: a colour drawn and then
    // fully covered leaves no entry behind.
    struct Compacted {
        std::vector<Rgb> palette;
        std::vector<std::uint8_t> pixels;  // row-major, top row first
    };
    Compacted compacted() const;

private:
    bool contains(int x, int y) const;
    std::uint8_t index_of(Rgb colour);

    int width_;
    int height_;
    std::vector<Rgb> palette_;
    std::vector<std::uint8_t> pixels_;
};

}  // namespace art
