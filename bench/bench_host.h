// The host's service table as the bench offers it to a gauge module, and what the services keep: the
// installed elements and their pictures, the mouse lists, and the simulation that events change.
#pragma once

#include <cstdio>

#include "drawing.h"
#include "element_install.h"
#include "host_services.h"
#include "module_loading.h"
#include "mouse_areas.h"
#include "simulation.h"

class BenchHost {
 public:
  // As large as the host's own table; the entries gauges must not use end the run with an error.
  static constexpr int table_entries = 64;

  // Writes the table's address into the module's ImportTable. One host per process.
  BenchHost(const LoadedModule& loaded, Simulation& simulation, FILE* log);
  ~BenchHost();
  BenchHost(const BenchHost&) = delete;
  BenchHost& operator=(const BenchHost&) = delete;

  // A click at a gauge pixel: the host calls the function of the registered child area under it.
  void click(GaugePoint point);

  // draw_elements draws into the canvas while one is set.
  void set_canvas(Canvas* canvas) { canvas_ = canvas; }

  const LoadedModule& loaded() const { return loaded_; }
  const Simulation& simulation() const { return simulation_; }
  const InstalledElements& installed() const { return installed_; }
  // The root picture's size, once the elements are installed.
  const HostImage* root_image() const;
  // The list installed with install_mouse_rects, if any.
  const MouseList* mouse_list() const;

  // The services; each is reached through a __stdcall entry of the table.
  HostWord install_elements(ElementHeader* root);
  HostWord draw_elements(ElementHeader* root);
  HostWord kill_elements(ElementHeader* root);
  HostWord install_mouse_rects(MouseRect* list, const int32_t* gauge_size);
  HostWord register_mouse_rects(MouseRect* list, bool registered);
  HostWord send_event(uint32_t event_id, int32_t value);

 private:
  void expect_root(const ElementHeader* element, const char* service) const;

  const LoadedModule& loaded_;
  Simulation& simulation_;
  FILE* log_;
  void* entries_[table_entries];
  InstalledElements installed_;
  const MouseRect* mouse_rects_ = nullptr;
  MouseList mouse_list_;
  bool mouse_list_registered_ = false;
  Canvas* canvas_ = nullptr;
};
