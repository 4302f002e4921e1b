// Loading a gauge module as the host does: the Windows loader, then the exported Linkage and ImportTable,
// their fixed values, the gauge header of the gauge asked for, and an element tree the host can walk.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "elements.h"
#include "linkage.h"

// The module's image in memory; every record and pointer of a gauge must lie inside it.
struct ModuleSpan {
  uintptr_t begin;
  uintptr_t end;
  bool holds(const void* record, size_t size) const;
};

struct LoadedModule {
  HMODULE module;
  std::string path;
  std::string file_name;
  ModuleSpan span;
  struct Linkage* linkage;
  struct ImportTable* import_table;
  GaugeHeader* gauge;
  StaticImageElement* root;
};

// Fails with the matching ExitCode when the file is missing, is no Windows module, is no gauge module,
// offers no gauge of that name (empty: the first gauge), or holds an element tree the host cannot walk.
LoadedModule load_gauge_module(const std::string& path, const std::string& gauge_name);

// The record size of an element kind, or 0 for a kind the host does not know.
size_t element_record_size(uint32_t element_kind);
const char* element_kind_name(uint32_t element_kind);

// An address inside the module as FILE+0xOFFSET, the way a reader finds it in a disassembly.
std::string address_in_module(const LoadedModule& loaded, const void* address);
