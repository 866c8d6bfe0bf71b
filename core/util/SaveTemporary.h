#pragma once

#include <sys/types.h>

#include <string>

namespace divelog {

// The file a save writes before renaming it over the document. Its name is
// fixed per document (".NAME.divelog-save" in the document's folder) rather
// than random, so a save killed part-way leaves at most that one file and the
// next save of the document takes it over. An flock on it keeps two processes
// saving the same document from writing it at the same time; the later one
// waits and then saves in turn.
//
// Failures return false with errno set; the caller words the message.
class SaveTemporary {
public:
    SaveTemporary() = default;
    // Removes the temporary unless it was committed.
    ~SaveTemporary();
    SaveTemporary(const SaveTemporary&) = delete;
    SaveTemporary& operator=(const SaveTemporary&) = delete;

    // Follows symbolic links from `document` so that the file a link points
    // to is replaced and the link stays, then creates or takes over the
    // temporary beside that file, locked and emptied.
    [[nodiscard]] bool open(const std::string& document);

    int fd() const { return fd_; }
    // The file that commit() replaces: `document` with its links followed.
    const std::string& target() const { return target_; }

    // Gives the temporary `mode`, flushes it to disk, renames it over the
    // target and flushes the folder so that the new name survives a power cut.
    // The target is untouched when this fails.
    [[nodiscard]] bool commit(mode_t mode);

    // The temporary's path for a target path (links already followed).
    static std::string pathFor(const std::string& target);

private:
    std::string target_;
    std::string path_;
    int fd_ = -1;
    bool committed_ = false;
};

}  // namespace divelog
