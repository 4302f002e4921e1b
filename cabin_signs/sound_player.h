// The click-sound player: up to 32 short sounds for the whole module, each loaded whole from a PCM WAVE
// file into a static DirectSound secondary buffer and named by a handle from 1 to 32; 0 names no sound.
// All file work happens at load; play only rewinds or starts. Errors reach the user as message boxes.
#pragma once

#include <windows.h>
#include <mmsystem.h>
#include <dsound.h>

#include <cstdint>

// One loaded sound. It owns both blocks, which the WAVE reader made, and the buffer; the blocks stay for
// the sound's whole life although the buffer holds its own copy of the samples.
struct SoundSlot {
  BYTE* sample_data;
  uint32_t sample_bytes;
  WAVEFORMATEX* format_block;
  IDirectSoundBuffer* sound_buffer;
};

constexpr int32_t sound_slot_capacity = 32;

// Slot n (1 to 32) is entry n - 1; an empty entry is null.
extern SoundSlot* sound_slots[sound_slot_capacity];
extern int32_t sound_slot_count;
// Shared by all loaded sounds: made by the first load that needs it, released with the last sound.
extern IDirectSound* sound_device;

// The first empty slot's number, or 0 when all are filled.
int32_t find_free_sound_slot();

// Loads the PCM WAVE file (a path of at most 255 characters) and returns its handle, or 0 after telling
// the user why, with `window` as the owner of the message box and of the device's cooperative level.
int32_t sound_load(HWND window, const char* file_name);

// Rewinds the sound if it is still playing and starts it otherwise. Returns 0 when the handle names no
// loaded sound and 1 otherwise, also when DirectSound refused and a message box told the user.
int32_t sound_play(int32_t handle);

// Stops the sound and gives back all that it holds; the last sound takes the device with it.
void sound_release(int32_t handle);
