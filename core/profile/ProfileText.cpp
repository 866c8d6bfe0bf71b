#include "profile/ProfileText.h"

#include <cctype>
#include <charconv>

#include "localisation/Localisation.h"
#include "util/Numbers.h"

namespace divelog {

std::string ProfileText::text(const ProfileSeries& series, SeriesId id) {
    const bool decimal = ProfileSeries::info(id).decimal;
    std::string out;
    bool first = true;
    for (double v : series.values(id)) {
        if (!first) out += '\n';
        first = false;
        out += decimal ? formatText("%.1f", {v}) : integerText(static_cast<std::int64_t>(v));
    }
    return out;
}

ProfileText::Parsed ProfileText::parse(SeriesId id, std::string_view text) {
    Parsed out;
    if (!text.empty() && text.back() == '\n') text.remove_suffix(1);
    if (text.empty()) return out;
    const bool decimal = ProfileSeries::info(id).decimal;
    std::size_t line = 0;
    while (true) {
        ++line;
        const std::size_t nl = text.find('\n');
        std::string_view piece = text.substr(0, nl);
        if (!piece.empty() && piece.back() == '\r') piece.remove_suffix(1);
        if (decimal) {
            auto v = readDecimal(piece);
            if (!v) {
                out.badLine = line;
                out.values.clear();
                return out;
            }
            out.values.push_back(*v);
        } else {
            while (!piece.empty() && std::isspace(static_cast<unsigned char>(piece.front())))
                piece.remove_prefix(1);
            std::int32_t flag = 0;
            std::from_chars(piece.data(), piece.data() + piece.size(), flag);
            out.values.push_back(flag);
        }
        if (nl == std::string_view::npos) break;
        text.remove_prefix(nl + 1);
    }
    return out;
}

}  // namespace divelog
