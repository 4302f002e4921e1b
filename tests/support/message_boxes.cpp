#include "message_boxes.h"

#include <iomanip>

namespace {

MessageBoxRecorder* recorder = nullptr;

}  // namespace

std::ostream& operator<<(std::ostream& out, const MessageBoxShown& box) {
  return out << "{text " << std::quoted(box.text) << ", caption " << std::quoted(box.caption) << ", style 0x"
             << std::hex << box.style << ", owner " << box.owner << std::dec << "}";
}

MessageBoxRecorder::MessageBoxRecorder(HMODULE module)
    : message_box_(module, "user32.dll", "MessageBoxA", reinterpret_cast<void*>(record)) {
  recorder = this;
}

MessageBoxRecorder::~MessageBoxRecorder() { recorder = nullptr; }

int WINAPI MessageBoxRecorder::record(HWND owner, LPCSTR text, LPCSTR caption, UINT style) {
  recorder->shown.push_back({text, caption, style, owner});
  return IDOK;
}
