#include "shapes.h"

#include <cstdlib>

namespace art {

namespace {

double unit_position(int pixel, int first, int last)
{
    return first == last ? 0.0 : 2.0 * (pixel - first) / (last - first) - 1.0;
}

template <typename Inside>
void paint_where(Canvas& canvas, Box box, Inside inside, const Shader& shader)
{
    for (int y = box.top; y <= box.bottom; ++y)
        for (int x = box.left; x <= box.right; ++x)
            if (inside(x, y))
                canvas.set(x, y, shader(unit_position(x, box.left, box.right), unit_position(y, box.top, box.bottom)));
}

Shader solid(Rgb colour)
{
    return [colour](double, double) { return colour; };
}

bool in_ellipse(Box box, int x, int y)
{
    // Radii reach the outer edges of the box's border pixels, so the border
    // pixels' centres lie just inside.
    const double rx = box.width() / 2.0;
    const double ry = box.height() / 2.0;
    const double dx = (x - (box.left + box.right) / 2.0) / rx;
    const double dy = (y - (box.top + box.bottom) / 2.0) / ry;
    return x >= box.left && x <= box.right && y >= box.top && y <= box.bottom && dx * dx + dy * dy <= 1.0;
}

bool in_rounded_box(Box box, int radius_x, int radius_y, int x, int y)
{
    if (x < box.left || x > box.right || y < box.top || y > box.bottom)
        return false;
    const bool left_corner = x < box.left + radius_x;
    const bool right_corner = x > box.right - radius_x;
    const bool top_corner = y < box.top + radius_y;
    const bool bottom_corner = y > box.bottom - radius_y;
    if (!(left_corner || right_corner) || !(top_corner || bottom_corner))
        return true;
    const int corner_left = left_corner ? box.left : box.right - 2 * radius_x + 1;
    const int corner_top = top_corner ? box.top : box.bottom - 2 * radius_y + 1;
    return in_ellipse({corner_left, corner_top, corner_left + 2 * radius_x - 1, corner_top + 2 * radius_y - 1}, x, y);
}

}  // namespace

void fill_box(Canvas& canvas, Box box, Rgb colour)
{
    paint_where(canvas, box, [](int, int) { return true; }, solid(colour));
}

void bevel_box(Canvas& canvas, Box box, Rgb light, Rgb dark)
{
    fill_box(canvas, {box.left, box.top, box.right, box.top}, light);
    fill_box(canvas, {box.left, box.top, box.left, box.bottom}, light);
    fill_box(canvas, {box.left + 1, box.bottom, box.right, box.bottom}, dark);
    fill_box(canvas, {box.right, box.top + 1, box.right, box.bottom}, dark);
}

void fill_rounded_box(Canvas& canvas, Box box, int radius_x, int radius_y, Rgb colour)
{
    paint_rounded_box(canvas, box, radius_x, radius_y, solid(colour));
}

void paint_rounded_box(Canvas& canvas, Box box, int radius_x, int radius_y, const Shader& shader)
{
    paint_where(canvas, box, [&](int x, int y) { return in_rounded_box(box, radius_x, radius_y, x, y); }, shader);
}

void fill_ellipse(Canvas& canvas, Box box, Rgb colour)
{
    paint_ellipse(canvas, box, solid(colour));
}

void paint_ellipse(Canvas& canvas, Box box, const Shader& shader)
{
    paint_where(canvas, box, [&](int x, int y) { return in_ellipse(box, x, y); }, shader);
}

void draw_ring(Canvas& canvas, Box box, int thickness, Rgb colour)
{
    const Box inner{box.left + thickness, box.top + thickness, box.right - thickness, box.bottom - thickness};
    paint_where(canvas, box, [&](int x, int y) { return in_ellipse(box, x, y) && !in_ellipse(inner, x, y); },
                solid(colour));
}

void draw_line(Canvas& canvas, int x0, int y0, int x1, int y1, int pen, Rgb colour)
{
    const int dx = std::abs(x1 - x0);
    const int dy = -std::abs(y1 - y0);
    const int step_x = x0 < x1 ? 1 : -1;
    const int step_y = y0 < y1 ? 1 : -1;
    int error = dx + dy;
    for (;;) {
        fill_box(canvas, {x0, y0, x0 + pen - 1, y0 + pen - 1}, colour);
        if (x0 == x1 && y0 == y1)
            return;
        const int doubled = 2 * error;
        if (doubled >= dy) {
            error += dy;
            x0 += step_x;
        }
        if (doubled <= dx) {
            error += dx;
            y0 += step_y;
        }
    }
}

void hatch_box(Canvas& canvas, Box box, int stripe, int gap, bool falling, Rgb colour, Rgb between)
{
    const int period = stripe + gap;
    for (int y = box.top; y <= box.bottom; ++y)
        for (int x = box.left; x <= box.right; ++x) {
            const int diagonal = falling ? x - y : x + y;
            const int phase = ((diagonal % period) + period) % period;
            canvas.set(x, y, phase < stripe ? colour : between);
        }
}

}  // namespace art
