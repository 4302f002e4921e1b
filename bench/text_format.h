// Small pieces of the bench's printed text.
#pragma once

#include <cstdint>
#include <string>

// 0x1011C
std::string hex(uint32_t value);

// The text as a C string literal would spell it, quotes included: "Sound-File not found\n".
std::string quoted(const char* text);
