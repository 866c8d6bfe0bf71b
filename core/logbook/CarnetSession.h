#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "logbook/Carnet.h"
#include "logbook/DiveForm.h"
#include "logbook/DiveTable.h"
#include "settings/AppContext.h"

namespace divelog {

struct SearchResult {
    std::vector<std::size_t> rows;
    std::string countText;  // "One dive found" or "Found dives"
};

// The logbook at work: the document, the dive form and the table's selection
// and sort memory. The form is bound to at most one record, by identity, and
// an implicit store (previous/next, closing the edit window) only ever writes
// into that record, only when it is the one selected row, and only when the
// user changed the form. Commands return the alert keys (table "Carnet") the
// window must show; confirmations are asked by the window before it calls.
class CarnetSession {
public:
    using Alerts = std::vector<std::string>;

    CarnetSession(Carnet& carnet, AppContext& context);

    Carnet& carnet() { return carnet_; }
    const Carnet& carnet() const { return carnet_; }
    DiveForm& form() { return form_; }
    const DiveForm& form() const { return form_; }
    DiveTable& table() { return table_; }
    const FormReadouts& readouts() const { return readouts_; }

    const std::vector<std::size_t>& selection() const { return selection_; }
    std::optional<std::size_t> singleSelection() const;
    const Plongee* boundDive() const { return bound_; }

    // The table's selection changed: one row loads and binds its dive; none or
    // several leave the form alone.
    void select(std::vector<std::size_t> rows);
    // After the document was read from a file: nothing selected or bound.
    void documentLoaded();

    void newDive();     // blank form, next number proposed
    void blankFields(); // blank form, number left empty
    Alerts addDive();
    Alerts insertDive();  // needs exactly one selected row
    Alerts updateDive();  // needs exactly one selected row
    // Removes every selected dive (the window asked first); false when none.
    bool deleteSelected();
    Alerts previousDive();
    Alerts nextDive();
    // Loads the single selected dive, if any, for the edit window.
    void editWindow();
    Alerts closeEditWindow();

    void sortByColumn(std::string_view column);
    void renumber(std::int32_t firstNumber);
    SearchResult find(std::string_view field, std::string_view text);
    // Editing a table cell in place; false (nothing changed) for a column
    // that is not plain text.
    bool editCell(std::size_t row, std::string_view column, const std::string& text);

    // Recomputes the form's read-outs. Counted, so tests can check that one
    // user action recomputes the logbook-wide figures once.
    const FormReadouts& refresh();
    std::size_t refreshCount() const { return refreshCount_; }

private:
    bool boundIsSelected() const;
    Alerts storeInto(std::size_t row);
    void loadRow(std::size_t row);
    Alerts step(bool forward);
    std::optional<std::size_t> rowOf(const Plongee* dive) const;

    Carnet& carnet_;
    AppContext& context_;
    DiveForm form_;
    DiveTable table_;
    FormReadouts readouts_;
    std::vector<std::size_t> selection_;
    const Plongee* bound_ = nullptr;
    std::size_t refreshCount_ = 0;
};

}  // namespace divelog
