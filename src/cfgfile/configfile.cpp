#include "cfgfile/configfile.h"

#include "cfgfile/cfgreader.h"
#include "common/codepage.h"
#include "common/dosname.h"
#include "common/paths.h"
#include "launch/platform.h"
#include "settings/catalogue.h"
#include "settings/fieldrules.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace drovex {
namespace {

enum class LineKind { Blank, Header, Key, Slots };
enum class Source { Plain, Enable, Text, HAlign, VAlign };
enum class Gate { None, Valued, Align };

struct Line {
    LineKind kind;
    const char* key = nullptr;   // the key, or the header
    Source source = Source::Plain;
    int index = 0;
    const char* comment = nullptr; // blanks and comment after the value
    bool quoted = false;           // value between double quotes
    Gate gate = Gate::None;        // the enable switch that comments the line out
    int gateIndex = 0;
};

// Lines 1..16: the banner and the header comment.
const char* const kHeader[16] = {
    ";                ____",
    ";               |    |_    _ __   ___  _    _  ___  _  _",
    ";               |      |  | |__| |   || |  | || __||_||_|",
    ";               |      |  | |    | | || |__| || __| _||_",
    ";               |______|  |_|    |___| |____| |___||_||_|",
    ";               _________________________________________",
    ";",
    ";",
    ";     This File is created with Drovex Windows Front-End Version 1.14",
    ";     The Drovex Front-End is designed and tested for use with Drovex",
    ";     Version 1.14 ...",
    ";",
    ";         * Never change this file manually as it will not have *",
    ";         * any effect to your Drovex Windows Front-End Setting *",
    ";",
    ";",
};

// Lines 17..102.
const Line kLines[] = {
    {LineKind::Header, "[At The Line]"},
    {LineKind::Key, "atlNoFastestLap", Source::Plain, 0, "             ; Don't show 'Fastest Lap by....' if active", false, Gate::None, 0}, // line 18
    {LineKind::Key, "atlSplit1Color", Source::Text, 0, "            ; Taken from GP2's color palette, default: 135 (light blue)", false, Gate::Valued, 0}, // line 19
    {LineKind::Key, "atlSplit2Color", Source::Text, 1, "            ; Taken from GP2's color palette, default: 125 (middle blue)", false, Gate::Valued, 1}, // line 20
    {LineKind::Key, "atlLineColor", Source::Text, 2, "              ; Taken from GP2's color palette, default: 151 (dark blue)", false, Gate::Valued, 2}, // line 21
    {LineKind::Key, "atlAcrossTop", Source::Plain, 14, "                ; Show info across the top of the screen", false, Gate::None, 0}, // line 22
    {LineKind::Key, "atlMarkTopX", Source::Text, 15, "                 ; How many cars to mark on the laptime board, range is 3..9", false, Gate::Valued, 15}, // line 23
    {LineKind::Blank},
    {LineKind::Blank},
    {LineKind::Header, "[Extended Data Logging]"},
    {LineKind::Key, "logGLX", Source::Plain, 7, "                      ; Save an additional *.GLx log file upon saving a game", false, Gate::None, 0}, // line 27
    {LineKind::Key, "logCC", Source::Plain, 8, "                       ; Log computer cars too - this is only saved in *.GLx files !!", false, Gate::None, 0}, // line 28
    {LineKind::Key, "logPerf", Source::Plain, 9, "                     ; Log extra perf data and append to perf files", false, Gate::None, 0}, // line 29
    {LineKind::Blank},
    {LineKind::Blank},
    {LineKind::Header, "[Debug Logging]"},
    {LineKind::Key, "logDebug", Source::Enable, 6, "                    ; Log debug output to log file", false, Gate::None, 0}, // line 33
    {LineKind::Key, "logDebugName", Source::Text, 6, "     ; Debug log file name", true, Gate::None, 0}, // line 34
    {LineKind::Key, "logDebugFlush", Source::Plain, 10, "               ; Direct flushing of debug log, use only when Drovex crashes", false, Gate::None, 0}, // line 35
    {LineKind::Key, "logDebugScreenLines", Source::Text, 17, "        ; Number of lines for the screen log (page '2'), range is 3..20", false, Gate::Valued, 17}, // line 36
    {LineKind::Blank},
    {LineKind::Blank},
    {LineKind::Header, "[Track Map]"},
    {LineKind::Key, "mapZoom", Source::Text, 14, "                     ; Zoom level 0..5 (toggle with TAB in-game)", false, Gate::Valued, 14}, // line 40
    {LineKind::Key, "mapTrackColor", Source::Text, 3, "               ; Which color for the track to start with (GP2 palette index)", false, Gate::Valued, 3}, // line 41
    {LineKind::Key, "mapHAlign", Source::HAlign, 0, "                   ; 0 = left, 1 = center, 2 = right (toggle with '8' in-game)", false, Gate::Align, 0}, // line 42
    {LineKind::Key, "mapVAlign", Source::VAlign, 0, "                   ; 0 = top, 1 = center, 3 = bottom. Relative to Maximum Y-Value", false, Gate::Align, 1}, // line 43
    {LineKind::Key, "mapRotate", Source::Plain, 15, "                   ; 0 = disable rotation of map (toggle with 'm' in-game)", false, Gate::None, 0}, // line 44
    {LineKind::Key, "mapMaxY", Source::Text, 16, "                   ; Y clipping (max. DrawLines, see below, 400 is practical) VGA will use half this value.", false, Gate::Valued, 16}, // line 45
    {LineKind::Key, "mapDotSize", Source::Text, 19, "             ; Dot sizes of cars at each of 6 zoom levels. Default 122358, min. 111111, max. 999999.", false, Gate::Valued, 19}, // line 46
    {LineKind::Key, "mapDotSizeVGA", Source::Text, 20, "          ; Same as mapDotSize, but for VGA. Default 111235.", false, Gate::Valued, 20}, // line 47
    {LineKind::Blank},
    {LineKind::Blank},
    {LineKind::Header, "[Track Files]"},
    {LineKind::Slots},
    {LineKind::Key, "CatchTrackInfos", Source::Plain, 4, "             ; Try catching GP2INFO's from custom track files", false, Gate::None, 0}, // line 67
    {LineKind::Key, "CatchSplitSegs", Source::Plain, 5, "              ; Try catching new splits from custom track files", false, Gate::None, 0}, // line 68
    {LineKind::Key, "MenuTrackMap", Source::Plain, 17, "                ; Draw a simple track map layout in the track selection menu (replaces bitmap)", false, Gate::None, 0}, // line 69
    {LineKind::Blank},
    {LineKind::Blank},
    {LineKind::Header, "[Network]"},
    {LineKind::Key, "UseIPXLink", Source::Enable, 7, "                  ; Enable if you want to play over IPX", false, Gate::None, 0}, // line 73
    {LineKind::Key, "MyLinkName", Source::Text, 7, "   ; Input your Link-Name", true, Gate::None, 0}, // line 74
    {LineKind::Key, "UseOldNetworkCode", Source::Plain, 11, "           ; Switch on to use the old ipx routines", false, Gate::None, 0}, // line 75
    {LineKind::Blank},
    {LineKind::Blank},
    {LineKind::Header, "[Misc]"},
    {LineKind::Key, "SplitsInRace", Source::Plain, 2, "                ; Show split times during race", false, Gate::None, 0}, // line 79
    {LineKind::Key, "CarRemoveTime", Source::Text, 4, "           ; In msecs; default 20 seconds", false, Gate::Valued, 4}, // line 80
    {LineKind::Key, "UseLocalizedStrings", Source::Plain, 3, "         ; Set to 0 to make all Drovex message strings English", false, Gate::None, 0}, // line 81
    {LineKind::Key, "Spa98", Source::Plain, 6, "                       ; Simulate the start of the Belgium '98 GP - use with caution :)", false, Gate::None, 0}, // line 82
    {LineKind::Key, "CockpitZoom", Source::Text, 5, "               ; Zoom for cockpit view, default is 256, range is 64..7936", false, Gate::Valued, 5}, // line 83
    {LineKind::Key, "DrawLines", Source::Text, 18, "                 ; How many lines to draw, default is 194, range is 0..479 Note: The more lines you choose the more PO you'll get, depending on the speed of your PC", false, Gate::Valued, 18}, // line 84
    {LineKind::Blank},
    {LineKind::Blank},
    {LineKind::Header, "[HOF2.5]"},
    {LineKind::Key, "hof25Enable", Source::Plain, 1, "                 ; Enable special HOF2.5 features", false, Gate::None, 0}, // line 88
    {LineKind::Blank},
    {LineKind::Blank},
    {LineKind::Header, "[Other]"},
    {LineKind::Key, "ForcePMBanking", Source::Plain, 12, "              ; Switch on if you have VESA VBE 2.0 or higher", false, Gate::None, 0}, // line 92
    {LineKind::Key, "HideWinxx", Source::Plain, 13, "                   ; Switch on to make GP2 think it's running under DOS", false, Gate::None, 0}, // line 93
    {LineKind::Blank},
    {LineKind::Blank},
    {LineKind::Header, "[Rcr]"},
    {LineKind::Key, "VgaRcr1", Source::Text, 8, "      ; 0x0850    ; How far away an rcr-jam will be used if you're looking from within the cockpit (VGA)", false, Gate::Valued, 8}, // line 97
    {LineKind::Key, "SvgaRcr1", Source::Text, 9, "     ; 0x0C80    ; How far away an rcr-jam will be used if you're looking from within the cockpit (SVGA)", false, Gate::Valued, 9}, // line 98
    {LineKind::Key, "VgaRcr2", Source::Text, 10, "      ; 0x0850    ; How far away an rcr-jam will be used if you're looking through a onboard camera (the one used within Tolvar's car editor) (VGA)", false, Gate::Valued, 10}, // line 99
    {LineKind::Key, "SvgaRcr2", Source::Text, 11, "     ; 0x0C80    ; How far away an rcr-jam will be used if you're looking through a onboard camera (the one used within Tolvar's car editor) (SVGA)", false, Gate::Valued, 11}, // line 100
    {LineKind::Key, "VgaRcr3", Source::Text, 12, "      ; 0x0A50    ; How far away an rcr-jam will be used if you're looking through the on track camera's or if you're looking in front or back of the car (delete and page down) (VGA)", false, Gate::Valued, 12}, // line 101
    {LineKind::Key, "SvgaRcr3", Source::Text, 13, "     ; 0x1000    ; How far away an rcr-jam will be used if you're looking through the on track camera's or if you're looking in front or back of the car (delete and page down) (SVGA)", false, Gate::Valued, 13}, // line 102
};

QString switchValue(int state) { return state == 0 ? QStringLiteral("0") : QStringLiteral("1"); }

// A text field's value as Drovex can read it between its quotes: no control characters (a line
// break would break the layout, Ctrl-Z would end the file) and no more than it reads.
QString textValue(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    for (QChar& c : text)
        if (c.unicode() < 0x20)
            c = QLatin1Char(' ');
    return text.left(kTextFieldMax);
}

bool gateOpen(const ConfigValues& v, const Line& line)
{
    switch (line.gate) {
    case Gate::None:
        return true;
    case Gate::Valued:
        return v.enable[static_cast<size_t>(line.gateIndex)] != 0;
    case Gate::Align:
        return v.align[static_cast<size_t>(line.gateIndex)] != 0;
    }
    return true;
}

QString captionOf(int index) { return QString::fromLatin1(valuedSetting(index).caption); }

} // namespace

RenderedConfig renderConfig(const ConfigValues& values)
{
    RenderedConfig out;
    QStringList& lines = out.lines;
    lines.reserve(kConfigLineCount);
    std::array<bool, kValuedCount> notSet{};
    for (const char* h : kHeader)
        lines << QString::fromLatin1(h);
    for (const Line& line : kLines) {
        switch (line.kind) {
        case LineKind::Blank:
            // Drovex misreads an empty line, so a lone comment mark stands in for one.
            lines << QStringLiteral(";");
            break;
        case LineKind::Header:
            lines << QString::fromLatin1(line.key);
            break;
        case LineKind::Slots:
            for (int n = 1; n <= kSlotCount; ++n) {
                QString value = values.slotValues[static_cast<size_t>(n - 1)];
                if (const QString problem = dosPathProblem(value, kDosPathMax); !value.isEmpty() && !problem.isEmpty()) {
                    out.slotProblems << QStringLiteral("slot %1 (%2)").arg(n).arg(problem);
                    value.clear(); // Drovex then loads its own track for the slot
                }
                QString l = QStringLiteral("f1ct%1 = \"%2\"").arg(n, 2, 10, QLatin1Char('0')).arg(value);
                const QString note = QStringLiteral("  ; Note: relative to your GP2 directory currently not supporting long filenames");
                if (n == 1 && l.size() + note.size() <= kCfgLineMax)
                    l += note;
                lines << l;
            }
            break;
        case LineKind::Key: {
            bool open = gateOpen(values, line);
            QString value;
            const auto i = static_cast<size_t>(line.index);
            switch (line.source) {
            case Source::Plain:
                value = switchValue(values.check[i]);
                break;
            case Source::Enable:
                value = switchValue(values.enable[i]);
                break;
            case Source::HAlign:
                value = QString::number(values.hAlign);
                break;
            case Source::VAlign:
                value = QString::number(values.vAlign);
                break;
            case Source::Text:
                if (line.quoted) {
                    value = textValue(values.text[i]);
                    if (fromWindows1252(toWindows1252(value)) != value)
                        out.lossy << captionOf(line.index);
                } else {
                    // Drovex reads numbers as C does (a leading zero means octal, a decimal point
                    // ends the number, a value without digits is 0), so a number is written as the
                    // plain whole number the field shows, and a field that holds none is left to
                    // Drovex's own default.
                    value = plainWholeNumber(values.text[i]);
                    if (value.isEmpty()) {
                        if (open)
                            notSet[i] = true;
                        open = false;
                    }
                }
                break;
            }
            QString l = open ? QString() : QStringLiteral(";");
            l += QString::fromLatin1(line.key) + QStringLiteral(" = ");
            l += line.quoted ? QLatin1Char('"') + value + QLatin1Char('"') : value;
            l += QString::fromLatin1(line.comment);
            lines << l;
            break;
        }
        }
    }
    for (int i = 0; i < kValuedCount; ++i)
        if (notSet[static_cast<size_t>(i)])
            out.notSet << captionOf(i);
    for (const QString& l : lines) {
        out.bytes += toWindows1252(l);
        out.bytes += "\r\n";
    }
    return out;
}

QStringList renderConfigLines(const ConfigValues& values) { return renderConfig(values).lines; }
QByteArray renderConfigFile(const ConfigValues& values) { return renderConfig(values).bytes; }

QString slotLineValue(const QString& gameFolder, const QString& slotPath, const Platform& platform)
{
    if (gameFolder.isEmpty() || slotPath.isEmpty())
        return {};
    const QString folder = platform.shortPath(gameFolder);
    const QString file = platform.shortPath(joinPath(gameFolder, dosToNative(slotPath)));
    if (folder.isEmpty() || file.isEmpty())
        return {};
    QString prefix = QDir::fromNativeSeparators(folder);
    if (!prefix.endsWith(QLatin1Char('/')))
        prefix += QLatin1Char('/');
    const QString f = QDir::fromNativeSeparators(file);
    if (!f.startsWith(prefix) || !QFileInfo(f).isFile())
        return {};
    return nativeToDos(f.mid(prefix.size()));
}

ConfigWriteResult writeConfigFile(const QString& gameFolder, const QByteArray& content, const Platform& platform)
{
    ConfigWriteResult r;
    if (gameFolder.isEmpty()) {
        r.reason = QStringLiteral("no game folder has been chosen");
        return r;
    }
    const QString plain = joinPath(gameFolder, QString::fromLatin1(kConfigFileName));
    // Use the name already on disk whatever its letter case, so DOS sees only one file.
    const QString existing = resolveIgnoringCase(plain);
    r.file = existing.isEmpty() ? plain : QDir::toNativeSeparators(existing);

    const bool hadFile = QFileInfo::exists(r.file);
    if (hadFile)
        (void)platform.unlockFile(r.file); // a locked file is replaced without complaint

    QSaveFile out(r.file);
    out.setDirectWriteFallback(false);
    if (out.open(QIODevice::WriteOnly) && out.write(content) == content.size() && out.commit()) {
        r.written = true;
    } else {
        out.cancelWriting();
        r.reason = QFileInfo(gameFolder).isDir() ? describeWriteFailure(r.file)
                                                 : QStringLiteral("the game folder %1 does not exist")
                                                       .arg(QDir::toNativeSeparators(gameFolder));
    }
    if (QFileInfo::exists(r.file))
        (void)platform.lockFile(r.file);
    return r;
}

QString configSaveMessage(const ConfigWriteResult& result, const RenderedConfig& rendered)
{
    if (result.file.isEmpty())
        return QStringLiteral("Drovex.cfg was not written: %1 (choose it with Choose Path, GP2 Path).").arg(result.reason);
    const QString file = QDir::toNativeSeparators(result.file);
    if (!result.written)
        return QStringLiteral("Drovex.cfg could not be written to %1: %2.").arg(file, result.reason);
    QString text = QStringLiteral("Drovex.cfg written to %1").arg(file);
    if (!rendered.notSet.isEmpty())
        text += QStringLiteral("; written as not set: ") + rendered.notSet.join(QStringLiteral(", "));
    if (!rendered.slotProblems.isEmpty())
        text += QStringLiteral("; Drovex keeps its own track for ") + rendered.slotProblems.join(QStringLiteral(", "));
    if (!rendered.lossy.isEmpty())
        text += QStringLiteral("; \"?\" written for characters Drovex cannot show in: ") +
                rendered.lossy.join(QStringLiteral(", "));
    return text;
}

} // namespace drovex
