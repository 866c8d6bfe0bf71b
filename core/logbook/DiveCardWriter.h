#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "dive/Plongee.h"
#include "localisation/Localisation.h"
#include "logbook/DiveCard.h"

namespace divelog {

// Appends one dive's card, section by section. Labels and headers are keys of
// "Carnet" (missing: "error !", on its own line where the label starts one);
// the formats of values are keys that stand for themselves.
class DiveCard::Writer {
public:
    using F = Plongee::Field;

    Writer(const Localisation& texts, bool usUnits, const Plongee& dive, StyledText& out)
        : t_(texts), us_(usUnits), d_(dive), out_(out) {}

    void general();
    void conditions();
    void parameters();
    void gas();
    void equipment();

private:
    void decompression();
    void cylinder(std::int32_t material, std::int32_t volume, std::int32_t workingPressure,
                  std::int32_t start, std::int32_t end, const std::string& gasName);
    void stagesAndBailout();

    // A label that starts a line, or one that continues it.
    void line(std::string_view key) { out_.append(t_.text(kTable, key, "\nerror !")); }
    void label(std::string_view key) { out_.append(t_.text(kTable, key, "error !")); }
    // Section titles are underlined from their sixth character: the first
    // five set the section apart.
    void header(std::string_view key) { out_.appendHeader(t_.text(kTable, key, "\n\nerror !"), 5); }
    void value(std::string_view text) { out_.append(text, TextStyle::Value); }
    void value(const std::string& text) { out_.append(text, TextStyle::Value); }
    void value(const std::optional<std::string>& text) {
        if (text) value(*text);
    }
    // Free text that most dives leave empty has a line only when given.
    void optionalLine(std::string_view key, const std::optional<std::string>& text) {
        if (!text || text->empty()) return;
        line(key);
        value(*text);
    }
    std::string format(std::string_view key, std::initializer_list<FormatArg> args) const {
        return t_.format(kTable, key, key, args);
    }
    std::string title(F field, std::int32_t code) const;
    // "%@ m" or "%@ ft" of a typed length.
    std::string length(float typed) const;

    static constexpr std::string_view kTable = "Carnet";

    const Localisation& t_;
    bool us_;
    const Plongee& d_;
    StyledText& out_;
};

}  // namespace divelog
