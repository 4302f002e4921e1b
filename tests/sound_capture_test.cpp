// The click-sound player on Wine's real DirectSound. This test's own ALSA configuration sends the mixer's
// output to a capture file (32-bit float, stereo, 48,000 frames a second), so that the tests can hear
// what was played. The mixer resamples, so the checks compare durations and levels, not samples.
#include <gtest/gtest.h>
#include <windows.h>
#include <objbase.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "message_boxes.h"
#include "resource_ledger.h"
#include "sound_player.h"

namespace {

// The click: a 0.25 s tone, as the mixer plays it out.
constexpr size_t click_frames = 12000;
constexpr float sounding_level = 0.02f;
// Silence that the capture must hold after the last sound before the tests count what they heard. Slowed
// down by emulation, the mixer now and then misses its turn and puts tens of milliseconds of silence into
// a sound, so the tests count sounding frames rather than measure stretches between silences.
constexpr size_t settled_frames = 24000;

// What sounded in the capture since the test loaded the click.
struct Heard {
  size_t sounding_frames = 0;
  float first_peak = 0;  // the loudest level among the first 40% of a click's sounding frames
  float peak = 0;
  size_t silent_frames_at_end = 0;
};

std::string read_capture(size_t from_byte) {
  std::ifstream file(CAPTURE_FILE, std::ios::binary);
  file.seekg(static_cast<std::streamoff>(from_byte));
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

size_t capture_bytes() {
  std::ifstream file(CAPTURE_FILE, std::ios::binary | std::ios::ate);
  return file ? static_cast<size_t>(file.tellg()) : 0;
}

// The louder channel of each frame decides whether it sounds.
Heard listen(const std::string& capture) {
  const auto samples = reinterpret_cast<const float*>(capture.data());
  Heard heard;
  for (size_t frame = 0; frame < capture.size() / (2 * sizeof(float)); ++frame) {
    const float level = std::max(std::fabs(samples[2 * frame]), std::fabs(samples[2 * frame + 1]));
    if (level < sounding_level) {
      ++heard.silent_frames_at_end;
      continue;
    }
    heard.silent_frames_at_end = 0;
    if (++heard.sounding_frames <= click_frames * 4 / 10) heard.first_peak = std::max(heard.first_peak, level);
    heard.peak = std::max(heard.peak, level);
  }
  return heard;
}

bool wait_for(const std::function<bool()>& done, DWORD poll_ms) {
  for (DWORD start = GetTickCount(); GetTickCount() - start < 3000; Sleep(poll_ms)) {
    if (done()) return true;
  }
  return false;
}

class SoundCaptureTest : public ::testing::Test {
 protected:
  // DirectSound asks for COM on the calling thread. In the multithreaded apartment COM makes no window,
  // which under Wine without a display would start the desktop process and wait seconds for it to fail.
  static void SetUpTestSuite() { CoInitializeEx(nullptr, COINIT_MULTITHREADED); }
  static void TearDownTestSuite() { CoUninitialize(); }

  // Loading opens the device, which starts the capture afresh.
  void SetUp() override {
    ASSERT_EQ(sound_load(nullptr, CLICK_WAVE), 1);
    capture_start_ = capture_bytes();
  }

  void TearDown() override {
    sound_release(1);
    EXPECT_EQ(sound_device, nullptr);
    EXPECT_TRUE(boxes_.shown.empty());
    ledger_.expect_nothing_held();
  }

  DWORD status() {
    DWORD status = 0;
    sound_slots[0]->sound_buffer->GetStatus(&status);
    return status;
  }
  DWORD play_position() {
    DWORD play = 0;
    DWORD write = 0;
    sound_slots[0]->sound_buffer->GetCurrentPosition(&play, &write);
    return play;
  }

  // Waits until the click has stopped, and the capture holds more sound than `before` and then silence,
  // and returns what it heard.
  Heard heard_when_quiet(const Heard& before = {}) {
    EXPECT_TRUE(wait_for([&] { return (status() & DSBSTATUS_PLAYING) == 0; }, 1)) << "the click never stopped";
    Heard heard;
    EXPECT_TRUE(wait_for(
        [&] {
          heard = listen(read_capture(capture_start_));
          return heard.sounding_frames > before.sounding_frames && heard.silent_frames_at_end >= settled_frames;
        },
        20))
        << "the capture never settled";
    return heard;
  }

  ResourceLedger ledger_;
  MessageBoxRecorder boxes_;
  size_t capture_start_ = 0;
};

void expect_clicks(const Heard& heard, size_t clicks) {
  EXPECT_GT(heard.sounding_frames, clicks * click_frames * 85 / 100);
  EXPECT_LT(heard.sounding_frames, clicks * click_frames * 12 / 10);
}

TEST_F(SoundCaptureTest, PlayIsHeardOnceAndReleaseFreesHandleOne) {
  EXPECT_EQ(sound_play(1), 1);
  expect_clicks(heard_when_quiet(), 1);

  sound_release(1);
  EXPECT_EQ(sound_device, nullptr);
  EXPECT_EQ(sound_load(nullptr, CLICK_WAVE), 1);
}

TEST_F(SoundCaptureTest, PlayWhilePlayingRestartsTheClick) {
  const DWORD buffer_bytes = sound_slots[0]->sample_bytes;
  EXPECT_EQ(sound_play(1), 1);
  ASSERT_TRUE(wait_for([&] { return play_position() >= buffer_bytes / 2; }, 1));
  EXPECT_EQ(sound_play(1), 1);

  // One click that went on from its start again: more than one click, less than two, and never louder
  // than the click alone, as two clicks on top of each other would be.
  const Heard heard = heard_when_quiet();
  EXPECT_GT(heard.sounding_frames, click_frames * 13 / 10);
  EXPECT_LT(heard.sounding_frames, click_frames * 2);
  EXPECT_LT(heard.peak, heard.first_peak * 1.2f);
}

TEST_F(SoundCaptureTest, PlayAfterTheEndStartsTheClickAgain) {
  EXPECT_EQ(sound_play(1), 1);
  const Heard first = heard_when_quiet();
  expect_clicks(first, 1);
  EXPECT_EQ(sound_play(1), 1);
  expect_clicks(heard_when_quiet(first), 2);
}

}  // namespace
