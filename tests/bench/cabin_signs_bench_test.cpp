// The cabin signs on the bench: a click on a switch changes that switch's and lamp's pictures and plays
// the click, the sound file's absence is reported and changes nothing else, and the mouse areas lie where
// their nested boxes put them.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include <nlohmann/json.hpp>

#include "bench_run.h"

namespace {

// The switch panel and the lamp plate side by side: the plate's left edge lands at x 150 + 8.
const std::vector<std::string> panel_and_plate = {"--area", "0,0,150,65", "--area", "669,1114,113,49"};
constexpr int plate_left = 158;

// A picture where the render of panel_and_plate shows it.
struct Placed {
  uint32_t bitmap;
  int x, y, width, height;
  bool holds(int px, int py) const { return px >= x && py >= y && px < x + width && py < y + height; }
};

struct SwitchPair {
  const char* name;
  const char* click;
  Placed switch_off, switch_on, lamp_dark, lamp_lit;
};

const SwitchPair switch_pairs[] = {
    {"NO SMOKING", "34,35", {0x3000, 22, 10, 26, 54}, {0x3003, 22, 10, 26, 54},
     {0x6000, plate_left + 6, 29, 96, 14}, {0x6003, plate_left + 6, 29, 96, 14}},
    {"SEAT BELTS", "115,35", {0x5000, 103, 10, 26, 54}, {0x5003, 103, 10, 26, 54},
     {0x4000, plate_left + 6, 6, 96, 14}, {0x4003, plate_left + 6, 6, 96, 14}},
};

std::vector<std::string> with_click(const char* click, const char* host_dir) {
  std::vector<std::string> args = panel_and_plate;
  args.insert(args.end(), {"--host-dir", host_dir, "--click", click});
  return args;
}

int shown_misses(const Rendered& rendered, const Placed& placed) {
  return pixels_not_shown(rendered, module_bitmap(PENDAXSB_MODULE, placed.bitmap), placed.x, placed.y);
}

TEST(BenchCabinSignsTest, AClickChangesExactlyItsSwitchAndLamp) {
  std::vector<std::string> at_rest_args = panel_and_plate;
  at_rest_args.insert(at_rest_args.end(), {"--host-dir", BENCH_HOST_DIR});
  BenchRun at_rest_run;
  Rendered at_rest = render(PENDAXSB_MODULE, "cabin_at_rest.png", at_rest_args, &at_rest_run);
  EXPECT_EQ(lines_starting(at_rest_run.out, "message box"), std::vector<std::string>{});
  for (const SwitchPair& pair : switch_pairs) {
    EXPECT_EQ(shown_misses(at_rest, pair.switch_off), 0) << pair.name;
    EXPECT_EQ(shown_misses(at_rest, pair.lamp_dark), 0) << pair.name;
  }

  for (const SwitchPair& pair : switch_pairs) {
    SCOPED_TRACE(pair.name);
    BenchRun run;
    Rendered clicked = render(PENDAXSB_MODULE, "cabin_clicked.png", with_click(pair.click, BENCH_HOST_DIR), &run);
    EXPECT_NE(run.out.find("the function returned 1"), std::string::npos) << run.out;
    EXPECT_EQ(lines_starting(run.out, "event "), std::vector<std::string>{});
    EXPECT_EQ(shown_misses(clicked, pair.switch_on), 0);
    EXPECT_EQ(shown_misses(clicked, pair.lamp_lit), 0);
    ASSERT_EQ(clicked.pixels.size(), at_rest.pixels.size());
    int changed_elsewhere = 0, changed_switch = 0, changed_lamp = 0;
    for (int y = 0; y < clicked.height; ++y) {
      for (int x = 0; x < clicked.width; ++x) {
        if (clicked.at(x, y) == at_rest.at(x, y)) continue;
        if (pair.switch_on.holds(x, y)) {
          ++changed_switch;
        } else if (pair.lamp_lit.holds(x, y)) {
          ++changed_lamp;
        } else {
          ++changed_elsewhere;
        }
      }
    }
    EXPECT_GT(changed_switch, 0);
    EXPECT_GT(changed_lamp, 0);
    EXPECT_EQ(changed_elsewhere, 0);
  }
}

TEST(BenchCabinSignsTest, WithoutTheSoundFileTheMessageIsPrintedAndClicksStillWork) {
  for (const SwitchPair& pair : switch_pairs) {
    SCOPED_TRACE(pair.name);
    BenchRun run;
    Rendered clicked = render(PENDAXSB_MODULE, "cabin_silent.png", with_click(pair.click, NO_SOUND_HOST_DIR), &run);
    EXPECT_EQ(lines_starting(run.out, "message box"),
              std::vector<std::string>{"message box \"Sound-File not found\\n\", caption \"\", style 0x10, owner 0x0"});
    EXPECT_EQ(shown_misses(clicked, pair.switch_on), 0);
    EXPECT_EQ(shown_misses(clicked, pair.lamp_lit), 0);
  }
}

// The wrapper's --wav run of one click on the NO SMOKING switch, which ctest runs before this program.
TEST(BenchCabinSignsTest, TheWrittenWaveHoldsOneClick) {
  std::ifstream file(CLICK_WAVE_FILE, std::ios::binary);
  ASSERT_TRUE(file) << CLICK_WAVE_FILE;
  std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file), {}};
  auto word = [&](size_t at) { return uint32_t{bytes[at]} | bytes[at + 1] << 8 | bytes[at + 2] << 16 | uint32_t{bytes[at + 3]} << 24; };
  auto half = [&](size_t at) { return static_cast<uint16_t>(bytes[at] | bytes[at + 1] << 8); };
  ASSERT_GE(bytes.size(), 12u);
  ASSERT_EQ(std::string(bytes.begin(), bytes.begin() + 4) + std::string(bytes.begin() + 8, bytes.begin() + 12), "RIFFWAVE");

  std::vector<float> samples;
  uint16_t channels = 0;
  uint32_t rate = 0;
  for (size_t at = 12; at + 8 <= bytes.size();) {
    std::string id(bytes.begin() + at, bytes.begin() + at + 4);
    uint32_t size = word(at + 4);
    ASSERT_LE(size, bytes.size() - at - 8) << id;
    if (id == "fmt ") {
      channels = half(at + 10);
      rate = word(at + 12);
      EXPECT_EQ(half(at + 22), 32) << "bits per sample";
    } else if (id == "data") {
      samples.resize(size / 4);
      std::memcpy(samples.data(), &bytes[at + 8], samples.size() * 4);
    }
    at += 8 + size + (size & 1);
  }
  ASSERT_EQ(channels, 2);
  ASSERT_EQ(rate, 48000u);

  // The click is 45 ms of a quickly fading ring: it must sound, once, and not for much longer.
  size_t first = samples.size(), last = 0, sounding = 0;
  for (size_t frame = 0; frame < samples.size() / 2; ++frame) {
    if (std::max(std::abs(samples[2 * frame]), std::abs(samples[2 * frame + 1])) < 0.001f) continue;
    first = std::min(first, frame);
    last = frame;
    ++sounding;
  }
  EXPECT_GE(sounding, 48000u * 5 / 1000) << "frames that sound";
  EXPECT_LE(last - first, 48000u * 100 / 1000) << "frames from the first sound to the last";
}

TEST(BenchCabinSignsTest, DescribeGivesTheMouseAreasInGaugePixels) {
  BenchRun run = run_bench({"describe", PENDAXSB_MODULE, "--json", "--host-dir", BENCH_HOST_DIR});
  ASSERT_EQ(run.exit_code, 0u) << run.err;
  nlohmann::json description = nlohmann::json::parse(run.out, nullptr, false);
  ASSERT_FALSE(description.is_discarded()) << run.out;
  struct Area {
    const char* kind;
    int x, y, width, height;
    bool has_function;
  };
  // The outer parent's box is empty, so it covers the whole gauge; the switch areas lie inside the
  // inner parent at (20, 11).
  const Area expected[] = {
      {"parent", 0, 0, 150, 65, false},
      {"parent", 20, 11, 111, 50, false},
      {"child", 20, 11, 30, 50, true},
      {"child", 101, 11, 30, 50, true},
  };
  const nlohmann::json& areas = description["mouse_areas"];
  ASSERT_EQ(areas.size(), std::size(expected));
  for (size_t i = 0; i < std::size(expected); ++i) {
    SCOPED_TRACE("mouse area " + std::to_string(i + 1));
    EXPECT_EQ(areas[i]["kind"], expected[i].kind);
    EXPECT_EQ(areas[i]["x"], expected[i].x);
    EXPECT_EQ(areas[i]["y"], expected[i].y);
    EXPECT_EQ(areas[i]["width"], expected[i].width);
    EXPECT_EQ(areas[i]["height"], expected[i].height);
    EXPECT_EQ(areas[i]["function"].is_string(), expected[i].has_function);
  }
}

}  // namespace
