#pragma once

#include "cfgfile/configfile.h"

#include <QStringList>

#include <array>
#include <optional>

namespace drovex {

// A Drovex.cfg brought into the window, read exactly as Drovex reads it.
struct ImportedConfig {
    SettingsSnapshot settings;                                // the window's settings with the file's put in
    // Slot paths to take; "" for the game's own track of the slot; none: keep the slot.
    std::array<std::optional<QString>, kSlotCount> slotPaths;
    QStringList keptLines;                                    // lines naming keys the window has no control for
    int imported = 0;                                         // settings the file gave a value
    QStringList clamped;                                      // "mapZoom (9 clamped to 5)": taken otherwise than read
    QStringList notUsed;                                      // "key (why)": values Drovex reads that were not taken
    QStringList notKept;                                      // "line 7, key (why)": lines that could not be kept
    QString refused;                                          // why nothing could be taken ("" when it could)
};

// Puts what Drovex uses from file into current. A key Drovex reads as set becomes the value and
// turns its enable switch on (beyond a field's limits, the field's rule clamps it, and it is
// named). A key not set turns an enable switch off and leaves the value (a line this program
// commented out, ";key = value", still gives its value); an on/off setting or a slot not set
// takes the Default column's value, and a text not set is emptied, since that is what Drovex
// uses. A slot takes a track file only when it exists in gameFolder. Lines naming keys the window
// has no control for are kept, verbatim and in order.
ImportedConfig importDrovexCfg(const QByteArray& file, const SettingsSnapshot& current, const QString& gameFolder);

// The status-bar sentence after an import of file: what came in, or why nothing did.
QString importMessage(const ImportedConfig& imported, const QString& file);

// No Drovex.cfg is larger than this; reading stops here whatever size the file system reports.
inline constexpr qint64 kConfigFileMax = 1 << 20;

// A Drovex.cfg's bytes, or why it cannot be one (to follow "it is" or "it has").
struct ConfigFileRead {
    std::optional<QByteArray> bytes;
    QString problem;
};
ConfigFileRead readConfigFile(const QString& path);

// Whether a Drovex.cfg was written by some other hand than this program's: its line 9 is not
// "; This File is created with Drovex Windows Front-End ...".
bool isForeignConfig(const QByteArray& file);

} // namespace drovex
