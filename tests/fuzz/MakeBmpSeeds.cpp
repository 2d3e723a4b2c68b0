// Writes the seed corpus of the BMP fuzzer: small valid pictures of every
// header size, depth and compression.
// Usage: make_bmp_seeds FOLDER
#include <cstdio>
#include <exception>
#include <stdexcept>
#include <string>

#include "platform/FileSystem.h"
#include "tests/support/BmpSamples.h"
#include "tests/support/ScratchFolder.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_bmp_seeds FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    int written = 0;
    try {
        if (!platform::ForceDirectories(folder)) throw std::runtime_error("cannot make " + folder);
        for (const auto& [name, bytes] : BmpSamples()) {
            WriteFile(folder + "\\" + name, bytes);
            ++written;
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "make_bmp_seeds: %s\n", error.what());
        return 1;
    }
    std::printf("%d seed pictures in %s\n", written, folder.c_str());
    return 0;
}
