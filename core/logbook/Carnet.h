#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "dive/Plongee.h"
#include "document/RecordListDocument.h"

namespace divelog {

// A dive's identity in its logbook.
using DiveId = RecordId;

// The logbook document: its ordered dive list (display, save and numbering
// order) on the list machinery every list document shares, with what only
// dives have: numbers, in-place field edits and sorting by a field.
class Carnet : public RecordListDocument<Plongee> {
public:
    using DiveList = List;

    Carnet();

    const DiveList& dives() const { return records(); }
    const Plongee& dive(std::size_t index) const { return recordAt(index); }
    RecordVersions recordVersions() const override {
        return {Plongee::kOldestVersion, Plongee::kClassVersion};
    }

    // Number of the last dive in list order + 1; 1 for an empty logbook. A
    // last number at the top of the range proposes that number again.
    std::int32_t nextDiveNumber() const;
    // The highest number + 1 (1 for an empty logbook): where dives read from a
    // file start, so they never take a number the logbook already holds.
    std::int32_t numberAfterHighest() const;

    // The logbook's own commands, each one step of the history.
    // Numbers the dives from `first` on, in list order.
    void renumber(std::int32_t first);
    // Writes one field of one dive (editing a table cell); false when nothing changed.
    bool setField(std::size_t row, Plongee::Field field, const Plongee::Value& value);
    // Reorders by a field with plain value comparison; stable. Leaves the document unmarked.
    void sortDives(Plongee::Field field, bool ascending);

    bool loadData(std::span<const std::uint8_t> bytes, std::string_view type,
                  std::string& error) override;

protected:
    std::vector<std::uint8_t> encodeRecords() const override;
    bool writeRecords(ByteOutput& out) const override;
    // Any change may touch the numbers; renumbering sets them known again.
    void aboutToNotify(const ListChange&) override { numberedFrom_.reset(); }

private:
    friend class CarnetEdit;

    // Set while the dives are known to be numbered from this number on, one
    // by one in list order (after a renumbering, until any other change), so
    // the next renumbering need not read the numbers it replaces.
    std::optional<std::int32_t> numberedFrom_;
};

}  // namespace divelog
