#include "pixel_font.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include "shapes.h"

namespace art {

namespace {

// Strokes are polylines through grid points written "xy". The grid holds
// to the glyph's edges rather than scaling with it, so that a corner cut
// stays one pixel at any size:
//   x: 0 left, 1 one in from the left, 2 centre, 3 one in from the right, 4 right;
//   y: 0 top, 1 one down, 2 upper middle, 3 middle, 4 lower middle, 5 one up, 6 bottom.
// At 5 x 7 pixels the grid is exactly the pixel grid. A stroke marked '*'
// is a detail left out of glyphs narrower than 5 pixels, where it would
// fill the glyph in.
struct Glyph {
    char character;
    int fifths;  // natural width, in fifths of the em
    bool open_left;
    bool open_right;
    std::array<std::string_view, 3> strokes;
};

constexpr std::array glyphs{
    Glyph{'A', 6, false, false, {"06 01 10 30 41 46", "03 43"}},
    Glyph{'B', 6, false, false, {"06 00 30 41 42 33 03", "33 44 45 36 06"}},
    Glyph{'C', 6, false, false, {"40 10 01 05 16 46"}},
    Glyph{'D', 6, false, false, {"00 30 41 45 36 06 00"}},
    Glyph{'E', 5, false, false, {"40 00 06 46", "03 33"}},
    Glyph{'F', 5, false, true, {"40 00 06", "03 33"}},
    Glyph{'G', 6, false, false, {"40 10 01 05 16 46 43", "*33 43"}},
    Glyph{'H', 6, false, false, {"00 06", "40 46", "03 43"}},
    Glyph{'I', 1, false, false, {"00 06"}},
    Glyph{'K', 6, false, false, {"00 06", "40 13 46"}},
    Glyph{'L', 5, false, true, {"00 06 46"}},
    Glyph{'M', 7, false, false, {"06 00 23 40 46"}},
    Glyph{'N', 6, false, false, {"06 00 46 40"}},
    Glyph{'O', 6, false, false, {"10 30 41 45 36 16 05 01 10"}},
    Glyph{'P', 6, false, false, {"06 00 30 41 42 33 03"}},
    Glyph{'R', 6, false, false, {"06 00 30 41 42 33 03", "13 46"}},
    Glyph{'S', 6, false, false, {"40 10 01 02 13 33 44 45 36 06"}},
    Glyph{'T', 5, true, true, {"00 40", "20 26"}},
    Glyph{'U', 6, false, false, {"00 05 16 36 45 40"}},
    Glyph{'/', 5, true, true, {"06 40"}},
    Glyph{'0', 5, false, false, {"10 30 41 45 36 16 05 01 10"}},
    Glyph{'1', 5, true, true, {"11 20 26", "16 36"}},
    Glyph{'2', 5, false, false, {"01 10 30 41 42 06 46"}},
    Glyph{'3', 5, false, false, {"00 30 41 42 33 13", "33 44 45 36 06"}},
    Glyph{'4', 5, false, false, {"36 30 03 04 44"}},
    Glyph{'5', 5, false, false, {"40 00 02 32 43 45 36 06"}},
    Glyph{'6', 5, false, false, {"40 10 01 05 16 36 45 44 33 03"}},
    Glyph{'7', 5, false, true, {"00 40 41 14 16"}},
    Glyph{'8', 5, false, false, {"10 30 41 42 33 13 02 01 10", "13 04 05 16 36 45 44 33"}},
    Glyph{'9', 5, false, false, {"43 13 02 01 10 30 41 45 36 06"}},
};

const Glyph& find_glyph(char character)
{
    auto found = std::ranges::find(glyphs, character, &Glyph::character);
    if (found == glyphs.end())
        throw std::invalid_argument(std::string("no glyph for '") + character + "'");
    return *found;
}

int em_of(TextStyle style)
{
    return style.em > 0 ? style.em : static_cast<int>(std::lround(5.0 * style.height / 7.0));
}

bool is_detail(std::string_view stroke)
{
    return stroke.starts_with('*');
}

std::string_view points_of(std::string_view stroke)
{
    return is_detail(stroke) ? stroke.substr(1) : stroke;
}

bool uses_centre_column(const Glyph& glyph)
{
    for (std::string_view stroke : glyph.strokes) {
        const std::string_view points = points_of(stroke);
        for (std::size_t i = 0; i < points.size(); i += 3)
            if (points[i] == '2')
                return true;
    }
    return false;
}

// Width of the stroke path; a glyph with a centre stroke gets an odd width
// so that the stroke sits in the middle.
int path_width(const Glyph& glyph, TextStyle style)
{
    // Rounding down keeps small lettering even: at an em of 3 every glyph
    // but I is 3 wide.
    int width = std::max(1, glyph.fifths * em_of(style) / 5);
    if (uses_centre_column(glyph) && width % 2 == 0 && width > 1)
        --width;
    return width;
}

int grid_column(char code, int width)
{
    switch (code) {
    case '0': return 0;
    case '1': return std::min(1, width - 1);
    case '2': return (width - 1) / 2;
    case '3': return std::max(width - 2, 0);
    default: return width - 1;
    }
}

int grid_row(char code, int height)
{
    const int middle = (height - 1) / 2;
    switch (code) {
    case '0': return 0;
    case '1': return 1;
    case '2': return (1 + middle) / 2;
    case '3': return middle;
    case '4': return (middle + height - 1) / 2;
    case '5': return height - 2;
    default: return height - 1;
    }
}

void draw_glyph(Canvas& canvas, const Glyph& glyph, int left, int top, TextStyle style, Rgb colour)
{
    const int width = path_width(glyph, style);
    for (std::string_view stroke : glyph.strokes) {
        if (is_detail(stroke) && width < 5)
            continue;
        const std::string_view points = points_of(stroke);
        for (std::size_t i = 0; i + 4 < points.size(); i += 3)
            draw_line(canvas, left + grid_column(points[i], width), top + grid_row(points[i + 1], style.height),
                      left + grid_column(points[i + 3], width), top + grid_row(points[i + 4], style.height),
                      style.pen, colour);
    }
}

// One glyph of a line of text and the gap that follows it.
struct Placed {
    const Glyph* glyph;
    int gap_after = 0;
    bool word_ends = false;
};

std::vector<Placed> lay_out(std::string_view text, TextStyle style)
{
    std::vector<Placed> line;
    for (char character : text) {
        if (character == ' ') {
            if (line.empty())
                throw std::invalid_argument("text starts with a space");
            line.back().word_ends = true;
            line.back().gap_after = style.pen + 3;
            continue;
        }
        if (!line.empty() && !line.back().word_ends)
            line.back().gap_after = style.pen;
        line.push_back({&find_glyph(character)});
    }
    if (line.empty() || line.back().word_ends)
        throw std::invalid_argument("text is empty or ends with a space");
    return line;
}

int ink_width(const std::vector<Placed>& line, TextStyle style)
{
    int width = 0;
    for (const Placed& placed : line)
        width += path_width(*placed.glyph, style) + style.pen - 1 + placed.gap_after;
    return width;
}

void draw_line_of_text(Canvas& canvas, const std::vector<Placed>& line, int left, int top, TextStyle style,
                       Rgb colour)
{
    for (const Placed& placed : line) {
        draw_glyph(canvas, *placed.glyph, left, top, style, colour);
        left += path_width(*placed.glyph, style) + style.pen - 1 + placed.gap_after;
    }
}

// How empty a gap looks, per unit of the room it should get.
double gap_fullness(const Placed& before, const Placed& after)
{
    const double open = 0.5 * (before.glyph->open_right + after.glyph->open_left);
    return (before.gap_after + open) / (before.word_ends ? 2.0 : 1.0);
}

}  // namespace

int text_ink_width(std::string_view text, TextStyle style)
{
    return ink_width(lay_out(text, style), style);
}

void draw_text(Canvas& canvas, std::string_view text, int left, int top, TextStyle style, Rgb colour)
{
    draw_line_of_text(canvas, lay_out(text, style), left, top, style, colour);
}

void draw_text_spanning(Canvas& canvas, std::string_view text, int left, int right, int top, TextStyle style,
                        Rgb colour)
{
    std::vector<Placed> line = lay_out(text, style);
    int room = right - left + 1 - ink_width(line, style);
    if (room < 0)
        throw std::invalid_argument("text \"" + std::string(text) + "\" is too wide for its span");
    if (room > 0 && line.size() < 2)
        throw std::invalid_argument("a single glyph cannot be spread over a span");
    for (; room > 0; --room) {
        std::size_t emptiest = 0;
        for (std::size_t i = 1; i + 1 < line.size(); ++i)
            if (gap_fullness(line[i], line[i + 1]) < gap_fullness(line[emptiest], line[emptiest + 1]))
                emptiest = i;
        ++line[emptiest].gap_after;
    }
    draw_line_of_text(canvas, line, left, top, style, colour);
}

void draw_text_stacked(Canvas& canvas, std::string_view text, int centre, int top, int gap, TextStyle style,
                       Rgb colour)
{
    for (char character : text) {
        const Glyph& glyph = find_glyph(character);
        const int width = path_width(glyph, style) + style.pen - 1;
        draw_glyph(canvas, glyph, centre - (width - 1) / 2, top, style, colour);
        top += style.height + style.pen - 1 + gap;
    }
}

}  // namespace art
