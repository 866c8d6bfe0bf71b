#pragma once

#include <string>
#include <string_view>

#include "util/FileIO.h"

namespace divelog {

// Text written to a ByteOutput through a buffer of its own, so writers can
// append small pieces without a system call each and without holding the
// whole file.
class TextOutput {
public:
    explicit TextOutput(ByteOutput& out) : out_(out) { buffer_.reserve(kChunk); }
    ~TextOutput() { flush(); }
    TextOutput(const TextOutput&) = delete;
    TextOutput& operator=(const TextOutput&) = delete;

    TextOutput& operator<<(std::string_view text) {
        buffer_ += text;
        if (buffer_.size() >= kChunk) flush();
        return *this;
    }
    TextOutput& operator<<(char c) {
        buffer_ += c;
        if (buffer_.size() >= kChunk) flush();
        return *this;
    }
    // False once the output refused bytes; later writes are dropped.
    bool flush();
    bool ok() const { return ok_; }

private:
    static constexpr std::size_t kChunk = 64 * 1024;
    ByteOutput& out_;
    std::string buffer_;
    bool ok_ = true;
};

}  // namespace divelog
