#include "tracks/trackdata.h"

#include "common/indexing.h"

#include <QLocale>
#include <QtEndian>

#include <array>
#include <cmath>
#include <numbers>

namespace drovex {
namespace {

constexpr qsizetype kTrackDataOffset = 0x1010;
constexpr qsizetype kCarSetupOffset = 0x1014;
constexpr qsizetype kLastOffset = 0x1018;

// Words (of two bytes) of each command 0x80..0xFF, its first byte and code included; 0 where no
// such command exists. 0xC5 is 7 or 8 words by a flag of the track data header.
constexpr std::array<quint8, 128> kCommandWords = [] {
    std::array<quint8, 128> words{};
    auto set = [&](int n, std::initializer_list<int> codes) {
        for (const int code : codes)
            at(words, code - 0x80) = static_cast<quint8>(n);
    };
    set(1, {0x83, 0x84, 0x86, 0x87, 0x96, 0x97, 0x9B, 0x9C, 0x9D, 0x9E, 0x9F, 0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5,
            0xA8, 0xD1, 0xD4, 0xD6, 0xD7, 0xD8, 0xDB, 0xDD});
    set(2, {0x80, 0x81, 0x82, 0x88, 0x89, 0x8C, 0x8D, 0x90, 0x91, 0x92, 0x93, 0x94, 0x95, 0x98, 0x99, 0xA9, 0xB0,
            0xB9, 0xC0, 0xC1, 0xC6, 0xCE, 0xCF, 0xD2, 0xD3, 0xD5, 0xD9, 0xDA, 0xDC, 0xE0});
    set(3, {0x85, 0x8E, 0x8F, 0x9A, 0xA6, 0xA7, 0xAB, 0xAF, 0xB4, 0xB5, 0xBA, 0xBD, 0xBE, 0xBF, 0xC2, 0xC3, 0xC7,
            0xCC, 0xD0});
    set(4, {0xAA, 0xC4, 0xCD, 0xDE, 0xDF});
    set(5, {0xAC, 0xBB, 0xCA, 0xCB});
    set(6, {0x8A, 0x8B});
    set(8, {0xBC, 0xC8});
    set(9, {0xC9});
    set(14, {0xB8});
    return words;
}();
constexpr int kC5 = 0xC5;

// Header bytes: the start heading, the flags word (bit 0x0200: 0xC5 has 8 words) and the kerb type.
constexpr qsizetype kHeadingAt = 0;
constexpr qsizetype kFlagsAt = 14;
constexpr qsizetype kKerbAt = 18;
constexpr qsizetype kLatestListStart = 64; // the furthest a header was seen to reach

// More points than any circuit needs; a lap longer than this many units is drawn in longer steps.
constexpr double kMostPoints = 65536;

quint8 byteAt(QByteArrayView file, qsizetype at) { return static_cast<quint8>(file[at]); }
quint16 wordAt(QByteArrayView file, qsizetype at) { return qFromLittleEndian<quint16>(file.data() + at); }

QString hexByte(int value) { return QStringLiteral("0x") + QString::number(value, 16).toUpper(); }

} // namespace

QString lapLengthText(const TrackOutline& outline)
{
    QLocale locale;
    locale.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);
    return locale.toString(outline.lapMetres(), 'f', 1);
}

qint64 trackBlockOffset(QByteArrayView file, qsizetype entry)
{
    return kTrackOffsetBase + qFromLittleEndian<quint32>(file.data() + entry);
}

std::optional<QList<TrackSection>> readSectionList(QByteArrayView file, qsizetype at, qsizetype limit, int c5Words,
                                                   QString* problem)
{
    limit = std::min(limit, file.size());
    QList<TrackSection> sections;
    auto fail = [&](const QString& why) {
        *problem = why;
        return std::nullopt;
    };
    // Every record is at least two bytes long, so the walk ends within (limit - at) / 2 steps.
    while (true) {
        if (at < 0 || at + 2 > limit)
            return fail(QStringLiteral("its section list does not end within the track data"));
        const int lo = byteAt(file, at);
        const int hi = byteAt(file, at + 1);
        if (lo == 0xFF && hi == 0xFF)
            return sections;
        qsizetype size = 10; // a section
        if (hi >= 0x80) {
            const int words = hi == kC5 ? c5Words : drovex::at(kCommandWords, hi - 0x80);
            if (words == 0)
                return fail(QStringLiteral("its section list holds an unknown command %1 at byte %2").arg(hexByte(hi)).arg(at));
            size = 2 * words;
        } else if (hi != 0x00) {
            return fail(QStringLiteral("its section list holds an unknown record at byte %1").arg(at));
        }
        if (at + size > limit)
            return fail(QStringLiteral("its section list does not end within the track data"));
        if (hi == 0x00)
            sections.append({lo, static_cast<qint16>(wordAt(file, at + 2))});
        at += size;
    }
}

std::optional<TrackOutline> traceOutline(const QList<TrackSection>& sections, int startHeading, QString* problem)
{
    TrackOutline out;
    out.sectionCount = static_cast<int>(sections.size());
    for (const TrackSection& s : sections) {
        out.lapUnits += s.length;
        out.turning += static_cast<qint64>(s.length) * s.curvature;
    }
    if (out.lapUnits == 0) {
        *problem = QStringLiteral("its sections have no length");
        return std::nullopt;
    }
    // Once around to the right or to the left, or not at all (a figure of eight).
    const double turns = static_cast<double>(out.turning) / 65536.0;
    if (std::abs(turns) > 1.01 || std::abs(turns - std::round(turns)) > 0.01) {
        *problem = QStringLiteral("its sections turn %1 times around, not once").arg(turns, 0, 'f', 2);
        return std::nullopt;
    }
    constexpr double kRadiansPerStep = 2 * std::numbers::pi / 65536.0;
    const double step = std::max(1.0, static_cast<double>(out.lapUnits) / kMostPoints);
    qint64 heading = startHeading; // in 1/65536 turns, summed exactly
    QPointF at(0, 0);
    out.points.reserve(sections.size() + static_cast<qsizetype>(static_cast<double>(out.lapUnits) / step) + 1);
    out.points.append(at);
    for (const TrackSection& s : sections) {
        if (s.length == 0)
            continue;
        const double theta = static_cast<double>(heading) * kRadiansPerStep;
        if (s.curvature == 0) {
            at += QPointF(std::cos(theta), std::sin(theta)) * s.length;
            out.points.append(at);
            continue;
        }
        // An exact arc of radius 1/k, drawn as points at most one step apart along it.
        const double k = s.curvature * kRadiansPerStep;
        const double r = 1.0 / k;
        const QPointF from = at;
        const int n = static_cast<int>(std::ceil(s.length / step));
        for (int j = 1; j <= n; ++j) {
            const double phi = theta + k * s.length * j / n;
            at = from + QPointF(r * (std::sin(phi) - std::sin(theta)), -r * (std::cos(phi) - std::cos(theta)));
            out.points.append(at);
        }
        heading += static_cast<qint64>(s.length) * s.curvature;
    }
    out.closureGap = std::hypot(at.x(), at.y());
    if (out.closureGap > 0.02 * static_cast<double>(out.lapUnits)) {
        *problem = QStringLiteral("its sections do not come back to the start");
        return std::nullopt;
    }
    return out;
}

TrackDataReading readTrackData(QByteArrayView file)
{
    TrackDataReading reading;
    if (file.size() < kSmallestTrack) {
        reading.problem = QStringLiteral("it is too small for a track file");
        return reading;
    }
    for (qsizetype at = kChecksumEntry; at <= kLastOffset; at += 4) {
        if (trackBlockOffset(file, at) + (at == kChecksumEntry ? 4 : 1) > file.size()) {
            reading.problem = QStringLiteral("its table of blocks points past its end");
            return reading;
        }
    }
    const qint64 start = trackBlockOffset(file, kTrackDataOffset);
    const qint64 carSetup = trackBlockOffset(file, kCarSetupOffset);
    const qint64 limit = std::min(trackBlockOffset(file, kChecksumEntry), carSetup);
    if (carSetup < start) {
        reading.problem = QStringLiteral("its car setup block lies before its track data");
        return reading;
    }
    if (start + kKerbAt + 2 > limit) {
        reading.problem = QStringLiteral("its track data header is cut short");
        return reading;
    }
    const int heading = wordAt(file, start + kHeadingAt);
    const int c5Words = (wordAt(file, start + kFlagsAt) & 0x0200) ? 8 : 7;
    // The header is 28 bytes, or 32 with three-colour kerbs; a few files have longer ones, and
    // then the list starts with the first command after the published length.
    const qsizetype published = byteAt(file, start + kKerbAt) == 4 ? 32 : 28;
    auto tryFrom = [&](qsizetype length, QString* why) -> std::optional<TrackOutline> {
        const auto sections = readSectionList(file, start + length, limit, c5Words, why);
        if (!sections)
            return std::nullopt;
        auto outline = traceOutline(*sections, heading, why);
        if (outline)
            outline->headerLength = static_cast<int>(length);
        return outline;
    };
    reading.outline = tryFrom(published, &reading.problem);
    if (reading.outline)
        return reading;
    for (qsizetype length = published; length <= kLatestListStart && start + length + 1 < limit; length += 2) {
        if (byteAt(file, start + length + 1) < 0x80)
            continue;
        QString unused; // the published length's problem is the one to tell
        if (length != published) // that one was read already
            reading.outline = tryFrom(length, &unused);
        break;
    }
    if (reading.outline)
        reading.problem.clear();
    return reading;
}

} // namespace drovex
