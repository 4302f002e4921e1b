// The throttle quadrant on the bench: the knobs and trim strips where their variables put them, and lever
// clicks that send their events and move the knobs.
#include <gtest/gtest.h>

#include "bench_run.h"

namespace {

constexpr int knob_slots_x[4] = {119, 150, 181, 212};

struct TrimStrip {
  uint32_t strip_id;
  int x, y, window_width, window_height;
  bool wheel;
};

constexpr TrimStrip trim_strips[] = {
    {0x2000, 54, 64, 29, 204, false},
    {0x3000, 278, 64, 29, 204, false},
    {0x4000, 13, 21, 20, 290, true},
    {0x5000, 328, 21, 20, 290, true},
};

int knob_top_misses(const Rendered& rendered, const Picture& knob, int slot, int top) {
  return pixels_not_shown(rendered, knob, knob_slots_x[slot], top);
}

struct QuadrantCase {
  const char* name;
  std::vector<std::string> settings;
  int knob_tops[4];
  int scale_first_row;  // of the strip, in the window
  int wheel_first_row;
};

// At rest the scales show strip rows 633 to 836, which puts the strip's 0 tick (rows 704 and 705) on
// y 135 and 136, under the background's index wedge.
const QuadrantCase quadrant_cases[] = {
    {"at rest", {}, {176, 176, 176, 176}, 633, 3605},
    {"levers at both ends, trim at its first end",
     {"128=16384", "163=-4096", "198=16384", "233=-4096", "318=16383"}, {16, 216, 16, 216}, 0, 0},
    {"levers at the other ends, trim at its second end",
     {"128=-4096", "163=16384", "198=-4096", "233=16384", "318=-16383"}, {216, 16, 216, 16}, 1266, 7210},
};

TEST(BenchQuadrantTest, KnobsAndTrimStripsFollowTheirVariables) {
  Picture knob = module_bitmap(PENDAX_MODULE, 0x6003);
  for (const QuadrantCase& test : quadrant_cases) {
    SCOPED_TRACE(test.name);
    std::vector<std::string> args;
    for (const std::string& setting : test.settings) args.insert(args.end(), {"--set", setting});
    Rendered rendered = render(PENDAX_MODULE, "quadrant.png", args);
    ASSERT_EQ(rendered.width, 361);
    ASSERT_EQ(rendered.height, 327);
    for (int slot = 0; slot < 4; ++slot) {
      SCOPED_TRACE("knob " + std::to_string(slot + 1));
      EXPECT_EQ(knob_top_misses(rendered, knob, slot, test.knob_tops[slot]), 0);
    }
    for (const TrimStrip& trim : trim_strips) {
      SCOPED_TRACE("strip 0x" + std::to_string(trim.strip_id));
      int first_row = trim.wheel ? test.wheel_first_row : test.scale_first_row;
      Picture strip = module_bitmap(PENDAX_MODULE, trim.strip_id);
      EXPECT_EQ(pixels_not_shown(rendered, strip, trim.x, trim.y, first_row, trim.window_height, trim.window_width), 0);
    }
  }
}

struct LeverClick {
  const char* point;
  const char* event;  // as the bench prints it
  int knob_top;       // where the slider rule puts the knob for that value
};

// Values for a 327-pixel root image: y 20 and 277 are the areas' top and bottom rows.
const LeverClick lever_clicks[] = {
    {"130,20", "event 65820 value 15031: variable 128 is now 15031", 176 - 146},
    {"160,245", "event 65821 value 0: variable 163 is now 0", 176},
    {"190,277", "event 65822 value -2137: variable 198 is now -2137", 176 + 20},
    {"220,176", "event 65823 value 4609: variable 233 is now 4609", 176 - 45},
};

TEST(BenchQuadrantTest, LeverClicksSendTheirEventsAndTheKnobsFollow) {
  std::vector<std::string> args;
  for (const LeverClick& click : lever_clicks) args.insert(args.end(), {"--click", click.point});
  args.insert(args.end(), {"--click", "100,100"});  // between the trim scale and the first slot
  BenchRun run;
  Rendered rendered = render(PENDAX_MODULE, "quadrant_clicks.png", args, &run);

  std::vector<std::string> expected_events;
  for (const LeverClick& click : lever_clicks) expected_events.push_back(click.event);
  EXPECT_EQ(lines_starting(run.out, "event "), expected_events);
  EXPECT_NE(run.out.find("click (100, 100): no mouse area there"), std::string::npos) << run.out;

  Picture knob = module_bitmap(PENDAX_MODULE, 0x6003);
  for (int slot = 0; slot < 4; ++slot) {
    SCOPED_TRACE("knob " + std::to_string(slot + 1));
    EXPECT_EQ(knob_top_misses(rendered, knob, slot, lever_clicks[slot].knob_top), 0);
  }
}

}  // namespace
