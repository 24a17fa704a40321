#pragma once

#include "cfgfile/configfile.h"

#include <QStringList>

#include <array>
#include <optional>

namespace drovex {

// A Drovex.cfg brought into the window, read exactly as Drovex reads it.
struct ImportedConfig {
    SettingsSnapshot settings;                          // the window's settings with the file's put in
    std::array<std::optional<QString>, kSlotCount> slotPaths; // slot paths to take; none: keep the slot
    int imported = 0;                                   // settings the file gave a value
    QStringList notUsed;                                // "key (why)": what could not be taken as it is
};

// Puts what Drovex reads from file into current: a key read as set becomes the value and turns its
// enable switch on; a commented-out or absent key turns the switch off and leaves the value (a
// line this program commented out, ";key = value", still gives its value). Numbers outside a
// field's limits are taken as the field's rules would clamp them, and named. A slot takes a track
// file only when it exists in gameFolder.
ImportedConfig importDrovexCfg(const QByteArray& file, const SettingsSnapshot& current, const QString& gameFolder);

// A Drovex.cfg's bytes: a regular file of a size a Drovex.cfg can have (anything past a megabyte
// is no such file); none otherwise.
std::optional<QByteArray> readConfigFile(const QString& path);

// Whether a Drovex.cfg was written by some other hand than this program's: its line 9 is not
// "; This File is created with Drovex Windows Front-End ...".
bool isForeignConfig(const QByteArray& file);

// Copies file to "<file>.bak" beside it, or to a dated name when that is taken; never over an
// existing file. The copy's name, or "" when it could not be made.
QString backUp(const QString& file);

} // namespace drovex
