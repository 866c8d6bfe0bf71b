#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/ListSession.h"
#include "document/SortMemory.h"
#include "registers/RegisterDocument.h"
#include "registers/RegisterForm.h"
#include "registers/RegisterSpec.h"

namespace divelog {

class Localisation;
class PickLists;

// A register at work: the shared list session over its cards, with the
// register's form, its combo boxes and pick lists, the dependent controls,
// the count label, the toolbar's enabling and the table's sort memory.
class RegisterSession : public ListSession {
public:
    RegisterSession(RegisterDocument& document, PickLists& pickLists, const Localisation& texts);

    RegisterDocument& document() { return doc_; }
    const RegisterDocument& document() const { return doc_; }
    const RegisterSpec& spec() const { return doc_.spec(); }
    RegisterForm& form() { return form_; }
    const RegisterForm& form() const { return form_; }

    // A header click on a column: sorts by it in the remembered direction.
    // Returns the direction (true = ascending) for the header's indicator.
    bool sortByColumn(std::string_view field);
    std::optional<std::string> sortColumn() const { return sortMemory_.lastColumn(); }

    // End of editing of a combo box: true when the user must be asked whether
    // to add the typed text to its pick list.
    bool comboNeedsQuestion(std::string_view field, const std::string& typed) const;
    // After the question (or without one) the pick list is kept. The shown
    // card takes the edit as it takes any other, when it is left or updated:
    // written at once, a following Insert would leave it changed too.
    void comboEdited(std::string_view field, const std::string& typed, bool addToList);

    // The dependent controls for what the form holds now.
    FormState formState() const;
    // The count label.
    std::string countText() const;
    bool canGoPrevious() const;
    bool canGoNext() const;
    // Whether a toolbar item is enabled, by its identifier.
    bool isItemEnabled(std::string_view identifier) const;

protected:
    bool formModified() const override { return form_.modified(); }
    void formStored() override { form_.resetModified(); }
    void showRecord(std::size_t row) override { form_.load(doc_.record(row)); }
    void blankForm(Blank why) override;
    std::optional<RecordId> storeAsNew(std::optional<std::size_t> row, Alerts& alerts) override;
    void storeInto(RecordId id, std::string_view nameKey, Alerts& alerts) override;
    std::optional<std::size_t> rowShownAtLoad() const override;
    bool blankKeepsSelection() const override { return spec().blankKeepsSelection(); }

private:
    RegisterDocument& doc_;
    PickLists& pickLists_;
    RegisterForm form_;
    SortMemory<std::string> sortMemory_;
};

}  // namespace divelog
