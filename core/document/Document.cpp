#include "document/Document.h"


namespace divelog {

std::vector<std::uint8_t> Document::dataOfType(std::string_view type, std::string& error) const {
    if (type == info().id) return encodeRecords();
    error = "This document cannot be written as \"" + std::string(type) + "\".";
    return {};
}

bool Document::writeRecords(ByteOutput& out) const { return out.write(encodeRecords()); }

bool Document::saveAs(const std::string& path, std::string_view type, std::string& error) const {
    if (type == info().id)
        return writeFileAtomically(path, [this](ByteOutput& out) { return writeRecords(out); },
                                   error);
    std::string why;
    std::vector<std::uint8_t> bytes = dataOfType(type, why);
    if (bytes.empty()) {
        error = why.empty() ? "There is nothing to write." : why;
        return false;
    }
    return writeFileAtomically(path, bytes, error);
}

bool Document::save(const std::string& path, std::string& error) {
    if (!saveAs(path, info().id, error)) return false;
    filePath_ = path;
    clearChanged();
    return true;
}

bool Document::open(const std::string& path, std::string& error) {
    FileBytes bytes;
    if (!readWholeFile(path, bytes, error)) return false;
    if (!loadData(bytes.bytes(), info().id, error)) return false;
    filePath_ = path;
    // The history of what was shown before does not apply to what was read.
    history_.clear();
    clearChanged();
    return true;
}

bool Document::revert(std::string& error) {
    if (filePath_.empty()) {
        error = "The document has never been saved.";
        return false;
    }
    return open(filePath_, error);
}

}  // namespace divelog
