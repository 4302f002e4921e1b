// Records every message box that code linked into the test program shows, through the program's own
// import of MessageBoxA, and answers each with OK at once.
#pragma once

#include <windows.h>

#include <ostream>
#include <string>
#include <vector>

#include "pe_image.h"

struct MessageBoxShown {
  std::string text;
  std::string caption;
  UINT style;
  HWND owner;
  bool operator==(const MessageBoxShown&) const = default;
};
std::ostream& operator<<(std::ostream& out, const MessageBoxShown& box);

class MessageBoxRecorder {
 public:
  // Patches the imports of `module`: by default the test program, for code linked into it.
  explicit MessageBoxRecorder(HMODULE module = GetModuleHandleA(nullptr));
  ~MessageBoxRecorder();
  MessageBoxRecorder(const MessageBoxRecorder&) = delete;
  MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

  std::vector<MessageBoxShown> shown;

 private:
  static int WINAPI record(HWND owner, LPCSTR text, LPCSTR caption, UINT style);

  ImportPatch message_box_;
};
