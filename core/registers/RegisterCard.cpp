#include "registers/RegisterCard.h"

#include <cstdio>

#include "localisation/Localisation.h"
#include "registers/RegisterDocument.h"
#include "registers/RegisterSpec.h"

namespace divelog {

std::string RegisterCardWriter::text(std::string_view key) const {
    return texts_.text(table_, key);
}

void RegisterCardWriter::label(std::string_view key) { out_.append(text(key), TextStyle::Plain); }
void RegisterCardWriter::value(std::string_view text) { out_.append(text, TextStyle::Value); }
void RegisterCardWriter::heading(std::string_view key) {
    out_.append(text(key), TextStyle::Header);
}
void RegisterCardWriter::plain(std::string_view text) { out_.append(text, TextStyle::Plain); }
void RegisterCardWriter::alert(std::string_view text) { out_.append(text, TextStyle::Header); }

std::string cardDate(const std::optional<Date>& date) {
    if (!date) return std::string();
    const DateParts p = localParts(*date);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d/%02d/%04d", p.day, p.month, p.year);
    return buf;
}

StyledText registerCard(const RegisterDocument& document, const Localisation& texts, Date now) {
    const RegisterSpec& spec = document.spec();
    StyledText out;
    out.append(texts.text(spec.table(), spec.cardTitleKey()), TextStyle::Note);
    RegisterCardWriter writer(out, texts, spec.table(), now);
    const std::string_view separator = spec.cardSeparator();
    spec.writeCardHead(document, writer);
    for (std::size_t i = 0; i < document.recordCount(); ++i) {
        if (!spec.separatorAfter()) out.append(separator, TextStyle::Plain);
        writer.setRow(i);
        spec.writeCard(document.record(i), writer);
        if (spec.separatorAfter()) out.append(separator, TextStyle::Plain);
    }
    out.append(formatText(spec.fileLineFormat(), {document.filePath()}), TextStyle::Note);
    out.append(formatText("\r\rEdition date : %@", {formatDay(now) + " " + formatTime(now)}),
               TextStyle::Note);
    return out;
}

}  // namespace divelog
