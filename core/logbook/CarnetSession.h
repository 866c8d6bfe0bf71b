#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "logbook/Carnet.h"
#include "logbook/DiveForm.h"
#include "logbook/DiveTable.h"
#include "profile/ProfileDataSheet.h"
#include "settings/AppContext.h"

namespace divelog {

// A scope of the find menu: the dive field searched, the menu command's name
// and its title key (table "Carnet").
struct SearchScope {
    Plongee::Field field;
    std::string_view command;
    std::string_view titleKey;
};

struct SearchResult {
    std::vector<std::size_t> rows;
    std::string countText;  // "One dive found" or "Found dives"
    std::vector<std::string> alerts;  // from storing the edits of the dive shown before
};

// The logbook at work: the document, the dive form, the table's selection
// and sort memory. Selection and binding follow dives by identity, so
// inserts, deletes, sorts and undo elsewhere in the list leave them right.
//
// The form is bound to at most one dive. Every store writes only into that
// dive, and only when the user changed the form; a form the user changed
// while bound to nothing is a new dive that is stored nowhere yet, and the
// window asks about it (hasUnstoredDive) before anything would drop it;
// until then, nothing here replaces it.
// Commands return the alert keys (table "Carnet") the window must show;
// confirmations are asked by the window before it calls.
class CarnetSession {
public:
    using Alerts = std::vector<std::string>;
    using Field = Plongee::Field;

    // The search scopes of the find menu, in menu order.
    static const std::vector<SearchScope>& searchScopes();

    CarnetSession(Carnet& carnet, AppContext& context);
    ~CarnetSession();
    CarnetSession(const CarnetSession&) = delete;
    CarnetSession& operator=(const CarnetSession&) = delete;

    Carnet& carnet() { return carnet_; }
    const Carnet& carnet() const { return carnet_; }
    DiveForm& form() { return form_; }
    const DiveForm& form() const { return form_; }
    DiveTable& table() { return table_; }
    const FormReadouts& readouts() const { return readouts_; }

    // Selected rows, ascending.
    std::vector<std::size_t> selection() const { return carnet_.rowsOf(selected_); }
    std::optional<std::size_t> singleSelection() const;
    std::optional<DiveId> boundDive() const { return bound_; }
    std::optional<std::size_t> boundRow() const;
    // A new dive typed in the form and stored nowhere.
    bool hasUnstoredDive() const { return !bound_ && form_.modified(); }
    // The form shows a dive of the logbook, so Update has something to write into.
    bool canUpdate() const { return bound_.has_value(); }

    // The table's selection changed: one row loads and binds its dive (after
    // storing the user's edits of the dive shown before); none or several
    // leave the form alone.
    Alerts select(std::vector<std::size_t> rows);
    // After the document was read from a file: nothing selected or bound.
    void documentLoaded();

    Alerts newDive();    // blank form, next number and the time now proposed
    void blankFields();  // blank form, number left empty
    Alerts addDive();
    Alerts insertDive();  // needs exactly one selected row
    Alerts updateDive();  // writes into the bound dive
    // Removes every selected dive (the window asked first); false when none.
    bool deleteSelected();
    Alerts previousDive();
    Alerts nextDive();
    // The edit window opens on `row` (a double-click), else on the single
    // selected row; with neither, on the dive shown, or a new one.
    Alerts editWindow(std::optional<std::size_t> row = std::nullopt);
    Alerts closeEditWindow();
    // Stores the user's edits of the bound dive, if any (before saving).
    Alerts storePendingEdits();
    // The user chose not to keep the new dive typed in the form.
    void discardUnstoredDive();

    // The profile-data window's apply: the ticked series replace the form's,
    // and a shown dive is stored with them as one step ("Apply Profile"). A
    // form bound to no dive keeps them for the dive being typed. A depth or
    // pressure that is no number applies nothing.
    struct ProfileApplied {
        ProfileDataSheet::Applied sheet;
        Alerts alerts;
    };
    ProfileApplied applyProfile(const ProfileDataSheet& sheet);

    // Dives read from a file join the end of the logbook as one step; the
    // form and the selection are left as they were.
    std::vector<DiveId> importDives(Carnet::DiveList dives);

    void sortByColumn(Field column);
    void renumber(std::int32_t firstNumber);
    // Case and accents are folded as Unicode says; a single hit is selected
    // and shown as a click would; an empty text selects nothing.
    SearchResult find(Field field, std::string_view text);
    // Editing a table cell in place; false (nothing changed) for a column
    // that is not plain text or a text equal to the field's.
    bool editCell(std::size_t row, Field column, const std::string& text);

    // The history; pending edits of the bound dive are stored first, so an
    // undo takes back what was typed last.
    bool canUndo() const;
    bool canRedo() const;
    std::string undoName() const;  // the action's name, empty when none
    std::string redoName() const;
    Alerts undo();
    Alerts redo();

    // Recomputes the form's read-outs. Counted, so tests can check that one
    // user action recomputes the logbook-wide figures once.
    const FormReadouts& refresh();
    std::size_t refreshCount() const { return refreshCount_; }

private:
    void onChange(const CarnetChange& change);
    Alerts storeInto(DiveId id, std::string_view nameKey = "Update Dive");
    void loadRow(std::size_t row);
    void selectRows(const std::vector<std::size_t>& rows);
    Alerts step(bool forward);
    void clearForm();

    Carnet& carnet_;
    AppContext& context_;
    DiveForm form_;
    DiveTable table_;
    FormReadouts readouts_;
    std::vector<DiveId> selected_;
    std::optional<DiveId> bound_;
    std::size_t refreshCount_ = 0;
};

}  // namespace divelog
