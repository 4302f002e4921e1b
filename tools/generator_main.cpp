#include "generator_main.h"

#include <exception>
#include <iostream>

namespace art {

int run_generator(int argc, char** argv, const std::function<void(const std::filesystem::path&)>& generate)
{
    if (argc != 2) {
        std::cerr << "usage: " << (argc > 0 ? argv[0] : "generator") << " OUTPUT_DIRECTORY\n";
        return 2;
    }
    try {
        const std::filesystem::path directory = argv[1];
        std::filesystem::create_directories(directory);
        generate(directory);
        return 0;
    } catch (const std::exception& error) {
        std::cerr << argv[0] << ": " << error.what() << '\n';
        return 1;
    }
}

}  // namespace art
