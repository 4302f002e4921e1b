#include "picture_file.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

#include "little_endian.h"

namespace art {

namespace {

constexpr int palette_entries = 256;
constexpr std::uint32_t file_header_bytes = 14;
constexpr std::uint32_t info_header_bytes = 40;
constexpr std::uint32_t palette_bytes = 4 * palette_entries;

std::vector<Rgb> full_palette(std::vector<Rgb> used)
{
    for (int fill = 0; used.size() < palette_entries; ++fill) {
        const Rgb unused{255, static_cast<std::uint8_t>(fill), 255};
        if (std::ranges::find(used, unused) == used.end())
            used.push_back(unused);
    }
    return used;
}

void write_bitmap(const Canvas::Compacted& picture, int width, int height, const std::filesystem::path& path,
                  ColourCount colour_count)
{
    const std::uint32_t stride = (static_cast<std::uint32_t>(width) + 3) & ~3u;
    const std::uint32_t pixel_bytes = stride * static_cast<std::uint32_t>(height);
    const std::uint32_t pixels_offset = file_header_bytes + info_header_bytes + palette_bytes;

    LittleEndianBytes out;
    out.u16(0x4D42);  // "BM"
    out.u32(pixels_offset + pixel_bytes);
    out.u32(0);
    out.u32(pixels_offset);

    out.u32(info_header_bytes);
    out.u32(static_cast<std::uint32_t>(width));
    out.u32(static_cast<std::uint32_t>(height));  // positive: rows stored bottom-up
    out.u16(1);                                    // planes
    out.u16(8);                                    // bits per pixel
    out.u32(0);                                    // uncompressed
    out.u32(pixel_bytes);
    out.u32(0);  // pixels per metre, x
    out.u32(0);  // pixels per metre, y
    out.u32(colour_count == ColourCount::stated ? palette_entries : 0);
    out.u32(0);  // all colours important

    for (Rgb colour : full_palette(picture.palette)) {
        out.u8(colour.b);
        out.u8(colour.g);
        out.u8(colour.r);
        out.u8(0);
    }

    for (int row = height - 1; row >= 0; --row) {
        for (int x = 0; x < width; ++x)
            out.u8(picture.pixels[static_cast<std::size_t>(row) * width + x]);
        for (auto pad = static_cast<std::uint32_t>(width); pad < stride; ++pad)
            out.u8(0);
    }
    out.write_to(path);
}

void write_png(const Canvas::Compacted& picture, int width, int height, const std::filesystem::path& path)
{
    std::vector<std::uint8_t> rgb;
    rgb.reserve(picture.pixels.size() * 3);
    for (std::uint8_t index : picture.pixels) {
        const Rgb colour = picture.palette[index];
        rgb.insert(rgb.end(), {colour.r, colour.g, colour.b});
    }
    if (!stbi_write_png(path.string().c_str(), width, height, 3, rgb.data(), width * 3))
        throw std::runtime_error("cannot write " + path.string());
}

}  // namespace

void save_picture(const Canvas& canvas, const std::filesystem::path& directory, std::string_view name,
                  ColourCount colour_count)
{
    const Canvas::Compacted picture = canvas.compacted();
    const std::string stem(name);
    write_bitmap(picture, canvas.width(), canvas.height(), directory / (stem + ".bmp"), colour_count);
    write_png(picture, canvas.width(), canvas.height(), directory / (stem + ".png"));
}

}  // namespace art
