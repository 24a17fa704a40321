#pragma once

#include <QByteArrayView>
#include <QString>

#include <optional>

namespace drovex {

// The checksum that ends every track file of the game: two 16-bit words over every byte before
// the last four, "sum" (the bytes added up) and "cycle" (rotated left by 3 within 16 bits, then
// the byte added), stored little-endian as sum, cycle in the last four bytes.
struct TrackChecksum {
    quint16 sum = 0;
    quint16 cycle = 0;
    // Both words as one number, as Drovex reads the last four bytes: sum + 65536 * cycle.
    quint32 value() const { return static_cast<quint32>(sum) | static_cast<quint32>(cycle) << 16; }
    friend bool operator==(const TrackChecksum&, const TrackChecksum&) = default;
};

// The checksum of every byte given.
TrackChecksum computeChecksum(QByteArrayView bytes);

// A file's stored checksum and the one its bytes give.
struct ChecksumCheck {
    TrackChecksum stored;
    TrackChecksum computed;
    bool correct() const { return stored == computed; }
};
// The check of a whole file; none for a file too short to hold a checksum.
std::optional<ChecksumCheck> checkChecksum(QByteArrayView file);
// The file with the checksum its bytes give in its last four bytes; nothing else changes.
QByteArray withCorrectChecksum(QByteArrayView file);

// "correct", or "wrong (the file was changed after its checksum was made)".
QString checksumVerdict(const ChecksumCheck& check);
// "Checksum: " and the verdict.
QString checksumLine(const ChecksumCheck& check);
// The stored and computed values, for a tooltip.
QString checksumDetails(const ChecksumCheck& check);

} // namespace drovex
