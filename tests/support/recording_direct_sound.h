// A stand-in for DirectSound, handed to code linked into the test program through its patched import of
// DirectSoundCreate: a device and buffers that log every call as one line and fail a chosen call.
#pragma once

#include <windows.h>
#include <mmsystem.h>
#include <dsound.h>

#include <string>
#include <vector>

#include "pe_image.h"

class RecordingDirectSound {
 public:
  // Patches the imports of `module`: by default the test program, for code linked into it.
  explicit RecordingDirectSound(HMODULE module = GetModuleHandleA(nullptr));
  ~RecordingDirectSound();
  RecordingDirectSound(const RecordingDirectSound&) = delete;
  RecordingDirectSound& operator=(const RecordingDirectSound&) = delete;

  // The nth call from now on of `method` (a method name, or "DirectSoundCreate") fails.
  void fail(const std::string& method, int nth = 1);
  // Logs a call and says whether it is the one to fail.
  bool call_fails(const std::string& method, const std::string& line);

  std::vector<std::string> calls;
  int live_objects = 0;               // devices and buffers not yet released
  DWORD lock_region_limit = 0xFFFFFFFF;  // the most that Lock gives in its first region
  DSBUFFERDESC1 last_description{};

 private:
  static HRESULT WINAPI create_device(LPCGUID device_guid, LPDIRECTSOUND* device, LPUNKNOWN outer);

  std::string failing_method_;
  int calls_until_failure_ = 0;
  ImportPatch direct_sound_create_;
};

// A buffer of the stand-in. Its memory has guard bytes past the buffer's end.
class RecordingBuffer : public IDirectSoundBuffer {
 public:
  static constexpr BYTE untouched = 0xEE;
  static constexpr DWORD guard_bytes = 16;

  RecordingBuffer(RecordingDirectSound& log, DWORD bytes);

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE GetCaps(LPDSBCAPS capabilities) override;
  HRESULT STDMETHODCALLTYPE GetCurrentPosition(LPDWORD, LPDWORD) override;
  HRESULT STDMETHODCALLTYPE GetFormat(LPWAVEFORMATEX, DWORD, LPDWORD) override;
  HRESULT STDMETHODCALLTYPE GetVolume(LPLONG) override;
  HRESULT STDMETHODCALLTYPE GetPan(LPLONG) override;
  HRESULT STDMETHODCALLTYPE GetFrequency(LPDWORD) override;
  HRESULT STDMETHODCALLTYPE GetStatus(LPDWORD status) override;
  HRESULT STDMETHODCALLTYPE Initialize(LPDIRECTSOUND, LPCDSBUFFERDESC) override;
  HRESULT STDMETHODCALLTYPE Lock(DWORD offset, DWORD bytes, LPVOID* region, LPDWORD region_bytes, LPVOID* second_region,
                                 LPDWORD second_region_bytes, DWORD flags) override;
  HRESULT STDMETHODCALLTYPE Play(DWORD reserved, DWORD priority, DWORD flags) override;
  HRESULT STDMETHODCALLTYPE SetCurrentPosition(DWORD position) override;
  HRESULT STDMETHODCALLTYPE SetFormat(LPCWAVEFORMATEX) override;
  HRESULT STDMETHODCALLTYPE SetVolume(LONG volume) override;
  HRESULT STDMETHODCALLTYPE SetPan(LONG pan) override;
  HRESULT STDMETHODCALLTYPE SetFrequency(DWORD) override;
  HRESULT STDMETHODCALLTYPE Stop() override;
  HRESULT STDMETHODCALLTYPE Unlock(LPVOID region, DWORD region_bytes, LPVOID second_region,
                                   DWORD second_region_bytes) override;
  HRESULT STDMETHODCALLTYPE Restore() override;

  std::vector<BYTE> memory;
  bool playing = false;

 private:
  HRESULT answer(const char* method, const std::string& line = {});

  RecordingDirectSound& log_;
  ULONG references_ = 1;
};
