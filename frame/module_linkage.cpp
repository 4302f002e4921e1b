// The module's exported records and its module and library entry routines.
#include <windows.h>

#include "gauge.h"

namespace {

void HOST_CALL module_init() {}
void HOST_CALL module_deinit() {}

}  // namespace

extern "C" {

__declspec(dllexport) constinit struct Linkage Linkage = {
    .fixed_value = linkage_fixed_value,
    .module_init = module_init,
    .module_deinit = module_deinit,
    .gauges = {&gauge_header, nullptr},
};

__declspec(dllexport) constinit struct ImportTable ImportTable = {
    .fixed_value = import_table_fixed_value,
};

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }

}

// Read through a volatile lvalue so that no call ever reuses an earlier read of the host's pointer.
HostServices& host_services() {
  return *static_cast<HostServices* volatile&>(ImportTable.host_services);
}
