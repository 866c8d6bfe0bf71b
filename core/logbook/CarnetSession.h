#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/ListSession.h"
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
    std::string countText;            // "One dive found" or "Found dives"
    std::vector<std::string> alerts;  // from storing the edits of the dive shown before
};

// The logbook at work: the shared list session over the dives, with the
// dive form, the table's rules and sort memory, the search, in-place cell
// edits, the profile-data window's apply, imports and renumbering.
// Commands return the alert keys (table "Carnet") the window must show.
class CarnetSession : public ListSession {
public:
    using Field = Plongee::Field;

    // The search scopes of the find menu, in menu order.
    static const std::vector<SearchScope>& searchScopes();

    CarnetSession(Carnet& carnet, AppContext& context);

    Carnet& carnet() { return carnet_; }
    const Carnet& carnet() const { return carnet_; }
    DiveForm& form() { return form_; }
    const DiveForm& form() const { return form_; }
    DiveTable& table() { return table_; }
    const FormReadouts& readouts() const { return readouts_; }

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

    // The field whose value the form does not accept, if any: the window
    // shows it after a refused command.
    std::optional<Field> refusedField() const;

    // Recomputes the form's read-outs. Counted, so tests can check that one
    // user action recomputes the logbook-wide figures once.
    void refresh() override;
    std::size_t refreshCount() const { return refreshCount_; }
    // Whether the read-outs carry the profile's tissues and oxygen; turned
    // on, the read-outs are worked out again at once.
    void wantProfileModel(bool wanted);

protected:
    bool formModified() const override { return form_.modified(); }
    void formStored() override { form_.resetModified(); }
    void showRecord(std::size_t row) override { form_.load(carnet_.dive(row)); }
    void blankForm(Blank why) override;
    std::optional<DiveId> storeAsNew(std::optional<std::size_t> row, Alerts& alerts) override;
    void storeInto(DiveId id, std::string_view nameKey, Alerts& alerts) override;
    void showChangedField(std::size_t row, std::size_t field) override;
    void listChanged(const ListChange& change) override;
    std::optional<std::string> storeRefusal() const override;

private:
    Carnet& carnet_;
    AppContext& context_;
    DiveForm form_;
    DiveTable table_;
    FormReadouts readouts_;
    std::size_t refreshCount_ = 0;
    bool profileModel_ = false;
    // The number proposed to a new dive, while the form still shows it: it
    // follows the logbook (an import, an undo, a renumbering) until the user
    // types another.
    std::optional<std::int32_t> proposedNumber_;
};

}  // namespace divelog
