#pragma once

#include "settings/settingsstore.h"
#include "tracks/trackinfo.h"

#include <QList>
#include <QString>

#include <array>
#include <functional>

namespace drovex {

// The sixteen circuit slots: each a track file relative to the game folder (DOS-style) and the
// name its tag gives.
class SlotTable {
public:
    static constexpr int kSlots = 16;
    static QString defaultPath(int slot); // "CIRCUITS\F1CT01.DAT" .. "CIRCUITS\F1CT16.DAT"
    static QString key(int slot);         // "F1CT01" .. "F1CT16"

    SlotTable();

    QString path(int slot) const { return m_path[index(slot)]; }
    QString name(int slot) const { return m_name[index(slot)]; }
    void setPath(int slot, const QString& path) { m_path[index(slot)] = path; }
    void setName(int slot, const QString& name) { m_name[index(slot)] = name; }
    void resetToDefaults();

    // Full path of a slot's file in the game folder, found ignoring letter case.
    static QString fullPath(const QString& gameFolder, const QString& relative);

    // The slots whose file is this one (none when it is in no slot).
    QList<int> slotsHolding(const QString& gameFolder, const QString& path) const;

    // Loads the slots: the stored paths (unless in defaults mode) and each file's name.
    // Every tag read is also handed to onRead, as the track windows show the last one read.
    void Read(const SettingsStore& store, const QString& gameFolder, bool defaultsMode,
              const std::function<void(const TrackInfo&)>& onRead = {});
    // The two halves of Read: the stored paths of the slots that have one, and each file's name.
    void readPaths(const SettingsStore& store);
    void readNames(const QString& gameFolder, const std::function<void(const TrackInfo&)>& onRead = {});
    // Writes all sixteen slot keys, or none.
    WriteResult StoreSlots(SettingsStore& store) const;

    friend bool operator==(const SlotTable&, const SlotTable&) = default;

private:
    static size_t index(int slot) { return static_cast<size_t>(slot - 1); }
    std::array<QString, kSlots> m_path;
    std::array<QString, kSlots> m_name;
};

} // namespace drovex
