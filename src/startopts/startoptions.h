#pragma once

#include "common/safefile.h"

#include <QList>
#include <QString>

#include <array>
#include <span>

namespace drovex {

class SettingsStore;

// One of the game's own start-up switches.
struct StartSwitch {
    int index;
    const char* caption;
    const char* word;     // what it adds to the option string, leading blank included
    const char* tooltip;
    const char* key;      // settings key
};

inline constexpr int kStartSwitchCount = 17;
inline constexpr int kVideoSwitch = 1;
inline constexpr int kLogSwitch = 3;
inline constexpr int kCdSwitch = 4;
inline constexpr int kVideoModes = 4;
inline constexpr int kLogModes = 3;

std::span<const StartSwitch> startSwitches();      // by index 0..16
const QList<int>& startSwitchColumn();              // the "Start-Up Options" frame: 5..16, 2, 0
QString videoCaption(int mode);                     // "Vesa", "Vga", "All", "Para"
QString videoWord(int mode);                        // "vesa", ...
QString logCaption(int mode);                       // "On", "Off", "Safe"
QString logWord(int mode);                          // "on", ...

inline constexpr const char* kCdLetterKey = "CD-Drive Letter";
inline constexpr const char* kVideoKey = "Video Options";
inline constexpr const char* kLogKey = "Log Options";

// The start-up options as the window holds them.
struct StartOptionsState {
    std::array<int, kStartSwitchCount> switches{}; // 0 off, 1 on (2 greyed counts as off)
    std::array<bool, kVideoModes> video{};         // which video buttons are selected
    std::array<bool, kLogModes> log{};
    QString cdLetter;
};

// The option string: the words of the checked switches in index order, each with its blank.
QString buildOptionString(const StartOptionsState& state);

// The game's start-up options between openings of their window: what is stored, the video and
// log choices of this run, and the option string last built.
class StartOptionsModel {
public:
    // The window's state as it loads: its design (every switch off, Vesa, On) with the stored
    // choices put in; a value that is missing or no number leaves its control as designed, and an
    // unreadable video or log index leaves this run's choice.
    StartOptionsState load(const SettingsStore& store);
    // Stores every choice of the window, or none; this run's video and log choices follow a save
    // that reached the disk.
    WriteResult save(SettingsStore& store, const StartOptionsState& state);

    // Builds the option string from a state of the window.
    void AcceptChanges(const StartOptionsState& state) { m_options = buildOptionString(state); }
    const QString& OptionsGP2() const { return m_options; }
    void clearOptions() { m_options.clear(); }


private:
    int m_video = 0;
    int m_log = 0;
    QString m_options;
};

} // namespace drovex
