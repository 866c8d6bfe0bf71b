#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace divelog {

// Bytes read from a file, held in their own anonymous mapping: no zero fill
// before the read, and large files get huge pages where the system offers
// them, which matters because first-touch page faults dominate opening a big
// logbook.
class FileBytes {
public:
    FileBytes() = default;
    ~FileBytes();
    FileBytes(FileBytes&& other) noexcept;
    FileBytes& operator=(FileBytes&& other) noexcept;
    FileBytes(const FileBytes&) = delete;
    FileBytes& operator=(const FileBytes&) = delete;

    const std::uint8_t* data() const { return data_; }
    std::size_t size() const { return size_; }
    std::span<const std::uint8_t> bytes() const { return {data_, size_}; }

private:
    friend bool readWholeFile(const std::string&, FileBytes&, std::string&);
    std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
};

// Reads a whole file. False with a readable reason on failure; `bytes` is
// then unchanged.
[[nodiscard]] bool readWholeFile(const std::string& path, FileBytes& bytes, std::string& error);
[[nodiscard]] bool readWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes,
                                 std::string& error);

// Where a writer sends its bytes in pieces. A false return ends the writing.
class ByteOutput {
public:
    virtual ~ByteOutput() = default;
    [[nodiscard]] virtual bool write(std::span<const std::uint8_t> bytes) = 0;
};

// Writes a temporary file beside `path`, flushes it to disk, then renames it
// over `path`; the old file is untouched unless every step succeeded. A save
// killed part-way leaves one temporary that the next save of `path` takes
// over (see SaveTemporary). When `path` is a symbolic link, the file it
// points to is replaced and the link kept. The replaced file's permissions
// are kept. `produce` writes the content and returns false to abandon the save.
[[nodiscard]] bool writeFileAtomically(const std::string& path,
                                       const std::function<bool(ByteOutput&)>& produce,
                                       std::string& error);
[[nodiscard]] bool writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes,
                                       std::string& error);

}  // namespace divelog
