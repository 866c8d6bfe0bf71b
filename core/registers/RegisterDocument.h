#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "document/RecordListDocument.h"
#include "registers/Record.h"

namespace divelog {

class RegisterSpec;

// A side register: an ordered list of records of one class on the list
// machinery every list document shares, saved as the record archive of that
// list. A record of another class is refused.
class RegisterDocument : public RecordListDocument<Record> {
public:
    RegisterDocument(DocumentKind kind, const RegisterSpec& spec);

    const RegisterSpec& spec() const { return spec_; }
    const Record& record(std::size_t row) const { return recordAt(row); }
    RecordVersions recordVersions() const override;

    // Orders the list by one field, stable, with the natural comparison of its values.
    void sortBy(std::size_t field, bool ascending);
    // Replaces the list as reading a file does: the history forgotten.
    void loadRecords(std::vector<Record> records);

    bool loadData(std::span<const std::uint8_t> bytes, std::string_view type,
                  std::string& error) override;

protected:
    bool accepts(const Record& record) const override;

private:
    std::vector<std::uint8_t> encodeRecords() const override;
    bool writeRecords(ByteOutput& out) const override;

    const RegisterSpec& spec_;
};

}  // namespace divelog
