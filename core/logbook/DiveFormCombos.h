#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace divelog {

class PickLists;

// What the dive form's combo boxes offer, and the question asked when a typed
// entry is not yet in its pick list. Controls are named after the record
// fields they feed, as in DiveForm.
class DiveFormCombos {
public:
    // Message key (table "Main") of the question, with the buttons "Yes" and "No".
    static constexpr std::string_view kAddItemQuestion = "Add item to ComboBox";

    // The logbook's fixed lists. Static and never modified, so two cylinders
    // may share one list.
    static const std::vector<std::string>& cylinderVolumes();
    static const std::vector<std::string>& cylinderPressures();
    static const std::vector<std::string>& planningSoftware();
    static const std::vector<std::string>& decoAlgorithms();

    // The pick-list key feeding this combo box; nullopt for any other control.
    static std::optional<std::string> pickListKey(std::string_view control);
    // The fixed list of this combo box; nullptr for any other control.
    static const std::vector<std::string>* fixedList(std::string_view control);
    // Every combo box of the form: the pick-list ones, then the fixed ones.
    static const std::vector<std::string>& comboControls();
    // What the combo box shows; an empty list for a control that is no combo
    // box. The reference is to the pick list itself or to a static list.
    static const std::vector<std::string>& items(std::string_view control,
                                                 const PickLists& pickLists);

    // End of editing of a pick-list combo box: true when the user must be
    // asked whether to add `typed`. Only the space character is trimmed: a
    // text of spaces asks nothing; a text already listed as typed asks nothing.
    static bool shouldAskToAdd(const PickLists& pickLists, const std::string& key,
                               std::string_view typed);
    // The answer to that question: "Yes" appends the text as typed (spaces
    // included); either answer then sorts the list and stores it.
    static void acceptAdd(PickLists& pickLists, const std::string& key, const std::string& typed,
                          bool yes);
};

}  // namespace divelog
