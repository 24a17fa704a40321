#pragma once

#include <QString>

namespace drovex {

class SettingsStore;
class Platform;

// Process-wide state shared by the windows of one run.
struct Session {
    Session(SettingsStore& s, const Platform& p)
        : store(s)
        , platform(p)
    {
    }

    SettingsStore& store;
    const Platform& platform;
    QString gameFolder;       // the current game folder; "" until one is chosen
    qint16 hAlignIndex = 0;   // alignment and start-mode indices as last loaded or saved
    qint16 vAlignIndex = 0;
    qint16 startModeIndex = 0;
    int videoIndex = 0;       // the start-up options' video and log choices, kept for the run
    int logIndex = 0;
    QString pendingColour;    // the palette index last clicked in the colour selector, kept for the run
};

// Keys of the stored paths.
inline constexpr const char* kPathGp2 = "Path-GP2";
inline constexpr const char* kPathDrovex = "Path-Drovex";
inline constexpr const char* kPathBatch = "Path-Batch";

} // namespace drovex
