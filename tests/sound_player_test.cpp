// The click-sound player against a recording stand-in for DirectSound: the order and arguments of its
// calls, every failure row with its message box and what is given back, and the handles that name no
// sound. After every test, the player holds exactly what its loaded sounds own.
#include <gtest/gtest.h>
#include <windows.h>
#include <mmsystem.h>
#include <mmreg.h>
#include <msacm.h>

#include <climits>
#include <set>
#include <string>
#include <vector>

#include "message_boxes.h"
#include "pe_image.h"
#include "recording_direct_sound.h"
#include "resource_ledger.h"
#include "sound_player.h"
#include "wave_files.h"

using namespace std::string_literals;

namespace {

const HWND window = reinterpret_cast<HWND>(0xC11C4);
const char* const click_name = "player_click.wav";
const std::string click_samples = "\x01\x02\x03\x04\x05\x06\x07\x08"s;

// The calls of a load that succeeds, in order, as the stand-in logs them.
const std::vector<std::string> load_calls = {
    "acmMetrics 50",
    "DirectSoundCreate",
    "SetCooperativeLevel 0xc11c4 1",
    "CreateSoundBuffer",
    "Lock 0 8 0",
    "Unlock region 8 null 0",
    "SetVolume 0",
    "SetPan 0",
    "GetCaps 20",
};

std::vector<std::string> first_load_calls(size_t count, std::vector<std::string> then = {}) {
  std::vector<std::string> calls(load_calls.begin(), load_calls.begin() + count);
  calls.insert(calls.end(), then.begin(), then.end());
  return calls;
}

MessageBoxShown load_box(const char* text) { return {text, "", MB_ICONERROR, window}; }
MessageBoxShown play_box(const char* text) { return {text, "Direct Sound Error", MB_OK, nullptr}; }

class SoundPlayerTest;
SoundPlayerTest* current_test = nullptr;

class SoundPlayerTest : public ::testing::Test {
 protected:
  SoundPlayerTest() { current_test = this; }
  ~SoundPlayerTest() override { current_test = nullptr; }

  void SetUp() override {
    write_file(click_name, wave_file(chunk("fmt ", pcm16_mono_format) + chunk("data", click_samples)));
  }

  // Checks that exactly the loaded sounds' records, blocks, buffers and their one device are held, then
  // releases every sound and checks that nothing is left.
  void TearDown() override {
    std::set<HGLOBAL> held;
    int loaded = 0;
    for (SoundSlot* sound : sound_slots) {
      if (sound == nullptr) continue;
      held.insert({sound, sound->format_block, sound->sample_data});
      ++loaded;
    }
    ledger_.expect_held(held);
    EXPECT_EQ(sound_slot_count, loaded);
    EXPECT_EQ(direct_sound_.live_objects, loaded > 0 ? loaded + 1 : 0);
    EXPECT_EQ(sound_device != nullptr, loaded > 0);

    for (int32_t handle = 1; handle <= sound_slot_capacity; ++handle) sound_release(handle);
    ledger_.expect_nothing_held();
    EXPECT_EQ(direct_sound_.live_objects, 0);
    EXPECT_EQ(sound_device, nullptr);
    EXPECT_EQ(sound_slot_count, 0);
  }

  RecordingBuffer* buffer_of(int32_t handle) {
    return static_cast<RecordingBuffer*>(sound_slots[handle - 1]->sound_buffer);
  }

  // Logs the call among DirectSound's, since load's order runs through both, and can be made to fail.
  static MMRESULT ACMAPI acm_metrics(HACMOBJ object, UINT metric, LPVOID value) {
    RecordingDirectSound& log = current_test->direct_sound_;
    if (log.call_fails("acmMetrics", "acmMetrics " + std::to_string(metric) + (object ? " with an object" : ""))) {
      return MMSYSERR_NOTSUPPORTED;
    }
    return reinterpret_cast<decltype(&acmMetrics)>(current_test->acm_metrics_.original())(object, metric, value);
  }

  ResourceLedger ledger_;
  MessageBoxRecorder boxes_;
  RecordingDirectSound direct_sound_;
  ImportPatch acm_metrics_{GetModuleHandleA(nullptr), "msacm32.dll", "acmMetrics", reinterpret_cast<void*>(acm_metrics)};
};

TEST_F(SoundPlayerTest, LoadBuildsTheSoundInOrder) {
  ASSERT_EQ(sound_load(window, click_name), 1);
  EXPECT_EQ(direct_sound_.calls, load_calls);
  EXPECT_TRUE(boxes_.shown.empty());
  EXPECT_EQ(sound_slot_count, 1);

  const SoundSlot& sound = *sound_slots[0];
  EXPECT_EQ(sound.sample_bytes, click_samples.size());
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(sound.sample_data), sound.sample_bytes), click_samples);
  EXPECT_EQ(sound.format_block->wFormatTag, WAVE_FORMAT_PCM);
  EXPECT_EQ(sound.format_block->cbSize, 0);

  const DSBUFFERDESC1& description = direct_sound_.last_description;
  EXPECT_EQ(description.dwSize, 20u);
  EXPECT_EQ(description.dwFlags, 0xE2u);
  EXPECT_EQ(description.dwBufferBytes, click_samples.size());
  EXPECT_EQ(description.dwReserved, 0u);
  EXPECT_EQ(description.lpwfxFormat, sound.format_block);

  const std::vector<BYTE>& memory = buffer_of(1)->memory;
  EXPECT_EQ(std::string(memory.begin(), memory.begin() + click_samples.size()), click_samples);
  EXPECT_EQ(memory.back(), RecordingBuffer::untouched);
}

TEST_F(SoundPlayerTest, CopiesNoMoreThanTheLockedRegionHolds) {
  direct_sound_.lock_region_limit = 5;
  ASSERT_EQ(sound_load(window, click_name), 1);
  EXPECT_EQ(direct_sound_.calls[5], "Unlock region 5 null 0");
  const std::vector<BYTE>& memory = buffer_of(1)->memory;
  EXPECT_EQ(std::string(memory.begin(), memory.begin() + 5), click_samples.substr(0, 5));
  for (size_t i = 5; i < memory.size(); ++i) EXPECT_EQ(memory[i], RecordingBuffer::untouched) << "byte " << i;
}

// A load that fails: what makes it fail, the box it shows (text, or none), how often it opens the file,
// and the DirectSound calls it makes, giving back what it made. Nothing is kept after any of them.
struct LoadFailure {
  const char* name;
  std::string file_name;
  int failing_allocation;   // 0 for none
  const char* failing_call;  // null for none
  const char* box_text;      // null for no box
  int opens;
  std::vector<std::string> calls;
};

TEST_F(SoundPlayerTest, EachFailedLoadShowsItsBoxAndGivesBackWhatItMade) {
  write_file("player_compressed.wav",
             wave_file(chunk("fmt ", "\x02\x00\x01\x00" "\x22\x56\x00\x00" "\x00\x2B\x00\x00" "\x00\x02\x04\x00"
                                     "\x00\x00"s) +
                       chunk("data", click_samples)));
  write_file("player_short.wav", wave_file(chunk("fmt ", pcm16_mono_format) + "data" + le32(100) + click_samples));
  const std::string not_found = "Sound-File not found\n";
  const std::vector<std::string> released = {"buffer Release", "device Release"};
  const std::vector<LoadFailure> cases = {
      {"missing file", "player_missing.wav", 0, nullptr, not_found.c_str(), 1, {}},
      {"compressed format", "player_compressed.wav", 0, nullptr, not_found.c_str(), 1, {}},
      {"name of 255 characters", std::string(251, 'n') + ".wav", 0, nullptr, not_found.c_str(), 1, {}},
      // Too long for the copy: refused before any file is opened.
      {"name of 256 characters", std::string(252, 'n') + ".wav", 0, nullptr, not_found.c_str(), 0, {}},
      {"name of 4,096 characters", std::string(4092, 'n') + ".wav", 0, nullptr, not_found.c_str(), 0, {}},
      {"format block of the PCM check", click_name, 1, nullptr, not_found.c_str(), 1, {}},
      {"record", click_name, 2, nullptr, "", 1, {}},
      {"format block of the read", click_name, 3, nullptr, "", 2, {}},
      {"sample block", click_name, 4, nullptr, "", 2, {}},
      {"data ending early", "player_short.wav", 0, nullptr, "", 2, {}},
      {"acmMetrics", click_name, 0, "acmMetrics", "ACM Metrics failed, aborting", 2, first_load_calls(1)},
      {"DirectSoundCreate", click_name, 0, "DirectSoundCreate", nullptr, 2, first_load_calls(2)},
      {"CreateSoundBuffer", click_name, 0, "CreateSoundBuffer", nullptr, 2, first_load_calls(4, {"device Release"})},
      {"Lock", click_name, 0, "Lock", nullptr, 2, first_load_calls(5, released)},
      // The buffer still counts as locked and is unlocked once more.
      {"Unlock", click_name, 0, "Unlock", nullptr, 2,
       first_load_calls(6, {"Unlock region 8 null 0", "buffer Release", "device Release"})},
      {"SetVolume", click_name, 0, "SetVolume", nullptr, 2, first_load_calls(7, released)},
      {"SetPan", click_name, 0, "SetPan", nullptr, 2, first_load_calls(8, released)},
      {"GetCaps", click_name, 0, "GetCaps", nullptr, 2, first_load_calls(9, released)},
  };
  for (const LoadFailure& c : cases) {
    SCOPED_TRACE(c.name);
    direct_sound_.calls.clear();
    boxes_.shown.clear();
    const int opens_before = ledger_.opens;
    if (c.failing_allocation != 0) ledger_.fail_allocation(c.failing_allocation);
    if (c.failing_call != nullptr) direct_sound_.fail(c.failing_call);

    EXPECT_EQ(sound_load(window, c.file_name.c_str()), 0);
    std::vector<MessageBoxShown> expected_boxes;
    if (c.box_text != nullptr) expected_boxes.push_back(load_box(c.box_text));
    EXPECT_EQ(boxes_.shown, expected_boxes);
    EXPECT_EQ(ledger_.opens - opens_before, c.opens);
    EXPECT_EQ(direct_sound_.calls, c.calls);
    ledger_.expect_nothing_held();
    EXPECT_EQ(direct_sound_.live_objects, 0);
    EXPECT_EQ(sound_device, nullptr);
    EXPECT_EQ(sound_slot_count, 0);
    direct_sound_.fail("");
  }
  ASSERT_EQ(sound_load(window, click_name), 1);
}

TEST_F(SoundPlayerTest, AllSoundsShareOneDeviceThatLeavesWithTheLast) {
  ASSERT_EQ(sound_load(window, click_name), 1);
  IDirectSound* device = sound_device;
  direct_sound_.calls.clear();
  ASSERT_EQ(sound_load(window, click_name), 2);
  EXPECT_EQ(sound_device, device);
  std::vector<std::string> reuse = load_calls;
  reuse.erase(reuse.begin() + 1);
  EXPECT_EQ(direct_sound_.calls, reuse);

  // A failed load keeps the device that loaded sounds use.
  direct_sound_.calls.clear();
  direct_sound_.fail("SetPan");
  EXPECT_EQ(sound_load(window, click_name), 0);
  EXPECT_EQ(direct_sound_.calls.back(), "buffer Release");
  EXPECT_EQ(sound_device, device);

  direct_sound_.calls.clear();
  sound_release(1);
  EXPECT_EQ(direct_sound_.calls, (std::vector<std::string>{"Stop", "buffer Release"}));
  EXPECT_EQ(sound_device, device);
  EXPECT_EQ(sound_play(2), 1);

  direct_sound_.calls.clear();
  sound_release(2);
  EXPECT_EQ(direct_sound_.calls, (std::vector<std::string>{"Stop", "buffer Release", "device Release"}));
  EXPECT_EQ(sound_device, nullptr);
  EXPECT_EQ(sound_slot_count, 0);
  EXPECT_TRUE(boxes_.shown.empty());
}

TEST_F(SoundPlayerTest, WithAllSlotsFilledLoadMakesNothing) {
  for (int32_t handle = 1; handle <= sound_slot_capacity; ++handle) ASSERT_EQ(sound_load(window, click_name), handle);
  const int allocations = ledger_.allocations;
  const int opens = ledger_.opens;
  direct_sound_.calls.clear();
  EXPECT_EQ(sound_load(window, click_name), 0);
  EXPECT_EQ(ledger_.allocations, allocations);
  EXPECT_EQ(ledger_.opens, opens);
  EXPECT_TRUE(direct_sound_.calls.empty());
  EXPECT_TRUE(boxes_.shown.empty());

  // A released handle is given to the next load.
  sound_release(5);
  EXPECT_EQ(sound_load(window, click_name), 5);
}

TEST_F(SoundPlayerTest, PlayRewindsOrStarts) {
  const struct {
    const char* name;
    bool playing;
    const char* failing_call;
    std::vector<std::string> calls;
    std::vector<MessageBoxShown> boxes;
  } cases[] = {
      {"stopped", false, nullptr, {"GetStatus", "Play 0 0 0"}, {}},
      {"playing", true, nullptr, {"GetStatus", "SetCurrentPosition 0"}, {}},
      {"status query failing", true, "GetStatus", {"GetStatus", "Play 0 0 0"}, {}},
      {"rewind failing", true, "SetCurrentPosition", {"GetStatus", "SetCurrentPosition 0"},
       {play_box("Cannot set current position")}},
      {"start failing", false, "Play", {"GetStatus", "Play 0 0 0"}, {play_box("Cannot start playing")}},
  };
  ASSERT_EQ(sound_load(window, click_name), 1);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    direct_sound_.calls.clear();
    boxes_.shown.clear();
    buffer_of(1)->playing = c.playing;
    if (c.failing_call != nullptr) direct_sound_.fail(c.failing_call);
    EXPECT_EQ(sound_play(1), 1);
    EXPECT_EQ(direct_sound_.calls, c.calls);
    EXPECT_EQ(boxes_.shown, c.boxes);
    direct_sound_.fail("");
  }
}

TEST_F(SoundPlayerTest, HandlesThatNameNoSoundAreSafe) {
  ASSERT_EQ(sound_load(window, click_name), 1);
  ASSERT_EQ(sound_load(window, click_name), 2);
  sound_release(2);
  const int allocations = ledger_.allocations;
  direct_sound_.calls.clear();
  for (int32_t handle : {0, 2, 3, -1, -32, INT_MIN, 33, 34, INT_MAX}) {
    SCOPED_TRACE(handle);
    EXPECT_EQ(sound_play(handle), 0);
    sound_release(handle);
    EXPECT_EQ(sound_slot_count, 1);
  }
  EXPECT_TRUE(direct_sound_.calls.empty());
  EXPECT_TRUE(boxes_.shown.empty());
  EXPECT_EQ(ledger_.allocations, allocations);
  EXPECT_EQ(sound_play(1), 1);
}

TEST_F(SoundPlayerTest, ThousandCyclesEndWithNothingHeld) {
  for (int cycle = 0; cycle < 1000; ++cycle) {
    ASSERT_EQ(sound_load(window, click_name), 1) << "cycle " << cycle;
    ASSERT_EQ(sound_play(1), 1);
    sound_release(1);
  }
  EXPECT_TRUE(boxes_.shown.empty());
}

}  // namespace
