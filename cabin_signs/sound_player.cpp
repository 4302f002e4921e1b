#include "sound_player.h"

#include <mmreg.h>
#include <msacm.h>

#include <algorithm>
#include <cstring>
#include <iterator>

#include "wave_reader.h"

SoundSlot* sound_slots[sound_slot_capacity];
int32_t sound_slot_count;
IDirectSound* sound_device;

namespace {

constexpr int file_name_capacity = 256;

// A static buffer whose frequency, pan and volume can be set.
constexpr DWORD sound_buffer_flags = DSBCAPS_STATIC | DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME;
static_assert(sound_buffer_flags == 0xE2);
// The first DirectSound's forms of the buffer description and capabilities, which every later one accepts.
static_assert(sizeof(DSBUFFERDESC1) == 20);
static_assert(sizeof(DSBCAPS) == 20);

void show_load_error(HWND window, const char* text) { MessageBoxA(window, text, "", MB_ICONERROR); }

void show_play_error(const char* text) { MessageBoxA(nullptr, text, "Direct Sound Error", MB_OK); }

SoundSlot* loaded_sound(int32_t handle) {
  if (handle < 1 || handle > sound_slot_capacity) return nullptr;
  return sound_slots[handle - 1];
}

void free_global_block(void* block) {
  HGLOBAL handle = GlobalHandle(block);
  GlobalUnlock(handle);
  GlobalFree(handle);
}

// Frees both blocks, then the record itself.
void free_sound_record(SoundSlot* sound) {
  if (sound->format_block != nullptr) {
    free_global_block(sound->format_block);
    sound->format_block = nullptr;
  }
  if (sound->sample_data != nullptr) {
    free_global_block(sound->sample_data);
    sound->sample_data = nullptr;
  }
  free_global_block(sound);
}

void release_device_if_unused() {
  if (sound_slot_count > 0 || sound_device == nullptr) return;
  sound_device->Release();
  sound_device = nullptr;
}

// Gives back all that a failed load made after its record: the buffer, a device that no loaded sound
// uses, both blocks and the record.
void abandon_load(SoundSlot* sound) {
  if (sound->sound_buffer != nullptr) {
    sound->sound_buffer->Release();
    sound->sound_buffer = nullptr;
  }
  release_device_if_unused();
  free_sound_record(sound);
}

// Makes the sound's buffer on the shared device and copies the samples into it.
bool fill_sound_buffer(HWND window, SoundSlot* sound) {
  if (sound_device == nullptr) {
    IDirectSound* device = nullptr;
    if (FAILED(DirectSoundCreate(nullptr, &device, nullptr))) return false;
    sound_device = device;
  }
  sound_device->SetCooperativeLevel(window, DSSCL_NORMAL);

  const DSBUFFERDESC1 description{
      .dwSize = sizeof(DSBUFFERDESC1),
      .dwFlags = sound_buffer_flags,
      .dwBufferBytes = sound->sample_bytes,
      .lpwfxFormat = sound->format_block,
  };
  if (FAILED(sound_device->CreateSoundBuffer(reinterpret_cast<const DSBUFFERDESC*>(&description),
                                             &sound->sound_buffer, nullptr))) {
    return false;
  }

  IDirectSoundBuffer* buffer = sound->sound_buffer;
  void* region;
  DWORD region_bytes;
  void* second_region;
  DWORD second_region_bytes;
  if (FAILED(buffer->Lock(0, sound->sample_bytes, &region, &region_bytes, &second_region, &second_region_bytes, 0))) {
    return false;
  }
  // A lock of the whole buffer from its start gives one region; nothing is written past what it gave.
  const DWORD copied = std::min<DWORD>(sound->sample_bytes, region_bytes);
  std::memcpy(region, sound->sample_data, copied);
  if (FAILED(buffer->Unlock(region, copied, nullptr, 0))) {
    // The buffer counts as still locked: unlock once more before it is released.
    buffer->Unlock(region, copied, nullptr, 0);
    return false;
  }

  if (FAILED(buffer->SetVolume(DSBVOLUME_MAX)) || FAILED(buffer->SetPan(DSBPAN_CENTER))) return false;
  DSBCAPS capabilities{.dwSize = sizeof(DSBCAPS)};
  return SUCCEEDED(buffer->GetCaps(&capabilities));
}

}  // namespace

int32_t find_free_sound_slot() {
  if (sound_slot_count <= 0) {
    std::fill(std::begin(sound_slots), std::end(sound_slots), nullptr);
    return 1;
  }
  for (int32_t slot = 1; slot <= sound_slot_capacity; ++slot) {
    if (sound_slots[slot - 1] == nullptr) return slot;
  }
  return 0;
}

int32_t sound_load(HWND window, const char* file_name) {
  const int32_t handle = find_free_sound_slot();
  if (handle == 0) return 0;

  // A name too long for the copy is refused as a missing file is.
  char name[file_name_capacity];
  const bool name_fits = lstrlenA(file_name) < file_name_capacity;
  if (name_fits) lstrcpynA(name, file_name, file_name_capacity);
  if (!name_fits || !wave_is_pcm(name)) {
    show_load_error(window, "Sound-File not found\n");
    return 0;
  }

  auto sound = static_cast<SoundSlot*>(GlobalLock(GlobalAlloc(GMEM_ZEROINIT, sizeof(SoundSlot))));
  if (sound == nullptr) {
    show_load_error(window, "");
    return 0;
  }
  if (wave_load_file(name, &sound->sample_bytes, &sound->format_block, &sound->sample_data) != MMSYSERR_NOERROR) {
    show_load_error(window, "");
    abandon_load(sound);
    return 0;
  }
  // Only the audio compression manager's answer matters, not the size.
  DWORD largest_format_bytes;
  if (acmMetrics(nullptr, ACM_METRIC_MAX_SIZE_FORMAT, &largest_format_bytes) != MMSYSERR_NOERROR) {
    show_load_error(window, "ACM Metrics failed, aborting");
    abandon_load(sound);
    return 0;
  }
  if (!fill_sound_buffer(window, sound)) {
    abandon_load(sound);
    return 0;
  }

  sound_slots[handle - 1] = sound;
  ++sound_slot_count;
  return handle;
}

int32_t sound_play(int32_t handle) {
  SoundSlot* sound = loaded_sound(handle);
  if (sound == nullptr) return 0;
  IDirectSoundBuffer* buffer = sound->sound_buffer;
  DWORD status = 0;
  if (SUCCEEDED(buffer->GetStatus(&status)) && (status & DSBSTATUS_PLAYING) != 0) {
    if (FAILED(buffer->SetCurrentPosition(0))) show_play_error("Cannot set current position");
  } else if (FAILED(buffer->Play(0, 0, 0))) {
    show_play_error("Cannot start playing");
  }
  return 1;
}

void sound_release(int32_t handle) {
  SoundSlot* sound = loaded_sound(handle);
  if (sound == nullptr) return;
  if (sound->sound_buffer != nullptr) {
    sound->sound_buffer->Stop();
    sound->sound_buffer->Release();
    sound->sound_buffer = nullptr;
  }
  sound_slots[handle - 1] = nullptr;
  --sound_slot_count;
  release_device_if_unused();
  free_sound_record(sound);
}
