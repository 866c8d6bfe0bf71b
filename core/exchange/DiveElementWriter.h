#pragma once

#include "exchange/ExchangeFormat.h"
#include "exchange/XmlWriter.h"

namespace divelog {

// The `DIVE` element the UDCF export writes, and the UDDF export inside its
// own root: place, date, time, depth, duration, temperature, altitude, gas
// and cylinder, then every depth sample with its alarms. Only the date and
// time elements differ between the two files, by their case.
class DiveElementWriter {
public:
    enum class DateCase { Upper, Lower };

    DiveElementWriter(XmlWriter& xml, const ExportContext& context, DateCase dateCase)
        : xml_(xml), context_(context), lower_(dateCase == DateCase::Lower) {}

    void write(const Plongee& dive);
    // A gas's name as the files write it; a code the logbook does not know
    // is named by its fractions.
    static std::string mixName(std::int32_t gas, std::int64_t o2, std::int64_t he,
                               const Localisation& texts);
    // The comment with the moment of export: " dd-MM-yyyy - HH:mm:ss ".
    static std::string exportMoment(Date now);

private:
    std::string_view name(std::string_view upper, std::string_view lower) const {
        return lower_ ? lower : upper;
    }
    void samples(const Plongee& dive);

    XmlWriter& xml_;
    const ExportContext& context_;
    bool lower_;
};

}  // namespace divelog
