#pragma once

#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "document/Document.h"
#include "logbook/Plongee.h"

namespace divelog {

// The logbook document: its ordered dive list (display, save and numbering
// order). The list operations here are the ones the commands build on; they
// take indices that the caller has checked against the selection.
class Carnet : public Document {
public:
    using DiveList = std::vector<std::unique_ptr<Plongee>>;

    Carnet();

    const DiveList& dives() const { return _carnet; }
    std::size_t recordCount() const override { return _carnet.size(); }
    const Plongee& dive(std::size_t index) const { return *_carnet.at(index); }
    // For changes that keep the record's identity (renumbering, editing a cell);
    // the caller marks the document.
    Plongee& dive(std::size_t index) { return *_carnet.at(index); }

    // Number of the last dive in list order + 1; 1 for an empty logbook.
    std::int32_t nextDiveNumber() const;

    // Each marks the document changed once. Out-of-range indices change nothing
    // and return false.
    void addDive(std::unique_ptr<Plongee> dive);
    bool insertDive(std::size_t index, std::unique_ptr<Plongee> dive);  // before `index`
    bool updateDive(std::size_t index, std::unique_ptr<Plongee> dive);
    // Removes every listed index (any order, duplicates ignored); returns how many.
    std::size_t deleteDives(std::vector<std::size_t> indices);

    // Neighbours of a selected row, none at either end.
    std::optional<std::size_t> previousIndex(std::size_t index) const;
    std::optional<std::size_t> nextIndex(std::size_t index) const;

    // Take and put back the list without marking the document (sorting, imports).
    DiveList takeDives() { return std::exchange(_carnet, {}); }
    void replaceDives(DiveList dives) { _carnet = std::move(dives); }

    bool loadData(std::span<const std::uint8_t> bytes, std::string_view type,
                  std::string& error) override;

protected:
    std::vector<std::uint8_t> encodeRecords() const override;
    bool writeRecords(ByteOutput& out) const override;

private:
    DiveList _carnet;
};

}  // namespace divelog
