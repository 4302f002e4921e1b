#include "resource_ledger.h"

#include <gtest/gtest.h>

namespace {

ResourceLedger* ledger = nullptr;

template <typename Function>
Function original(const ImportPatch& patch) {
  return reinterpret_cast<Function>(patch.original());
}

}  // namespace

ResourceLedger::ResourceLedger(HMODULE module)
    : global_alloc_(module, "kernel32.dll", "GlobalAlloc", reinterpret_cast<void*>(global_alloc)),
      global_free_(module, "kernel32.dll", "GlobalFree", reinterpret_cast<void*>(global_free)),
      mmio_open_(module, "winmm.dll", "mmioOpenA", reinterpret_cast<void*>(mmio_open)),
      mmio_close_(module, "winmm.dll", "mmioClose", reinterpret_cast<void*>(mmio_close)) {
  ledger = this;
}

ResourceLedger::~ResourceLedger() { ledger = nullptr; }

void ResourceLedger::expect_held(const std::set<HGLOBAL>& expected_blocks) const {
  EXPECT_EQ(blocks, expected_blocks) << "global memory blocks held";
  EXPECT_TRUE(files.empty()) << files.size() << " multimedia files left open";
  EXPECT_EQ(stray_releases, 0) << "frees or closes of something not held";
}

HGLOBAL WINAPI ResourceLedger::global_alloc(UINT flags, SIZE_T bytes) {
  if (++ledger->allocations == ledger->failing_allocation_) return nullptr;
  HGLOBAL block = original<decltype(&GlobalAlloc)>(ledger->global_alloc_)(flags, bytes);
  if (block != nullptr) ledger->blocks.insert(block);
  return block;
}

HGLOBAL WINAPI ResourceLedger::global_free(HGLOBAL block) {
  if (ledger->blocks.erase(block) == 0) ++ledger->stray_releases;
  return original<decltype(&GlobalFree)>(ledger->global_free_)(block);
}

HMMIO WINAPI ResourceLedger::mmio_open(LPSTR name, LPMMIOINFO info, DWORD flags) {
  ++ledger->opens;
  HMMIO file = original<decltype(&mmioOpenA)>(ledger->mmio_open_)(name, info, flags);
  if (file != nullptr) ledger->files.insert(file);
  return file;
}

MMRESULT WINAPI ResourceLedger::mmio_close(HMMIO file, UINT flags) {
  if (ledger->files.erase(file) == 0) ++ledger->stray_releases;
  return original<decltype(&mmioClose)>(ledger->mmio_close_)(file, flags);
}
