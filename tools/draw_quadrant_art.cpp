// Draws the bitmaps of the throttle-quadrant gauge PENDAX: the quadrant
// itself, the two trim-scale strips and the trim-wheel strip with their
// windows, and the throttle knob.
//
// Usage: draw_quadrant_art OUTPUT_DIRECTORY

#include <array>
#include <cmath>
#include <cstdlib>
#include <string>
#include <string_view>

#include "canvas.h"
#include "generator_main.h"
#include "picture_file.h"
#include "pixel_font.h"
#include "shapes.h"

namespace {

using namespace art;

constexpr Rgb panel_blue_grey{84, 99, 115};
constexpr Rgb plate_grey_green{112, 126, 108};
constexpr Rgb marking_yellow{240, 200, 16};
constexpr Rgb reverse_red{206, 32, 28};
constexpr Rgb scale_field{0x31, 0x29, 0x31};
constexpr Rgb knob_brown{33, 16, 16};

// ---------------------------------------------------------------------------
// The quadrant, 361 x 327. Every pixel is drawn (no pure black anywhere);
// the moving strips and the knobs are drawn over it by the host.

constexpr int knob_width = 29;
constexpr std::array slot_lefts{119, 150, 181, 212};
constexpr int slot_track_offset = 10;  // the track is the knob's columns 10..17
constexpr int slot_track_width = 8;
constexpr int slot_track_top = 20;
constexpr int slot_track_bottom = 268;
constexpr int reverse_band_top = 192;
constexpr int reverse_band_bottom = 224;
constexpr int detent_first_row = 32;
constexpr int detent_last_row = 176;
constexpr int detent_pitch = 16;

// A recess: its rim is shadowed along the top and left and catches the
// light along the bottom and right; the recess itself is exactly `box`.
void draw_rounded_recess(Canvas& quadrant, Box box, int radius_x, int radius_y, Rgb surround)
{
    auto shifted = [&](int by, Rgb colour) {
        fill_rounded_box(quadrant, {box.left + by, box.top + by, box.right + by, box.bottom + by}, radius_x, radius_y,
                         colour);
    };
    shifted(-1, shade(surround, 0.55));
    shifted(1, shade(surround, 1.35));
    shifted(0, near_black);
}

// A plate standing proud of the panel, its shadow falling down and right.
void draw_raised(Canvas& quadrant, Box box, int radius, Rgb colour)
{
    fill_rounded_box(quadrant, {box.left + 1, box.top + 1, box.right + 1, box.bottom + 1}, radius, radius,
                     shade(panel_blue_grey, 0.6));
    fill_rounded_box(quadrant, box, radius, radius, colour);
}

void draw_trim_wheel(Canvas& quadrant, Box wheel)
{
    draw_rounded_recess(quadrant, wheel, wheel.width() / 2, 12, panel_blue_grey);
}

void draw_scale_well(Canvas& quadrant, Box window)
{
    draw_rounded_recess(quadrant, {window.left, window.top - 12, window.right, window.bottom + 12},
                        window.width() / 2, 12, panel_blue_grey);
}

void draw_fastener(Canvas& quadrant, int centre_x, int centre_y)
{
    const Box head{centre_x - 3, centre_y - 3, centre_x + 3, centre_y + 3};
    fill_ellipse(quadrant, {head.left - 1, head.top - 1, head.right + 1, head.bottom + 1}, shade(panel_blue_grey, 0.6));
    paint_ellipse(quadrant, head, [](double u, double v) { return shade({150, 156, 162}, 1.05 - 0.3 * (u + v)); });
    draw_line(quadrant, centre_x - 2, centre_y + 2, centre_x + 2, centre_y - 2, 1, {60, 64, 70});
}

// Left-right mirroring about a vertical axis, or none: pictures laid out
// once for the left-hand part are drawn through it for the right-hand one.
struct Mirror {
    int axis_twice;  // the sum of any two columns that swap places
    bool applied;

    int x(int column) const { return applied ? axis_twice - column : column; }
    Box box(Box b) const { return applied ? Box{x(b.right), b.top, x(b.left), b.bottom} : b; }
};

// One scale plate, given as the left one; `side` mirrors it for the right.
void draw_scale_plate(Canvas& quadrant, Mirror side, Box hatched_band, Box full_legend)
{
    const Box plate = side.box({84, 24, 118, 276});
    draw_raised(quadrant, plate, 3, plate_grey_green);
    for (int y = plate.top + 1; y < plate.bottom; ++y)
        quadrant.set(plate.left, y, shade(plate_grey_green, 1.25));

    // The index wedge points along rows 133..134 at the scale window; the
    // line under it marks the reading.
    for (int row = 124; row <= 134; ++row) {
        const int tip_column = row >= 133 ? 85 : 85 + (133 - row);
        fill_box(quadrant, side.box({tip_column, row, 94, row}), white);
    }
    fill_box(quadrant, side.box({85, 135, 94, 136}), near_black);

    // Lever position marks level with the rows of dots between the slots.
    for (int row = detent_first_row; row <= detent_last_row; row += detent_pitch)
        fill_box(quadrant, side.box({113, row, 116, row}), white);

    draw_text_stacked(quadrant, "A/THR", side.x(101), 40, 2, {.height = 7}, white);

    fill_box(quadrant, {hatched_band.left - 1, hatched_band.top - 1, hatched_band.right + 1, hatched_band.bottom + 1},
             near_black);
    hatch_box(quadrant, hatched_band, 3, 3, !side.applied, marking_yellow, near_black);
    draw_text_spanning(quadrant, "FULL", full_legend.left, full_legend.right, full_legend.top, {.height = 8, .em = 5},
                       marking_yellow);
}

void draw_lever_slots(Canvas& quadrant)
{
    const Box gate{slot_lefts.front(), 12, slot_lefts.back() + knob_width - 1, 280};
    fill_rounded_box(quadrant, gate, 4, 4, shade(panel_blue_grey, 0.85));
    for (int left : slot_lefts) {
        const Box track{left + slot_track_offset, slot_track_top, left + slot_track_offset + slot_track_width - 1,
                        slot_track_bottom};
        draw_rounded_recess(quadrant, track, 3, 3, shade(panel_blue_grey, 0.85));
        fill_box(quadrant, {track.left, reverse_band_top, track.right, reverse_band_bottom}, reverse_red);
    }
    for (std::size_t slot = 0; slot + 1 < slot_lefts.size(); ++slot) {
        const int centre = (slot_lefts[slot] + slot_lefts[slot + 1] + 2 * slot_track_offset + slot_track_width) / 2;
        for (int row = detent_first_row; row <= detent_last_row; row += detent_pitch)
            for (int x = centre - 7; x < centre + 7; x += 4)
                fill_box(quadrant, {x, row, x + 1, row}, white);
    }
}

void draw_engine_placard(Canvas& quadrant, Box placard, char engine)
{
    draw_raised(quadrant, placard, 2, near_black);
    const int centre = (placard.left + placard.right) / 2;
    draw_text(quadrant, "ENG", centre - text_ink_width("ENG", {.height = 7}) / 2, placard.top + 5, {.height = 7},
              white);
    const std::string number(1, engine);
    const TextStyle number_style{.height = 11, .pen = 2};
    draw_text(quadrant, number, centre - text_ink_width(number, number_style) / 2, placard.top + 17, number_style,
              white);
}

Canvas draw_quadrant_panel()
{
    Canvas quadrant(361, 327, panel_blue_grey);
    bevel_box(quadrant, {0, 0, 360, 326}, shade(panel_blue_grey, 1.35), shade(panel_blue_grey, 0.6));

    draw_trim_wheel(quadrant, {7, 11, 38, 320});
    draw_trim_wheel(quadrant, {322, 11, 353, 320});
    draw_scale_well(quadrant, {54, 64, 82, 267});
    draw_scale_well(quadrant, {278, 64, 306, 267});

    // The hatched bands are given for each side: the right one is a column wider.
    const int quadrant_axis_twice = 360;
    draw_scale_plate(quadrant, {quadrant_axis_twice, false}, {93, 191, 116, 251}, {93, 257, 116, 264});
    draw_scale_plate(quadrant, {quadrant_axis_twice, true}, {243, 191, 267, 251}, {243, 257, 267, 264});
    draw_lever_slots(quadrant);
    draw_engine_placard(quadrant, {119, 285, 152, 320}, '1');
    draw_engine_placard(quadrant, {207, 285, 238, 320}, '2');

    for (int x : {46, 314})
        for (int y : {7, 319})
            draw_fastener(quadrant, x, y);
    return quadrant;
}

// ---------------------------------------------------------------------------
// Trim scale strip, 32 x 1470, seen through a 29 x 204 window. It is laid out
// for the left scale (index line on the right, towards the levers); the
// right scale mirrors the layout but not the lettering.

constexpr int strip_width = 32;
constexpr int strip_height = 1470;
constexpr int scale_tick_pitch = 44;
constexpr int scale_last_tick = 1408;
constexpr int scale_zero_tick = 704;
constexpr int scale_highest_numeral = 12;
constexpr int takeoff_band_top = 596;
constexpr int takeoff_band_bottom = 813;
constexpr TextStyle numeral_style{.height = 10, .em = 6};
constexpr TextStyle tag_style{.height = 5, .em = 4};
constexpr TextStyle cg_style{.height = 5, .em = 3};

// Draws in the left scale's columns; lettering keeps its reading direction
// when mirrored and stays anchored at the same side of the index line.
class ScaleStrip {
public:
    explicit ScaleStrip(bool mirrored)
        : mirror_{.axis_twice = strip_width - 1, .applied = mirrored}, canvas_(strip_width, strip_height, scale_field)
    {
    }

    void fill(Box left_scale_box, Rgb colour) { fill_box(canvas_, mirror_.box(left_scale_box), colour); }

    // Text whose edge nearest the index line stands at `inner_edge`.
    void text(std::string_view text, int inner_edge, int top, TextStyle style, Rgb colour)
    {
        const int width = text_ink_width(text, style);
        draw_text(canvas_, text, mirror_.applied ? mirror_.x(inner_edge) : inner_edge - width + 1, top, style,
                  colour);
    }

    // Text whose edge away from the index line stands at `outer_edge`.
    void text_from_outside(std::string_view text, int outer_edge, int top, TextStyle style, Rgb colour)
    {
        const int width = text_ink_width(text, style);
        draw_text(canvas_, text, mirror_.applied ? mirror_.x(outer_edge) - width + 1 : outer_edge, top, style,
                  colour);
    }

    const Canvas& canvas() const { return canvas_; }

private:
    Mirror mirror_;
    Canvas canvas_;
};

bool beside_takeoff_band(int row)
{
    return row >= takeoff_band_top && row <= takeoff_band_bottom;
}

Canvas draw_trim_scale(bool mirrored)
{
    ScaleStrip strip(mirrored);

    // Index line, stepped outwards round the takeoff band.
    strip.fill({24, 0, 25, takeoff_band_top + 1}, white);
    strip.fill({24, takeoff_band_bottom - 1, 25, strip_height - 1}, white);
    strip.fill({12, takeoff_band_top, 25, takeoff_band_top + 1}, white);
    strip.fill({12, takeoff_band_bottom - 1, 25, takeoff_band_bottom}, white);
    strip.fill({12, takeoff_band_top, 13, takeoff_band_bottom}, white);
    strip.fill({26, takeoff_band_top, 29, takeoff_band_bottom}, marking_yellow);

    for (int tick = 0; tick <= scale_last_tick; tick += scale_tick_pitch) {
        // Beside the band the ticks stand against the stepped line, and the
        // lettering moves into the room the line left.
        const bool by_band = beside_takeoff_band(tick);
        strip.fill(by_band ? Box{14, tick, 18, tick + 1} : Box{19, tick, 23, tick + 1}, white);
        const int lettering_edge = by_band ? 23 : 21;

        const int units_from_zero = (scale_zero_tick - tick) / scale_tick_pitch;
        if (std::abs(units_from_zero) > scale_highest_numeral)
            continue;
        strip.text(std::to_string(std::abs(units_from_zero)), lettering_edge, tick - 12, numeral_style, white);
        if (units_from_zero % 2 != 0)
            strip.text(units_from_zero > 0 ? "UP" : "DN", lettering_edge, tick + 4, tag_style, marking_yellow);
    }

    // Takeoff trim for the centre of gravity, forward (nose up) at the top.
    for (int mark = 0; mark < 6; ++mark) {
        const int row = 612 + 38 * mark;
        strip.fill({10, row, 11, row + 1}, marking_yellow);
        strip.text_from_outside("CG", 3, row - 6, cg_style, marking_yellow);
        strip.text_from_outside(std::to_string(15 + 5 * mark), 3, row + 3, cg_style, marking_yellow);
    }
    return strip.canvas();
}

// ---------------------------------------------------------------------------
// Trim wheel strip, 20 x 7500, seen through a 20 x 290 window: the rim's
// white marks come round every 202 rows.

constexpr int wheel_mark_pitch = 202;
constexpr int wheel_first_whole_mark = 165;
constexpr int wheel_mark_rows = 62;

Canvas draw_trim_wheel_strip()
{
    Canvas strip(20, 7500, near_black);
    // Marks dim towards their sides, where the rim curves away. The first
    // starts above the strip, so only its lower end shows.
    const Shader curved = [](double u, double) { return shade(white, 1.0 - 0.25 * std::pow(u, 6)); };
    for (int top = wheel_first_whole_mark - wheel_mark_pitch; top < strip.height(); top += wheel_mark_pitch)
        paint_rounded_box(strip, {5, top, 14, top + wheel_mark_rows - 1}, 5, 5, curved);
    return strip;
}

// ---------------------------------------------------------------------------
// Throttle knob, 29 x 35: the lever's handle seen from the front. Its notches
// are pure black so the host leaves them undrawn.

Canvas draw_lever_knob()
{
    Canvas knob(29, 35, knob_brown);
    fill_box(knob, {0, 0, 28, 0}, shade(knob_brown, 1.6));
    fill_box(knob, {0, 1, 0, 34}, shade(knob_brown, 1.4));
    fill_box(knob, {28, 1, 28, 34}, shade(knob_brown, 0.6));
    fill_box(knob, {1, 34, 27, 34}, shade(knob_brown, 0.6));

    for (int groove = 5; groove <= 23; groove += 3) {
        fill_box(knob, {groove, 5, groove, 18}, shade(knob_brown, 2.9));
        fill_box(knob, {groove + 1, 5, groove + 1, 18}, shade(knob_brown, 0.6));
    }

    fill_box(knob, {9, 22, 19, 24}, white);
    fill_box(knob, {2, 22, 5, 24}, white);
    fill_box(knob, {23, 22, 26, 24}, white);

    // Notches in the middle of the top and bottom edges, and the bottom
    // corners cut off, in one-pixel steps.
    for (const Box notch : {Box{11, 0, 17, 0}, Box{12, 1, 16, 1}, Box{12, 33, 16, 33}, Box{11, 34, 17, 34},
                            Box{0, 34, 2, 34}, Box{0, 33, 1, 33}, Box{0, 32, 0, 32}, Box{26, 34, 28, 34},
                            Box{27, 33, 28, 33}, Box{28, 32, 28, 32}})
        fill_box(knob, notch, pure_black);
    return knob;
}

// ---------------------------------------------------------------------------

// One bitmap file; the resource script gives it its resource number.
struct Picture {
    std::string_view file_name;
    Canvas canvas;
};

}  // namespace

int main(int argc, char** argv)
{
    return run_generator(argc, argv, [](const std::filesystem::path& directory) {
        const Canvas scale_window(29, 204, window_black);
        const Canvas wheel_strip = draw_trim_wheel_strip();
        const Canvas wheel_window(20, 290, window_black);
        const std::array pictures{
            Picture{"quadrant_panel", draw_quadrant_panel()},          // 0x1000
            Picture{"trim_scale_left_strip", draw_trim_scale(false)},  // 0x2000
            Picture{"trim_scale_left_window", scale_window},           // 0x2003
            Picture{"trim_scale_right_strip", draw_trim_scale(true)},  // 0x3000
            Picture{"trim_scale_right_window", scale_window},          // 0x3003
            Picture{"trim_wheel_left_strip", wheel_strip},             // 0x4000
            Picture{"trim_wheel_left_window", wheel_window},           // 0x4003
            Picture{"trim_wheel_right_strip", wheel_strip},            // 0x5000
            Picture{"trim_wheel_right_window", wheel_window},          // 0x5003
            Picture{"lever_knob", draw_lever_knob()},                  // 0x6003
        };
        for (const Picture& picture : pictures)
            save_picture(picture.canvas, directory, picture.file_name);
    });
}
