#include "support/trackrecipe.h"

#include <QtEndian>

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

} // namespace drovex::test
