#pragma once

#include <cstddef>

#include "registers/RecordSchema.h"

namespace divelog {

// An item of the equipment inventory: fields in archive order, the version
// branches of its files, and its state codes.
struct Materiel {
    static constexpr const char* kClassName = "Materiel";
    static constexpr int kClassVersion = 2;

    enum Field : std::size_t {
        matosNo,
        typeMatos,
        marqueMatos,
        serieMatos,
        dateAchatMatos,
        quantiteMatos,
        prixMatos,
        lastRevision,
        nextRevision,
        firstRequalification,
        nextRequalification,
        noInspection,
        bloc,
        tiv,
        noTIV,
        nomTIV,
        capaciteBloc,
        pressionService,
        pressionEpreuve,
        notesMatos,
        equipState,
        factureMatos,
        lieuAchatMatos,
        kFieldCount
    };

    static const RecordSchema& schema();
    static const CodeList& states();  // equipState

    // The date that stands for "no date": 1 January 1900, 00:00, local time.
    static Date noDate();
    // Whether a stored date means "no date": absent, or any time before
    // 2 January 1900 UTC, so a file saved in another time zone (where that
    // midnight fell on 31 December 1899 or at 01:00) still reads as none.
    static bool isNoDate(const std::optional<Date>& date);
    // How far the time from the last inspection to the next has gone at
    // `now`, in percent: 0 when both dates are equal or one is missing.
    static double elapsedShare(const std::optional<Date>& last, const std::optional<Date>& next,
                               Date now);
};

}  // namespace divelog
