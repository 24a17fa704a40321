#pragma once

#include <QByteArrayView>
#include <QList>
#include <QPointF>
#include <QString>

#include <optional>

namespace drovex {

// Where a track file's blocks are: u32 offsets from kTrackOffsetBase in the table at 0x1000;
// the entry at kChecksumEntry points to the checksum.
inline constexpr qsizetype kTrackOffsetBase = 0x1020;
inline constexpr qsizetype kChecksumEntry = 0x1008;
// The smallest track file: the free area, the table of blocks and a checksum.
inline constexpr qsizetype kSmallestTrack = kTrackOffsetBase + 4;
// Where the table entry at `entry` points; the file holds the table (at least kSmallestTrack bytes).
qint64 trackBlockOffset(QByteArrayView file, qsizetype entry);

// A track section's length unit is 16 feet.
inline constexpr double kMetresPerUnit = 4.8768;

// One section of the track: its length in units and its curvature, the heading change per unit
// in 1/65536 of a full turn (positive bends right).
struct TrackSection {
    int length;
    int curvature;
};

// The circuit as its sections draw it, seen from above: x to the right, y down, starting at
// (0, 0) on the start line.
struct TrackOutline {
    QList<QPointF> points; // the centre line; bends in steps of at most one unit; last = the end of the lap
    int headerLength = 0;  // bytes of the track data header before the section list
    int sectionCount = 0;
    qint64 turning = 0;    // sum of length * curvature: 65536 is one turn to the right
    qint64 lapUnits = 0;   // the lap's length in units
    double closureGap = 0; // from the end of the lap to the start, in units
    double lapMetres() const { return static_cast<double>(lapUnits) * kMetresPerUnit; }
};

// The lap's length in metres as the tag's LengthMeters is written: one decimal, no group separator.
QString lapLengthText(const TrackOutline& outline);

// The outline of a track file, or why it cannot be read.
struct TrackDataReading {
    std::optional<TrackOutline> outline;
    QString problem;
};

// Reads the track data of a whole track file. Every read is checked against the file's length
// and the work grows with the file's size only; any file gives a result.
TrackDataReading readTrackData(QByteArrayView file);

// The sections of the list that starts at byte `at` and must end (with FF FF) at or before byte
// `limit`, with the command 0xC5 taking c5Words words; none, and why, when it cannot be read.
std::optional<QList<TrackSection>> readSectionList(QByteArrayView file, qsizetype at, qsizetype limit, int c5Words,
                                                   QString* problem);
// The outline the sections draw from a start heading (65536 is a full turn), if they make a
// circuit: turning once around either way (or not at all, as a figure of eight does), ending
// within 2 % of the lap's length of the start, with a length above 0.
std::optional<TrackOutline> traceOutline(const QList<TrackSection>& sections, int startHeading, QString* problem);

} // namespace drovex
