#pragma once

#include "settings/snapshot.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <array>

namespace drovex {

class Platform;

inline constexpr int kSlotCount = 16;
inline constexpr const char* kConfigFileName = "Drovex.cfg";
inline constexpr int kTextFieldMax = 188; // the longest text Drovex reads between quotes
// Line 9 of every Drovex.cfg this program writes begins so (after ";" and blanks).
inline constexpr const char* kCreatedBy = "This File is created with Drovex Windows Front-End";

// Lines of a player's own Drovex.cfg that name keys the window has no control for are kept,
// verbatim, and written after the line table under this comment. They are stored with the
// settings, one line after another, under their own key.
inline constexpr const char* kKeptLinesHeader = "; Kept from your own Drovex.cfg";
inline constexpr const char* kKeptLinesKey = "Kept Drovex.cfg Lines";
inline constexpr int kKeptLinesMax = 256;
QStringList keptLinesFromStore(const QString& stored);
QString keptLinesForStore(const QStringList& lines);
// Why a line cannot be kept ("" when it can): it must name a key the window has no control for,
// fit the writer's rules (not longer than kCfgLineMax) and hold no control character but tabs.
QString keptLineProblem(const QString& line);

// What Drovex.cfg is written from: the main window's settings as it shows them (a greyed switch
// counts as on), the value of each f1ct line (DOS-style, relative to the game folder) and the
// lines kept from a player's own file.
struct ConfigValues {
    SettingsSnapshot settings;
    std::array<QString, kSlotCount> slotValues;
    QStringList keptLines;
};

// Drovex.cfg as written from the window, and what Drovex will not read as the window shows it.
struct RenderedConfig {
    QStringList lines;         // the 102 lines, then any kept lines under their header, without line ends
    QByteArray bytes;          // Windows-1252, every line ended by CR LF, no byte-order mark
    QStringList notSet;        // switched-on numeric settings whose field holds no number
    QStringList lossy;         // text settings with characters the code page lacks, written as "?"
    QStringList cut;           // text settings cut to the kTextFieldMax characters Drovex reads
    QStringList slotProblems;  // "slot 6 (...)": slots written empty since DOS cannot open their file
    QStringList notKept;       // kept lines left out, with why
};
RenderedConfig renderConfig(const ConfigValues& values);
// How many lines the line table writes (102), before any line kept from a player's own file.
int configLineCount();

// Value of a track slot line: the slot's file relative to the game folder in the short form
// the platform gives, DOS-style; "" when the file does not exist.
QString slotLineValue(const QString& gameFolder, const QString& slotPath, const Platform& platform);

// The status-bar note for a slot whose track file Drovex.cfg could not name: missing, or not
// inside the game folder.
QString missingSlotNote(int slot, const QString& slotPath);

struct ConfigWriteResult {
    bool written = false;
    bool direct = false; // written in place: its folder takes no temporary file
    QString file;    // where Drovex.cfg is (or was to be) written
    QString reason;  // why it was not written
};

// Where Drovex.cfg is in a game folder: the name already on disk whatever its letter case, so that
// DOS sees only one file, or the plain name when there is none.
QString configFilePath(const QString& gameFolder);

// The status-bar sentence after a save: where the file went or why not, and every setting that
// Drovex will not read as the window shows it; defaults: the file holds Drovex's default values.
QString configSaveMessage(const ConfigWriteResult& result, const RenderedConfig& rendered, bool defaults = false);

// Replaces <gameFolder>/Drovex.cfg with content, read-only, in one step: the new content reaches
// the disk in whole before it takes the old file's place. Where the folder takes no temporary
// file, the file is written in place instead. With no game folder nothing is written anywhere;
// on any failure the old file stays whole.
ConfigWriteResult replaceConfigFile(const QString& gameFolder, const QByteArray& content, const Platform& platform);

} // namespace drovex
