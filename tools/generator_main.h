// The command line every art generator shares: one argument, the directory
// to write into, created when missing.
#pragma once

#include <filesystem>
#include <functional>

namespace art {

int run_generator(int argc, char** argv, const std::function<void(const std::filesystem::path&)>& generate);

}  // namespace art
