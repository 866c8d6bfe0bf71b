// Runs the dive-import fuzz target over every file of a folder, so each seed
// and each crash the fuzzer ever found stays a regression test.

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <iostream>
#include <vector>

#include "util/FileIO.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: exchange_corpus_replay DIRECTORY\n";
        return 2;
    }
    std::vector<std::filesystem::path> files;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(argv[1], ec))
        if (entry.is_regular_file()) files.push_back(entry.path());
    if (ec || files.empty()) {
        std::cerr << "no files in " << argv[1] << '\n';
        return 1;
    }
    std::sort(files.begin(), files.end());
    for (const auto& path : files) {
        std::cout << path.filename().string() << std::endl;
        std::vector<std::uint8_t> bytes;
        std::string error;
        if (!divelog::readWholeFile(path.string(), bytes, error)) {
            std::cout << "  cannot read: " << error << '\n';
            return 1;
        }
        LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    }
    return 0;
}
