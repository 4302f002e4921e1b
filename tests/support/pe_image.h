// Reading and patching a loaded module's PE image, as tests need to.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// Names in the module's export directory, in its order.
std::vector<std::string> exported_names(HMODULE module);

// The image base and size that the module's file asks for.
struct PreferredPlacement {
  uintptr_t image_base;
  uint32_t image_size;
};
PreferredPlacement preferred_placement(HMODULE module);

// Swaps the module's import of `function` from `dll` (names compared without case) for `replacement`
// and returns the address it held. Fails the calling test when the module does not import it.
void* patch_import(HMODULE module, const char* dll, const char* function, void* replacement);

// Restores a patched import when it goes out of scope.
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
