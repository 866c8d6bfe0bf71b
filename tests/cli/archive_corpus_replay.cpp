// Runs the archive fuzz target over every file of a folder, so each seed and
// each crash the fuzzer ever found stays a regression test in the normal
// build. File names carry an expectation: ok-* must be accepted as a
// document, bad-* refused; any other file only must not crash.

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "ArchiveSummary.h"
#include "util/FileIO.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: archive_corpus_replay DIRECTORY\n";
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

    int failures = 0;
    for (const auto& path : files) {
        // Named before running, so a crash points at its file.
        std::cout << path.filename().string() << std::endl;
        std::vector<std::uint8_t> bytes;
        std::string error;
        if (!divelog::readWholeFile(path.string(), bytes, error)) {
            std::cout << "  cannot read: " << error << '\n';
            ++failures;
            continue;
        }
        LLVMFuzzerTestOneInput(bytes.data(), bytes.size());

        const std::string name = path.filename().string();
        divelog::cli::ArchiveSummary summary;
        bool accepted = divelog::cli::summarizeArchive(bytes, summary, error);
        if (name.starts_with("ok-") && !accepted) {
            std::cout << "  FAILED: refused: " << error << '\n';
            ++failures;
        } else if (name.starts_with("bad-") && accepted) {
            std::cout << "  FAILED: accepted, expected a refusal\n";
            ++failures;
        } else if (!accepted) {
            std::cout << "  refused: " << error << '\n';
        }
    }
    std::cout << files.size() << " files, " << failures << " failed\n";
    return failures == 0 ? 0 : 1;
}
