// Keeps account of the global memory blocks and multimedia files that code linked into the test program
// holds, through the program's own imports, and makes a chosen GlobalAlloc fail.
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include <set>

#include "pe_image.h"

class ResourceLedger {
 public:
  // Patches the imports of `module`: by default the test program, for code linked into it.
  explicit ResourceLedger(HMODULE module = GetModuleHandleA(nullptr));
  ~ResourceLedger();
  ResourceLedger(const ResourceLedger&) = delete;
  ResourceLedger& operator=(const ResourceLedger&) = delete;

  // The nth GlobalAlloc from now on returns null (1 is the next one).
  void fail_allocation(int nth) { failing_allocation_ = allocations + nth; }

  // Fails the calling test unless exactly these blocks are held, no file is open, and nothing was freed or
  // closed that was not held.
  void expect_held(const std::set<HGLOBAL>& expected_blocks) const;
  void expect_nothing_held() const { expect_held({}); }

  int allocations = 0;  // GlobalAlloc calls, failed ones included
  int opens = 0;        // mmioOpenA calls
  std::set<HGLOBAL> blocks;
  std::set<HMMIO> files;
  int stray_releases = 0;  // frees of blocks and closes of files that were not held

 private:
  static HGLOBAL WINAPI global_alloc(UINT flags, SIZE_T bytes);
  static HGLOBAL WINAPI global_free(HGLOBAL block);
  static HMMIO WINAPI mmio_open(LPSTR name, LPMMIOINFO info, DWORD flags);
  static MMRESULT WINAPI mmio_close(HMMIO file, UINT flags);

  int failing_allocation_ = 0;
  ImportPatch global_alloc_;
  ImportPatch global_free_;
  ImportPatch mmio_open_;
  ImportPatch mmio_close_;
};
