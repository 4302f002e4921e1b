#include "gauge_module.h"

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
