// Reading and patching a loaded module's PE image: what the bench and the tests need of a module beyond
// what the loader offers.
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

// The size of the module's image as the loader laid it out in memory.
uint32_t loaded_image_size(HMODULE module);

// Whether `address` lies inside the module's image as it is loaded.
bool inside_loaded_image(HMODULE module, const void* address);

// The library entry routine that Windows calls for the module (the run time's start-up around DllMain).
using LibraryEntryRoutine = BOOL(WINAPI*)(HINSTANCE, DWORD, LPVOID);
LibraryEntryRoutine library_entry_routine(HMODULE module);

// Swaps the module's import of `function` from `dll` (DLL names compared without case) for `replacement`
// and returns the address it held, or null when the module does not import it.
void* patch_import(HMODULE module, const char* dll, const char* function, void* replacement);
