#include "util/SaveTemporary.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>

namespace divelog {

namespace {

constexpr const char* kSuffix = ".divelog-save";
constexpr int kMaxLinks = 40;      // as the kernel's own ELOOP limit
constexpr int kMaxAttempts = 100;  // each retry means another save finished meanwhile

// The folder part of a path with its trailing slash, or "" for the current folder.
std::string folderOf(const std::string& path) {
    auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool followLinks(std::string& path) {
    for (int hops = 0; hops < kMaxLinks; ++hops) {
        struct stat st {};
        // An absent file is saved where it is named.
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return true;
        char buffer[PATH_MAX];
        ssize_t n = ::readlink(path.c_str(), buffer, sizeof buffer);
        if (n < 0) return false;
        if (n == 0 || static_cast<std::size_t>(n) >= sizeof buffer) {
            errno = ENAMETOOLONG;
            return false;
        }
        std::string link(buffer, static_cast<std::size_t>(n));
        path = link.front() == '/' ? link : folderOf(path) + link;
    }
    errno = ELOOP;
    return false;
}

// FNV-1a: stable across processes and builds, unlike std::hash.
std::uint64_t stableHash(const std::string& text) {
    std::uint64_t h = 14695981039346656037ull;
    for (unsigned char c : text) h = (h ^ c) * 1099511628211ull;
    return h;
}

bool sameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Best effort: a filesystem that cannot sync a folder still has the rename.
void syncFolder(const std::string& folder) {
    int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

std::string SaveTemporary::pathFor(const std::string& target) {
    const std::string folder = folderOf(target);
    std::string name = target.substr(folder.size());
    // Keep the name within NAME_MAX; the hash keeps long names apart.
    constexpr std::size_t kNameMax = 255;
    if (name.size() + 1 + std::char_traits<char>::length(kSuffix) > kNameMax) {
        char hash[17];
        std::snprintf(hash, sizeof hash, "%016llx",
                      static_cast<unsigned long long>(stableHash(name)));
        name = name.substr(0, 200) + "-" + hash;
    }
    return folder + "." + name + kSuffix;
}

SaveTemporary::~SaveTemporary() {
    if (fd_ < 0) return;
    int saved = errno;
    // Still locked, so no other save is using the name.
    if (!committed_) ::unlink(path_.c_str());
    ::close(fd_);
    errno = saved;
}

bool SaveTemporary::open(const std::string& document) {
    target_ = document;
    if (!followLinks(target_)) return false;
    if (target_.empty() || target_.back() == '/') {
        errno = EISDIR;
        return false;
    }
    path_ = pathFor(target_);
    for (int attempt = 0; attempt < kMaxAttempts; ++attempt) {
        // No O_TRUNC: the file may be another save's work in progress until we hold the lock.
        bool writable = true;
        int fd = ::open(path_.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0 && errno == EACCES) {
            // Left read-only by a save of a read-only document killed just
            // before its rename: lock it anyway, then replace it.
            writable = false;
            fd = ::open(path_.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
            // No such file: the folder itself refused it, and that is the reason to tell.
            if (fd < 0) errno = EACCES;
        }
        if (fd < 0) return false;
        int rc;
        while ((rc = ::flock(fd, LOCK_EX)) != 0 && errno == EINTR) {
        }
        // Some network and FUSE filesystems cannot lock: save unguarded there
        // rather than not at all.
        if (rc != 0 && (errno == ENOLCK || errno == EOPNOTSUPP || errno == ENOSYS)) rc = 0;
        struct stat held {
        }, named{};
        if (rc != 0 || ::fstat(fd, &held) != 0) {
            int code = errno;
            ::close(fd);
            errno = code;
            return false;
        }
        // The save we waited for may have renamed this very file over the
        // document, or removed it: then it is no longer ours to write.
        if (::lstat(path_.c_str(), &named) == 0 && sameFile(held, named)) {
            if (!S_ISREG(held.st_mode)) {
                ::close(fd);
                errno = EINVAL;
                return false;
            }
            if (!writable) {
                rc = ::unlink(path_.c_str());
                int code = errno;
                ::close(fd);
                if (rc == 0) continue;
                errno = code;
                return false;
            }
            fd_ = fd;
            if (::ftruncate(fd, 0) != 0) return false;  // the destructor cleans up
            return true;
        }
        ::close(fd);
    }
    errno = EBUSY;
    return false;
}

bool SaveTemporary::commit(mode_t mode) {
    // Ignored where the filesystem has no modes, as a plain write would be.
    (void)::fchmod(fd_, mode);
    if (::fsync(fd_) != 0) return false;
    // Renamed while still locked, so a waiting save sees the name gone.
    if (::rename(path_.c_str(), target_.c_str()) != 0) return false;
    committed_ = true;
    syncFolder(folderOf(target_));
    return true;
}

}  // namespace divelog
