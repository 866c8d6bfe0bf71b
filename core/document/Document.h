#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "document/DocumentError.h"
#include "document/DocumentKind.h"
#include "document/UndoStack.h"
#include "util/FileIO.h"

namespace divelog {

// A document of one kind: an ordered record list saved as a record archive.
// Failures are reported as false with a DocumentError (what to tell the user,
// and the technical reason) or, in the string forms, the technical reason
// alone; never thrown.
class Document {
public:
    explicit Document(DocumentKind kind) : kind_(kind) {}
    virtual ~Document() = default;
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;

    DocumentKind kind() const { return kind_; }
    const DocumentKindInfo& info() const { return kindInfo(kind_); }

    const std::string& filePath() const { return filePath_; }
    void setFilePath(std::string path) { filePath_ = std::move(path); }

    // Changed when its history moved away from the saved state.
    bool isChanged() const { return history_.changedSinceClean(); }
    void clearChanged() { history_.setClean(); }
    UndoStack& history() { return history_; }
    const UndoStack& history() const { return history_; }

    // The bytes of the document under a type: the kind's id gives the record
    // archive; subclasses may answer export types. An empty result with
    // `error` set means no data for that type.
    virtual std::vector<std::uint8_t> dataOfType(std::string_view type, std::string& error) const;
    // Replaces the record list from a record archive of the kind's own type.
    // On failure the document is unchanged.
    [[nodiscard]] virtual bool loadData(std::span<const std::uint8_t> bytes, std::string_view type,
                                        std::string& error) = 0;

    virtual std::size_t recordCount() const = 0;
    // The versions of its record class this document reads.
    virtual RecordVersions recordVersions() const = 0;

    // Atomic save under the kind's own type; on success the path is kept and
    // the change mark cleared.
    [[nodiscard]] bool save(const std::string& path, DocumentError& error);
    [[nodiscard]] bool save(const std::string& path, std::string& error);
    // Writes an export or a copy without changing the document's path or mark.
    [[nodiscard]] bool saveAs(const std::string& path, std::string_view type,
                              std::string& error) const;
    // Reads the file at `path`, which must hold this document's kind; the
    // document is replaced only on success.
    [[nodiscard]] bool open(const std::string& path, DocumentError& error);
    [[nodiscard]] bool open(const std::string& path, std::string& error);
    // Replaces the records from the bytes of a file of this kind, explaining a
    // refusal; the document is unchanged on failure.
    [[nodiscard]] bool load(std::span<const std::uint8_t> bytes, DocumentError& error);
    // Rereads the document's own file; nothing changes on failure.
    [[nodiscard]] bool revert(DocumentError& error);
    [[nodiscard]] bool revert(std::string& error);

protected:
    virtual std::vector<std::uint8_t> encodeRecords() const = 0;
    // Saving streams the archive; by default it writes encodeRecords().
    virtual bool writeRecords(ByteOutput& out) const;

private:
    DocumentKind kind_;
    std::string filePath_;
    UndoStack history_;
};

}  // namespace divelog
