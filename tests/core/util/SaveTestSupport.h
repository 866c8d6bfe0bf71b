#pragma once

// Shared by the save tests: a scratch folder, and documents whose bytes say
// which save wrote them, so a torn file cannot pass for a whole one.

#include <stdlib.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "util/FileIO.h"

namespace savetest {

namespace fs = std::filesystem;

class ScratchFolder {
public:
    ScratchFolder() {
        std::string tmpl = (fs::temp_directory_path() / "divelog-save-XXXXXX").string();
        path_ = ::mkdtemp(tmpl.data());
    }
    ~ScratchFolder() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    std::string file(const std::string& name) const { return (fs::path(path_) / name).string(); }
    const std::string& path() const { return path_; }

    // Every name in the folder, sorted.
    std::vector<std::string> names() const { return namesIn(path_); }
    static std::vector<std::string> namesIn(const std::string& folder) {
        std::vector<std::string> out;
        for (const auto& e : fs::directory_iterator(folder)) out.push_back(e.path().filename());
        std::sort(out.begin(), out.end());
        return out;
    }

private:
    std::string path_;
};

// Generation g: a whole number of 8-byte words all equal to g; the word count
// depends on g too, so a longer earlier save left underneath shows.
constexpr std::size_t kBaseWords = 512 * 1024;  // 4 MiB

inline std::size_t wordsFor(std::uint64_t generation) {
    return kBaseWords - static_cast<std::size_t>(generation % 16) * 1024;
}

// Streams generation g through the writer in 64 KiB pieces, as a document does.
inline bool writeGeneration(std::uint64_t generation, divelog::ByteOutput& out) {
    std::vector<std::uint64_t> chunk(8 * 1024, generation);
    std::size_t left = wordsFor(generation);
    while (left > 0) {
        std::size_t n = std::min(left, chunk.size());
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(chunk.data());
        if (!out.write({bytes, n * sizeof(std::uint64_t)})) return false;
        left -= n;
    }
    return true;
}

inline bool saveGeneration(const std::string& path, std::uint64_t generation, std::string& error) {
    return divelog::writeFileAtomically(
        path, [&](divelog::ByteOutput& out) { return writeGeneration(generation, out); }, error);
}

// The generation a file holds, or 0 when it is not one whole generation.
inline std::uint64_t generationIn(const std::string& path) {
    std::vector<std::uint8_t> bytes;
    std::string error;
    if (!divelog::readWholeFile(path, bytes, error) || bytes.size() < 8 || bytes.size() % 8)
        return 0;
    std::vector<std::uint64_t> words(bytes.size() / 8);
    std::memcpy(words.data(), bytes.data(), bytes.size());
    const std::uint64_t g = words.front();
    if (words.size() != wordsFor(g)) return 0;
    for (std::uint64_t w : words)
        if (w != g) return 0;
    return g;
}

}  // namespace savetest
