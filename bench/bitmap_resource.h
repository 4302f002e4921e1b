// The module's pictures: 8-bit device-independent bitmaps without file header, stored as RT_BITMAP
// resources in language 0x0409, which the host loads by the elements' resource numbers.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

constexpr uint32_t pure_black = 0x000000;

// Rows from the top down, each pixel 0xRRGGBB.
struct Picture {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint32_t> pixels;
  uint32_t at(int32_t x, int32_t y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

struct BitmapLoad {
  Picture picture;
  std::string error;  // empty when the picture loaded
};

// Decodes a bitmap resource's bytes; the error names the field at fault.
BitmapLoad decode_bitmap(const uint8_t* bytes, size_t size);

BitmapLoad load_bitmap_resource(HMODULE module, uint32_t resource_id);
