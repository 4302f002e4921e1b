#include "wave_files.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

using namespace std::string_literals;

std::string le32(uint32_t value) {
  return {static_cast<char>(value), static_cast<char>(value >> 8), static_cast<char>(value >> 16),
          static_cast<char>(value >> 24)};
}

std::string chunk(const char* id, const std::string& body) {
  return id + le32(static_cast<uint32_t>(body.size())) + body + (body.size() % 2 ? "\0"s : ""s);
}

std::string wave_file(const std::string& chunks) {
  return "RIFF" + le32(static_cast<uint32_t>(4 + chunks.size())) + "WAVE" + chunks;
}

const std::string pcm16_mono_format = "\x01\x00\x01\x00" "\x22\x56\x00\x00" "\x44\xAC\x00\x00" "\x02\x00\x10\x00"s;

void write_file(const std::string& name, const std::string& bytes) {
  std::ofstream file(name, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  ASSERT_TRUE(file.good()) << "cannot write " << name;
}

std::string read_file(const std::string& name) {
  std::ifstream file(name, std::ios::binary);
  EXPECT_TRUE(file.good()) << "cannot read " << name;
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}
