#include "stats/StatisticsReport.h"

#include <span>

#include "localisation/Localisation.h"
#include "stats/StatisticsTexts.h"

namespace divelog {

namespace {

constexpr std::string_view kTable = "Carnet";
constexpr std::string_view kFallback = "error !";

// Section titles are underlined from their first character after the line
// breaks that set them apart.
void section(StyledText& out, const Localisation& t, std::string_view key) {
    const std::string title = t.text(kTable, key, "\n\nerror !");
    std::size_t breaks = 0;
    while (breaks < title.size() && (title[breaks] == '\n' || title[breaks] == '\r')) ++breaks;
    out.appendHeader(title, breaks);
}

void lines(StyledText& out, const Localisation& t, const StatisticsTexts& x,
           std::span<const StatCategory> categories) {
    for (StatCategory c : categories) {
        out.append(t.text(kTable, StatCategories::reportKey(c, x.usUnits), "\nerror !"));
        out.append(t.format(kTable, "Statistics line", "%@\t\t(%@)", {x.count(c), x.share(c)}),
                   TextStyle::Value);
    }
}

}  // namespace

StyledText StatisticsReport::build(const Statistics& s, const StatisticsTexts& x,
                                   const Localisation& t, const Source& source) {
    StyledText out;
    out.append(t.text(kTable, "Statistics header", kFallback), TextStyle::Note);
    out.append(formatText("\n\n%@", {x.state}), TextStyle::Value);
    if (!s.earlierCounted) out.append(t.text(kTable, "Statistics no prev dives", kFallback));

    section(out, t, "Statistics dive type");
    lines(out, t, x, StatCategories::diveTypes());
    section(out, t, "Statistics gas");
    lines(out, t, x, StatCategories::gases());
    section(out, t, "Statistics depth");
    lines(out, t, x, StatCategories::depthBands());

    section(out, t, "Statistics min max");
    const std::pair<std::string_view, const std::string*> extremes[] = {
        {"Statistics prof max", &x.maxDepth},       {"Statistics temps max", &x.maxTime},
        {"Statistics somme prof", &x.depthTotal},   {"Statistics somme temps", &x.timeTotal},
        {"Statistics prof moy", &x.meanDepth},      {"Statistics temps moy", &x.meanTime},
        {"Statistics temp min", &x.minTemperature}, {"Statistics temp max", &x.maxTemperature},
        {"Statistics temp moy", &x.meanTemperature}};
    for (const auto& [key, value] : extremes) {
        out.append(t.text(kTable, key, "\nerror !"));
        out.append(*value, TextStyle::Value);
    }

    section(out, t, "Statistics otu");
    for (const auto& [key, value] : {std::pair{"Statistics otu highest", &x.highestOtu},
                                     std::pair{"Statistics otu total", &x.otuTotal}}) {
        out.append(t.text(kTable, key, "\nerror !"));
        out.append(*value, TextStyle::Value);
    }

    out.append(t.text(kTable, "Statistics current", kFallback));
    out.append(t.format(kTable, "Statistics file", "\nFile: %@", {source.filePath}),
               TextStyle::Note);
    out.append(t.format(kTable, "Statistics date", "\n\nMade on %@", {source.madeOn}),
               TextStyle::Note);
    return out;
}

}  // namespace divelog
