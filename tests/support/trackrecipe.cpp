#include "support/trackrecipe.h"

#include "tracks/trackchecksum.h"

#include <QHash>
#include <QtEndian>

#include <algorithm>

namespace drovex::test {
namespace {

void u8(QByteArray& out, int value) { out.append(static_cast<char>(value & 0xFF)); }
void u16(QByteArray& out, int value)
{
    u8(out, value);
    u8(out, value >> 8);
}
void u32(QByteArray& out, quint32 value)
{
    u16(out, static_cast<int>(value & 0xFFFF));
    u16(out, static_cast<int>(value >> 16));
}

// Rotations within 16 bits of a number taken modulo 65536.
quint16 rotl3(int v) { return static_cast<quint16>((v & 0xFFFF) << 3 | (v & 0xFFFF) >> 13); }
quint16 rotr3(int v) { return static_cast<quint16>((v & 0xFFFF) >> 3 | (v & 0xFFFF) << 13); }

} // namespace

QList<TrackRecipe::Section> TrackRecipe::square()
{
    QList<Section> s;
    for (int i = 0; i < 4; ++i)
        s << Section{100, 0} << Section{16, 1024};
    return s;
}

QList<TrackRecipe::Section> TrackRecipe::figureOfEight()
{
    return {{41, 0}, {192, -256}, {82, 0}, {192, 256}, {41, 0}};
}

QByteArray buildTrack(const TrackRecipe& recipe)
{
    QByteArray out = recipe.tag.left(0x1000);
    out.append(QByteArray(0x1000 - out.size(), '\0'));

    QByteArray data; // the track data block: header and section list
    for (const int word : {recipe.startHeading, 0, 0, 0, 0, 1200, 0xFD00, recipe.c5x8 ? 0x0200 : 0})
        u16(data, word);
    for (const int byte : {16, 16, recipe.hdr36 ? 4 : 3, 0})
        u8(data, byte);
    const QList<int> colours = recipe.hdr36 ? QList<int>{0x39, 0x39, 0x29, 0x29, 0x39, 0x39, 0x9C, 0x9C}
                                            : QList<int>{0x1F, 0x29, 0x29, 0x1F};
    for (const int word : colours)
        u16(data, word);
    for (const int byte : {0x00, 0x81, 0x96, 0x00}) // command 0x81, 2 words
        u8(data, byte);
    for (const int word : {0xC500, 10, 20, 0, 0, 0, 0}) // command 0xC5, 7 words
        u16(data, word);
    if (recipe.c5x8)
        u16(data, 0);
    for (const TrackRecipe::Section& s : recipe.sections) {
        for (const int byte : {s.length, 0})
            u8(data, byte);
        for (const int word : {s.curvature, 0, 0})
            u16(data, word);
        for (const int byte : {16, 16})
            u8(data, byte);
    }
    u16(data, 0xFFFF);

    const quint32 carSetup = static_cast<quint32>(data.size());
    const quint32 pitLane = carSetup + 38;
    const quint32 checksum = pitLane + 2 + static_cast<quint32>(recipe.objectBytes);
    const quint32 objects = recipe.objectBytes > 0 ? pitLane + 2 : 0;
    for (const quint32 offset : {0u, 0u, checksum, objects, 0u, carSetup, pitLane, 0u})
        u32(out, offset);
    out.append(data);
    out.append(QByteArray(38, '\0'));
    u16(out, 0xFFFF);
    for (int i = 0; i < recipe.objectBytes; ++i) // object data: words of mixed values
        u8(out, (i * 2654435761u) >> 13);
    quint16 sum = 0;
    quint16 cycle = 0;
    for (const char c : out) {
        const auto b = static_cast<quint8>(c);
        sum = static_cast<quint16>(sum + b);
        cycle = static_cast<quint16>(static_cast<quint16>(cycle << 3 | cycle >> 13) + b);
    }
    u16(out, sum);
    u16(out, cycle);
    return out;
}

// Meets in the middle: the states two bytes from the end that lead to the wanted checksum,
// against the states two bytes on from the bytes before. Four bytes add 0 to 1020 to the sum, so
// the 300 bytes before them first bring it to 510 below the wanted one; their first byte, a
// salt, is changed until the two halves meet.
QByteArray withChecksum(QByteArray track, quint32 checksum)
{
    const qsizetype end = track.size() - 4;
    const qsizetype region = end - 4 - 300;
    if (region < 0)
        return {};
    const int sum = static_cast<int>(checksum & 0xFFFF);
    const int cycle = static_cast<int>(checksum >> 16);
    QHash<quint32, int> before;
    for (int d = 0; d < 256; ++d) {
        for (int e = 0; e < 256; ++e) {
            const quint16 c = rotr3(rotr3(cycle - e) - d);
            const auto s = static_cast<quint16>(sum - d - e);
            before.insert(s | static_cast<quint32>(c) << 16, d << 8 | e);
        }
    }
    for (int salt = 0; salt < 256; ++salt) {
        track[region] = static_cast<char>(salt);
        for (qsizetype i = region + 1; i < end - 4; ++i)
            track[i] = 0;
        int need = (sum - 510 - computeChecksum(QByteArrayView(track).first(end - 4)).sum) & 0xFFFF;
        for (qsizetype i = region + 1; i < end - 4; ++i) {
            track[i] = static_cast<char>(std::min(255, need));
            need -= std::min(255, need);
        }
        const TrackChecksum start = computeChecksum(QByteArrayView(track).first(end - 4));
        for (int a = 0; a < 256; ++a) {
            for (int b = 0; b < 256; ++b) {
                const auto s = static_cast<quint16>(start.sum + a + b);
                const quint16 c = static_cast<quint16>(rotl3(rotl3(start.cycle) + a) + b);
                const auto it = before.constFind(s | static_cast<quint32>(c) << 16);
                if (it == before.constEnd())
                    continue;
                const int bytes[4] = {a, b, it.value() >> 8, it.value() & 0xFF};
                for (int i = 0; i < 4; ++i)
                    track[end - 4 + i] = static_cast<char>(bytes[i]);
                qToLittleEndian<quint32>(checksum, track.data() + end);
                return track;
            }
        }
    }
    return {};
}

} // namespace drovex::test
