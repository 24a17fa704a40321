#pragma once

#include <QList>
#include <QString>

#include <array>
#include <span>

namespace drovex {

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
const QList<int>& startSwitchOrder();               // 5..16, 2, 0, 1, 3, 4: loading and saving
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

} // namespace drovex
