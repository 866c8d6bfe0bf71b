#include "logbook/CarnetEdit.h"

#include <limits>
#include <utility>

namespace divelog {

void CarnetEdit::swapField(Carnet& c, std::size_t row, Plongee::Field field,
                           Plongee::Value& value) {
    Plongee& dive = c.recordAtRow(row);
    Plongee::Value old = dive.value(field);
    dive.setValue(field, value);
    value = std::move(old);
    c.notify(
        {ListChange::Kind::Changed, {row}, {c.ids_[row]}, {}, static_cast<std::size_t>(field)});
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
        for (std::uint32_t k = 0; k < run.count && i < c.records_.size(); ++k, ++i) {
            Plongee& dive = *c.records_[i];
            appendNumber(old, dive.noPlongee());
            dive.setNoPlongee(static_cast<std::int32_t>(run.first + static_cast<std::int64_t>(k)));
        }
    }
    const bool oneRun = numbers.size() == 1 && numbers.front().count == c.records_.size();
    const std::int32_t from = oneRun ? numbers.front().first : 0;
    numbers = std::move(old);
    ListChange change{
        ListChange::Kind::Changed, {}, {}, {}, static_cast<std::size_t>(Plongee::Field::noPlongee)};
    change.allRows = true;
    c.notify(change);
    if (oneRun) c.numberedFrom_ = from;
}

NumberRuns CarnetEdit::renumber(Carnet& c, std::int32_t first) {
    NumberRuns old;
    const std::size_t n = c.records_.size();
    std::int32_t number = first;
    if (c.numberedFrom_) {
        // The numbers being replaced are known: write only.
        old.push_back({*c.numberedFrom_, static_cast<std::uint32_t>(n)});
        for (auto& dive : c.records_) {
            dive->setNoPlongee(number);
            if (number < std::numeric_limits<std::int32_t>::max()) ++number;
        }
    } else {
        for (auto& dive : c.records_) {
            appendNumber(old, dive->noPlongee());
            dive->setNoPlongee(number);
            if (number < std::numeric_limits<std::int32_t>::max()) ++number;
        }
    }
    ListChange change{
        ListChange::Kind::Changed, {}, {}, {}, static_cast<std::size_t>(Plongee::Field::noPlongee)};
    change.allRows = true;
    c.notify(change);
    // Numbers that stopped at the top of the range are no longer one by one.
    if (n > 0 && static_cast<std::int64_t>(first) + static_cast<std::int64_t>(n) - 1 <=
                     std::numeric_limits<std::int32_t>::max())
        c.numberedFrom_ = first;
    return old;
}

}  // namespace divelog
