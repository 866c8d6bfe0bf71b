#pragma once

namespace divelog {

// The CNS oxygen clock: percent of the single-exposure limit used per minute
// at a partial pressure of oxygen, from the 48 bands of the usual table. Each
// band holds its upper bound; the comparisons are made in double precision on
// the value given, so a single-precision 0.62 (just above 0.62) falls in the
// second band. Above 1.58 bar, and for what is no number, 2.22 % a minute.
double cnsRatePerMinute(double ppO2);

// Percent of the limit used by `minutes` at `ppO2` bar.
double cnsPercent(double ppO2, double minutes);

}  // namespace divelog
