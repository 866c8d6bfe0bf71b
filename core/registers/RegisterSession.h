#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/SortMemory.h"
#include "registers/RegisterDocument.h"
#include "registers/RegisterForm.h"
#include "registers/RegisterSpec.h"

namespace divelog {

class Localisation;
class PickLists;

// A register at work: its document, the edit form, the table's selection
// and sort memory. Selection and binding follow records by identity, so
// inserts, deletes, sorts and undo leave them right.
//
// The form is bound to at most one record and every store writes only into
// it, and only when the user changed the form. A form the user changed while
// bound to nothing is a new card stored nowhere yet: the window asks about it
// (hasUnstoredRecord) before anything would drop it, and until then nothing
// here replaces it.
class RegisterSession {
public:
    RegisterSession(RegisterDocument& document, PickLists& pickLists, const Localisation& texts);
    ~RegisterSession();
    RegisterSession(const RegisterSession&) = delete;
    RegisterSession& operator=(const RegisterSession&) = delete;

    RegisterDocument& document() { return doc_; }
    const RegisterDocument& document() const { return doc_; }
    const RegisterSpec& spec() const { return doc_.spec(); }
    RegisterForm& form() { return form_; }
    const RegisterForm& form() const { return form_; }

    std::vector<std::size_t> selection() const { return doc_.rowsOf(selected_); }
    std::optional<std::size_t> singleSelection() const;
    std::optional<RecordId> boundRecord() const { return bound_; }
    std::optional<std::size_t> boundRow() const;
    bool hasUnstoredRecord() const { return !bound_ && form_.modified(); }

    // After the document was read: the first record shown, or the last for
    // the registers that say so; nothing at all in an empty register.
    void documentLoaded();
    // The table's selection changed: one row loads and binds its record,
    // after storing the edits of the record shown before; none or several
    // leave the form as it is.
    void select(std::vector<std::size_t> rows);
    // An empty form bound to nothing (New and Erase).
    void blankFields();
    void add();     // appends the form as a new record; the form is then empty
    void insert();  // before the single selected row; the new record is then shown
    void update();  // writes the form into the bound record
    // Removes every selected record (the window asked first); false when none.
    bool deleteSelected();
    void previous();
    void next();
    // The edit window opens on `row` (a double-click), else on the single selected row.
    void editWindow(std::optional<std::size_t> row = std::nullopt);
    // Stores the user's edits of the bound record, if any.
    void storePendingEdits();
    void discardUnstoredRecord();

    // A header click on a column: sorts by it in the remembered direction.
    // Returns the direction (true = ascending) for the header's indicator.
    bool sortByColumn(std::string_view field);
    std::optional<std::string> sortColumn() const { return sortMemory_.lastColumn(); }

    // End of editing of a combo box: true when the user must be asked whether
    // to add the typed text to its pick list.
    bool comboNeedsQuestion(std::string_view field, const std::string& typed) const;
    // After the question (or without one): the pick list is kept, and the
    // registers that do so write the form into the shown record.
    void comboEdited(std::string_view field, const std::string& typed, bool addToList);
    // A control that writes at once (the wreck's orientation slider) changed.
    void controlChangedAtOnce() { storePendingEdits(); }

    // The dependent controls for what the form holds now.
    FormState formState() const;
    // The count label.
    std::string countText() const;
    bool canGoPrevious() const;
    bool canGoNext() const;
    // Whether a toolbar item is enabled, by its identifier.
    bool isItemEnabled(std::string_view identifier) const;

    bool canUndo() const;
    bool canRedo() const;
    std::string undoName() const;
    std::string redoName() const;
    void undo();
    void redo();

private:
    void onChange(const RegisterChange& change);
    void loadRow(std::size_t row);
    void selectRows(const std::vector<std::size_t>& rows);
    void step(bool forward);
    void clearForm();

    RegisterDocument& doc_;
    PickLists& pickLists_;
    const Localisation& texts_;
    RegisterForm form_;
    std::vector<RecordId> selected_;
    std::optional<RecordId> bound_;
    SortMemory<std::string> sortMemory_;
};

}  // namespace divelog
