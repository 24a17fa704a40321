#pragma once

#include "common/indexing.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <string_view>

namespace drovex {

// Store location shared by every setting the front-end keeps.
inline constexpr const char* kApplication = "Drovex Windows Front-End";
inline constexpr const char* kSection = "Settings";

// Controls are addressed by kind and index, as their object names say.
enum class SettingKind {
    Plain,     // Check(i), a switch of its own
    Valued,    // CheckT(i) or CheckC(i) with Text(i)/TextC(i) and usually a bar
    Alignment, // CheckO(i) with OptionH(0..2) / OptionV(0..2)
    StartMode, // OPT_StartMode(0..2)
};

// The frames of the main window, Frame(0) .. Frame(14).
enum class Frame {
    AtTheLine, DebugLogging, OtherOptions, Hof25, Misc, Network, TrackMap, ExtendedDataLogging,
    VAlignButtons, // caption-less, inside "Track Map"
    HAlignButtons, // caption-less, inside "Track Map"
    TrackMenu, RcrJams, Mode, Drovex, Gp2Options,
};
inline constexpr int kFrameCount = static_cast<int>(Frame::Gp2Options) + 1;
// "Default Values" disables the frames that hold Drovex's own settings, Frame(0) up to this one.
inline constexpr Frame kLastSettingsFrame = Frame::RcrJams;

struct Limits {
    int lo;
    int hi;
};

struct Setting {
    SettingKind kind;
    int index;
    Frame frame;
    const char* caption;
    const char* switchKey;              // the switch key; for the start mode its index key
    const char* valueKey = nullptr;     // the value or index key
    const char* switchTip = nullptr;    // tooltip of the switch
    const char* fieldTip = nullptr;     // tooltip of the field, its swatch and colour button; none: the switch's
    bool defaultOn = false;             // the switch state "Default Values" puts in
    const char* defaultValue = nullptr;
    const char* initialValue = nullptr;
    std::optional<Limits> limits = {};  // numbers only; free text has none
    bool colour = false;                // the field holds a palette index (Text(0..3))
    const char* cfgKey = nullptr;       // the key Drovex.cfg holds the value (or the switch) under
    const char* cfgTextKey = nullptr;   // the two free texts: the key of the text itself

    constexpr bool hasBar() const { return kind == SettingKind::Valued && limits.has_value(); }
    constexpr const char* tipOfField() const { return fieldTip ? fieldTip : switchTip; }
    constexpr bool isDotSize() const { return hasBar() && limits->hi > 32767; }
};

// Every setting of the main window, frame by frame as the window lays them out.
inline constexpr std::array kSettings = {
    // Frame 0, "At The Line"
    Setting{.kind = SettingKind::Plain, .index = 0, .frame = Frame::AtTheLine,
            .caption = "No Fastest Lap", .switchKey = "No Fastest Lap",
            .switchTip = "Don't show \"Fastest Lap by....\" if active",
            .defaultOn = true, .cfgKey = "atlNoFastestLap"},
    Setting{.kind = SettingKind::Valued, .index = 0, .frame = Frame::AtTheLine,
            .caption = "Split 1 Color", .switchKey = "Split 1 Color", .valueKey = "Split 1 Color Value",
            .switchTip = "Taken from GP2's color palette, default: 135 (light blue)",
            .defaultOn = true, .defaultValue = "135", .initialValue = "135", .limits = Limits{0, 255}, .colour = true, .cfgKey = "atlSplit1Color"},
    Setting{.kind = SettingKind::Valued, .index = 1, .frame = Frame::AtTheLine,
            .caption = "Split 2 Color", .switchKey = "Split 2 Color", .valueKey = "Split 2 Color Value",
            .switchTip = "Taken from GP2's color palette, default: 125 (middle blue)",
            .defaultOn = true, .defaultValue = "125", .initialValue = "125", .limits = Limits{0, 255}, .colour = true, .cfgKey = "atlSplit2Color"},
    Setting{.kind = SettingKind::Valued, .index = 2, .frame = Frame::AtTheLine,
            .caption = "Line Color", .switchKey = "Line Color", .valueKey = "Line Color Value",
            .switchTip = "Taken from GP2's color palette, default: 151 (dark blue)",
            .defaultOn = true, .defaultValue = "151", .initialValue = "151", .limits = Limits{0, 255}, .colour = true, .cfgKey = "atlLineColor"},
    Setting{.kind = SettingKind::Plain, .index = 14, .frame = Frame::AtTheLine,
            .caption = "Across Top", .switchKey = "Across Top",
            .switchTip = "Show info across the top of the screen",
            .defaultOn = true, .cfgKey = "atlAcrossTop"},
    Setting{.kind = SettingKind::Valued, .index = 15, .frame = Frame::AtTheLine,
            .caption = "Mark Top X Drivers", .switchKey = "Mark Top X", .valueKey = "Mark Top X Value",
            .switchTip = "How many cars to mark on the laptime board, range is 3..9",
            .defaultOn = true, .defaultValue = "6", .initialValue = "6", .limits = Limits{0, 9}, .cfgKey = "atlMarkTopX"},

    // Frame 6, "Track Map"
    Setting{.kind = SettingKind::Valued, .index = 14, .frame = Frame::TrackMap,
            .caption = "Zoom", .switchKey = "Zoom", .valueKey = "Zoom Value",
            .switchTip = "Zoom level 0..5 (toggle with TAB in-game)",
            .defaultOn = true, .defaultValue = "2", .initialValue = "2", .limits = Limits{0, 5}, .cfgKey = "mapZoom"},
    Setting{.kind = SettingKind::Valued, .index = 3, .frame = Frame::TrackMap,
            .caption = "Track Color", .switchKey = "Track Color", .valueKey = "Track Color Value",
            .switchTip = "Which color for the track to start with (GP2 palette index)",
            .defaultOn = true, .defaultValue = "1", .initialValue = "1", .limits = Limits{0, 255}, .colour = true, .cfgKey = "mapTrackColor"},
    Setting{.kind = SettingKind::Alignment, .index = 0, .frame = Frame::TrackMap,
            .caption = "Horizontal Alignment", .switchKey = "H-Align", .valueKey = "H-Align Value",
            .switchTip = "0 = left, 1 = center, 2 = right (toggle with '8' in-game)",
            .defaultOn = true, .defaultValue = "1", .initialValue = "0", .limits = Limits{0, 2}, .cfgKey = "mapHAlign"},
    Setting{.kind = SettingKind::Alignment, .index = 1, .frame = Frame::TrackMap,
            .caption = "Vertical Alignment", .switchKey = "V-Align", .valueKey = "V-Align Value",
            .switchTip = "0 = top, 1 = center, 2 = bottom. Relative to Maximum Y-Value",
            .defaultOn = true, .defaultValue = "0", .initialValue = "0", .limits = Limits{0, 2}, .cfgKey = "mapVAlign"},
    Setting{.kind = SettingKind::Plain, .index = 15, .frame = Frame::TrackMap,
            .caption = "Rotate", .switchKey = "Rotate",
            .switchTip = "0 = disable rotation of map (toggle with 'm' in-game)",
            .defaultOn = true, .cfgKey = "mapRotate"},
    Setting{.kind = SettingKind::Valued, .index = 16, .frame = Frame::TrackMap,
            .caption = "Maximum Y-Value", .switchKey = "Max Y", .valueKey = "Max Y Value",
            .switchTip = "Y clipping (max. DrawLines, see below, 400 is practical) VGA will use half this value",
            .defaultOn = true, .defaultValue = "194", .initialValue = "194", .limits = Limits{0, 479}, .cfgKey = "mapMaxY"},
    Setting{.kind = SettingKind::Valued, .index = 19, .frame = Frame::TrackMap,
            .caption = "SVGA Dot Size", .switchKey = "SVGA Dot Size", .valueKey = "SVGA Dot Size Value",
            .switchTip = "SVGA dot sizes of cars at each of 6 zoom levels. Default: 122358, min: 111111, max: 999999",
            .defaultOn = true, .defaultValue = "122358", .initialValue = "122358", .limits = Limits{111111, 999999}, .cfgKey = "mapDotSize"},
    Setting{.kind = SettingKind::Valued, .index = 20, .frame = Frame::TrackMap,
            .caption = "VGA Dot Size", .switchKey = "VGA Dot Size", .valueKey = "VGA Dot Size Value",
            .switchTip = "VGA dot sizes of cars at each of 6 zoom levels. Default: 111235, min: 111111, max: 999999",
            .defaultOn = true, .defaultValue = "111235", .initialValue = "111235", .limits = Limits{111111, 999999}, .cfgKey = "mapDotSizeVGA"},

    // Frame 11, "RCR-Jams"
    Setting{.kind = SettingKind::Valued, .index = 8, .frame = Frame::RcrJams,
            .caption = "VGA RCR 1", .switchKey = "VGA RCR 1", .valueKey = "VGA RCR 1 Distance",
            .switchTip = "0x0850 - How far away an rcr-jam will be used if you're looking from within the cockpit (VGA)",
            .defaultValue = "2128", .initialValue = "2128", .limits = Limits{0, 32767}, .cfgKey = "VgaRcr1"},
    Setting{.kind = SettingKind::Valued, .index = 9, .frame = Frame::RcrJams,
            .caption = "SVGA RCR 1", .switchKey = "SVGA RCR 1", .valueKey = "SVGA RCR 1 Distance",
            .switchTip = "0x0C80 - How far away an rcr-jam will be used if you're looking from within the cockpit (SVGA)",
            .defaultValue = "3200", .initialValue = "3200", .limits = Limits{0, 32767}, .cfgKey = "SvgaRcr1"},
    Setting{.kind = SettingKind::Valued, .index = 10, .frame = Frame::RcrJams,
            .caption = "VGA RCR 2", .switchKey = "VGA RCR 2", .valueKey = "VGA RCR 2 Distance",
            .switchTip = "0x0850 - How far away an rcr-jam will be used if you're looking through a onboard camera (VGA)",
            .defaultValue = "2128", .initialValue = "2128", .limits = Limits{0, 32767}, .cfgKey = "VgaRcr2"},
    Setting{.kind = SettingKind::Valued, .index = 11, .frame = Frame::RcrJams,
            .caption = "SVGA RCR 2", .switchKey = "SVGA RCR 2", .valueKey = "SVGA RCR 2 Distance",
            .switchTip = "0x0C80 - How far away an rcr-jam will be used if you're looking through a onboard camera (SVGA)",
            .defaultValue = "3200", .initialValue = "3200", .limits = Limits{0, 32767}, .cfgKey = "SvgaRcr2"},
    Setting{.kind = SettingKind::Valued, .index = 12, .frame = Frame::RcrJams,
            .caption = "VGA RCR 3", .switchKey = "VGA RCR 3", .valueKey = "VGA RCR 3 Distance",
            .switchTip = "0x0A50 - How far away an rcr-jam will be used if you're looking through the on track camera's or in front or back of the car (VGA)",
            .defaultValue = "2640", .initialValue = "2640", .limits = Limits{0, 32767}, .cfgKey = "VgaRcr3"},
    Setting{.kind = SettingKind::Valued, .index = 13, .frame = Frame::RcrJams,
            .caption = "SVGA RCR 3", .switchKey = "SVGA RCR 3", .valueKey = "SVGA RCR 3 Distance",
            .switchTip = "0x1000 - How far away an rcr-jam will be used if you're looking through the on track camera's or in front or back of the car (SVGA)",
            .defaultValue = "4096", .initialValue = "4096", .limits = Limits{0, 32767}, .cfgKey = "SvgaRcr3"},

    // Frame 3, "HOF 2.5"
    Setting{.kind = SettingKind::Plain, .index = 1, .frame = Frame::Hof25,
            .caption = "Enable HOF 2.5", .switchKey = "Enable HOF 2.5",
            .switchTip = "Enable special HOF2.5 features",
            .cfgKey = "hof25Enable"},

    // Frame 4, "Misc"
    Setting{.kind = SettingKind::Valued, .index = 18, .frame = Frame::Misc,
            .caption = "Draw Lines", .switchKey = "Draw Lines", .valueKey = "Draw Lines Value",
            .switchTip = "How many lines to draw, default is 194, range is 0..479 Note: The more lines you choose the more PO you'll get, depending on the speed of your PC",
            .defaultOn = true, .defaultValue = "194", .initialValue = "194", .limits = Limits{0, 479}, .cfgKey = "DrawLines"},
    Setting{.kind = SettingKind::Valued, .index = 5, .frame = Frame::Misc,
            .caption = "Cockpit Zoom", .switchKey = "Cockpit Zoom", .valueKey = "Cockpit Zoom Text",
            .switchTip = "Zoom for cockpit view, default is 256, range is 64..7936",
            .defaultValue = "256", .initialValue = "256", .limits = Limits{64, 7936}, .cfgKey = "CockpitZoom"},
    Setting{.kind = SettingKind::Valued, .index = 4, .frame = Frame::Misc,
            .caption = "Car Remove Time", .switchKey = "Car Remove Time", .valueKey = "Car Remove Time Text",
            .switchTip = "In msecs - default 20 seconds",
            .defaultOn = true, .defaultValue = "20000", .initialValue = "20000", .limits = Limits{0, 32767}, .cfgKey = "CarRemoveTime"},
    Setting{.kind = SettingKind::Plain, .index = 6, .frame = Frame::Misc,
            .caption = "Spa 1998 Mode", .switchKey = "Spa 1998 Mode",
            .switchTip = "Simulate the start of the Belgium '98 GP - use with caution",
            .cfgKey = "Spa98"},
    Setting{.kind = SettingKind::Plain, .index = 3, .frame = Frame::Misc,
            .caption = "Use Localized Strings ", .switchKey = "Use Localized Strings ",
            .switchTip = "Set to 0 to make all Drovex message strings English",
            .defaultOn = true, .cfgKey = "UseLocalizedStrings"},
    Setting{.kind = SettingKind::Plain, .index = 2, .frame = Frame::Misc,
            .caption = "Splits In Race", .switchKey = "Splits In Race",
            .switchTip = "Show split times during race",
            .defaultOn = true, .cfgKey = "SplitsInRace"},

    // Frame 5, "Network"
    Setting{.kind = SettingKind::Plain, .index = 11, .frame = Frame::Network,
            .caption = "Old Network Code", .switchKey = "Old Network Code",
            .switchTip = "Switch on to use the old ipx routines",
            .cfgKey = "UseOldNetworkCode"},
    Setting{.kind = SettingKind::Valued, .index = 7, .frame = Frame::Network,
            .caption = "Use IPX Link", .switchKey = "Use IPX Link", .valueKey = "Use IPX Link Link Name",
            .switchTip = "Enable if you want to play over IPX",
            .fieldTip = "Input your Link-Name",
            .defaultValue = "Your Name Here", .initialValue = "Your Name Here", .cfgKey = "UseIPXLink", .cfgTextKey = "MyLinkName"},

    // Frame 2, "Other Options"
    Setting{.kind = SettingKind::Plain, .index = 13, .frame = Frame::OtherOptions,
            .caption = "Hide Windows", .switchKey = "Hide Win95/98",
            .switchTip = "Switch on to make GP2 think it's running under DOS",
            .cfgKey = "HideWinxx"},
    Setting{.kind = SettingKind::Plain, .index = 12, .frame = Frame::OtherOptions,
            .caption = "Force PM Banking", .switchKey = "Force PM Banking",
            .switchTip = "Switch on if you have VESA VBE 2.0 or higher",
            .cfgKey = "ForcePMBanking"},

    // Frame 1, "Debug Logging"
    Setting{.kind = SettingKind::Valued, .index = 17, .frame = Frame::DebugLogging,
            .caption = "Debug Screen Lines", .switchKey = "Log Visible Lines", .valueKey = "Log Visible Lines Value",
            .switchTip = "Number of lines for the screen log (page '2'), range is 3..20",
            .defaultOn = true, .defaultValue = "12", .initialValue = "3", .limits = Limits{3, 20}, .cfgKey = "logDebugScreenLines"},
    Setting{.kind = SettingKind::Plain, .index = 10, .frame = Frame::DebugLogging,
            .caption = "Log Debug Flush", .switchKey = "Log Debug Flush",
            .switchTip = "Direct flushing of debug log, use only when Drovex crashes",
            .cfgKey = "logDebugFlush"},
    Setting{.kind = SettingKind::Valued, .index = 6, .frame = Frame::DebugLogging,
            .caption = "Log Debug", .switchKey = "Log Debug", .valueKey = "Log Debug File Name",
            .switchTip = "Log debug output to log file",
            .fieldTip = "Debug log file name",
            .defaultOn = true, .defaultValue = "Drovex.log", .initialValue = "Drovex.log", .cfgKey = "logDebug", .cfgTextKey = "logDebugName"},

    // Frame 7, "Extended Data Logging"
    Setting{.kind = SettingKind::Plain, .index = 7, .frame = Frame::ExtendedDataLogging,
            .caption = "Log GLX", .switchKey = "Log GLX",
            .switchTip = "Save an additional *.GLx log file upon saving a game",
            .cfgKey = "logGLX"},
    Setting{.kind = SettingKind::Plain, .index = 8, .frame = Frame::ExtendedDataLogging,
            .caption = "Log CC", .switchKey = "Log CC",
            .switchTip = "Log computer cars too; this is only saved in *.GLx files !!",
            .cfgKey = "logCC"},
    Setting{.kind = SettingKind::Plain, .index = 9, .frame = Frame::ExtendedDataLogging,
            .caption = "Log Perf", .switchKey = "Log Perf",
            .switchTip = "Log extra perf data and append to perf files",
            .cfgKey = "logPerf"},

    // Frame 10, "Track Menu"
    Setting{.kind = SettingKind::Plain, .index = 17, .frame = Frame::TrackMenu,
            .caption = "Menu Track Map ", .switchKey = "Menu Track Map",
            .switchTip = "Draw a simple track map layout in the track selection menu (replaces bitmap)",
            .cfgKey = "MenuTrackMap"},
    Setting{.kind = SettingKind::Plain, .index = 4, .frame = Frame::TrackMenu,
            .caption = "Catch Track Infos", .switchKey = "Catch Track Infos ",
            .switchTip = "Try catching GP2INFO's from custom track files",
            .defaultOn = true, .cfgKey = "CatchTrackInfos"},
    Setting{.kind = SettingKind::Plain, .index = 5, .frame = Frame::TrackMenu,
            .caption = "Catch Split Segs", .switchKey = "Catch Split Segs",
            .switchTip = "Try catching new splits from custom track files",
            .defaultOn = true, .cfgKey = "CatchSplitSegs"},

    // Frame 12, "Mode"
    Setting{.kind = SettingKind::StartMode, .index = 0, .frame = Frame::Mode,
            .caption = "Start Mode", .switchKey = "Start Mode", .valueKey = "Start Mode",
            .defaultValue = "0", .initialValue = "0", .limits = Limits{0, 2}},

    // Frame 14, "GP2 Options"
    Setting{.kind = SettingKind::Plain, .index = 16, .frame = Frame::Gp2Options,
            .caption = "Enable GP2 Options", .switchKey = "GP2 Options",
},
};

namespace detail {
constexpr int countOf(SettingKind kind)
{
    int n = 0;
    for (const Setting& s : kSettings)
        n += s.kind == kind;
    return n;
}
// Where each index of a kind stands in the table; every index 0..N-1 exactly once.
template <SettingKind K, int N> constexpr std::array<int, N> positionsOf()
{
    std::array<int, N> position{};
    position.fill(-1);
    for (int p = 0; p < static_cast<int>(kSettings.size()); ++p) {
        const Setting& s = at(kSettings, p);
        if (s.kind != K)
            continue;
        if (s.index < 0 || s.index >= N || at(position, s.index) != -1)
            throw "an index of the catalogue is out of range or doubled";
        at(position, s.index) = p;
    }
    for (int p : position)
        if (p < 0)
            throw "an index of the catalogue is missing";
    return position;
}
constexpr int plainIndexOf(const char* cfgKey)
{
    for (const Setting& s : kSettings)
        if (s.kind == SettingKind::Plain && s.cfgKey && std::string_view(s.cfgKey) == cfgKey)
            return s.index;
    throw "no such switch";
}
} // namespace detail

inline constexpr int kPlainCount = detail::countOf(SettingKind::Plain);      // Check(0..17)
inline constexpr int kValuedCount = detail::countOf(SettingKind::Valued);    // CheckT(0..18), CheckC(19..20)
inline constexpr int kAlignCount = detail::countOf(SettingKind::Alignment);  // CheckO(0..1)
inline constexpr int kOptionCount = 3;                                 // buttons of each option group
inline constexpr int kColourCount = [] {
    int n = 0;
    for (const Setting& s : kSettings)
        n += s.colour;
    return n;
}();
inline constexpr int kLogGlx = detail::plainIndexOf("logGLX");
inline constexpr int kLogCc = detail::plainIndexOf("logCC");
// Check(16) "Enable GP2 Options": the front-end's own switch, not written to Drovex.cfg.
inline constexpr int kGp2OptionsSwitch = [] {
    for (const Setting& s : kSettings)
        if (s.kind == SettingKind::Plain && !s.cfgKey)
            return s.index;
    throw "no front-end switch";
}();

namespace detail {
inline constexpr auto kPlainAt = positionsOf<SettingKind::Plain, kPlainCount>();
inline constexpr auto kValuedAt = positionsOf<SettingKind::Valued, kValuedCount>();
inline constexpr auto kAlignAt = positionsOf<SettingKind::Alignment, kAlignCount>();
inline constexpr auto kStartModeAt = positionsOf<SettingKind::StartMode, 1>();
} // namespace detail

// The setting of a control; the index must be one the window has.
constexpr const Setting& plainSetting(int i) { return at(kSettings, at(detail::kPlainAt, i)); }
constexpr const Setting& valuedSetting(int i) { return at(kSettings, at(detail::kValuedAt, i)); }
constexpr const Setting& alignmentSetting(int i) { return at(kSettings, at(detail::kAlignAt, i)); }
constexpr const Setting& startModeSetting() { return at(kSettings, detail::kStartModeAt[0]); }

// The colour fields are Text(0) .. Text(kColourCount - 1), each with its swatch LBL_Color(k).
static_assert([] {
    for (int k = 0; k < kColourCount; ++k)
        if (!valuedSetting(k).colour)
            return false;
    return true;
}());

// Object names of the controls.
QString checkName(int index);          // Check(i)
QString enableName(int index);         // CheckT(i) / CheckC(i)
QString fieldName(int index);          // Text(i) / TextC(i)
QString barName(int index);            // Scroll(i) / ScrollC(i)
QString alignSwitchName(int index);    // CheckO(i)
QString alignButtonName(int group, int button); // OptionH(b) / OptionV(b)
QString startModeName(int index);      // OPT_StartMode(i)
QString frameName(Frame frame);        // Frame(i)

QString frameCaption(Frame frame);
QString alignButtonCaption(int group, int button);
QString startModeCaption(int index);
QString startModeTooltip(int index);

// Every key of the catalogue: the switches, then the values, then the indices.
QStringList allKeys();
QStringList switchKeys();
QStringList valueKeys();
QStringList indexKeys();

} // namespace drovex
