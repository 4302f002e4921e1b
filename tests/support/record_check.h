// Checks a record read from a loaded module against the record it must be.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "elements.h"

// Compares a record from the module with the record it must be, byte for byte, apart from the pointers
// named in `pointer_offsets`, which are checked by the caller. Every word the expected record leaves
// zero must be zero in the module too.
template <typename Record>
void expect_record(const Record* actual, Record expected, std::vector<size_t> pointer_offsets) {
  std::vector<unsigned char> have(sizeof(Record)), want(sizeof(Record));
  std::memcpy(have.data(), actual, sizeof(Record));
  std::memcpy(want.data(), &expected, sizeof(Record));
  for (size_t offset : pointer_offsets) {
    std::memset(have.data() + offset, 0, 4);
    std::memset(want.data() + offset, 0, 4);
  }
  for (size_t offset = 0; offset < sizeof(Record); offset += 4) {
    uint32_t have_word, want_word;
    std::memcpy(&have_word, have.data() + offset, 4);
    std::memcpy(&want_word, want.data() + offset, 4);
    EXPECT_EQ(have_word, want_word) << "word at offset 0x" << std::hex << offset;
  }
}

inline ElementHeader header_of(uint32_t kind, uint32_t id, int32_t x, int32_t y, uint32_t flags) {
  return {.element_kind = kind, .resource_id = id, .position_x = x, .position_y = y, .image_flags = flags};
}
