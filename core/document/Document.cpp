#include "document/Document.h"

#include <cerrno>

#include "document/DocumentFile.h"

namespace divelog {

std::vector<std::uint8_t> Document::dataOfType(std::string_view type, std::string& error) const {
    if (type == info().id) return encodeRecords();
    error = "This document cannot be written as \"" + std::string(type) + "\".";
    return {};
}

bool Document::writeRecords(ByteOutput& out) const { return out.write(encodeRecords()); }

bool Document::saveAs(const std::string& path, std::string_view type, std::string& error) const {
    if (type == info().id)
        return writeFileAtomically(
            path, [this](ByteOutput& out) { return writeRecords(out); }, error);
    std::string why;
    std::vector<std::uint8_t> bytes = dataOfType(type, why);
    if (bytes.empty()) {
        error = why.empty() ? "There is nothing to write." : why;
        return false;
    }
    return writeFileAtomically(path, bytes, error);
}

bool Document::save(const std::string& path, DocumentError& error) {
    errno = 0;
    std::string why;
    if (!saveAs(path, info().id, why)) {
        // The file layer leaves the failing call's errno in place.
        error = {problemOfSystemError(errno), std::nullopt, std::move(why)};
        return false;
    }
    filePath_ = path;
    clearChanged();
    return true;
}

bool Document::save(const std::string& path, std::string& error) {
    DocumentError e;
    if (save(path, e)) return true;
    error = std::move(e.details);
    return false;
}

bool Document::load(std::span<const std::uint8_t> bytes, DocumentError& error) {
    std::string why;
    if (loadData(bytes, info().id, why)) {
        // The history of what was shown before does not apply to what was read.
        history_.clear();
        return true;
    }
    error = explainRefusal(info(), recordVersions(), bytes, std::move(why));
    return false;
}

bool Document::open(const std::string& path, DocumentError& error) {
    FileBytes bytes;
    if (!readDocumentFile(path, bytes, error) || !load(bytes.bytes(), error)) return false;
    filePath_ = path;
    clearChanged();
    return true;
}

bool Document::open(const std::string& path, std::string& error) {
    DocumentError e;
    if (open(path, e)) return true;
    error = std::move(e.details);
    return false;
}

bool Document::revert(DocumentError& error) {
    if (filePath_.empty()) {
        error = {DocumentProblem::FileNotFound, std::nullopt, "The document has never been saved."};
        return false;
    }
    return open(filePath_, error);
}

bool Document::revert(std::string& error) {
    DocumentError e;
    if (revert(e)) return true;
    error = std::move(e.details);
    return false;
}

}  // namespace divelog
