#pragma once

#include "tracks/trackchecksum.h"

#include <QString>

#include <optional>

namespace drovex {

// One of the sixteen circuit files the game comes with (F1CT01.DAT .. F1CT16.DAT): its slot, the
// 1994 Grand Prix it stands for, the circuit, and the checksum and size of the file.
struct OriginalTrack {
    int slot;
    const char* grandPrix;
    const char* circuit;
    quint32 checksum;
    qint64 size;
};

// The original track a file is: its stored and computed checksums agree with the table's, and
// its size too. None for any other file.
std::optional<OriginalTrack> originalTrack(const ChecksumCheck& check, qint64 size);
// "Original track of slot 4: Monaco (Monte Carlo)".
QString originalTrackLine(const OriginalTrack& track);

} // namespace drovex
