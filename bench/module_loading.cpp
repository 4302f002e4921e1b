#include "module_loading.h"

#include <set>
#include <vector>

#include "failure.h"
#include "module_image.h"
#include "text_format.h"

namespace {

// More elements than any panel holds: a longer walk means the lists run in a circle.
constexpr size_t element_limit = 4096;
constexpr size_t gauge_limit = 64;

std::string file_name_of(const std::string& path) {
  size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

HMODULE load_module(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) fail(ExitCode::cannot_load, "no such file: " + path);
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) fail(ExitCode::cannot_load, path + " is a folder, not a module");
  // Without an extension of its own, the loader would look for PATH.dll instead.
  std::string load_path = path;
  if (file_name_of(path).find('.') == std::string::npos) load_path += '.';
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  HMODULE module = LoadLibraryExA(load_path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  if (module == nullptr) {
    DWORD error = GetLastError();
    fail(ExitCode::cannot_load, path + " is not a 32-bit Windows module the loader accepts (error " +
                                    std::to_string(error) + ")");
  }
  return module;
}

template <typename Record>
Record* exported_record(const LoadedModule& loaded, const char* name) {
  auto record = reinterpret_cast<Record*>(GetProcAddress(loaded.module, name));
  if (record == nullptr) {
    fail(ExitCode::not_a_gauge_module, loaded.path + " exports no " + name + " record, so it is no gauge module");
  }
  if (!loaded.span.holds(record, sizeof(Record))) {
    fail(ExitCode::not_a_gauge_module, loaded.path + ": the " + name + " export lies outside the module's image");
  }
  return record;
}

void expect_fixed_value(const std::string& where, uint32_t offset, uint32_t value, uint32_t expected) {
  if (value == expected) return;
  fail(ExitCode::not_a_gauge_module,
       where + " word " + hex(offset) + " holds " + hex(value) + " where a gauge module holds " + hex(expected));
}

bool holds_string(const ModuleSpan& span, const char* text) {
  for (const char* at = text; span.holds(at, 1); ++at) {
    if (*at == '\0') return true;
  }
  return false;
}

// The gauge headers listed from Linkage 0x18 on, up to the zero word.
std::vector<GaugeHeader*> listed_gauges(const LoadedModule& loaded) {
  std::vector<GaugeHeader*> gauges;
  for (GaugeHeader* const* entry = loaded.linkage->gauges;; ++entry) {
    if (!loaded.span.holds(entry, sizeof *entry) || gauges.size() == gauge_limit) {
      fail(ExitCode::bad_records, loaded.path + ": the gauge list in Linkage has no end");
    }
    if (*entry == nullptr) break;
    if (!loaded.span.holds(*entry, sizeof(GaugeHeader)) || !holds_string(loaded.span, (*entry)->gauge_name)) {
      fail(ExitCode::bad_records, loaded.path + ": gauge header " + std::to_string(gauges.size() + 1) +
                                      " or its name lies outside the module's image");
    }
    gauges.push_back(*entry);
  }
  if (gauges.empty()) fail(ExitCode::not_a_gauge_module, loaded.path + ": Linkage lists no gauge");
  return gauges;
}

GaugeHeader* chosen_gauge(const LoadedModule& loaded, const std::string& name) {
  std::vector<GaugeHeader*> gauges = listed_gauges(loaded);
  if (name.empty()) return gauges.front();
  std::string offered;
  for (GaugeHeader* gauge : gauges) {
    if (lstrcmpiA(gauge->gauge_name, name.c_str()) == 0) return gauge;
    offered += (offered.empty() ? "" : ", ") + std::string(gauge->gauge_name);
  }
  fail(ExitCode::unknown_gauge, loaded.file_name + " offers no gauge named \"" + name + "\"; it offers " + offered);
}

// The host calls these; one outside the module would send it anywhere.
void check_routines(const LoadedModule& loaded) {
  const GaugeHeader& gauge = *loaded.gauge;
  const void* routines[] = {
      reinterpret_cast<const void*>(loaded.linkage->module_init),
      reinterpret_cast<const void*>(loaded.linkage->module_deinit),
      reinterpret_cast<const void*>(gauge.gauge_query),
      reinterpret_cast<const void*>(gauge.gauge_install),
      reinterpret_cast<const void*>(gauge.gauge_initialize),
      reinterpret_cast<const void*>(gauge.gauge_update),
      reinterpret_cast<const void*>(gauge.gauge_generate),
      reinterpret_cast<const void*>(gauge.gauge_draw),
      reinterpret_cast<const void*>(gauge.gauge_kill),
  };
  for (const void* routine : routines) {
    if (!loaded.span.holds(routine, 1)) {
      fail(ExitCode::bad_records, loaded.path + ": a routine named in Linkage or the gauge header of " +
                                      gauge.gauge_name + " lies outside the module's image");
    }
  }
}

void check_element_tree(const LoadedModule& loaded) {
  std::string where = loaded.file_name + " gauge " + loaded.gauge->gauge_name;
  ElementList* root_list = loaded.gauge->root_element_list;
  if (!loaded.span.holds(root_list, 2 * sizeof(ElementList)) || !loaded.span.holds(root_list[0], sizeof(ElementHeader))) {
    fail(ExitCode::bad_records, where + ": the root element list lies outside the module's image");
  }
  if (root_list[0]->element_kind != kind_static_image) {
    fail(ExitCode::bad_records, where + ": the root element is no static image, so it has no picture");
  }
  std::set<const ElementHeader*> seen;
  std::vector<ElementList*> lists{root_list};
  while (!lists.empty()) {
    ElementList* list = lists.back();
    lists.pop_back();
    for (size_t i = 0;; ++i) {
      if (!loaded.span.holds(&list[i], sizeof(ElementList))) {
        fail(ExitCode::bad_records, where + ": an element list runs out of the module's image");
      }
      ElementHeader* element = list[i];
      if (element == nullptr) break;
      if (!loaded.span.holds(element, sizeof(ElementHeader))) {
        fail(ExitCode::bad_records, where + ": an element lies outside the module's image");
      }
      std::string element_name = "element " + hex(element->resource_id);
      size_t size = element_record_size(element->element_kind);
      if (size == 0) {
        fail(ExitCode::bad_records, where + ": " + element_name + " has unknown element kind " +
                                        std::to_string(element->element_kind) + "; the host knows 0, 3, 4 and 5");
      }
      if (!loaded.span.holds(element, size)) {
        fail(ExitCode::bad_records, where + ": " + element_name + " runs out of the module's image");
      }
      if (!seen.insert(element).second || seen.size() > element_limit) {
        fail(ExitCode::bad_records, where + ": " + element_name + " stands in more than one element list");
      }
      if (element->children != nullptr) lists.push_back(element->children);
    }
  }
}

}  // namespace

bool ModuleSpan::holds(const void* record, size_t size) const {
  auto at = reinterpret_cast<uintptr_t>(record);
  return at >= begin && at <= end && size <= end - at;
}

size_t element_record_size(uint32_t element_kind) {
  switch (element_kind) {
    case kind_static_image: return sizeof(StaticImageElement);
    case kind_slider: return sizeof(SliderElement);
    case kind_icon: return sizeof(IconElement);
    case kind_moving_image: return sizeof(MovingImageElement);
    default: return 0;
  }
}

const char* element_kind_name(uint32_t element_kind) {
  switch (element_kind) {
    case kind_static_image: return "static image";
    case kind_slider: return "slider";
    case kind_icon: return "icon";
    case kind_moving_image: return "moving image";
    default: return "unknown";
  }
}

LoadedModule load_gauge_module(const std::string& path, const std::string& gauge_name) {
  LoadedModule loaded{};
  loaded.path = path;
  loaded.file_name = file_name_of(path);
  loaded.module = load_module(path);
  auto base = reinterpret_cast<uintptr_t>(loaded.module);
  loaded.span = {base, base + loaded_image_size(loaded.module)};

  loaded.linkage = exported_record<struct Linkage>(loaded, "Linkage");
  loaded.import_table = exported_record<struct ImportTable>(loaded, "ImportTable");
  expect_fixed_value("Linkage", 0x00, loaded.linkage->fixed_value, linkage_fixed_value);
  expect_fixed_value("ImportTable", 0x00, loaded.import_table->fixed_value, import_table_fixed_value);

  loaded.gauge = chosen_gauge(loaded, gauge_name);
  std::string header_name = std::string("the gauge header of ") + loaded.gauge->gauge_name + ",";
  expect_fixed_value(header_name, 0x00, loaded.gauge->fixed_value, gauge_header_fixed_value);
  expect_fixed_value(header_name, 0x2C, loaded.gauge->fixed_value_2c, gauge_header_fixed_value_2c);

  check_routines(loaded);
  check_element_tree(loaded);
  loaded.root = reinterpret_cast<StaticImageElement*>(loaded.gauge->root_element_list[0]);
  return loaded;
}

std::string address_in_module(const LoadedModule& loaded, const void* address) {
  return loaded.file_name + "+" + hex(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(address) - loaded.span.begin));
}
