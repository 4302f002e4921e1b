#include "gauge_module.h"

#include <utility>
#include <vector>

LoadedGauge load_gauge(const char* path) {
  LoadedGauge gauge;
  gauge.module = LoadLibraryA(path);
  EXPECT_NE(gauge.module, nullptr) << "LoadLibrary(" << path << ") failed with error " << GetLastError();
  if (gauge.module == nullptr) return gauge;
  gauge.linkage = reinterpret_cast<struct Linkage*>(GetProcAddress(gauge.module, "Linkage"));
  gauge.import_table = reinterpret_cast<struct ImportTable*>(GetProcAddress(gauge.module, "ImportTable"));
  EXPECT_NE(gauge.linkage, nullptr);
  EXPECT_NE(gauge.import_table, nullptr);
  return gauge;
}

void unload_gauge(LoadedGauge& gauge) {
  if (gauge.module != nullptr) FreeLibrary(gauge.module);
  gauge = {};
}

void GaugeTest::load() {
  gauge_ = load_gauge(path_);
  ASSERT_NE(gauge_.import_table, nullptr);
  gauge_.import_table->host_services = host_.table();
}

void GaugeTest::unload() { unload_gauge(gauge_); }

HostWord GaugeTest::install(HostWord w) {
  HostWord result = gauge_.gauge()->gauge_install(w);
  mouse_rects_ = installed_mouse_list();
  EXPECT_NE(mouse_rects_, nullptr);
  return result;
}

const MouseRect* GaugeTest::installed_mouse_list() const {
  for (auto call = host_.calls.rbegin(); call != host_.calls.rend(); ++call) {
    if (call->entry == "install_mouse_rects") return reinterpret_cast<const MouseRect*>(call->args[0]);
  }
  return nullptr;
}

MouseFunction GaugeTest::function_at(int32_t x, int32_t y) const {
  std::vector<std::pair<int32_t, int32_t>> origins{{0, 0}};
  for (const MouseRect* rect = mouse_rects_; rect->rect_kind != rect_list_end; ++rect) {
    const int32_t left = origins.back().first + rect->box_x;
    const int32_t top = origins.back().second + rect->box_y;
    const bool inside = x >= left && x < left + rect->box_width && y >= top && y < top + rect->box_height;
    if (rect->rect_kind == rect_parent) origins.emplace_back(left, top);
    if (rect->rect_kind == rect_parent_end) origins.pop_back();
    if (rect->rect_kind == rect_child && inside) return rect->function;
  }
  return nullptr;
}
