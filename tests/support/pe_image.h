// Import patching for tests: swaps a module's import for a test's stand-in while a patch is alive.
#pragma once

#include "module_image.h"

// Restores the patched import when it goes out of scope. Fails the calling test when the module does
// not import the function.
class ImportPatch {
 public:
  ImportPatch(HMODULE module, const char* dll, const char* function, void* replacement);
  ~ImportPatch();
  ImportPatch(const ImportPatch&) = delete;
  ImportPatch& operator=(const ImportPatch&) = delete;
  void* original() const { return original_; }

 private:
  HMODULE module_;
  std::string dll_;
  std::string function_;
  void* original_;
};
