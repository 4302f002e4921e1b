// Capital letters and digits drawn as strokes on a small grid that stretches
// to any glyph size, so the same table gives crisp lettering from 5 to 10
// rows tall, with one-pixel or two-pixel (bold) strokes.
#pragma once

#include <string_view>

#include "canvas.h"

namespace art {

struct TextStyle {
    int height;  // rows of a capital, not counting the pen's extra thickness
    int em = 0;  // columns of a plain glyph such as E or 0; 0 picks it from the height
    int pen = 1;  // stroke thickness in pixels
};

// Draws text with its glyphs' natural widths and gaps of `style.pen` pixels
// (three more between words); `left` and `top` are the ink's top-left.
void draw_text(Canvas& canvas, std::string_view text, int left, int top, TextStyle style, Rgb colour);
int text_ink_width(std::string_view text, TextStyle style);

// Draws text whose ink spans exactly columns left..right, spreading the
// room over the gaps: wider between words, and less beside glyphs whose
// sides are open (T, L), as a sign painter would space them.
void draw_text_spanning(Canvas& canvas, std::string_view text, int left, int right, int top, TextStyle style,
                        Rgb colour);

// Draws text one glyph under the other, centred on column `centre`, with
// `gap` rows between glyphs.
void draw_text_stacked(Canvas& canvas, std::string_view text, int centre, int top, int gap, TextStyle style,
                       Rgb colour);

}  // namespace art
