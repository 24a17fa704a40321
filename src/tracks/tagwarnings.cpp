#include "tracks/tagwarnings.h"

#include "common/indexing.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

namespace drovex {
namespace {

// A number as Drovex reads one: C's rules (decimal, 0x for hexadecimal, a leading 0 for octal),
// up to the first character that is no digit; none when no digit comes first.
std::optional<unsigned long> cNumber(const QString& text)
{
    const QByteArray bytes = text.toLatin1();
    char* end = nullptr;
    const unsigned long value = std::strtoul(bytes.constData(), &end, 0);
    if (end == bytes.constData())
        return std::nullopt;
    return value;
}

QString slotList(const QList<int>& held)
{
    QStringList numbers;
    for (const int n : held)
        numbers << QString::number(n);
    return (held.size() == 1 ? QStringLiteral("slot ") : QStringLiteral("slots ")) + numbers.join(QStringLiteral(", "));
}

} // namespace

QStringList tagWarnings(const TrackInfo& info, bool originalTrack, const QList<int>& assignedSlots)
{
    QStringList warnings;
    if (!originalTrack) {
        for (const int key : {Laps, LengthMeters, Tyre})
            if (at(info.rawLength, key) < 0)
                warnings << QStringLiteral("No %1 tag: Drovex uses its own value").arg(trackKeyName(key));
    }
    for (const int key : {Name, Country, Year, Author, Event}) {
        const int length = at(info.rawLength, key);
        if (length > kDrovexTextLength)
            warnings << QStringLiteral("%1 is %2 characters long: Drovex shows the first %3")
                            .arg(trackKeyName(key))
                            .arg(length)
                            .arg(kDrovexTextLength);
    }
    if (info.rawLength[Slot] >= 0 && !assignedSlots.isEmpty()) {
        const std::optional<unsigned long> slot = cNumber(info.values[Slot]);
        const bool matches = slot && std::any_of(assignedSlots.begin(), assignedSlots.end(),
                                                 [&](int n) { return static_cast<unsigned long>(n) == *slot; });
        if (!matches)
            warnings << QStringLiteral("The Slot tag says \"%1\", but the track is in %2").arg(info.values[Slot], slotList(assignedSlots));
    }
    return warnings;
}

} // namespace drovex
