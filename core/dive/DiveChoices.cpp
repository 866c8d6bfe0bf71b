#include "dive/DiveChoices.h"

#include "dive/DiveCodes.h"

namespace divelog {

std::vector<Choice> DiveChoices::items(Plongee::Field field, const Localisation& texts) {
    std::vector<Choice> out;
    const CodeTable* table = DiveCodes::table(field);
    if (!table || field == Plongee::Field::difficulte) return out;
    for (const CodeMeaning& m : table->codes)
        if (!m.title.empty())
            out.push_back({m.code, DiveCodes::title(field, m.code, texts), std::string(m.image)});
    return out;
}

std::vector<Choice> DiveChoices::items(std::string_view control, const Localisation& texts) {
    auto field = Plongee::fieldNamed(control);
    return field ? items(*field, texts) : std::vector<Choice>{};
}

}  // namespace divelog
