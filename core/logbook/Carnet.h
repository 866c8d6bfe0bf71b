#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "document/Document.h"
#include "dive/Plongee.h"

namespace divelog {

// A dive's identity in its logbook: kept through updates, inserts, deletes,
// sorts and their undoing, never reused while the logbook is open.
using DiveId = std::uint64_t;

// What one change did to the dive list, told to the observers after it was
// made. Rows are ascending.
struct CarnetChange {
    enum class Kind {
        Inserted,  // `rows`: where the new dives now are
        Removed,   // `rows`: where the removed dives were
        Changed,   // `rows`: dives whose content changed (only `field` when given);
                   // every dive when `allRows`, with `rows` and `ids` left empty
        Moved,     // the same dives in another order: `newRowOf[old row]`
        Reset,     // a whole new list
    };
    Kind kind;
    std::vector<std::size_t> rows;
    std::vector<DiveId> ids;  // the dives of `rows`, in the same order
    std::vector<std::size_t> newRowOf;
    std::optional<Plongee::Field> field;
    bool allRows = false;

    // Whether the change is about this dive (removed, or changed).
    bool concerns(DiveId id) const;
};

// The logbook document: its ordered dive list (display, save and numbering
// order). Every change a user makes is a command on the document's history,
// so it can be undone, and is told to the observers as a CarnetChange.
class Carnet : public Document {
public:
    using DiveList = std::vector<std::unique_ptr<Plongee>>;
    using Observer = std::function<void(const CarnetChange&)>;

    Carnet();

    const DiveList& dives() const { return _carnet; }
    std::size_t recordCount() const override { return _carnet.size(); }
    RecordVersions recordVersions() const override {
        return {Plongee::kOldestVersion, Plongee::kClassVersion};
    }
    const Plongee& dive(std::size_t index) const { return *_carnet.at(index); }
    DiveId idAt(std::size_t index) const { return ids_.at(index); }
    std::optional<std::size_t> rowOf(DiveId id) const;
    // Rows of the listed dives that are still here, ascending.
    std::vector<std::size_t> rowsOf(const std::vector<DiveId>& ids) const;

    // Number of the last dive in list order + 1; 1 for an empty logbook. A
    // last number at the top of the range proposes that number again.
    std::int32_t nextDiveNumber() const;

    // The commands. Each is one step of the history and marks the document
    // changed, except sorting. Out-of-range rows and unknown dives change
    // nothing and return false or none.
    DiveId addDive(std::unique_ptr<Plongee> dive);
    std::optional<DiveId> insertDive(std::size_t index, std::unique_ptr<Plongee> dive);
    // `nameKey` names the step in the Edit menu (table "Main").
    bool updateDive(DiveId id, std::unique_ptr<Plongee> dive,
                    std::string_view nameKey = "Update Dive");
    // Removes every listed row (any order, duplicates ignored); returns how many.
    std::size_t deleteDives(std::vector<std::size_t> rows);
    // Numbers the dives from `first` on, in list order.
    void renumber(std::int32_t first);
    // Writes one field of one dive (editing a table cell).
    bool setField(std::size_t row, Plongee::Field field, const Plongee::Value& value);
    // Reorders by a field with plain value comparison; stable.
    void sortDives(Plongee::Field field, bool ascending);
    // Appends dives read from elsewhere, all as one step ("Import Dives").
    std::vector<DiveId> appendDives(DiveList dives);

    // Replaces the whole list as reading a file does: new identities, the
    // history forgotten, the observers told of a reset.
    void loadDives(DiveList dives);

    // Neighbours of a selected row, none at either end.
    std::optional<std::size_t> previousIndex(std::size_t index) const;
    std::optional<std::size_t> nextIndex(std::size_t index) const;

    void addObserver(const void* owner, Observer observer);
    void removeObserver(const void* owner);

    bool loadData(std::span<const std::uint8_t> bytes, std::string_view type,
                  std::string& error) override;

protected:
    std::vector<std::uint8_t> encodeRecords() const override;
    bool writeRecords(ByteOutput& out) const override;

private:
    friend class CarnetEdit;
    DiveId newId() { return nextId_++; }
    void notify(const CarnetChange& change);

    DiveList _carnet;
    std::vector<DiveId> ids_;  // parallel to _carnet
    DiveId nextId_ = 1;
    // Set while the dives are known to be numbered from this number on, one
    // by one in list order (after a renumbering, until any other change), so
    // the next renumbering need not read the numbers it replaces.
    std::optional<std::int32_t> numberedFrom_;
    std::vector<std::pair<const void*, Observer>> observers_;
};

}  // namespace divelog
