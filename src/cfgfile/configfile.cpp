#include "cfgfile/configfile.h"

#include "cfgfile/cfgreader.h"
#include "common/codepage.h"
#include "common/dosname.h"
#include "common/indexing.h"
#include "common/paths.h"
#include "common/safefile.h"
#include "system/platform.h"
#include "settings/fieldrules.h"
#include "version.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace drovex {
namespace {

enum class LineKind { Blank, Header, Key, Slots };
// Where a key line's value comes from; its key and its enable switch follow from the catalogue.
enum class Source {
    Plain,  // Check(i), "0" or "1"
    Enable, // the switch of a free text, CheckT(i), written as a value of its own
    Text,   // Text(i) / TextC(i): a number, or a quoted free text
    Align,  // an alignment index, gated by its CheckO(i)
};

struct Line {
    LineKind kind;
    Source source = Source::Plain;
    int index = 0;
    const char* text = nullptr; // the header, or the blanks and comment after a value
};

// Lines 1..16: the banner and the header comment.
const QStringList& headerLines()
{
    static const QStringList lines = {
        QStringLiteral(";                ____"),
        QStringLiteral(";               |    |_    _ __   ___  _    _  ___  _  _"),
        QStringLiteral(";               |      |  | |__| |   || |  | || __||_||_|"),
        QStringLiteral(";               |      |  | |    | | || |__| || __| _||_"),
        QStringLiteral(";               |______|  |_|    |___| |____| |___||_||_|"),
        QStringLiteral(";               _________________________________________"),
        QStringLiteral(";"),
        QStringLiteral(";"),
        QStringLiteral(";     ") + QLatin1String(kCreatedBy) + QStringLiteral(" Version ") + QLatin1String(kVersion),
        QStringLiteral(";     The Drovex Front-End is designed and tested for use with Drovex"),
        QStringLiteral(";     Version ") + QLatin1String(kVersion) + QStringLiteral(" ..."),
        QStringLiteral(";"),
        QStringLiteral(";         * Never change this file manually as it will not have *"),
        QStringLiteral(";         * any effect to your Drovex Windows Front-End Setting *"),
        // Drovex misreads an empty line, so a lone comment mark stands in for one.
        QStringLiteral(";"),
        QStringLiteral(";"),
    };
    return lines;
}

// Lines 17..102, with the line number and key of each key line beside it.
const Line kLines[] = {
    {LineKind::Header, Source::Plain, 0, "[At The Line]"},
    {LineKind::Key, Source::Plain, 0, "             ; Don't show 'Fastest Lap by....' if active"}, // 18: atlNoFastestLap
    {LineKind::Key, Source::Text, 0, "            ; Taken from GP2's color palette, default: 135 (light blue)"}, // 19: atlSplit1Color
    {LineKind::Key, Source::Text, 1, "            ; Taken from GP2's color palette, default: 125 (middle blue)"}, // 20: atlSplit2Color
    {LineKind::Key, Source::Text, 2, "              ; Taken from GP2's color palette, default: 151 (dark blue)"}, // 21: atlLineColor
    {LineKind::Key, Source::Plain, 14, "                ; Show info across the top of the screen"}, // 22: atlAcrossTop
    {LineKind::Key, Source::Text, 15, "                 ; How many cars to mark on the laptime board, range is 3..9"}, // 23: atlMarkTopX
    {LineKind::Blank},
    {LineKind::Blank},
    {LineKind::Header, Source::Plain, 0, "[Extended Data Logging]"},
    {LineKind::Key, Source::Plain, 7, "                      ; Save an additional *.GLx log file upon saving a game"}, // 27: logGLX
    {LineKind::Key, Source::Plain, 8, "                       ; Log computer cars too - this is only saved in *.GLx files !!"}, // 28: logCC
    {LineKind::Key, Source::Plain, 9, "                     ; Log extra perf data and append to perf files"}, // 29: logPerf
    {LineKind::Blank},
    {LineKind::Blank},
    {LineKind::Header, Source::Plain, 0, "[Debug Logging]"},
    {LineKind::Key, Source::Enable, 6, "                    ; Log debug output to log file"}, // 33: logDebug
    {LineKind::Key, Source::Text, 6, "     ; Debug log file name"}, // 34: logDebugName
    {LineKind::Key, Source::Plain, 10, "               ; Direct flushing of debug log, use only when Drovex crashes"}, // 35: logDebugFlush
    {LineKind::Key, Source::Text, 17, "        ; Number of lines for the screen log (page '2'), range is 3..20"}, // 36: logDebugScreenLines
    {LineKind::Blank},
    {LineKind::Blank},
    {LineKind::Header, Source::Plain, 0, "[Track Map]"},
    {LineKind::Key, Source::Text, 14, "                     ; Zoom level 0..5 (toggle with TAB in-game)"}, // 40: mapZoom
    {LineKind::Key, Source::Text, 3, "               ; Which color for the track to start with (GP2 palette index)"}, // 41: mapTrackColor
    {LineKind::Key, Source::Align, 0, "                   ; 0 = left, 1 = center, 2 = right (toggle with '8' in-game)"}, // 42: mapHAlign
    {LineKind::Key, Source::Align, 1, "                   ; 0 = top, 1 = center, 3 = bottom. Relative to Maximum Y-Value"}, // 43: mapVAlign
    {LineKind::Key, Source::Plain, 15, "                   ; 0 = disable rotation of map (toggle with 'm' in-game)"}, // 44: mapRotate
    {LineKind::Key, Source::Text, 16, "                   ; Y clipping (max. DrawLines, see below, 400 is practical) VGA will use half this value."}, // 45: mapMaxY
    {LineKind::Key, Source::Text, 19, "             ; Dot sizes of cars at each of 6 zoom levels. Default 122358, min. 111111, max. 999999."}, // 46: mapDotSize
    {LineKind::Key, Source::Text, 20, "          ; Same as mapDotSize, but for VGA. Default 111235."}, // 47: mapDotSizeVGA
    {LineKind::Blank},
    {LineKind::Blank},
    {LineKind::Header, Source::Plain, 0, "[Track Files]"},
    {LineKind::Slots},
    {LineKind::Key, Source::Plain, 4, "             ; Try catching GP2INFO's from custom track files"}, // 67: CatchTrackInfos
    {LineKind::Key, Source::Plain, 5, "              ; Try catching new splits from custom track files"}, // 68: CatchSplitSegs
    {LineKind::Key, Source::Plain, 17, "                ; Draw a simple track map layout in the track selection menu (replaces bitmap)"}, // 69: MenuTrackMap
    {LineKind::Blank},
    {LineKind::Blank},
    {LineKind::Header, Source::Plain, 0, "[Network]"},
    {LineKind::Key, Source::Enable, 7, "                  ; Enable if you want to play over IPX"}, // 73: UseIPXLink
    {LineKind::Key, Source::Text, 7, "   ; Input your Link-Name"}, // 74: MyLinkName
    {LineKind::Key, Source::Plain, 11, "           ; Switch on to use the old ipx routines"}, // 75: UseOldNetworkCode
    {LineKind::Blank},
    {LineKind::Blank},
    {LineKind::Header, Source::Plain, 0, "[Misc]"},
    {LineKind::Key, Source::Plain, 2, "                ; Show split times during race"}, // 79: SplitsInRace
    {LineKind::Key, Source::Text, 4, "           ; In msecs; default 20 seconds"}, // 80: CarRemoveTime
    {LineKind::Key, Source::Plain, 3, "         ; Set to 0 to make all Drovex message strings English"}, // 81: UseLocalizedStrings
    {LineKind::Key, Source::Plain, 6, "                       ; Simulate the start of the Belgium '98 GP - use with caution :)"}, // 82: Spa98
    {LineKind::Key, Source::Text, 5, "               ; Zoom for cockpit view, default is 256, range is 64..7936"}, // 83: CockpitZoom
    {LineKind::Key, Source::Text, 18, "                 ; How many lines to draw, default is 194, range is 0..479 Note: The more lines you choose the more PO you'll get, depending on the speed of your PC"}, // 84: DrawLines
    {LineKind::Blank},
    {LineKind::Blank},
    {LineKind::Header, Source::Plain, 0, "[HOF2.5]"},
    {LineKind::Key, Source::Plain, 1, "                 ; Enable special HOF2.5 features"}, // 88: hof25Enable
    {LineKind::Blank},
    {LineKind::Blank},
    {LineKind::Header, Source::Plain, 0, "[Other]"},
    {LineKind::Key, Source::Plain, 12, "              ; Switch on if you have VESA VBE 2.0 or higher"}, // 92: ForcePMBanking
    {LineKind::Key, Source::Plain, 13, "                   ; Switch on to make GP2 think it's running under DOS"}, // 93: HideWinxx
    {LineKind::Blank},
    {LineKind::Blank},
    {LineKind::Header, Source::Plain, 0, "[Rcr]"},
    {LineKind::Key, Source::Text, 8, "      ; 0x0850    ; How far away an rcr-jam will be used if you're looking from within the cockpit (VGA)"}, // 97: VgaRcr1
    {LineKind::Key, Source::Text, 9, "     ; 0x0C80    ; How far away an rcr-jam will be used if you're looking from within the cockpit (SVGA)"}, // 98: SvgaRcr1
    {LineKind::Key, Source::Text, 10, "      ; 0x0850    ; How far away an rcr-jam will be used if you're looking through a onboard camera (the one used within Tolvar's car editor) (VGA)"}, // 99: VgaRcr2
    {LineKind::Key, Source::Text, 11, "     ; 0x0C80    ; How far away an rcr-jam will be used if you're looking through a onboard camera (the one used within Tolvar's car editor) (SVGA)"}, // 100: SvgaRcr2
    {LineKind::Key, Source::Text, 12, "      ; 0x0A50    ; How far away an rcr-jam will be used if you're looking through the on track camera's or if you're looking in front or back of the car (delete and page down) (VGA)"}, // 101: VgaRcr3
    {LineKind::Key, Source::Text, 13, "     ; 0x1000    ; How far away an rcr-jam will be used if you're looking through the on track camera's or if you're looking in front or back of the car (delete and page down) (SVGA)"}, // 102: SvgaRcr3
};

QString switchValue(const QString& state) { return isOn(state) ? QStringLiteral("1") : QStringLiteral("0"); }

// A text field's value as Drovex can read it between its quotes: no control characters (a line
// break would break the layout, Ctrl-Z would end the file). Drovex reads no more than
// kTextFieldMax characters of it.
QString textValue(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    for (QChar& c : text)
        if (c.unicode() < 0x20)
            c = QLatin1Char(' ');
    return text;
}

QString keyOf(const Line& line)
{
    switch (line.source) {
    case Source::Plain:
        return QString::fromLatin1(plainSetting(line.index).cfgKey);
    case Source::Enable:
        return QString::fromLatin1(valuedSetting(line.index).cfgKey);
    case Source::Text: {
        const Setting& s = valuedSetting(line.index);
        return QString::fromLatin1(s.hasBar() ? s.cfgKey : s.cfgTextKey);
    }
    case Source::Align:
        return QString::fromLatin1(alignmentSetting(line.index).cfgKey);
    }
    return {};
}

} // namespace

RenderedConfig renderConfig(const ConfigValues& values)
{
    const SettingsSnapshot& s = values.settings;
    RenderedConfig out;
    QStringList& lines = out.lines;
    lines = headerLines();
    std::array<bool, kValuedCount> notSet{};
    for (const Line& line : kLines) {
        const auto i = static_cast<size_t>(line.index);
        switch (line.kind) {
        case LineKind::Blank:
            lines << QStringLiteral(";");
            break;
        case LineKind::Header:
            lines << QString::fromLatin1(line.text);
            break;
        case LineKind::Slots:
            for (int n = 1; n <= kSlotCount; ++n) {
                QString value = at(values.slotValues, n - 1);
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
            bool open = true;
            QString value;
            bool quoted = false;
            switch (line.source) {
            case Source::Plain:
                value = switchValue(s.check[i]);
                break;
            case Source::Enable:
                value = switchValue(s.enable[i]);
                break;
            case Source::Align:
                value = QString::number(toWholeNumber(s.alignIndex[i]).value_or(0));
                open = isOn(s.align[i]);
                break;
            case Source::Text:
                if (!valuedSetting(line.index).hasBar()) {
                    quoted = true;
                    value = textValue(s.text[i]);
                    if (value.size() > kTextFieldMax) {
                        out.cut << QString::fromLatin1(valuedSetting(line.index).caption);
                        value.truncate(kTextFieldMax);
                    }
                    if (fromWindows1252(toWindows1252(value)) != value)
                        out.lossy << QString::fromLatin1(valuedSetting(line.index).caption);
                    break;
                }
                open = isOn(s.enable[i]);
                // Drovex reads numbers as C does (a leading zero means octal, a decimal point
                // ends the number, a value without digits is 0), so a number is written as the
                // plain whole number the field shows, and a field that holds none is left to
                // Drovex's own default.
                value = plainWholeNumber(s.text[i]);
                if (value.isEmpty()) {
                    notSet[i] = open;
                    open = false;
                }
                break;
            }
            QString l = open ? QString() : QStringLiteral(";");
            l += keyOf(line) + QStringLiteral(" = ");
            l += quoted ? QLatin1Char('"') + value + QLatin1Char('"') : value;
            l += QString::fromLatin1(line.text);
            lines << l;
            break;
        }
        }
    }
    for (int i = 0; i < kValuedCount; ++i)
        if (at(notSet, i))
            out.notSet << QString::fromLatin1(valuedSetting(i).caption);
    // Kept lines come after every line of the window, so that none of them can override a key the
    // window writes: Drovex takes the first line naming a key.
    QStringList kept;
    for (const QString& l : values.keptLines) {
        if (const QString problem = keptLineProblem(l); !problem.isEmpty())
            out.notKept << QStringLiteral("\"%1\" (%2)").arg(l.left(40), problem);
        else if (kept.size() < kKeptLinesMax)
            kept << l;
        else
            out.notKept << QStringLiteral("\"%1\" (more than %2 lines)").arg(l.left(40)).arg(kKeptLinesMax);
    }
    if (!kept.isEmpty())
        lines << QString::fromLatin1(kKeptLinesHeader) << kept;
    for (const QString& l : lines) {
        out.bytes += toWindows1252(l);
        out.bytes += "\r\n";
    }
    return out;
}

QStringList keptLinesFromStore(const QString& stored)
{
    return stored.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QString keptLinesForStore(const QStringList& lines) { return lines.join(QLatin1Char('\n')); }

QString keptLineProblem(const QString& line)
{
    if (line.size() > kCfgLineMax)
        return QStringLiteral("%1 characters, more than %2").arg(line.size()).arg(kCfgLineMax);
    if (std::any_of(line.cbegin(), line.cend(), [](QChar c) { return c.unicode() < 0x20 && c != QLatin1Char('\t'); }))
        return QStringLiteral("a control character");
    if (!namesKeyWithoutControl(toWindows1252(line)))
        return lineKey(toWindows1252(line)).isEmpty() ? QStringLiteral("no key") : QStringLiteral("a key the window writes");
    return {};
}


QString slotLineValue(const QString& gameFolder, const QString& slotPath, const Platform& platform)
{
    if (gameFolder.isEmpty() || slotPath.isEmpty())
        return {};
    const QString folder = platform.shortFormOf(gameFolder);
    const QString file = platform.shortFormOf(joinPath(gameFolder, dosToNative(slotPath)));
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

QString missingSlotNote(int slot, const QString& slotPath)
{
    return QStringLiteral("slot %1: %2 is missing, Drovex keeps its own track").arg(slot).arg(slotPath);
}

int configLineCount()
{
    int n = static_cast<int>(headerLines().size());
    for (const Line& line : kLines)
        n += line.kind == LineKind::Slots ? kSlotCount : 1;
    return n;
}

QString configFilePath(const QString& gameFolder)
{
    const QString plain = joinPath(gameFolder, QString::fromLatin1(kConfigFileName));
    const QString existing = resolveIgnoringCase(plain);
    return existing.isEmpty() ? plain : QDir::toNativeSeparators(existing);
}

ConfigWriteResult replaceConfigFile(const QString& gameFolder, const QByteArray& content, const Platform& platform)
{
    ConfigWriteResult r;
    if (gameFolder.isEmpty()) {
        r.reason = QStringLiteral("no game folder has been chosen");
        return r;
    }
    r.file = configFilePath(gameFolder);
    if (!QFileInfo(gameFolder).isDir()) {
        r.reason = QStringLiteral("the game folder %1 does not exist").arg(QDir::toNativeSeparators(gameFolder));
        return r;
    }
    // A link is written through: the file it leads to is replaced, beside itself, and made
    // read-only; the link stays as it is.
    const QString target = linkTarget(r.file);
    const QFileInfo fi(target);
    if (fi.exists() && !fi.isFile()) { // a folder or a pipe of that name: left as it is
        r.reason = describeWriteFailure(target);
        return r;
    }
    // The new file is made read-only before it takes the old one's place, so Drovex.cfg is never
    // writable on disk, not even for a moment.
    bool createFailed = false;
    WriteResult w = replaceFile(target, content, [&](const QString& temp) { return platform.lockFile(temp); }, &createFailed);
    if (!w.ok && createFailed && fi.exists() && !QFileInfo(fi.absolutePath()).isWritable()) {
        // A read-only folder takes no temporary file: write the file itself.
        if (platform.unlockFile(target)) {
            w = overwriteInPlace(target, content);
            (void)platform.lockFile(target);
        }
    }
    r.written = w.ok;
    r.direct = w.ok && w.direct;
    r.reason = w.reason;
    return r;
}

QString configSaveMessage(const ConfigWriteResult& result, const RenderedConfig& rendered, bool defaults)
{
    if (result.file.isEmpty())
        return QStringLiteral("Drovex.cfg was not written: %1 (choose it with Choose Path, GP2 Path).").arg(result.reason);
    const QString file = QDir::toNativeSeparators(result.file);
    if (!result.written)
        return QStringLiteral("Drovex.cfg could not be written to %1: %2.").arg(file, result.reason);
    QString text = QStringLiteral("Drovex.cfg written") +
                   (defaults ? QStringLiteral(" with Drovex's default values") : QString()) +
                   (result.direct ? QStringLiteral(" in place to %1 (its folder takes no temporary file, so it could not "
                                                   "be replaced in one step)")
                                  : QStringLiteral(" to %1"))
                       .arg(file);
    if (!rendered.notSet.isEmpty())
        text += QStringLiteral("; written as not set: ") + rendered.notSet.join(QStringLiteral(", "));
    if (!rendered.slotProblems.isEmpty())
        text += QStringLiteral("; Drovex keeps its own track for ") + rendered.slotProblems.join(QStringLiteral(", "));
    if (!rendered.lossy.isEmpty())
        text += QStringLiteral("; \"?\" written for characters Drovex cannot show in: ") +
                rendered.lossy.join(QStringLiteral(", "));
    if (!rendered.cut.isEmpty())
        text += QStringLiteral("; cut to the %1 characters Drovex reads: ").arg(kTextFieldMax) + rendered.cut.join(QStringLiteral(", "));
    if (!rendered.notKept.isEmpty())
        text += QStringLiteral("; kept lines left out: ") + rendered.notKept.join(QStringLiteral(", "));
    return text;
}

} // namespace drovex
