// The records by which the host finds a gauge module, binds it and reaches its gauge.
#pragma once

#include <cstddef>
#include <cstdint>

#include "host_services.h"

// A null-terminated array of element pointers.
using ElementList = ElementHeader*;

using GaugeRoutine = HostWord(HOST_CALL*)();
using GaugeRoutineWithWord = HostWord(HOST_CALL*)(HostWord w);
using ModuleRoutine = void(HOST_CALL*)();

constexpr uint32_t linkage_fixed_value = 0x13;
constexpr uint32_t import_table_fixed_value = 0x0F;
constexpr uint32_t gauge_header_fixed_value = 610;
constexpr uint32_t gauge_header_fixed_value_2c = 100;

// One per gauge. Element records point back to it, and the mouse-list services take it.
struct GaugeHeader {
  uint32_t fixed_value;
  char* gauge_name;
  ElementList* root_element_list;
  GaugeRoutine gauge_query;
  GaugeRoutineWithWord gauge_install;
  GaugeRoutine gauge_initialize;
  GaugeRoutine gauge_update;
  GaugeRoutineWithWord gauge_generate;
  GaugeRoutine gauge_draw;
  GaugeRoutine gauge_kill;
  uint32_t host_owned_28;
  uint32_t fixed_value_2c;
  uint32_t host_owned_30[10];
};

static_assert(sizeof(GaugeHeader) == 88);
static_assert(offsetof(GaugeHeader, gauge_name) == 0x04);
static_assert(offsetof(GaugeHeader, root_element_list) == 0x08);
static_assert(offsetof(GaugeHeader, gauge_query) == 0x0C);
static_assert(offsetof(GaugeHeader, gauge_install) == 0x10);
static_assert(offsetof(GaugeHeader, gauge_initialize) == 0x14);
static_assert(offsetof(GaugeHeader, gauge_update) == 0x18);
static_assert(offsetof(GaugeHeader, gauge_generate) == 0x1C);
static_assert(offsetof(GaugeHeader, gauge_draw) == 0x20);
static_assert(offsetof(GaugeHeader, gauge_kill) == 0x24);
static_assert(offsetof(GaugeHeader, fixed_value_2c) == 0x2C);

// Exported as "Linkage". From 0x18 on it lists the module's gauges, ended by a zero word.
struct Linkage {
  uint32_t fixed_value;
  ModuleRoutine module_init;
  ModuleRoutine module_deinit;
  uint32_t host_owned_0c[3];
  GaugeHeader* gauges[2];
};

static_assert(sizeof(Linkage) == 32);
static_assert(offsetof(Linkage, module_init) == 0x04);
static_assert(offsetof(Linkage, module_deinit) == 0x08);
static_assert(offsetof(Linkage, gauges) == 0x18);

// Exported as "ImportTable". The host writes its service table's address into it after loading the module.
struct ImportTable {
  uint32_t fixed_value;
  HostServices* host_services;
  uint32_t host_owned_08[2];
};

static_assert(sizeof(ImportTable) == 16);
static_assert(offsetof(ImportTable, host_services) == 0x04);
