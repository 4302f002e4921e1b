// Saving a picture as the host loads it: an 8-bit, 256-colour Windows
// bitmap (the resource compiler drops the 14-byte file header and keeps
// the rest), with a PNG copy beside it for people to look at.
#pragma once

#include <filesystem>
#include <string_view>

#include "canvas.h"

namespace art {

// What the header's colour count (biClrUsed) says; either way the palette
// holds all 256 entries.
enum class ColourCount { stated, zero_for_all };

// Writes `name`.bmp and `name`.png into `directory`. Palette entries that no
// pixel uses get distinct colours that are never pure black, so that pure
// black appears in the palette only where the picture really uses it.
void save_picture(const Canvas& canvas, const std::filesystem::path& directory, std::string_view name,
                  ColourCount colour_count = ColourCount::stated);

}  // namespace art
