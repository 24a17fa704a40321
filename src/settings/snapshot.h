#pragma once

#include "settings/catalogue.h"
#include "settings/settingsstore.h"

#include <array>

namespace drovex {

// Everything the store keeps for the main window's catalogue, as the texts it keeps: switch
// states ("0", "1", "2"), field texts, the alignment indices and the start mode. A text the
// window cannot take (an empty switch state, an index out of range) leaves its control as it is.
struct SettingsSnapshot {
    std::array<QString, kPlainCount> check;     // Check(i)
    std::array<QString, kValuedCount> enable;   // CheckT(i) / CheckC(i)
    std::array<QString, kValuedCount> text;     // Text(i) / TextC(i)
    std::array<QString, kAlignCount> align;     // CheckO(i)
    std::array<QString, kAlignCount> alignIndex; // "H-Align Value", "V-Align Value"
    QString startMode;

    friend bool operator==(const SettingsSnapshot&, const SettingsSnapshot&) = default;
};

// What the store holds (a missing key reads as "").
SettingsSnapshot readSnapshot(const SettingsStore& store);
// Every key of the catalogue with its value, to be saved all or none.
QList<StoreEntry> snapshotEntries(const SettingsSnapshot& snapshot);

// The Default column of the catalogue. "Enable GP2 Options" keeps whatever state it has, so its
// text is empty.
SettingsSnapshot defaultSnapshot();

// What the window holds when it is created: every switch off, the initial texts, indices 0.
SettingsSnapshot initialSnapshot();

// Whether any setting of the catalogue has ever been stored.
bool holdsAnySetting(const SettingsStore& store);

// A switch state as Drovex.cfg counts it: "0" (or anything that is no state) off, else on.
bool isOn(const QString& state);

} // namespace drovex
