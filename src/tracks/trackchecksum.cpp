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

quint16 rotateLeft3(quint16 value) { return static_cast<quint16>(value << 3 | value >> 13); }

} // namespace

TrackChecksum computeChecksum(QByteArrayView bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype n = bytes.size();
    // The cycle word is a chain, each step waiting for the one before; the sum rides along.
    // Eight zero bytes in a row, common in track files, only rotate the cycle word, by 8 * 3 =
    // 24 bits, that is 8 within 16 bits.
    quint16 sum = 0;
    quint16 cycle = 0;
    auto step = [&](unsigned char b) {
        sum = static_cast<quint16>(sum + b);
        cycle = static_cast<quint16>(rotateLeft3(cycle) + b);
    };
    qsizetype i = 0;
    for (; i + 8 <= n; i += 8) {
        quint64 eight;
        std::memcpy(&eight, p + i, 8);
        if (eight == 0) {
            cycle = static_cast<quint16>(cycle << 8 | cycle >> 8);
            continue;
        }
        for (qsizetype k = 0; k < 8; ++k)
            step(p[i + k]);
    }
    for (; i < n; ++i)
        step(p[i]);
    return {sum, cycle};
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
