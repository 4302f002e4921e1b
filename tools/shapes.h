// Drawing helpers over a Canvas. Every shape is given by the inclusive box
// it fills exactly, so a picture's extents can be written as they are
// measured: an ellipse in box (20, 21, 49, 50) touches columns 20 and 49.
#pragma once

#include <functional>

#include "canvas.h"

namespace art {

// Colour of a point of a shape; u and v run from -1 at the box's left and
// top pixel centres to +1 at its right and bottom ones.
using Shader = std::function<Rgb(double u, double v)>;

void fill_box(Canvas& canvas, Box box, Rgb colour);

// A bevelled edge one pixel wide: `light` along the top and left sides,
// `dark` along the bottom and right (swap them for a recess).
void bevel_box(Canvas& canvas, Box box, Rgb light, Rgb dark);

// Box whose corners are quarter ellipses with the given radii in pixels.
void fill_rounded_box(Canvas& canvas, Box box, int radius_x, int radius_y, Rgb colour);
void paint_rounded_box(Canvas& canvas, Box box, int radius_x, int radius_y, const Shader& shader);

void fill_ellipse(Canvas& canvas, Box box, Rgb colour);
void paint_ellipse(Canvas& canvas, Box box, const Shader& shader);
// The ellipse's outer `thickness` pixels.
void draw_ring(Canvas& canvas, Box box, int thickness, Rgb colour);

// A straight line between two pixel centres, drawn with a square pen of
// `pen` pixels whose top-left corner follows the line.
void draw_line(Canvas& canvas, int x0, int y0, int x1, int y1, int pen, Rgb colour);

// Diagonal stripes across the box, `stripe` pixels of `colour` then
// `gap` pixels of `between`, falling to the right when `falling` is set.
void hatch_box(Canvas& canvas, Box box, int stripe, int gap, bool falling, Rgb colour, Rgb between);

}  // namespace art
