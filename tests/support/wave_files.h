// Small RIFF/WAVE files built from bytes in the test, and the file helpers that go with them.
#pragma once

#include <cstdint>
#include <string>

// A little-endian 32-bit word.
std::string le32(uint32_t value);
// A chunk: id, size, body, and the pad byte that follows a body of odd size.
std::string chunk(const char* id, const std::string& body);
// A RIFF/WAVE file whose RIFF size covers `chunks`.
std::string wave_file(const std::string& chunks);

// The 16-byte format record of 16-bit mono PCM at 22,050 samples a second.
extern const std::string pcm16_mono_format;

void write_file(const std::string& name, const std::string& bytes);
std::string read_file(const std::string& name);
