#include "bitmap_resource.h"

#include <cstring>

namespace {

constexpr WORD bitmap_language = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
constexpr int32_t largest_side = 32767;

BitmapLoad failed(std::string error) { return {{}, std::move(error)}; }

}  // namespace

BitmapLoad decode_bitmap(const uint8_t* bytes, size_t size) {
  BITMAPINFOHEADER info;
  if (size < sizeof info) return failed("shorter than its 40-byte header");
  std::memcpy(&info, bytes, sizeof info);
  if (info.biSize != sizeof info) return failed("biSize is " + std::to_string(info.biSize) + ", not 40");
  if (info.biPlanes != 1) return failed("biPlanes is " + std::to_string(info.biPlanes) + ", not 1");
  if (info.biBitCount != 8) return failed("biBitCount is " + std::to_string(info.biBitCount) + ", not 8");
  if (info.biCompression != BI_RGB) return failed("biCompression is " + std::to_string(info.biCompression) + ", not 0");
  if (info.biWidth < 1 || info.biWidth > largest_side) return failed("biWidth " + std::to_string(info.biWidth) + " is out of range");
  if (info.biHeight == 0 || info.biHeight < -largest_side || info.biHeight > largest_side) {
    return failed("biHeight " + std::to_string(info.biHeight) + " is out of range");
  }
  if (info.biClrUsed > 256) return failed("biClrUsed " + std::to_string(info.biClrUsed) + " exceeds 256");

  uint32_t colours = info.biClrUsed == 0 ? 256 : info.biClrUsed;
  bool bottom_up = info.biHeight > 0;
  int32_t height = bottom_up ? info.biHeight : -info.biHeight;
  size_t stride = (static_cast<size_t>(info.biWidth) + 3) & ~size_t{3};
  // Sides are at most 32767, so the sum fits in 64 bits whatever the header says.
  uint64_t needed = sizeof info + uint64_t{colours} * 4 + uint64_t{stride} * height;
  if (needed > size) {
    return failed("holds " + std::to_string(size) + " bytes where its header calls for " + std::to_string(needed));
  }

  uint32_t palette[256] = {};
  const uint8_t* entry = bytes + sizeof info;
  for (uint32_t i = 0; i < colours; ++i, entry += 4) palette[i] = entry[2] << 16 | entry[1] << 8 | entry[0];

  Picture picture{info.biWidth, height, std::vector<uint32_t>(static_cast<size_t>(info.biWidth) * height)};
  const uint8_t* rows = bytes + sizeof info + colours * 4;
  for (int32_t y = 0; y < height; ++y) {
    const uint8_t* row = rows + stride * (bottom_up ? height - 1 - y : y);
    for (int32_t x = 0; x < picture.width; ++x) picture.pixels[static_cast<size_t>(y) * picture.width + x] = palette[row[x]];
  }
  return {std::move(picture), {}};
}

BitmapLoad load_bitmap_resource(HMODULE module, uint32_t resource_id) {
  HRSRC found = FindResourceExA(module, RT_BITMAP, MAKEINTRESOURCEA(resource_id), bitmap_language);
  if (found == nullptr) return failed("is not among the module's bitmaps (language 0x0409)");
  HGLOBAL loaded = LoadResource(module, found);
  auto bytes = static_cast<const uint8_t*>(LockResource(loaded));
  if (bytes == nullptr) return failed("cannot be loaded");
  return decode_bitmap(bytes, SizeofResource(module, found));
}
