#include "logbook/CarnetEdit.h"

#include <limits>
#include <utility>

namespace divelog {

void CarnetEdit::insert(Carnet& c, std::vector<PlacedDive>& dives) {
    if (dives.empty()) return;
    CarnetChange change{CarnetChange::Kind::Inserted, {}, {}, {}, {}};
    const std::size_t total = c._carnet.size() + dives.size();
    Carnet::DiveList list;
    std::vector<DiveId> ids;
    list.reserve(total);
    ids.reserve(total);
    std::size_t from = 0, next = 0;
    for (std::size_t row = 0; row < total; ++row) {
        if (next < dives.size() && dives[next].row == row) {
            change.rows.push_back(row);
            change.ids.push_back(dives[next].id);
            ids.push_back(dives[next].id);
            list.push_back(std::move(dives[next].dive));
            ++next;
        } else {
            ids.push_back(c.ids_[from]);
            list.push_back(std::move(c._carnet[from]));
            ++from;
        }
    }
    c._carnet = std::move(list);
    c.ids_ = std::move(ids);
    dives.clear();
    c.notify(change);
}

std::vector<PlacedDive> CarnetEdit::remove(Carnet& c, const std::vector<std::size_t>& rows) {
    std::vector<PlacedDive> out;
    if (rows.empty()) return out;
    out.reserve(rows.size());
    CarnetChange change{CarnetChange::Kind::Removed, rows, {}, {}, {}};
    change.ids.reserve(rows.size());
    // One compaction pass keeps a large multi-row delete linear.
    std::size_t kept = rows.front(), next = 0;
    for (std::size_t i = rows.front(); i < c._carnet.size(); ++i) {
        if (next < rows.size() && rows[next] == i) {
            change.ids.push_back(c.ids_[i]);
            out.push_back({i, c.ids_[i], std::move(c._carnet[i])});
            ++next;
            continue;
        }
        c._carnet[kept] = std::move(c._carnet[i]);
        c.ids_[kept] = c.ids_[i];
        ++kept;
    }
    c._carnet.resize(kept);
    c.ids_.resize(kept);
    c.notify(change);
    return out;
}

void CarnetEdit::swapRecord(Carnet& c, std::size_t row, std::unique_ptr<Plongee>& record) {
    std::swap(c._carnet[row], record);
    c.notify({CarnetChange::Kind::Changed, {row}, {c.ids_[row]}, {}, {}});
}

void CarnetEdit::swapField(Carnet& c, std::size_t row, Plongee::Field field,
                           Plongee::Value& value) {
    Plongee& dive = *c._carnet[row];
    Plongee::Value old = dive.value(field);
    dive.setValue(field, value);
    value = std::move(old);
    c.notify({CarnetChange::Kind::Changed, {row}, {c.ids_[row]}, {}, field});
}

namespace {

void appendNumber(NumberRuns& runs, std::int32_t n) {
    if (!runs.empty()) {
        NumberRun& last = runs.back();
        if (static_cast<std::int64_t>(last.first) + last.count == n) {
            ++last.count;
            return;
        }
    }
    runs.push_back({n, 1});
}

}  // namespace

void CarnetEdit::swapNumbers(Carnet& c, NumberRuns& numbers) {
    NumberRuns old;
    std::size_t i = 0;
    for (const NumberRun& run : numbers) {
        for (std::uint32_t k = 0; k < run.count && i < c._carnet.size(); ++k, ++i) {
            Plongee& dive = *c._carnet[i];
            appendNumber(old, dive.noPlongee());
            dive.setNoPlongee(static_cast<std::int32_t>(run.first + static_cast<std::int64_t>(k)));
        }
    }
    const bool oneRun = numbers.size() == 1 && numbers.front().count == c._carnet.size();
    const std::int32_t from = oneRun ? numbers.front().first : 0;
    numbers = std::move(old);
    CarnetChange change{CarnetChange::Kind::Changed, {}, {}, {}, Plongee::Field::noPlongee};
    change.allRows = true;
    c.notify(change);
    if (oneRun) c.numberedFrom_ = from;
}

NumberRuns CarnetEdit::renumber(Carnet& c, std::int32_t first) {
    NumberRuns old;
    const std::size_t n = c._carnet.size();
    std::int32_t number = first;
    if (c.numberedFrom_) {
        // The numbers being replaced are known: write only.
        old.push_back({*c.numberedFrom_, static_cast<std::uint32_t>(n)});
        for (auto& dive : c._carnet) {
            dive->setNoPlongee(number);
            if (number < std::numeric_limits<std::int32_t>::max()) ++number;
        }
    } else {
        for (auto& dive : c._carnet) {
            appendNumber(old, dive->noPlongee());
            dive->setNoPlongee(number);
            if (number < std::numeric_limits<std::int32_t>::max()) ++number;
        }
    }
    CarnetChange change{CarnetChange::Kind::Changed, {}, {}, {}, Plongee::Field::noPlongee};
    change.allRows = true;
    c.notify(change);
    // Numbers that stopped at the top of the range are no longer one by one.
    if (n > 0 && static_cast<std::int64_t>(first) + static_cast<std::int64_t>(n) - 1 <=
                     std::numeric_limits<std::int32_t>::max())
        c.numberedFrom_ = first;
    return old;
}

void CarnetEdit::reorder(Carnet& c, const std::vector<std::size_t>& order) {
    CarnetChange change{CarnetChange::Kind::Moved, {}, {}, {}, {}};
    change.newRowOf.resize(order.size());
    Carnet::DiveList list;
    std::vector<DiveId> ids;
    list.reserve(order.size());
    ids.reserve(order.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        list.push_back(std::move(c._carnet[order[i]]));
        ids.push_back(c.ids_[order[i]]);
        change.newRowOf[order[i]] = i;
    }
    c._carnet = std::move(list);
    c.ids_ = std::move(ids);
    c.notify(change);
}

}  // namespace divelog
