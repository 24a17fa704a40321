#include "tracks/slottable.h"

#include "common/paths.h"

#include <QDir>
#include <QFileInfo>

namespace drovex {

QString SlotTable::defaultPath(int slot)
{
    return QStringLiteral("CIRCUITS\\F1CT%1.DAT").arg(slot, 2, 10, QLatin1Char('0'));
}

QString SlotTable::key(int slot) { return QStringLiteral("F1CT%1").arg(slot, 2, 10, QLatin1Char('0')); }

SlotTable::SlotTable() { resetToDefaults(); }

void SlotTable::resetToDefaults()
{
    for (int n = 1; n <= kSlots; ++n)
        m_path[index(n)] = defaultPath(n);
}

QString SlotTable::fullPath(const QString& gameFolder, const QString& relative)
{
    if (gameFolder.isEmpty() || relative.isEmpty())
        return {};
    const QString joined = joinPath(gameFolder, dosToNative(relative));
    const QString found = resolveIgnoringCase(joined);
    return found.isEmpty() ? joined : found;
}

QList<int> SlotTable::slotsHolding(const QString& gameFolder, const QString& path) const
{
    QList<int> held;
    const QFileInfo file(path);
    if (path.isEmpty() || gameFolder.isEmpty())
        return held;
    for (int n = 1; n <= kSlots; ++n) {
        const QFileInfo slot(fullPath(gameFolder, m_path[index(n)]));
        // The same file even when reached by another spelling or through a link.
        const bool same = file.exists() ? slot.exists() && slot.canonicalFilePath() == file.canonicalFilePath()
                                        : QDir::cleanPath(slot.absoluteFilePath()) == QDir::cleanPath(file.absoluteFilePath());
        if (same)
            held << n;
    }
    return held;
}

void SlotTable::Read(const SettingsStore& store, const QString& gameFolder, bool defaultsMode,
                     const std::function<void(const TrackInfo&)>& onRead)
{
    if (!defaultsMode)
        readPaths(store);
    readNames(gameFolder, onRead);
}

void SlotTable::readPaths(const SettingsStore& store)
{
    for (int n = 1; n <= kSlots; ++n) {
        const QString stored = store.get(key(n));
        if (!stored.isEmpty())
            m_path[index(n)] = stored;
    }
}

void SlotTable::readNames(const QString& gameFolder, const std::function<void(const TrackInfo&)>& onRead)
{
    for (int n = 1; n <= kSlots; ++n) {
        // Without a game folder no file is looked for.
        const TrackInfo info = gameFolder.isEmpty() ? parseTrackInfo({}) : ReadTrackInfo(fullPath(gameFolder, m_path[index(n)]));
        m_name[index(n)] = info.name;
        if (onRead)
            onRead(info);
    }
}

WriteResult SlotTable::StoreSlots(SettingsStore& store) const
{
    QList<StoreEntry> entries;
    for (int n = 1; n <= kSlots; ++n)
        entries.append({key(n), m_path[index(n)]});
    return store.putAll(entries);
}

} // namespace drovex
