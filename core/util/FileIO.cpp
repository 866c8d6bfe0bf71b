#include "util/FileIO.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include "util/SaveTemporary.h"

namespace divelog {

namespace {

std::string reason(const std::string& what, const std::string& path) {
    return what + " \"" + path + "\": " + std::strerror(errno) + ".";
}

// Opens a regular file for reading and tells its size.
int openForReading(const std::string& path, std::size_t& size, std::string& error) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = reason("Cannot open", path);
        return -1;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        if (S_ISDIR(st.st_mode)) errno = EISDIR;
        error = reason("Cannot read", path);
        ::close(fd);
        return -1;
    }
    size = static_cast<std::size_t>(st.st_size);
    return fd;
}

bool readAll(int fd, std::uint8_t* into, std::size_t size, const std::string& path,
             std::string& error) {
    std::size_t done = 0;
    while (done < size) {
        ssize_t n = ::read(fd, into + done, size - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = EIO;  // the file shrank while we read it
            error = reason("Cannot read", path);
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// A file descriptor written as the pieces come; the writer does its own buffering.
class FileOutput final : public ByteOutput {
public:
    explicit FileOutput(int fd) : fd_(fd) {}
    bool write(std::span<const std::uint8_t> bytes) override {
        std::size_t done = 0;
        while (done < bytes.size()) {
            ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
                if (n == 0) errno = EIO;
                errno_ = errno;
                return false;
            }
            done += static_cast<std::size_t>(n);
        }
        return true;
    }
    int error() const { return errno_; }

private:
    int fd_;
    int errno_ = 0;
};

}  // namespace

FileBytes::~FileBytes() {
    if (data_) ::munmap(data_, size_);
}

FileBytes::FileBytes(FileBytes&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)) {}

FileBytes& FileBytes::operator=(FileBytes&& other) noexcept {
    if (this != &other) {
        if (data_) ::munmap(data_, size_);
        data_ = std::exchange(other.data_, nullptr);
        size_ = std::exchange(other.size_, 0);
    }
    return *this;
}

bool readWholeFile(const std::string& path, FileBytes& bytes, std::string& error) {
    std::size_t size = 0;
    int fd = openForReading(path, size, error);
    if (fd < 0) return false;
    FileBytes result;
    if (size > 0) {
        void* p = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (p == MAP_FAILED) {
            error = reason("Cannot read", path);
            ::close(fd);
            return false;
        }
        ::madvise(p, size, MADV_HUGEPAGE);  // a hint; ignored where unsupported
        result.data_ = static_cast<std::uint8_t*>(p);
        result.size_ = size;
        if (!readAll(fd, result.data_, size, path, error)) {
            ::close(fd);
            return false;
        }
    }
    ::close(fd);
    bytes = std::move(result);
    return true;
}

bool readWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes, std::string& error) {
    std::size_t size = 0;
    int fd = openForReading(path, size, error);
    if (fd < 0) return false;
    std::vector<std::uint8_t> data(size);
    bool ok = readAll(fd, data.data(), size, path, error);
    ::close(fd);
    if (ok) bytes = std::move(data);
    return ok;
}

bool writeFileAtomically(const std::string& path, const std::function<bool(ByteOutput&)>& produce,
                         std::string& error) {
    SaveTemporary temporary;
    if (!temporary.open(path)) {
        error = reason("Cannot save", path);
        return false;
    }
    // Keep the permissions of the file being replaced; a new file gets the usual ones.
    struct stat st {};
    mode_t mode = 0666;
    if (::stat(temporary.target().c_str(), &st) == 0) {
        mode = st.st_mode & 07777;
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        mode &= ~mask;
    }
    FileOutput out(temporary.fd());
    if (!produce(out)) {
        if (out.error()) {
            errno = out.error();
            error = reason("Cannot save", path);
        } else if (error.empty()) {
            error = "Cannot save \"" + path + "\": the document could not be written.";
        }
        return false;
    }
    if (!temporary.commit(mode)) {
        error = reason("Cannot save", path);
        return false;
    }
    return true;
}

bool writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes,
                         std::string& error) {
    return writeFileAtomically(
        path, [&](ByteOutput& out) { return out.write(bytes); }, error);
}

}  // namespace divelog
