#include "message_boxes.h"

#include "module_image.h"
#include "text_format.h"

namespace {

FILE* message_log = stdout;

int WINAPI recorded_message_box(HWND owner, LPCSTR text, LPCSTR caption, UINT style) {
  std::fprintf(message_log, "message box %s, caption %s, style %s, owner %s\n", quoted(text ? text : "").c_str(),
               caption ? quoted(caption).c_str() : "(none)", hex(style).c_str(),
               hex(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(owner))).c_str());
  std::fflush(message_log);
  return IDOK;
}

}  // namespace

void record_message_boxes(HMODULE module, FILE* log) {
  message_log = log;
  patch_import(module, "user32.dll", "MessageBoxA", reinterpret_cast<void*>(&recorded_message_box));
}
