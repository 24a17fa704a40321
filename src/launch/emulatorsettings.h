#pragma once

#include "launch/emulatorkind.h"
#include "settings/settingsstore.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace drovex {

struct LaunchPlan;
class EmulatorLaunch;

// Keys of the emulator's settings under [Settings], beside "Path-Emulator" and
// "Path-Emulator-Config".
inline constexpr const char* kEmulatorCpuCycles = "Emulator CPU Cycles";
inline constexpr const char* kEmulatorCdImage = "Emulator CD Image";

// The game's speed in the emulator. Grand Prix 2 measures the processor when it starts and
// chooses its frame rate and detail from that; under "max" the estimate comes out far too low,
// and its players advise a fixed 93740 cycles or more.
inline constexpr int kCyclesDefault = 100000;
inline constexpr int kCyclesMin = 10000;
inline constexpr int kCyclesMax = 1000000;
// Memory in MB: Drovex needs at least 16 (it reports "out of memory" with 8), and 31 is the most
// DOSBox 0.74 recommends.
inline constexpr int kEmulatorMemoryMb = 31;

// The emulated processor's speed: a fixed number of cycles within the limits, or as fast as the
// computer allows.
class CpuSpeed {
public:
    CpuSpeed() = default;
    static CpuSpeed fixed(int cycles);
    static CpuSpeed fastest();
    // Reads a stored value: "max" in any letter case, or a whole number, clamped to the limits;
    // anything else (a hand edit, nothing stored) gives the default.
    static CpuSpeed fromStored(const QString& text);

    bool isMax() const { return m_max; }
    int cycles() const { return m_cycles; }
    QString stored() const;   // "100000" or "max"
    QString describe() const; // "100000 cycles" or "max cycles"
    bool operator==(const CpuSpeed&) const = default;

private:
    bool m_max = false;
    int m_cycles = kCyclesDefault;
};

// What the Emulator window edits, as the store keeps it.
struct EmulatorSettings {
    bool programHeld = false; // "Path-Emulator" stored at all: absent means "look on PATH"
    QString program;
    CpuSpeed speed;
    QString cdImage;    // "" for none
    QString userConfig; // the player's own emulator settings file, "" for none
};

EmulatorSettings readEmulatorSettings(const SettingsStore& store);
// The store entries that keep settings, for one all-or-nothing write. "Path-Emulator" is left
// out while it is not held, so that the emulator is still looked for on PATH.
QList<StoreEntry> emulatorSettingsEntries(const EmulatorSettings& settings);

// The front-end's own emulator settings for the game, in the words of the emulator at hand.
QByteArray ownEmulatorConfig(const EmulatorIdentity& identity, CpuSpeed speed);

// The speed that a player's own settings file sets for the emulator at hand ("50000", "max",
// "auto"), which wins over the front-end's, or "" when it sets none.
QString configuredSpeed(const QByteArray& config, const EmulatorIdentity& identity);

// What the status bar says at start: how DOS programs are started, and in which emulator, of
// which kind and at which speed ("DOSBox 0.74 at 100000 cycles").
QString emulatorStartNotice(const SettingsStore& store);

// Everything a start of a DOS program needs: the emulator's kind, the front-end's own settings
// written for it, the player's own file after it and the game CD; or why it cannot start.
EmulatorLaunch prepareEmulatorLaunch(const LaunchPlan& plan, const SettingsStore& store, const QString& emulator);

} // namespace drovex
