#include "recording_direct_sound.h"

#include <algorithm>
#include <sstream>

namespace {

RecordingDirectSound* recorder = nullptr;

// Methods that the player has no business calling log themselves as unexpected and fail.
HRESULT unexpected_call(RecordingDirectSound& log, const char* method) {
  log.calls.push_back(std::string("unexpected ") + method);
  return DSERR_GENERIC;
}

class RecordingDevice : public IDirectSound {
 public:
  explicit RecordingDevice(RecordingDirectSound& log) : log_(log) { ++log_.live_objects; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override {
    return unexpected_call(log_, "device QueryInterface");
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    log_.calls.push_back("device Release");
    if (--references_ > 0) return references_;
    --log_.live_objects;
    delete this;
    return 0;
  }
  HRESULT STDMETHODCALLTYPE CreateSoundBuffer(LPCDSBUFFERDESC description, LPLPDIRECTSOUNDBUFFER buffer,
                                              IUnknown* outer) override {
    *buffer = nullptr;
    log_.last_description = *reinterpret_cast<const DSBUFFERDESC1*>(description);
    if (log_.call_fails("CreateSoundBuffer", outer == nullptr ? "CreateSoundBuffer" : "CreateSoundBuffer aggregated")) {
      return DSERR_OUTOFMEMORY;
    }
    *buffer = new RecordingBuffer(log_, description->dwBufferBytes);
    return DS_OK;
  }
  HRESULT STDMETHODCALLTYPE GetCaps(LPDSCAPS) override { return unexpected_call(log_, "device GetCaps"); }
  HRESULT STDMETHODCALLTYPE DuplicateSoundBuffer(LPDIRECTSOUNDBUFFER, LPLPDIRECTSOUNDBUFFER) override {
    return unexpected_call(log_, "device DuplicateSoundBuffer");
  }
  HRESULT STDMETHODCALLTYPE SetCooperativeLevel(HWND window, DWORD level) override {
    std::ostringstream line;
    line << "SetCooperativeLevel " << window << " " << level;
    return log_.call_fails("SetCooperativeLevel", line.str()) ? DSERR_INVALIDPARAM : DS_OK;
  }
  HRESULT STDMETHODCALLTYPE Compact() override { return unexpected_call(log_, "device Compact"); }
  HRESULT STDMETHODCALLTYPE GetSpeakerConfig(LPDWORD) override { return unexpected_call(log_, "device GetSpeakerConfig"); }
  HRESULT STDMETHODCALLTYPE SetSpeakerConfig(DWORD) override { return unexpected_call(log_, "device SetSpeakerConfig"); }
  HRESULT STDMETHODCALLTYPE Initialize(LPCGUID) override { return unexpected_call(log_, "device Initialize"); }

 private:
  RecordingDirectSound& log_;
  ULONG references_ = 1;
};

}  // namespace

RecordingDirectSound::RecordingDirectSound(HMODULE module)
    : direct_sound_create_(module, "dsound.dll", "DirectSoundCreate",
                           reinterpret_cast<void*>(create_device)) {
  recorder = this;
}

RecordingDirectSound::~RecordingDirectSound() { recorder = nullptr; }

void RecordingDirectSound::fail(const std::string& method, int nth) {
  failing_method_ = method;
  calls_until_failure_ = nth;
}

bool RecordingDirectSound::call_fails(const std::string& method, const std::string& line) {
  calls.push_back(line);
  return method == failing_method_ && --calls_until_failure_ == 0;
}

HRESULT WINAPI RecordingDirectSound::create_device(LPCGUID device_guid, LPDIRECTSOUND* device, LPUNKNOWN outer) {
  *device = nullptr;
  std::string line = "DirectSoundCreate";
  if (device_guid != nullptr) line += " with a device";
  if (outer != nullptr) line += " aggregated";
  if (recorder->call_fails("DirectSoundCreate", line)) return DSERR_NODRIVER;
  *device = new RecordingDevice(*recorder);
  return DS_OK;
}

RecordingBuffer::RecordingBuffer(RecordingDirectSound& log, DWORD bytes)
    : memory(bytes + guard_bytes, untouched), log_(log) {
  ++log_.live_objects;
}

HRESULT RecordingBuffer::answer(const char* method, const std::string& line) {
  return log_.call_fails(method, line.empty() ? method : line) ? DSERR_GENERIC : DS_OK;
}

HRESULT RecordingBuffer::QueryInterface(REFIID, void**) { return unexpected_call(log_, "buffer QueryInterface"); }
ULONG RecordingBuffer::AddRef() { return ++references_; }
ULONG RecordingBuffer::Release() {
  log_.calls.push_back("buffer Release");
  if (--references_ > 0) return references_;
  --log_.live_objects;
  delete this;
  return 0;
}
HRESULT RecordingBuffer::GetCaps(LPDSBCAPS capabilities) {
  return answer("GetCaps", "GetCaps " + std::to_string(capabilities->dwSize));
}
HRESULT RecordingBuffer::GetCurrentPosition(LPDWORD, LPDWORD) { return unexpected_call(log_, "buffer GetCurrentPosition"); }
HRESULT RecordingBuffer::GetFormat(LPWAVEFORMATEX, DWORD, LPDWORD) { return unexpected_call(log_, "buffer GetFormat"); }
HRESULT RecordingBuffer::GetVolume(LPLONG) { return unexpected_call(log_, "buffer GetVolume"); }
HRESULT RecordingBuffer::GetPan(LPLONG) { return unexpected_call(log_, "buffer GetPan"); }
HRESULT RecordingBuffer::GetFrequency(LPDWORD) { return unexpected_call(log_, "buffer GetFrequency"); }
HRESULT RecordingBuffer::GetStatus(LPDWORD status) {
  HRESULT result = answer("GetStatus");
  // A failed query leaves the word as it was, as the player must not rely on it.
  if (SUCCEEDED(result)) *status = playing ? DSBSTATUS_PLAYING : 0;
  return result;
}
HRESULT RecordingBuffer::Initialize(LPDIRECTSOUND, LPCDSBUFFERDESC) { return unexpected_call(log_, "buffer Initialize"); }
HRESULT RecordingBuffer::Lock(DWORD offset, DWORD bytes, LPVOID* region, LPDWORD region_bytes, LPVOID* second_region,
                              LPDWORD second_region_bytes, DWORD flags) {
  HRESULT result = answer("Lock", "Lock " + std::to_string(offset) + " " + std::to_string(bytes) + " " +
                                      std::to_string(flags));
  if (SUCCEEDED(result)) {
    *region = memory.data();
    *region_bytes = std::min(bytes, log_.lock_region_limit);
    *second_region = nullptr;
    *second_region_bytes = 0;
  }
  return result;
}
HRESULT RecordingBuffer::Play(DWORD reserved, DWORD priority, DWORD flags) {
  HRESULT result = answer("Play", "Play " + std::to_string(reserved) + " " + std::to_string(priority) + " " +
                                      std::to_string(flags));
  if (SUCCEEDED(result)) playing = true;
  return result;
}
HRESULT RecordingBuffer::SetCurrentPosition(DWORD position) {
  return answer("SetCurrentPosition", "SetCurrentPosition " + std::to_string(position));
}
HRESULT RecordingBuffer::SetFormat(LPCWAVEFORMATEX) { return unexpected_call(log_, "buffer SetFormat"); }
HRESULT RecordingBuffer::SetVolume(LONG volume) { return answer("SetVolume", "SetVolume " + std::to_string(volume)); }
HRESULT RecordingBuffer::SetPan(LONG pan) { return answer("SetPan", "SetPan " + std::to_string(pan)); }
HRESULT RecordingBuffer::SetFrequency(DWORD) { return unexpected_call(log_, "buffer SetFrequency"); }
HRESULT RecordingBuffer::Stop() {
  playing = false;
  return answer("Stop");
}
HRESULT RecordingBuffer::Unlock(LPVOID region, DWORD region_bytes, LPVOID second_region, DWORD second_region_bytes) {
  std::string line = "Unlock ";
  line += region == memory.data() ? "region " : "elsewhere ";
  line += std::to_string(region_bytes);
  line += second_region == nullptr ? " null " : " second ";
  line += std::to_string(second_region_bytes);
  return answer("Unlock", line);
}
HRESULT RecordingBuffer::Restore() { return unexpected_call(log_, "buffer Restore"); }
