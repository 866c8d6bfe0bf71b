#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/ListDocument.h"

namespace divelog {

class Localisation;

// A list document at work: its table's selection and the edit form, bound
// to at most one record. Selection and binding follow records by identity,
// so inserts, deletes, sorts and undo anywhere in the list leave them right.
//
// Every store writes only into the bound record, and only when the user
// changed the form. A form the user changed while bound to nothing is a new
// record stored nowhere yet: the window asks about it (hasUnstoredRecord,
// wouldDropUnstored) before anything would drop it, and until then nothing
// here replaces it.
//
// While a command runs, the list's observers (the table model among them)
// are told of its changes, and a view may report the selection it was moved
// to meanwhile. That is not the user's choice: select() ignores it while
// isChanging(), and the window shows the session's selection afterwards.
//
// What differs per kind of record (the form, its blank state, the refresh of
// what the form shows) is a hook of the subclass. Commands return the alert
// keys the window must show; confirmations are asked by the window first.
class ListSession {
public:
    using Alerts = std::vector<std::string>;
    // Why the form goes blank, for the kinds that propose values.
    enum class Blank {
        New,      // a new record is to be typed
        Erase,    // the user cleared the form
        Discard,  // the new record typed was not kept
        Loaded,   // the document was read
    };

    ListSession(ListDocument& list, const Localisation& texts);
    virtual ~ListSession();
    ListSession(const ListSession&) = delete;
    ListSession& operator=(const ListSession&) = delete;

    // Selected rows, ascending.
    std::vector<std::size_t> selection() const { return list_.rowsOf(selected_); }
    std::optional<std::size_t> singleSelection() const;
    std::optional<RecordId> boundRecord() const { return bound_; }
    std::optional<std::size_t> boundRow() const;
    // A new record typed in the form and stored nowhere.
    bool hasUnstoredRecord() const { return !bound_ && formModified(); }
    // The form shows a record of the list, so Update has something to write into.
    bool canUpdate() const { return bound_.has_value(); }
    // Insert has a record to put the form before: the single selected one,
    // else the one selected when New or Erase cleared the selection.
    bool canInsert() const { return insertRow().has_value(); }
    // Whether selecting `rows` (a click, a double-click) shows another record
    // than the one in the form.
    bool wouldShowAnother(const std::vector<std::size_t>& rows) const;
    // Whether it would replace the new record typed in the form: the window asks first.
    bool wouldDropUnstored(const std::vector<std::size_t>& rows) const;
    // True while the session itself changes the list.
    bool isChanging() const { return changing_ > 0; }
    // Whether the last command was refused because the form holds a value it
    // does not accept (its alert says which): it changed nothing, and the
    // window leaves everything as it was.
    bool refused() const { return refused_; }

    // The table's selection changed: one row loads and binds its record
    // (after storing the edits of the record shown before); none or several
    // leave the form alone. Ignored while isChanging().
    Alerts select(std::vector<std::size_t> rows);
    // After the document was read: nothing selected or bound, unless the
    // kind shows a record at once.
    void documentLoaded();

    // A blank form for a new record, after storing the edits of the one shown.
    Alerts newRecord();
    // The form cleared (Erase), after storing the edits of the record shown.
    Alerts blankFields();
    // Appends the form as a new record; the form is then blank for the next.
    Alerts add();
    // Puts the form in as a new record before the single selected row (or
    // the one New or Erase deselected), and shows it; nothing without one.
    Alerts insert();
    // Writes the form into the bound record.
    Alerts update();
    // Removes every selected record (the window asked first); false when none.
    // Deleting the record shown leaves the form blank.
    bool deleteSelected();
    Alerts previous();
    Alerts next();
    // The edit window opens on `row` (a double-click), else on the single
    // selected row; with neither, on the record shown, or a new one.
    Alerts editWindow(std::optional<std::size_t> row = std::nullopt);
    Alerts closeEditWindow();
    // Stores the user's edits of the bound record, if any.
    Alerts storePendingEdits();
    // The answer to the question about the new record typed in the form.
    Alerts keepUnstoredRecord() { return add(); }
    void discardUnstoredRecord();

    // The history; pending edits of the bound record are stored first, so an
    // undo takes back what was typed last.
    bool canUndo() const;
    bool canRedo() const;
    std::string undoName() const;  // the action's name, empty when none
    std::string redoName() const;
    Alerts undo();
    Alerts redo();

protected:
    // Marks the session as changing the list for as long as it lives.
    class Changing {
    public:
        explicit Changing(ListSession& s) : s_(s) { ++s_.changing_; }
        ~Changing() { --s_.changing_; }
        Changing(const Changing&) = delete;
        Changing& operator=(const Changing&) = delete;

    private:
        ListSession& s_;
    };

    // The form, as each kind has it.
    virtual bool formModified() const = 0;
    virtual void formStored() = 0;                 // the form's edits are in the record now
    virtual void showRecord(std::size_t row) = 0;  // loads the record at `row`
    virtual void blankForm(Blank why) = 0;
    // Stores the form as a new record, appended or before `row`; its identity.
    virtual std::optional<RecordId> storeAsNew(std::optional<std::size_t> row, Alerts& alerts) = 0;
    // Stores the form into a record of the list, as a step named `nameKey`
    // (the list's update name when empty).
    virtual void storeInto(RecordId id, std::string_view nameKey, Alerts& alerts) = 0;
    // Why the form cannot be stored as it is; none when it can.
    virtual std::optional<std::string> storeRefusal() const { return std::nullopt; }
    // One field of the bound record changed under the form; by default the
    // record is shown again unless the user changed the form.
    virtual void showChangedField(std::size_t row, std::size_t field);
    // After every command: what the form shows beside the record.
    virtual void refresh() {}
    // After the session followed a change of the list, whoever made it.
    virtual void listChanged(const ListChange&) {}
    // The row a freshly read document shows, if any.
    virtual std::optional<std::size_t> rowShownAtLoad() const { return std::nullopt; }
    // Whether New and Erase keep the selection.
    virtual bool blankKeepsSelection() const { return true; }

    // Stores the pending edits under another name (a profile applied).
    Alerts storePendingEdits(std::string_view nameKey);
    void selectRows(const std::vector<std::size_t>& rows);
    void bind(std::size_t row);
    ListDocument& listDocument() { return list_; }
    const ListDocument& listDocument() const { return list_; }
    const Localisation& texts() const { return texts_; }

private:
    // Starts a command: nothing refused yet.
    void begin() { refused_ = false; }
    // True, with the reason in `alerts`, when the form cannot be stored.
    bool refuses(Alerts& alerts);
    Alerts storeEdits(std::string_view nameKey);
    void onChange(const ListChange& change);
    Alerts step(bool forward);
    void blank(Blank why);
    // Clears the selection for a blank form, remembering where Insert goes.
    void deselectForBlank();
    std::optional<std::size_t> insertRow() const;

    ListDocument& list_;
    const Localisation& texts_;
    std::vector<RecordId> selected_;
    std::optional<RecordId> bound_;
    // Where Insert puts a new record while New or Erase left nothing selected.
    std::optional<RecordId> insertBefore_;
    int changing_ = 0;
    bool refused_ = false;
};

}  // namespace divelog
