#pragma once

#include "tracks/originaltracks.h"
#include "tracks/trackchecksum.h"
#include "tracks/trackdata.h"

#include <QString>

#include <optional>

namespace drovex {

// Anything past a few megabytes is no track file (the game's own are 31 to 58 KB).
inline constexpr qint64 kLargestTrack = 4 * 1024 * 1024;

// What a track file's bytes say beyond its tag: its checksum, whether it is one of the game's
// original tracks, and its outline.
struct TrackFileFacts {
    bool read = false;                     // the file could be read
    qint64 size = 0;
    std::optional<ChecksumCheck> checksum; // for a file of a track's size
    bool checksumAtEnd = false;            // the table of blocks puts the checksum in the last 4 bytes
    std::optional<OriginalTrack> original;
    TrackDataReading data;
};

TrackFileFacts examineTrackFile(QByteArrayView bytes);
// A regular file's bytes, up to one more than the largest track's; none for anything else (a
// named pipe, a folder, a missing file).
std::optional<QByteArray> readTrackBytes(const QString& path);
// Reads a regular file whole and examines it.
TrackFileFacts readTrackFile(const QString& path);
// Which of the game's original tracks the file at path is, by its checksum and size alone.
std::optional<OriginalTrack> readOriginalTrack(const QString& path);

// Why the file is no track the game could load ("" when it is one): not readable, too small or
// too large, or no readable track data.
QString notATrackReason(const TrackFileFacts& facts);
// A wrong checksum that can be fixed: a track file whose checksum is where its table says.
bool canFixChecksum(const TrackFileFacts& facts);

// "No map: the track data cannot be read (...)".
QString noMapText(const TrackFileFacts& facts);

// Writing the right checksum into a track file.
struct ChecksumFix {
    bool ok = false;
    QString backup; // the copy of the file as it was
    QString reason; // why it failed
};
// Copies the file to "<name>.bak" (a dated name when that is taken; nothing is overwritten), then
// replaces it, through the safe write, with the same bytes and the right checksum.
ChecksumFix fixChecksum(const QString& path);

} // namespace drovex
