// Loads a gauge module as the host does: with the Windows loader, then through its exported records.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include "elements.h"
#include "linkage.h"
#include "recording_host.h"

struct LoadedGauge {
  HMODULE module = nullptr;
  struct Linkage* linkage = nullptr;
  struct ImportTable* import_table = nullptr;

  GaugeHeader* gauge() const { return linkage->gauges[0]; }
  ElementHeader* root_element() const { return gauge()->root_element_list[0]; }
};

// Fails the calling test when the module does not load or lacks either export.
LoadedGauge load_gauge(const char* path);
void unload_gauge(LoadedGauge& gauge);

// Loads the module for each test, binds a fresh recording host to it, and unloads it afterwards.
class GaugeTest : public ::testing::Test {
 protected:
  explicit GaugeTest(const char* path) : path_(path) {}
  void SetUp() override { load(); }
  void TearDown() override { unload(); }
  void load();
  void unload();
  // Installs the gauge and keeps the mouse list that install_mouse_rects handed the host.
  HostWord install(HostWord w = 0);
  // The mouse list from the last install_mouse_rects call recorded, or null; the records do not lead to it.
  const MouseRect* installed_mouse_list() const;
  // The function of the child rectangle under a point in gauge pixels, as the host hit-tests the list.
  MouseFunction function_at(int32_t x, int32_t y) const;

  const char* path_;
  const MouseRect* mouse_rects_ = nullptr;
  LoadedGauge gauge_;
  RecordingHost host_;
};
