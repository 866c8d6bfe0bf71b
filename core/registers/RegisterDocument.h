#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "document/Document.h"
#include "registers/Record.h"

namespace divelog {

class RegisterSpec;

// A record's identity in its register: kept through updates, inserts,
// deletes, sorts and their undoing.
using RecordId = std::uint64_t;

// What one change did to the record list, told to the observers after it was
// made. Rows are ascending.
struct RegisterChange {
    enum class Kind {
        Inserted,  // `rows`: where the new records now are
        Removed,   // `rows`: where the removed records were
        Changed,   // `rows`: records whose content changed
        Moved,     // the same records in another order: `newRowOf[old row]`
        Reset,     // a whole new list
    };
    Kind kind;
    std::vector<std::size_t> rows;
    std::vector<RecordId> ids;  // the records of `rows`, in the same order
    std::vector<std::size_t> newRowOf;

    bool concerns(RecordId id) const;
};

// A side register: an ordered list of records of one class, saved as the
// record archive of that list. Every change a user makes is one step of the
// document's history and is told to the observers as a RegisterChange; only
// sorting leaves the document unmarked.
class RegisterDocument : public Document {
public:
    using Observer = std::function<void(const RegisterChange&)>;

    RegisterDocument(DocumentKind kind, const RegisterSpec& spec);

    const RegisterSpec& spec() const { return spec_; }
    std::size_t recordCount() const override { return records_.size(); }
    RecordVersions recordVersions() const override;
    const Record& record(std::size_t row) const { return *records_.at(row); }
    RecordId idAt(std::size_t row) const { return ids_.at(row); }
    std::optional<std::size_t> rowOf(RecordId id) const;
    std::vector<std::size_t> rowsOf(const std::vector<RecordId>& ids) const;

    // The commands. A record of another class, a row out of range or an
    // unknown identity changes nothing and returns false or none.
    std::optional<RecordId> add(Record record);
    std::optional<RecordId> insert(std::size_t row, Record record);
    bool update(RecordId id, Record record);
    // Removes every listed row (any order, duplicates ignored); returns how many.
    std::size_t erase(std::vector<std::size_t> rows);
    // Orders the list by one field, stable, with the natural comparison of its values.
    void sortBy(std::size_t field, bool ascending);
    // Replaces the list as reading a file does: the history forgotten.
    void loadRecords(std::vector<Record> records);

    void addObserver(const void* owner, Observer observer);
    void removeObserver(const void* owner);

    bool loadData(std::span<const std::uint8_t> bytes, std::string_view type,
                  std::string& error) override;

private:
    friend class RegisterEdit;
    std::vector<std::uint8_t> encodeRecords() const override;
    bool writeRecords(ByteOutput& out) const override;
    bool ownsClass(const Record& record) const;
    void notify(const RegisterChange& change);

    const RegisterSpec& spec_;
    std::vector<std::unique_ptr<Record>> records_;
    std::vector<RecordId> ids_;  // parallel to records_
    RecordId nextId_ = 1;
    std::vector<std::pair<const void*, Observer>> observers_;
};

}  // namespace divelog
