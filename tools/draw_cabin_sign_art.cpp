// Draws the bitmaps of the cabin-sign gauge PENDAXSB: the overhead sign
// panel, the lamp plate, the two toggle-switch poses and the two lamps.
//
// Usage: draw_cabin_sign_art OUTPUT_DIRECTORY

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>

#include "canvas.h"
#include "generator_main.h"
#include "picture_file.h"
#include "pixel_font.h"
#include "shapes.h"

namespace {

using namespace art;

constexpr Rgb lamp_green{0x53, 0xE7, 0x09};
constexpr Rgb switch_metal{150, 152, 158};
constexpr Rgb lever_chrome{236, 235, 230};

// ---------------------------------------------------------------------------
// Sign panel, 150 x 65: white paint on a black field that the host leaves
// undrawn, so the overhead panel behind shows through.

constexpr TextStyle label_style{.height = 7};
constexpr Box no_smoking_ring{20, 21, 49, 50};
constexpr Box seat_belts_ring{101, 21, 130, 50};

Canvas draw_sign_panel()
{
    Canvas panel(150, 65, pure_black);
    fill_box(panel, {5, 0, 144, 0}, white);
    draw_text_spanning(panel, "NO SMOKING", 2, 69, 4, label_style, white);
    draw_text_spanning(panel, "SEAT BELTS", 82, 147, 4, label_style, white);
    draw_ring(panel, no_smoking_ring, 2, white);
    draw_ring(panel, seat_belts_ring, 2, white);
    draw_text_spanning(panel, "OFF", 66, 83, 20, {.height = 8, .em = 5}, white);
    draw_text_spanning(panel, "ON", 67, 81, 45, {.height = 8, .em = 6}, white);
    return panel;
}

// ---------------------------------------------------------------------------
// Lamp plate, 113 x 49, and the lamps on it, 96 x 14.

Canvas draw_lamp_plate()
{
    return Canvas(113, 49, near_black);
}

Canvas draw_lamp_dark()
{
    return Canvas(96, 14, near_black);
}

Canvas draw_lamp_lit(std::string_view legend)
{
    Canvas lamp(96, 14, near_black);
    draw_text_spanning(lamp, legend, 3, 92, 2, {.height = 9, .em = 6, .pen = 2}, lamp_green);
    return lamp;
}

// ---------------------------------------------------------------------------
// Toggle switch, 26 x 54, seen from the front: a round metal base with its
// bat-shaped lever thrown up (OFF) or down (ON). Everything around them is
// pure black and left undrawn.

struct SwitchPose {
    Box base;
    int lever_end_row;  // the row the lever's tip reaches
};

constexpr SwitchPose lever_up{.base = {2, 16, 23, 38}, .lever_end_row = 0};
constexpr SwitchPose lever_down{.base = {2, 14, 23, 36}, .lever_end_row = 52};
constexpr double switch_centre_x = 12.5;

// Diffuse light from the upper left on a dome over the unit disc.
double dome_light(double u, double v)
{
    const double height = std::sqrt(std::max(0.0, 1.0 - u * u - v * v));
    const double lit = (-0.45 * u - 0.55 * v + 0.70 * height) / std::sqrt(0.45 * 0.45 + 0.55 * 0.55 + 0.70 * 0.70);
    return 0.45 + 0.75 * std::max(0.0, lit);
}

Box inset(Box box, int by)
{
    return {box.left + by, box.top + by, box.right - by, box.bottom - by};
}

void draw_switch_base(Canvas& canvas, Box base)
{
    paint_ellipse(canvas, base, [](double u, double v) { return shade(switch_metal, dome_light(u, v)); });
    // The threaded bushing stands out of the nut; its face catches the light
    // the other way round, which reads as a step.
    paint_ellipse(canvas, inset(base, 5),
                  [](double u, double v) { return shade(switch_metal, 0.55 + 0.25 * (u + v)); });
    fill_ellipse(canvas, inset(base, 8), shade(switch_metal, 0.3));
}

void draw_lever(Canvas& canvas, const SwitchPose& pose)
{
    const int pivot_row = (pose.base.top + pose.base.bottom) / 2;
    const int direction = pose.lever_end_row < pivot_row ? -1 : 1;
    const int length = std::abs(pose.lever_end_row - pivot_row);
    constexpr int tip_rows = 12;
    constexpr double tip_half_width = 4.4;
    const double tip_centre_row = pose.lever_end_row - direction * (tip_rows - 1) / 2.0;

    for (int step = 0; step <= length; ++step) {
        const int y = pivot_row + direction * step;
        // The shank flares from the bushing towards the tip; the tip is a
        // rounded paddle, wider than the shank.
        double half_width = 1.9 + 1.1 * step / length;
        const double from_tip_centre = std::abs(y - tip_centre_row) / (tip_rows / 2.0);
        if (from_tip_centre < 1.0)
            half_width = std::max(half_width, tip_half_width * std::sqrt(1.0 - from_tip_centre * from_tip_centre));
        for (int x = 0; x < canvas.width(); ++x) {
            const double across = (x - switch_centre_x) / half_width;
            if (std::abs(across) > 1.0)
                continue;
            // A rounded bar lit from the left: bright just left of centre.
            const double highlight = 1.0 - (across + 0.35) * (across + 0.35);
            const double in_hole = step < 3 ? 0.7 : 1.0;
            canvas.set(x, y, shade(lever_chrome, in_hole * (0.55 + 0.45 * highlight)));
        }
    }
}

Canvas draw_switch(const SwitchPose& pose)
{
    Canvas toggle(26, 54, pure_black);
    draw_switch_base(toggle, pose.base);
    draw_lever(toggle, pose);
    return toggle;
}

// ---------------------------------------------------------------------------

// One bitmap file; the resource script gives it its resource number.
struct Picture {
    std::string_view file_name;
    Canvas canvas;
    ColourCount colour_count = ColourCount::stated;
};

}  // namespace

int main(int argc, char** argv)
{
    return run_generator(argc, argv, [](const std::filesystem::path& directory) {
        const Canvas switch_off = draw_switch(lever_up);
        const Canvas switch_on = draw_switch(lever_down);
        const std::array pictures{
            Picture{"sign_panel", draw_sign_panel(), ColourCount::zero_for_all},  // 0x1000
            Picture{"lamp_plate", draw_lamp_plate()},                              // 0x2000
            Picture{"no_smoking_switch_off", switch_off},                          // 0x3000
            Picture{"no_smoking_switch_on", switch_on},                            // 0x3003
            Picture{"seat_belts_lamp_dark", draw_lamp_dark()},                     // 0x4000
            Picture{"seat_belts_lamp_lit", draw_lamp_lit("SEAT BELTS")},           // 0x4003
            Picture{"seat_belts_switch_off", switch_off},                          // 0x5000
            Picture{"seat_belts_switch_on", switch_on},                            // 0x5003
            Picture{"no_smoking_lamp_dark", draw_lamp_dark()},                     // 0x6000
            Picture{"no_smoking_lamp_lit", draw_lamp_lit("NO SMOKING")},           // 0x6003
        };
        for (const Picture& picture : pictures)
            save_picture(picture.canvas, directory, picture.file_name, picture.colour_count);
    });
}
