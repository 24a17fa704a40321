#include "tracks/trackinfo.h"

#include "common/codepage.h"
#include "common/indexing.h"
#include "common/safefile.h"

#include <QFile>
#include <QStringDecoder>

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>

namespace drovex {
namespace {

constexpr const char* kKeys[kTrackKeyCount] = {"|Name|", "|Country|", "|Year|", "|Author|", "|Laps|", "|Tyre|",
                                               "|LengthMeters|", "|LapRecord|", "|LapRecordQualify|", "|Slot|",
                                               "|Event|", "|Desc|"};
constexpr std::array<size_t, kTrackKeyCount> kKeyLength = [] {
    std::array<size_t, kTrackKeyCount> lengths{};
    for (int k = 0; k < kTrackKeyCount; ++k)
        at(lengths, k) = std::char_traits<char>::length(kKeys[k]);
    return lengths;
}();

// Tags made on today's systems are often written in UTF-8: a tag whose values are all valid UTF-8
// and hold at least one character beyond ASCII is read as UTF-8, any other as Windows-1252.
bool isUtf8Text(const std::array<std::optional<QByteArray>, kTrackKeyCount>& values)
{
    bool beyondAscii = false;
    for (const auto& v : values) {
        if (!v || std::all_of(v->cbegin(), v->cend(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
            continue;
        beyondAscii = true;
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        [[maybe_unused]] const QString text = decoder.decode(*v); // decodes only when made a QString
        if (decoder.hasError())
            return false;
    }
    return beyondAscii;
}

} // namespace

QLatin1String trackKeyName(int key)
{
    return QLatin1String(kKeys[key] + 1, static_cast<qsizetype>(at(kKeyLength, key) - 2)); // without the bars
}

TrackInfo parseTrackInfo(const QByteArray& firstBytes)
{
    const char* data = firstBytes.constData();
    const size_t size = static_cast<size_t>(std::min<qsizetype>(firstBytes.size(), kTagWindow));
    TrackInfo info;
    if (!memmem(data, size, "#GP2INFO", 8)) {
        info.name = QStringLiteral("No Name");
        return info;
    }
    // Every key begins with a bar, so the first occurrence of each key is found by one walk from
    // bar to bar through the window.
    std::array<qsizetype, kTrackKeyCount> keyAt;
    keyAt.fill(-1);
    int missing = kTrackKeyCount;
    const char* end = data + size;
    for (const char* bar = static_cast<const char*>(memchr(data, '|', size)); bar && missing > 0;
         bar = static_cast<const char*>(memchr(bar + 1, '|', static_cast<size_t>(end - bar - 1)))) {
        if (bar + 1 == end)
            break;
        for (int k = 0; k < kTrackKeyCount; ++k) {
            if (at(keyAt, k) >= 0 || kKeys[k][1] != bar[1])
                continue;
            const size_t len = at(kKeyLength, k);
            if (static_cast<size_t>(end - bar) >= len && memcmp(bar, kKeys[k], len) == 0) {
                at(keyAt, k) = bar - data;
                --missing;
            }
        }
    }
    // The raw bytes of each value; a value whose closing bar lies beyond the window counts as absent.
    std::array<std::optional<QByteArray>, kTrackKeyCount> raw;
    for (int k = 0; k < kTrackKeyCount; ++k) {
        const qsizetype p = at(keyAt, k);
        if (p < 0)
            continue;
        const char* start = data + p + at(kKeyLength, k);
        const auto* close = static_cast<const char*>(memchr(start, '|', static_cast<size_t>(end - start)));
        if (close)
            at(raw, k) = QByteArray::fromRawData(start, close - start);
    }
    const bool utf8 = isUtf8Text(raw);
    for (int k = 0; k < kTrackKeyCount; ++k) {
        QString display = QStringLiteral("-");
        if (const auto& bytes = at(raw, k)) {
            at(info.rawLength, k) = static_cast<int>(bytes->size());
            display = utf8 ? QString::fromUtf8(*bytes) : fromWindows1252(*bytes);
            if ((k == LapRecord || k == LapRecordQualify) && display == QLatin1String("None Entered"))
                display = QStringLiteral("-");
        }
        at(info.values, k) = display;
    }
    info.name = info.values[Name];
    info.tagFound = true;
    return info;
}

QByteArray readTagWindow(const QString& path)
{
    // Only a regular file: a named pipe in the track folder must not stop the program.
    QFile file;
    if (!openRegularFile(file, path))
        return {};
    return file.read(kTagWindow);
}

TrackInfo ReadTrackInfo(const QString& path) { return parseTrackInfo(readTagWindow(path)); }

} // namespace drovex
