#include "module_image.h"

#include <type_traits>

namespace {

const IMAGE_NT_HEADERS32* nt_headers(HMODULE module) {
  auto base = reinterpret_cast<const BYTE*>(module);
  auto dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  return reinterpret_cast<const IMAGE_NT_HEADERS32*>(base + dos->e_lfanew);
}

template <typename T>
T* at_rva(HMODULE module, DWORD rva) {
  return reinterpret_cast<T*>(reinterpret_cast<BYTE*>(module) + rva);
}

}  // namespace

std::vector<std::string> exported_names(HMODULE module) {
  const IMAGE_DATA_DIRECTORY& directory = nt_headers(module)->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
  std::vector<std::string> names;
  if (directory.VirtualAddress == 0) return names;
  auto exports = at_rva<IMAGE_EXPORT_DIRECTORY>(module, directory.VirtualAddress);
  auto name_rvas = at_rva<DWORD>(module, exports->AddressOfNames);
  for (DWORD i = 0; i < exports->NumberOfNames; ++i) names.emplace_back(at_rva<const char>(module, name_rvas[i]));
  return names;
}

PreferredPlacement preferred_placement(HMODULE module) {
  char path[MAX_PATH];
  GetModuleFileNameA(module, path, MAX_PATH);
  HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  std::vector<BYTE> head(4096);
  DWORD read = 0;
  ReadFile(file, head.data(), static_cast<DWORD>(head.size()), &read, nullptr);
  CloseHandle(file);
  auto headers = nt_headers(reinterpret_cast<HMODULE>(head.data()));
  return {headers->OptionalHeader.ImageBase, headers->OptionalHeader.SizeOfImage};
}

uint32_t loaded_image_size(HMODULE module) { return nt_headers(module)->OptionalHeader.SizeOfImage; }

bool inside_loaded_image(HMODULE module, const void* address) {
  const auto base = reinterpret_cast<uintptr_t>(module);
  const auto at = reinterpret_cast<uintptr_t>(address);
  return at >= base && at < base + loaded_image_size(module);
}

LibraryEntryRoutine library_entry_routine(HMODULE module) {
  return at_rva<std::remove_pointer_t<LibraryEntryRoutine>>(module, nt_headers(module)->OptionalHeader.AddressOfEntryPoint);
}

void* patch_import(HMODULE module, const char* dll, const char* function, void* replacement) {
  const IMAGE_DATA_DIRECTORY& directory = nt_headers(module)->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  for (auto import = at_rva<IMAGE_IMPORT_DESCRIPTOR>(module, directory.VirtualAddress); import->Name != 0; ++import) {
    if (lstrcmpiA(at_rva<const char>(module, import->Name), dll) != 0) continue;
    auto names = at_rva<IMAGE_THUNK_DATA32>(module, import->OriginalFirstThunk);
    auto addresses = at_rva<IMAGE_THUNK_DATA32>(module, import->FirstThunk);
    for (; names->u1.AddressOfData != 0; ++names, ++addresses) {
      if (IMAGE_SNAP_BY_ORDINAL32(names->u1.Ordinal)) continue;
      auto by_name = at_rva<IMAGE_IMPORT_BY_NAME>(module, names->u1.AddressOfData);
      if (lstrcmpA(reinterpret_cast<const char*>(by_name->Name), function) != 0) continue;
      DWORD old_protection;
      VirtualProtect(&addresses->u1.Function, sizeof(DWORD), PAGE_READWRITE, &old_protection);
      void* original = reinterpret_cast<void*>(addresses->u1.Function);
      addresses->u1.Function = reinterpret_cast<DWORD>(replacement);
      VirtualProtect(&addresses->u1.Function, sizeof(DWORD), old_protection, &old_protection);
      return original;
    }
  }
  return nullptr;
}
