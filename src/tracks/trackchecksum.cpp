#include "tracks/trackchecksum.h"

#include <QtEndian>

#include <cstring>

namespace drovex {
namespace {

constexpr qsizetype kChecksumSize = 4;

QString hex(quint32 value, int digits)
{
    return QStringLiteral("0x") + QString::number(value, 16).toUpper().rightJustified(digits, QLatin1Char('0'));
}

} // namespace

TrackChecksum computeChecksum(QByteArrayView bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype n = bytes.size();
    // The sum is kept wide and cut to 16 bits at the end: the compiler can then add many bytes at once.
    quint64 sum = 0;
    for (qsizetype i = 0; i < n; ++i)
        sum += p[i];
    // The cycle word is a chain, each step depending on the one before. Eight zero bytes in a row
    // (common in track files) only rotate it, by 8 * 3 = 24 bits, that is 8 within 16 bits.
    quint16 cycle = 0;
    qsizetype i = 0;
    while (i < n) {
        if (n - i >= 8) {
            quint64 eight;
            std::memcpy(&eight, p + i, 8);
            if (eight == 0) {
                cycle = static_cast<quint16>(cycle << 8 | cycle >> 8);
                i += 8;
                continue;
            }
            for (const qsizetype stop = i + 8; i < stop; ++i)
                cycle = static_cast<quint16>(static_cast<quint16>(cycle << 3 | cycle >> 13) + p[i]);
            continue;
        }
        cycle = static_cast<quint16>(static_cast<quint16>(cycle << 3 | cycle >> 13) + p[i]);
        ++i;
    }
    return {static_cast<quint16>(sum), cycle};
}

std::optional<ChecksumCheck> checkChecksum(QByteArrayView file)
{
    if (file.size() < kChecksumSize)
        return std::nullopt;
    const qsizetype at = file.size() - kChecksumSize;
    ChecksumCheck check;
    check.stored.sum = qFromLittleEndian<quint16>(file.data() + at);
    check.stored.cycle = qFromLittleEndian<quint16>(file.data() + at + 2);
    check.computed = computeChecksum(file.first(at));
    return check;
}

QByteArray withCorrectChecksum(QByteArrayView file)
{
    QByteArray out = file.toByteArray();
    if (out.size() < kChecksumSize)
        return out;
    const qsizetype at = out.size() - kChecksumSize;
    const TrackChecksum c = computeChecksum(file.first(at));
    qToLittleEndian<quint16>(c.sum, out.data() + at);
    qToLittleEndian<quint16>(c.cycle, out.data() + at + 2);
    return out;
}

QString checksumVerdict(const ChecksumCheck& check)
{
    return check.correct() ? QStringLiteral("correct") : QStringLiteral("wrong (the file was changed after its checksum was made)");
}

QString checksumLine(const ChecksumCheck& check) { return QStringLiteral("Checksum: ") + checksumVerdict(check); }

QString checksumDetails(const ChecksumCheck& check)
{
    auto describe = [](const TrackChecksum& c) {
        return QStringLiteral("%1 (sum %2, cycle %3)").arg(hex(c.value(), 8), hex(c.sum, 4), hex(c.cycle, 4));
    };
    return QStringLiteral("Stored: %1\nComputed: %2").arg(describe(check.stored), describe(check.computed));
}

} // namespace drovex
