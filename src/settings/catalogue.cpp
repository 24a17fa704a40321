#include "settings/catalogue.h"

#include <array>
#include <stdexcept>

namespace drovex {
namespace {

constexpr int kFree = 1; // lo > hi marks a free-text field
constexpr int kNone = 0;

#define COLOR_TIP(text) "Taken from GP2's color palette, default: " text

const std::array kSettings = {
    // Frame 0, "At The Line"
    Setting{Kind::Plain, 0, 0, "No Fastest Lap", "No Fastest Lap", nullptr,
            "Don't show \"Fastest Lap by....\" if active", nullptr, true, nullptr, nullptr, kNone, kNone,
            "atlNoFastestLap"},
    Setting{Kind::Valued, 0, 0, "Split 1 Color", "Split 1 Color", "Split 1 Color Value",
            COLOR_TIP("135 (light blue)"), COLOR_TIP("135 (light blue)"), true, "135", "135", 0, 255,
            "atlSplit1Color"},
    Setting{Kind::Valued, 1, 0, "Split 2 Color", "Split 2 Color", "Split 2 Color Value",
            COLOR_TIP("125 (middle blue)"), COLOR_TIP("125 (middle blue)"), true, "125", "125", 0, 255,
            "atlSplit2Color"},
    Setting{Kind::Valued, 2, 0, "Line Color", "Line Color", "Line Color Value",
            COLOR_TIP("151 (dark blue)"), COLOR_TIP("151 (dark blue)"), true, "151", "151", 0, 255,
            "atlLineColor"},
    Setting{Kind::Plain, 14, 0, "Across Top", "Across Top", nullptr, "Show info across the top of the screen",
            nullptr, true, nullptr, nullptr, kNone, kNone, "atlAcrossTop"},
    Setting{Kind::Valued, 15, 0, "Mark Top X Drivers", "Mark Top X", "Mark Top X Value",
            "How many cars to mark on the laptime board, range is 3..9",
            "How many cars to mark on the laptime board, range is 3..9", true, "6", "6", 0, 9, "atlMarkTopX"},

    // Frame 6, "Track Map"
    Setting{Kind::Valued, 14, 6, "Zoom", "Zoom", "Zoom Value", "Zoom level 0..5 (toggle with TAB in-game)",
            "Zoom level 0..5 (toggle with TAB in-game)", true, "2", "2", 0, 5, "mapZoom"},
    Setting{Kind::Valued, 3, 6, "Track Color", "Track Color", "Track Color Value",
            "Which color for the track to start with (GP2 palette index)",
            "Which color for the track to start with (GP2 palette index)", true, "1", "1", 0, 255,
            "mapTrackColor"},
    Setting{Kind::Alignment, 0, 6, "Horizontal Alignment", "H-Align", "H-Align Value",
            "0 = left, 1 = center, 2 = right (toggle with '8' in-game)", nullptr, true, "1", "0", 0, 2,
            "mapHAlign"},
    Setting{Kind::Alignment, 1, 6, "Vertical Alignment", "V-Align", "V-Align Value",
            "0 = top, 1 = center, 2 = bottom. Relative to Maximum Y-Value", nullptr, true, "0", "0", 0, 2,
            "mapVAlign"},
    Setting{Kind::Plain, 15, 6, "Rotate", "Rotate", nullptr,
            "0 = disable rotation of map (toggle with 'm' in-game)", nullptr, true, nullptr, nullptr, kNone,
            kNone, "mapRotate"},
    Setting{Kind::Valued, 16, 6, "Maximum Y-Value", "Max Y", "Max Y Value",
            "Y clipping (max. DrawLines, see below, 400 is practical) VGA will use half this value",
            "Y clipping (max. DrawLines, see below, 400 is practical) VGA will use half this value", true,
            "194", "194", 0, 479, "mapMaxY"},
    Setting{Kind::Valued, 19, 6, "SVGA Dot Size", "SVGA Dot Size", "SVGA Dot Size Value",
            "SVGA dot sizes of cars at each of 6 zoom levels. Default: 122358, min: 111111, max: 999999",
            "SVGA dot sizes of cars at each of 6 zoom levels. Default: 122358, min: 111111, max: 999999",
            true, "122358", "122358", 111111, 999999, "mapDotSize"},
    Setting{Kind::Valued, 20, 6, "VGA Dot Size", "VGA Dot Size", "VGA Dot Size Value",
            "VGA dot sizes of cars at each of 6 zoom levels. Default: 111235, min: 111111, max: 999999",
            "VGA dot sizes of cars at each of 6 zoom levels. Default: 111235, min: 111111, max: 999999",
            true, "111235", "111235", 111111, 999999, "mapDotSizeVGA"},

    // Frame 11, "RCR-Jams"
    Setting{Kind::Valued, 8, 11, "VGA RCR 1", "VGA RCR 1", "VGA RCR 1 Distance",
            "0x0850 - How far away an rcr-jam will be used if you're looking from within the cockpit (VGA)",
            "0x0850 - How far away an rcr-jam will be used if you're looking from within the cockpit (VGA)",
            false, "2128", "2128", 0, 32767, "VgaRcr1"},
    Setting{Kind::Valued, 9, 11, "SVGA RCR 1", "SVGA RCR 1", "SVGA RCR 1 Distance",
            "0x0C80 - How far away an rcr-jam will be used if you're looking from within the cockpit (SVGA)",
            "0x0C80 - How far away an rcr-jam will be used if you're looking from within the cockpit (SVGA)",
            false, "3200", "3200", 0, 32767, "SvgaRcr1"},
    Setting{Kind::Valued, 10, 11, "VGA RCR 2", "VGA RCR 2", "VGA RCR 2 Distance",
            "0x0850 - How far away an rcr-jam will be used if you're looking through a onboard camera (VGA)",
            "0x0850 - How far away an rcr-jam will be used if you're looking through a onboard camera (VGA)",
            false, "2128", "2128", 0, 32767, "VgaRcr2"},
    Setting{Kind::Valued, 11, 11, "SVGA RCR 2", "SVGA RCR 2", "SVGA RCR 2 Distance",
            "0x0C80 - How far away an rcr-jam will be used if you're looking through a onboard camera (SVGA)",
            "0x0C80 - How far away an rcr-jam will be used if you're looking through a onboard camera (SVGA)",
            false, "3200", "3200", 0, 32767, "SvgaRcr2"},
    Setting{Kind::Valued, 12, 11, "VGA RCR 3", "VGA RCR 3", "VGA RCR 3 Distance",
            "0x0A50 - How far away an rcr-jam will be used if you're looking through the on track camera's or "
            "in front or back of the car (VGA)",
            "0x0A50 - How far away an rcr-jam will be used if you're looking through the on track camera's or "
            "in front or back of the car (VGA)",
            false, "2640", "2640", 0, 32767, "VgaRcr3"},
    Setting{Kind::Valued, 13, 11, "SVGA RCR 3", "SVGA RCR 3", "SVGA RCR 3 Distance",
            "0x1000 - How far away an rcr-jam will be used if you're looking through the on track camera's or "
            "in front or back of the car (SVGA)",
            "0x1000 - How far away an rcr-jam will be used if you're looking through the on track camera's or "
            "in front or back of the car (SVGA)",
            false, "4096", "4096", 0, 32767, "SvgaRcr3"},

    // Frame 3, "HOF 2.5"
    Setting{Kind::Plain, 1, 3, "Enable HOF 2.5", "Enable HOF 2.5", nullptr, "Enable special HOF2.5 features",
            nullptr, false, nullptr, nullptr, kNone, kNone, "hof25Enable"},

    // Frame 4, "Misc"
    Setting{Kind::Valued, 18, 4, "Draw Lines", "Draw Lines", "Draw Lines Value",
            "How many lines to draw, default is 194, range is 0..479 Note: The more lines you choose the more "
            "PO you'll get, depending on the speed of your PC",
            "How many lines to draw, default is 194, range is 0..479 Note: The more lines you choose the more "
            "PO you'll get, depending on the speed of your PC",
            true, "194", "194", 0, 479, "DrawLines"},
    Setting{Kind::Valued, 5, 4, "Cockpit Zoom", "Cockpit Zoom", "Cockpit Zoom Text",
            "Zoom for cockpit view, default is 256, range is 64..7936",
            "Zoom for cockpit view, default is 256, range is 64..7936", false, "256", "256", 64, 7936,
            "CockpitZoom"},
    Setting{Kind::Valued, 4, 4, "Car Remove Time", "Car Remove Time", "Car Remove Time Text",
            "In msecs - default 20 seconds", "In msecs - default 20 seconds", true, "20000", "20000", 0, 32767,
            "CarRemoveTime"},
    Setting{Kind::Plain, 6, 4, "Spa 1998 Mode", "Spa 1998 Mode", nullptr,
            "Simulate the start of the Belgium '98 GP - use with caution", nullptr, false, nullptr, nullptr,
            kNone, kNone, "Spa98"},
    Setting{Kind::Plain, 3, 4, "Use Localized Strings ", "Use Localized Strings ", nullptr,
            "Set to 0 to make all Drovex message strings English", nullptr, true, nullptr, nullptr, kNone, kNone,
            "UseLocalizedStrings"},
    Setting{Kind::Plain, 2, 4, "Splits In Race", "Splits In Race", nullptr, "Show split times during race",
            nullptr, true, nullptr, nullptr, kNone, kNone, "SplitsInRace"},

    // Frame 5, "Network"
    Setting{Kind::Plain, 11, 5, "Old Network Code", "Old Network Code", nullptr,
            "Switch on to use the old ipx routines", nullptr, false, nullptr, nullptr, kNone, kNone,
            "UseOldNetworkCode"},
    Setting{Kind::Valued, 7, 5, "Use IPX Link", "Use IPX Link", "Use IPX Link Link Name",
            "Enable if you want to play over IPX", "Input your Link-Name", false, "Your Name Here",
            "Your Name Here", kFree, kNone, "UseIPXLink"},

    // Frame 2, "Other Options"
    Setting{Kind::Plain, 13, 2, "Hide Windows", "Hide Win95/98", nullptr,
            "Switch on to make GP2 think it's running under DOS", nullptr, false, nullptr, nullptr, kNone, kNone,
            "HideWinxx"},
    Setting{Kind::Plain, 12, 2, "Force PM Banking", "Force PM Banking", nullptr,
            "Switch on if you have VESA VBE 2.0 or higher", nullptr, false, nullptr, nullptr, kNone, kNone,
            "ForcePMBanking"},

    // Frame 1, "Debug Logging"
    Setting{Kind::Valued, 17, 1, "Debug Screen Lines", "Log Visible Lines", "Log Visible Lines Value",
            "Number of lines for the screen log (page '2'), range is 3..20",
            "Number of lines for the screen log (page '2'), range is 3..20", true, "12", "3", 3, 20,
            "logDebugScreenLines"},
    Setting{Kind::Plain, 10, 1, "Log Debug Flush", "Log Debug Flush", nullptr,
            "Direct flushing of debug log, use only when Drovex crashes", nullptr, false, nullptr, nullptr,
            kNone, kNone, "logDebugFlush"},
    Setting{Kind::Valued, 6, 1, "Log Debug", "Log Debug", "Log Debug File Name", "Log debug output to log file",
            "Debug log file name", true, "Drovex.log", "Drovex.log", kFree, kNone, "logDebug"},

    // Frame 7, "Extended Data Logging"
    Setting{Kind::Plain, 7, 7, "Log GLX", "Log GLX", nullptr, "Save an additional *.GLx log file upon saving a game",
            nullptr, false, nullptr, nullptr, kNone, kNone, "logGLX"},
    Setting{Kind::Plain, 8, 7, "Log CC", "Log CC", nullptr,
            "Log computer cars too; this is only saved in *.GLx files !!", nullptr, false, nullptr, nullptr,
            kNone, kNone, "logCC"},
    Setting{Kind::Plain, 9, 7, "Log Perf", "Log Perf", nullptr, "Log extra perf data and append to perf files",
            nullptr, false, nullptr, nullptr, kNone, kNone, "logPerf"},

    // Frame 10, "Track Menu"
    Setting{Kind::Plain, 17, 10, "Menu Track Map ", "Menu Track Map", nullptr,
            "Draw a simple track map layout in the track selection menu (replaces bitmap)", nullptr, false,
            nullptr, nullptr, kNone, kNone, "MenuTrackMap"},
    Setting{Kind::Plain, 4, 10, "Catch Track Infos", "Catch Track Infos ", nullptr,
            "Try catching GP2INFO's from custom track files", nullptr, true, nullptr, nullptr, kNone, kNone,
            "CatchTrackInfos"},
    Setting{Kind::Plain, 5, 10, "Catch Split Segs", "Catch Split Segs", nullptr,
            "Try catching new splits from custom track files", nullptr, true, nullptr, nullptr, kNone, kNone,
            "CatchSplitSegs"},

    // Frame 12, "Mode", and frame 14, "GP2 Options": front-end settings
    Setting{Kind::StartMode, 0, 12, "Start Mode", "Start Mode", "Start Mode", nullptr, nullptr, false, "0", "0", 0,
            2, nullptr},
    Setting{Kind::Plain, kGp2OptionsSwitch, 14, "Enable GP2 Options", "GP2 Options", nullptr, nullptr, nullptr,
            false, nullptr, nullptr, kNone, kNone, nullptr},
};

#undef COLOR_TIP

QString indexed(const char* base, int i) { return QStringLiteral("%1(%2)").arg(QLatin1String(base)).arg(i); }

} // namespace

std::span<const Setting> catalogue() { return kSettings; }

const Setting* findSetting(Kind kind, int index)
{
    for (const Setting& s : kSettings)
        if (s.kind == kind && s.index == index)
            return &s;
    return nullptr;
}

static const Setting& mustFind(Kind kind, int index)
{
    const Setting* s = findSetting(kind, index);
    if (!s)
        throw std::out_of_range("no such setting");
    return *s;
}

const Setting& plainSetting(int index) { return mustFind(Kind::Plain, index); }
const Setting& valuedSetting(int index) { return mustFind(Kind::Valued, index); }
const Setting& alignmentSetting(int index) { return mustFind(Kind::Alignment, index); }
const Setting& startModeSetting() { return mustFind(Kind::StartMode, 0); }

QString checkName(int index) { return indexed("Check", index); }
QString enableName(int index) { return indexed(index >= kDotSizeFirst ? "CheckC" : "CheckT", index); }
QString fieldName(int index) { return indexed(index >= kDotSizeFirst ? "TextC" : "Text", index); }
QString barName(int index) { return indexed(index >= kDotSizeFirst ? "ScrollC" : "Scroll", index); }
QString alignSwitchName(int index) { return indexed("CheckO", index); }
QString alignButtonName(int group, int button) { return indexed(group == 0 ? "OptionH" : "OptionV", button); }
QString startModeName(int index) { return indexed("OPT_StartMode", index); }
QString frameName(int index) { return indexed("Frame", index); }

QString frameCaption(int frame)
{
    static const char* const captions[kFrameCount] = {
        "At The Line", "Debug Logging", "Other Options", "HOF 2.5", "Misc", "Network", "Track Map",
        "Extended Data Logging", "", "", "Track Menu", "RCR-Jams", "Mode", "Drovex", "GP2 Options"};
    return frame >= 0 && frame < kFrameCount ? QString::fromLatin1(captions[frame]) : QString();
}

QString alignButtonCaption(int group, int button)
{
    static const char* const h[3] = {"Left", "Center", "Right"};
    static const char* const v[3] = {"Top", "Center", "Bottom"};
    return QString::fromLatin1(group == 0 ? h[button] : v[button]);
}

QString startModeCaption(int index)
{
    static const char* const c[3] = {"Start Drovex", "Start Batch-File", "Start Grand Prix 2"};
    return QString::fromLatin1(c[index]);
}

QString startModeTooltip(int index)
{
    static const char* const t[3] = {"Start Drovex", "Start Batch-File",
                                     "Start Grand Prix 2 instead of Drovex or a Batch-File"};
    return QString::fromLatin1(t[index]);
}

const QList<int>& plainLoadOrder()
{
    static const QList<int> order = [] {
        QList<int> o;
        for (int i = 0; i < kPlainCount; ++i)
            o << i;
        return o;
    }();
    return order;
}

const QList<int>& valuedLoadOrder()
{
    static const QList<int> order = [] {
        QList<int> o;
        for (int i = 0; i < kValuedCount; ++i)
            o << i;
        return o;
    }();
    return order;
}

const QList<int>& valuedSaveOrder()
{
    static const QList<int> order{0, 1, 2, 15, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 3, 16, 17, 18, 19, 20};
    return order;
}

QStringList switchKeys()
{
    QStringList keys;
    for (int i : plainLoadOrder())
        keys << QString::fromLatin1(plainSetting(i).switchKey);
    for (int i : valuedSaveOrder())
        keys << QString::fromLatin1(valuedSetting(i).switchKey);
    for (int i = 0; i < 2; ++i)
        keys << QString::fromLatin1(alignmentSetting(i).switchKey);
    return keys;
}

QStringList valueKeys()
{
    QStringList keys;
    for (int i : valuedSaveOrder())
        keys << QString::fromLatin1(valuedSetting(i).valueKey);
    return keys;
}

QStringList indexKeys()
{
    return {QString::fromLatin1(alignmentSetting(0).valueKey), QString::fromLatin1(alignmentSetting(1).valueKey),
            QString::fromLatin1(startModeSetting().valueKey)};
}

QStringList allKeys() { return switchKeys() + valueKeys() + indexKeys(); }

} // namespace drovex
