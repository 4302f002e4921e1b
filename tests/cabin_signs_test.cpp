// PENDAXSB as the host sees it: its records, the switches and lamps that a click flips, and the click
// sound that install loads and kill releases, through the built module with its own imports patched
// where a test must record or fail something.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "gauge_module.h"
#include "message_boxes.h"
#include "record_check.h"
#include "recording_direct_sound.h"
#include "resource_ledger.h"

namespace {

struct Icons {
  double no_smoking_switch, seat_belts_lamp, seat_belts_switch, no_smoking_lamp;
  bool operator==(const Icons&) const = default;
  friend std::ostream& operator<<(std::ostream& out, const Icons& i) {
    return out << "switch NO SMOKING " << i.no_smoking_switch << " lamp " << i.no_smoking_lamp
               << ", switch SEAT BELTS " << i.seat_belts_switch << " lamp " << i.seat_belts_lamp;
  }
};

constexpr Icons all_off{0.0, 0.0, 0.0, 0.0};
constexpr Icons no_smoking_on{1.0, 0.0, 0.0, 1.0};
constexpr Icons seat_belts_on{0.0, 1.0, 1.0, 0.0};

// Runs the gauge in a folder of the host's kind: with Sound\cdclick.wav in it, or without.
class CabinSignTest : public GaugeTest {
 protected:
  CabinSignTest() : GaugeTest(PENDAXSB_MODULE) {}

  void SetUp() override {
    GaugeTest::SetUp();
    SetCurrentDirectoryA(FOLDER_WITH_SOUND);
    boxes_.emplace(gauge_.module);
  }
  void TearDown() override {
    boxes_.reset();
    GaugeTest::TearDown();
  }

  ElementHeader* plate() const { return gauge_.root_element()->children[0]; }
  IconElement* icon(int index) const { return reinterpret_cast<IconElement*>(plate()->children[index]); }
  Icons icons() const {
    return {icon(0)->icon_value, icon(1)->icon_value, icon(2)->icon_value, icon(3)->icon_value};
  }
  int32_t click(int32_t x, int32_t y) {
    MouseFunction function = function_at(x, y);
    if (function == nullptr) return -1;
    MousePoint point{x, y};
    return function(&point, 0);
  }

  std::optional<MessageBoxRecorder> boxes_;
};

TEST_F(CabinSignTest, RecordsFormThePanelWithTheLampPlateUnderIt) {
  GaugeHeader* gauge = gauge_.gauge();
  EXPECT_EQ(std::string(gauge->gauge_name, 16), std::string("PENDAXSB\0\0\0\0\0\0\0\0", 16));
  EXPECT_EQ(gauge->root_element_list[1], nullptr);
  const std::vector<size_t> linked = {offsetof(ElementHeader, gauge_header), offsetof(ElementHeader, children)};
  const std::vector<size_t> leaf = {offsetof(ElementHeader, gauge_header)};

  auto panel = reinterpret_cast<StaticImageElement*>(gauge_.root_element());
  expect_record(panel, StaticImageElement{.header = header_of(kind_static_image, 0x1000, 0, 0, 1)}, linked);
  ASSERT_NE(panel->header.children, nullptr);
  EXPECT_EQ(panel->header.children[1], nullptr);
  auto lamp_plate = reinterpret_cast<StaticImageElement*>(plate());
  expect_record(lamp_plate, StaticImageElement{.header = header_of(kind_static_image, 0x2000, 669, 1114, 0)}, linked);

  struct IconCase {
    const char* name;
    uint32_t id;
    int32_t x, y;
    uint32_t flags;
  };
  const IconCase icons[] = {{"no_smoking_switch", 0x3000, 22, 10, 3},
                            {"seat_belts_lamp", 0x4000, 675, 1120, 2},
                            {"seat_belts_switch", 0x5000, 103, 10, 3},
                            {"no_smoking_lamp", 0x6000, 675, 1143, 3}};
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(icons[i].name);
    expect_record(icon(i),
                  IconElement{.header = header_of(kind_icon, icons[i].id, icons[i].x, icons[i].y, icons[i].flags),
                              .icon_value = 0.0,
                              .picture_count = 2},
                  leaf);
  }
  EXPECT_EQ(plate()->children[4], nullptr);
  for (ElementHeader* element : {&panel->header, plate(), &icon(0)->header, &icon(1)->header, &icon(2)->header,
                                 &icon(3)->header}) {
    EXPECT_EQ(element->gauge_header, gauge);
  }
}

TEST_F(CabinSignTest, MouseListHasOneAreaOverEachSwitch) {
  RecordingDirectSound direct_sound(gauge_.module);
  install();
  auto area = [](int32_t x) {
    return MouseRect{.rect_kind = rect_child, .box_x = x, .box_width = 30, .box_height = 50,
                     .cursor = 5, .mouse_flags = 0x20000000};
  };
  const std::vector<MouseRect> expected = {
      {.rect_kind = rect_parent, .cursor = -1},
      {.rect_kind = rect_parent, .box_x = 20, .box_y = 11, .box_width = 111, .box_height = 50, .cursor = -1},
      area(0),
      area(81),
      {.rect_kind = rect_parent_end, .cursor = -1},
      {.rect_kind = rect_parent_end, .cursor = -1},
      {.rect_kind = rect_list_end, .cursor = -1},
  };
  for (size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(testing::Message() << "mouse rectangle " << i + 1);
    expect_record(&mouse_rects_[i], expected[i], {offsetof(MouseRect, function)});
    EXPECT_EQ(mouse_rects_[i].function != nullptr, i == 2 || i == 3);
  }
  gauge_.gauge()->gauge_kill();
}

TEST_F(CabinSignTest, AClickFlipsItsSwitchAndLampAndPlaysTheClick) {
  RecordingDirectSound direct_sound(gauge_.module);
  ASSERT_EQ(install(), 1u);
  const struct {
    const char* name;
    int32_t x, y;
    int32_t result;  // -1: no area, so nothing is called
    Icons after;
    std::vector<std::string> sound_calls;
  } clicks[] = {
      // The stand-in's buffer plays until it is stopped, so every click after the first rewinds it.
      {"left area, first click", 20, 11, 1, no_smoking_on, {"GetStatus", "Play 0 0 0"}},
      {"left area, second click", 49, 60, 1, all_off, {"GetStatus", "SetCurrentPosition 0"}},
      {"right area", 101, 30, 1, seat_belts_on, {"GetStatus", "SetCurrentPosition 0"}},
      {"between the areas", 50, 30, -1, seat_belts_on, {}},
      {"between the areas", 100, 60, -1, seat_belts_on, {}},
      {"below the areas", 30, 61, -1, seat_belts_on, {}},
      {"right area again", 130, 60, 1, all_off, {"GetStatus", "SetCurrentPosition 0"}},
  };
  for (const auto& c : clicks) {
    SCOPED_TRACE(c.name);
    direct_sound.calls.clear();
    EXPECT_EQ(click(c.x, c.y), c.result);
    EXPECT_EQ(icons(), c.after);
    EXPECT_EQ(direct_sound.calls, c.sound_calls);
  }
  EXPECT_TRUE(boxes_->shown.empty());
  gauge_.gauge()->gauge_kill();
}

TEST_F(CabinSignTest, KillAndInstallAgainKeepTheSwitchStatesAndReloadTheClick) {
  RecordingDirectSound direct_sound(gauge_.module);
  ASSERT_EQ(install(), 1u);
  click(30, 30);
  direct_sound.calls.clear();
  gauge_.gauge()->gauge_kill();
  EXPECT_EQ(direct_sound.live_objects, 0);

  // The released handle plays nothing; the load takes handle 1 again.
  direct_sound.calls.clear();
  EXPECT_EQ(install(), 1u);
  EXPECT_EQ(direct_sound.calls.at(0), "DirectSoundCreate");
  EXPECT_EQ(icons(), no_smoking_on);

  // Installed again without a kill: the live click sounds once, then a second copy takes handle 2 on
  // the same device.
  direct_sound.calls.clear();
  EXPECT_EQ(install(), 2u);
  EXPECT_EQ(std::vector<std::string>(direct_sound.calls.begin(), direct_sound.calls.begin() + 2),
            (std::vector<std::string>{"GetStatus", "Play 0 0 0"}));
  EXPECT_EQ(std::count(direct_sound.calls.begin(), direct_sound.calls.end(), "DirectSoundCreate"), 0);
  EXPECT_TRUE(boxes_->shown.empty());
  gauge_.gauge()->gauge_kill();
}

TEST_F(CabinSignTest, WithoutTheSoundFileInstallSaysSoOnceAndClicksStayQuiet) {
  RecordingDirectSound direct_sound(gauge_.module);
  SetCurrentDirectoryA(FOLDER_WITHOUT_SOUND);
  EXPECT_EQ(install(), 0u);
  ASSERT_EQ(boxes_->shown.size(), 1u);
  EXPECT_EQ(boxes_->shown[0], (MessageBoxShown{"Sound-File not found\n", "", MB_ICONERROR, GetActiveWindow()}));
  for (int32_t x : {30, 110, 30}) EXPECT_EQ(click(x, 30), 1);
  EXPECT_EQ(icons(), seat_belts_on);
  EXPECT_EQ(boxes_->shown.size(), 1u);
  EXPECT_TRUE(direct_sound.calls.empty());
  gauge_.gauge()->gauge_kill();
}

TEST_F(CabinSignTest, ThousandInstallClickKillCyclesLeaveNothingHeld) {
  ResourceLedger ledger(gauge_.module);
  RecordingDirectSound direct_sound(gauge_.module);
  for (int cycle = 0; cycle < 1000; ++cycle) {
    ASSERT_EQ(install(), 1u) << "cycle " << cycle;
    ASSERT_EQ(click(30, 30), 1);
    gauge_.gauge()->gauge_kill();
  }
  ledger.expect_nothing_held();
  EXPECT_EQ(direct_sound.live_objects, 0);
  EXPECT_TRUE(boxes_->shown.empty());
}

// What the sound output has received so far: ALSA writes every frame that Wine's mixer plays, as 32-bit
// float stereo, into the capture file of this test's own sound configuration.
struct Capture {
  size_t frames = 0;
  size_t loud_frames = 0;
};

Capture read_capture(size_t from_frame = 0) {
  std::ifstream file(CAPTURE_FILE, std::ios::binary);
  const std::vector<char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  Capture capture;
  const auto* frames = reinterpret_cast<const float*>(bytes.data());
  capture.frames = bytes.size() / 8;
  for (size_t i = from_frame; i < capture.frames; ++i) {
    capture.loud_frames += std::fabs(frames[2 * i]) > 0.01f || std::fabs(frames[2 * i + 1]) > 0.01f;
  }
  return capture;
}

TEST_F(CabinSignTest, TheClickIsHeardThroughRealDirectSound) {
  EXPECT_EQ(install(), 1u);
  const size_t before = read_capture().frames;
  Sleep(300);
  EXPECT_EQ(read_capture(before).loud_frames, 0u) << "install's own play must not sound";
  const size_t at_click = read_capture().frames;
  EXPECT_EQ(click(30, 30), 1);
  Sleep(500);
  const Capture after = read_capture(at_click);
  // The click lasts 45 ms, about 2,160 frames at 48 kHz, and its loud part less; one click, not a
  // stream of them.
  EXPECT_GT(after.loud_frames, 300u);
  EXPECT_LT(after.loud_frames, 2400u);
  EXPECT_TRUE(boxes_->shown.empty());
  gauge_.gauge()->gauge_kill();
}

}  // namespace
