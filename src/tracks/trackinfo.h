#pragma once

#include <QByteArray>
#include <QString>

#include <array>

namespace drovex {

// The keys of a #GP2INFO tag, in the order they are looked for.
enum TrackKey { Name, Country, Year, Author, Laps, Tyre, LengthMeters, LapRecord, LapRecordQualify, Slot, Event, Desc };
inline constexpr int kTrackKeyCount = 12;
inline constexpr int kTagWindow = 4000; // only the first bytes of a track file are looked at

// A length of -1 for every key: no value found.
constexpr std::array<int, kTrackKeyCount> absentLengths()
{
    std::array<int, kTrackKeyCount> lengths{};
    lengths.fill(-1);
    return lengths;
}

// What the tag reader found in a track file.
struct TrackInfo {
    bool tagFound = false;
    QString name;                                 // the selected track's name ("No Name" without a tag)
    std::array<QString, kTrackKeyCount> values;   // display values; "-" where a key is absent
    std::array<int, kTrackKeyCount> rawLength = absentLengths(); // bytes of each value in the file; -1 where absent
};

// Reads the tag from the first bytes of a track file.
TrackInfo parseTrackInfo(const QByteArray& firstBytes);
// A key's name as the tag spells it ("LengthMeters").
QLatin1String trackKeyName(int key);
// Reads the first 4000 bytes of the file and its tag; a file that cannot be read is empty.
TrackInfo ReadTrackInfo(const QString& path);
// Only the first 4000 bytes of a file, or nothing when it cannot be read.
QByteArray readTagWindow(const QString& path);

} // namespace drovex
