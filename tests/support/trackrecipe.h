#pragma once

#include <QByteArray>
#include <QList>

namespace drovex::test {

// A synthetic track file, built byte by byte as a track editor writes one: the free area with
// the tag, the table of blocks, the track data (header, two commands, the sections, FF FF), an
// empty car setup block and pit lane, and the checksum.
struct TrackRecipe {
    struct Section {
        int length;
        int curvature;
    };
    QByteArray tag = "#GP2INFO|Name|Square Test|Country|Nowhere|Laps|10|LengthMeters|2263|#";
    QList<Section> sections = square();
    int startHeading = 0;
    bool c5x8 = false;  // header flag 0x0200: the command 0xC5 has 8 words
    bool hdr36 = false; // a 36-byte header with three-colour kerbs
    int objectBytes = 0; // bytes of objects after the pit lane, to make a file of a real track's size

    // 100 units straight, a right-hand quarter of radius 32/pi, four times: 464 units, 2262.8 m.
    static QList<Section> square();
    // Two lobes with straights that cross at the start, turning right and left alike.
    static QList<Section> figureOfEight();
};

QByteArray buildTrack(const TrackRecipe& recipe = {});

// The track with the 304 bytes before its checksum chosen so that the checksum comes out as
// `checksum` (sum + 65536 * cycle), stored and computed alike: how a test makes a file of an
// original track's size that the program takes for that track. The bytes must be object data
// (objectBytes of 304 or more); "" when no bytes give it.
QByteArray withChecksum(QByteArray track, quint32 checksum);

} // namespace drovex::test
