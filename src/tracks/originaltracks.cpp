#include "tracks/originaltracks.h"

#include <algorithm>
#include <array>

namespace drovex {
namespace {

// The checksums Drovex knows the original circuits by, in slot order (the rounds of 1994).
constexpr std::array<OriginalTrack, 16> kOriginals = {{
    {1, "Brazil", "Interlagos", 0xFB84D4A0, 32406},
    {2, "Pacific", "TI Circuit Aida", 0xF0BD9661, 32506},
    {3, "San Marino", "Imola", 0x875C0066, 37678},
    {4, "Monaco", "Monte Carlo", 0x25531329, 58290},
    {5, "Spain", "Catalunya, Barcelona", 0x23C26589, 34061},
    {6, "Canada", "Gilles Villeneuve, Montreal", 0xD9779BEF, 34392},
    {7, "France", "Magny-Cours", 0x6CAA1499, 31767},
    {8, "Britain", "Silverstone", 0x883CAFD9, 38617},
    {9, "Germany", "Hockenheim", 0x6DCEB94B, 31876},
    {10, "Hungary", "Hungaroring", 0xE28ED299, 34956},
    {11, "Belgium", "Spa-Francorchamps", 0xBEEEF45F, 45598},
    {12, "Italy", "Monza", 0x453E95A3, 41038},
    {13, "Portugal", "Estoril", 0x1B26E5D8, 37263},
    {14, "Europe", "Jerez", 0xBBC5995D, 33059},
    {15, "Japan", "Suzuka", 0x42CB8229, 35730},
    {16, "Australia", "Adelaide", 0x9F1F4008, 44586},
}};

} // namespace

std::optional<OriginalTrack> originalTrack(const ChecksumCheck& check, qint64 size)
{
    if (!check.correct())
        return std::nullopt;
    const auto it = std::find_if(kOriginals.begin(), kOriginals.end(), [&](const OriginalTrack& t) {
        return t.checksum == check.computed.value() && t.size == size;
    });
    if (it == kOriginals.end())
        return std::nullopt;
    return *it;
}

QString originalTrackLine(const OriginalTrack& track)
{
    return QStringLiteral("Original track of slot %1: %2 (%3)")
        .arg(track.slot)
        .arg(QString::fromLatin1(track.grandPrix), QString::fromLatin1(track.circuit));
}

} // namespace drovex
