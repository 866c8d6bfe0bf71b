// The dive form's choice lists: every coded field offers its codes, blank
// values included, with titles from the logbook's texts.

#include <gtest/gtest.h>

#include <algorithm>

#include "dive/DiveChoices.h"
#include "logbook/DiveForm.h"
#include "settings/AppContext.h"

using namespace divelog;

namespace {

std::vector<std::int32_t> tags(const std::vector<Choice>& items) {
    std::vector<std::int32_t> out;
    for (const auto& c : items) out.push_back(c.tag);
    return out;
}

bool offers(const std::vector<Choice>& items, std::int32_t tag) {
    return std::any_of(items.begin(), items.end(), [tag](const Choice& c) { return c.tag == tag; });
}

}  // namespace

TEST(DiveChoices, EveryChoiceControlOffersWhatABlankFormSelects) {
    InMemorySettingsStore store;
    AppContext context{store};
    DiveForm form;
    form.clear(ClearContext::from(store, context.localisation(), Date{}));
    for (const auto& c : DiveForm::controls()) {
        if (c.kind != DiveForm::ControlKind::Tag && c.kind != DiveForm::ControlKind::Selector)
            continue;
        auto items = DiveChoices::items(c.name, context.localisation());
        ASSERT_FALSE(items.empty()) << c.name;
        EXPECT_TRUE(offers(items, form.tag(c.name))) << c.name;
        auto t = tags(items);
        std::sort(t.begin(), t.end());
        EXPECT_EQ(std::adjacent_find(t.begin(), t.end()), t.end()) << c.name << ": a code twice";
    }
    EXPECT_TRUE(DiveChoices::items("site", context.localisation()).empty());
    EXPECT_TRUE(DiveChoices::items("difficulte", context.localisation()).empty());
}

TEST(DiveChoices, TitlesFollowTheTextsAndTheOrderOfMeaning) {
    InMemorySettingsStore store;
    AppContext context{store};
    context.localisation().loadTable("Carnet", R"(
"Cloudy" = "Overcast";
"Wind force %d" = "Force %d";
)");
    const Localisation& l = context.localisation();
    auto weather = DiveChoices::items("meteo", l);
    EXPECT_EQ(weather[1].title, "Overcast");
    EXPECT_EQ(weather[2].title, "Foggy") << "a missing text shows its key";

    auto wind = DiveChoices::items("ventForce", l);
    ASSERT_EQ(wind.size(), 14u);
    EXPECT_EQ(wind[2].tag, 2);
    EXPECT_EQ(wind[2].title, "Force 1") << "code n is force n - 1";

    EXPECT_EQ(tags(DiveChoices::items("ppO2", l)),
              (std::vector<std::int32_t>{0, 10, 9, 8, 7, 6, 1, 2, 3, 4, 5}));
    auto rates = DiveChoices::items("samplingRate", l);
    EXPECT_EQ(rates.front().title, "1 s");
    EXPECT_EQ(rates.back().title, "120 s");
    EXPECT_FALSE(offers(DiveChoices::items("typePlongee", l), 2));

    auto marks = DiveChoices::items("inoubliable", l);
    EXPECT_EQ(marks[0].image, "");
    EXPECT_EQ(marks[4].image, "death");
}
