#pragma once

#include <QString>

#include <optional>

namespace drovex {

// Number arithmetic behind the main window's entry fields and scroll bars.

// A field's text read as a number: optional blanks, an optional sign, digits with an
// optional decimal point ("12.6", ".5", "-3"). Anything else is no number.
std::optional<double> parseNumber(const QString& text);

// Round to the nearest whole number, a half going to the even neighbour.
qint64 roundHalfEven(double x);

// Whole number of a stored text: a number within -32768..32767 after rounding halves to even.
std::optional<int> toWholeNumber(const QString& text);
// The same within the 32-bit range.
std::optional<qint32> toLongNumber(const QString& text);

// What a numeric field holds after its text changed: the text (clamped into the limits when it
// reads as a number beyond them) and the bar position, if the text reads as a number at all.
struct FieldOutcome {
    QString text;
    std::optional<qint64> number; // the rounded whole number of the text
};
FieldOutcome applyFieldRule(const QString& text, int lo, int hi);

// The plain decimal whole number a numeric field's text reads as ("0194" -> "194", "12.6" -> "13");
// empty for empty text or text that is no number.
QString plainWholeNumber(const QString& text);

// Dot sizes are six-digit numbers kept as quotient by 32767 and remainder (the bar's position).
inline constexpr int kDotDivisor = 32767;
inline constexpr int kDotMin = 111111;
inline constexpr int kDotMax = 999999;
inline constexpr int kDotBarTop = 32767;  // one step past the largest remainder
inline constexpr int kDotBarBottom = -1;  // one step below the smallest remainder

struct DotSplit {
    qint64 quotient;
    qint64 remainder;
};
DotSplit splitDotSize(qint64 number);

// The dot-size bar moved to position: the number it now stands for, carrying into and borrowing
// from the quotient at either end of the remainder range.
struct DotStep {
    qint64 quotient;
    int position;
    qint64 number;
};
DotStep stepDotSize(qint64 quotient, int position);

} // namespace drovex
