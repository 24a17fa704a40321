#include "settings/fieldrules.h"

#include <QRegularExpression>

#include <cmath>
#include <limits>

namespace drovex {

std::optional<double> parseNumber(const QString& text)
{
    static const QRegularExpression number(QStringLiteral("^\\s*[+-]?(\\d+\\.?\\d*|\\.\\d+)\\s*$"));
    if (!number.match(text).hasMatch())
        return std::nullopt;
    const QString trimmed = text.trimmed();
    bool ok = false;
    const double x = trimmed.toDouble(&ok);
    if (ok && std::isfinite(x))
        return x;
    // A run of digits too long for a double is still a number, just a very large one.
    const double huge = std::numeric_limits<double>::max();
    return trimmed.startsWith(QLatin1Char('-')) ? -huge : huge;
}

qint64 roundHalfEven(double x)
{
    constexpr double limit = 9.0e18;
    if (x >= limit)
        return static_cast<qint64>(limit);
    if (x <= -limit)
        return -static_cast<qint64>(limit);
    const double floor = std::floor(x);
    const double diff = x - floor;
    qint64 n = static_cast<qint64>(floor);
    if (diff > 0.5 || (diff == 0.5 && (n % 2 != 0)))
        ++n;
    return n;
}

std::optional<int> toWholeNumber(const QString& text)
{
    const auto x = parseNumber(text);
    if (!x)
        return std::nullopt;
    const qint64 n = roundHalfEven(*x);
    if (n < -32768 || n > 32767)
        return std::nullopt;
    return static_cast<int>(n);
}

std::optional<qint32> toLongNumber(const QString& text)
{
    const auto x = parseNumber(text);
    if (!x)
        return std::nullopt;
    const qint64 n = roundHalfEven(*x);
    if (n < std::numeric_limits<qint32>::min() || n > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return static_cast<qint32>(n);
}

FieldOutcome applyFieldRule(const QString& text, int lo, int hi)
{
    FieldOutcome out{text, std::nullopt};
    if (text.isEmpty())
        return out;
    auto x = parseNumber(text);
    if (!x)
        return out; // not a number: keep the text as typed, leave the bar alone
    if (*x > hi) {
        out.text = QString::number(hi);
        *x = hi;
    }
    if (*x < lo) {
        out.text = QString::number(lo);
        *x = lo;
    }
    out.number = roundHalfEven(*x);
    return out;
}

QString plainWholeNumber(const QString& text)
{
    const auto x = parseNumber(text);
    return x ? QString::number(roundHalfEven(*x)) : QString();
}

DotSplit splitDotSize(qint64 number)
{
    const qint64 q = number / kDotDivisor; // truncates toward zero
    return {q, number - q * kDotDivisor};
}

DotStep stepDotSize(qint64 quotient, int position)
{
    if (position >= kDotBarTop) {
        position = 0;
        ++quotient;
    } else if (position <= kDotBarBottom) {
        position = kDotDivisor - 1;
        --quotient;
    }
    return {quotient, position, quotient * kDotDivisor + position};
}

} // namespace drovex
