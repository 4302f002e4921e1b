// A byte buffer filled with little-endian words, as Windows file formats
// (bitmaps, RIFF) store them.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <vector>

namespace art {

class LittleEndianBytes {
public:
    void u8(std::uint8_t value) { bytes_.push_back(value); }
    void u16(std::uint16_t value)
    {
        u8(static_cast<std::uint8_t>(value));
        u8(static_cast<std::uint8_t>(value >> 8));
    }
    void u32(std::uint32_t value)
    {
        u16(static_cast<std::uint16_t>(value));
        u16(static_cast<std::uint16_t>(value >> 16));
    }
    void four_cc(const char (&code)[5])
    {
        for (int i = 0; i < 4; ++i)
            u8(static_cast<std::uint8_t>(code[i]));
    }

    void write_to(const std::filesystem::path& path) const
    {
        std::ofstream file(path, std::ios::binary);
        file.write(reinterpret_cast<const char*>(bytes_.data()), static_cast<std::streamsize>(bytes_.size()));
        if (!file)
            throw std::runtime_error("cannot write " + path.string());
    }

private:
    std::vector<std::uint8_t> bytes_;
};

}  // namespace art
