#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <array>

namespace drovex {

class Platform;

inline constexpr int kSlotCount = 16;
inline constexpr int kConfigLineCount = 102;
inline constexpr const char* kConfigFileName = "Drovex.cfg";
inline constexpr int kTextFieldMax = 188; // the longest text Drovex reads between quotes

// What Drovex.cfg is written from: the main window's controls as they stand.
struct ConfigValues {
    std::array<int, 18> check{};      // Check(i) states: 0 off, 1 on, 2 greyed (counts as on)
    std::array<int, 21> enable{};     // CheckT(i) / CheckC(i) states
    std::array<QString, 21> text;     // Text(i) / TextC(i)
    std::array<int, 2> align{};       // CheckO(0), CheckO(1) states
    int hAlign = 0;                   // HAlignIndex
    int vAlign = 0;                   // VAlignIndex
    std::array<QString, kSlotCount> slotValues; // the value of each f1ct line (DOS-style, relative)
};

// Drovex.cfg as written from the window, and what Drovex will not read as the window shows it.
struct RenderedConfig {
    QStringList lines;         // the 102 lines, without line ends
    QByteArray bytes;          // Windows-1252, every line ended by CR LF, no byte-order mark
    QStringList notSet;        // switched-on numeric settings whose field holds no number
    QStringList lossy;         // text settings with characters the code page lacks, written as "?"
    QStringList slotProblems;  // "slot 6 (...)": slots written empty since DOS cannot open their file
};
RenderedConfig renderConfig(const ConfigValues& values);

// The 102 lines of Drovex.cfg, without line ends.
QStringList renderConfigLines(const ConfigValues& values);
// The file's bytes.
QByteArray renderConfigFile(const ConfigValues& values);

// Value of a track slot line: the slot's file relative to the game folder in the short form
// the platform gives, DOS-style; "" when the file does not exist.
QString slotLineValue(const QString& gameFolder, const QString& slotPath, const Platform& platform);

struct ConfigWriteResult {
    bool written = false;
    QString file;    // where Drovex.cfg is (or was to be) written
    QString reason;  // why it was not written
};

// The status-bar sentence after a save: where the file went or why not, and every setting that
// Drovex will not read as the window shows it.
QString configSaveMessage(const ConfigWriteResult& result, const RenderedConfig& rendered);

// Replaces <gameFolder>/Drovex.cfg with content atomically and locks it again. With no game
// folder nothing is written anywhere; on any failure the old file stays whole.
ConfigWriteResult writeConfigFile(const QString& gameFolder, const QByteArray& content, const Platform& platform);

} // namespace drovex
