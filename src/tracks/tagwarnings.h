#pragma once

#include "tracks/trackinfo.h"

#include <QList>
#include <QStringList>

namespace drovex {

// The longest text Drovex shows of a tag's value.
inline constexpr int kDrovexTextLength = 39;

// What Drovex will make of a track's tag otherwise than it reads: a missing Laps, LengthMeters or
// Tyre ("Drovex uses its own value"; not said for the game's original tracks, whose values Drovex
// has), a text longer than Drovex shows, and a Slot tag that names another slot than the ones the
// track is assigned to (none: it is in no slot). One sentence for each.
QStringList tagWarnings(const TrackInfo& info, bool originalTrack, const QList<int>& assignedSlots);

} // namespace drovex
