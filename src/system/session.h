#pragma once

#include <QObject>
#include <QString>

namespace drovex {

class SettingsStore;
class Platform;

// Keys of the stored paths.
inline constexpr const char* kPathGp2 = "Path-GP2";
inline constexpr const char* kPathDrovex = "Path-Drovex";
inline constexpr const char* kPathBatch = "Path-Batch";

// What the windows of one run share: the settings store, the operating system and the current
// game folder (the folder of GP2.exe, the base of every game file path).
class Session : public QObject {
    Q_OBJECT
public:
    Session(SettingsStore& store, const Platform& platform, QObject* parent = nullptr)
        : QObject(parent)
        , m_store(store)
        , m_platform(platform)
    {
    }

    SettingsStore& store() const { return m_store; }
    const Platform& platform() const { return m_platform; }
    const QString& gameFolder() const { return m_gameFolder; }

    // Announces a new game folder to every window that shows files of the old one.
    void setGameFolder(const QString& folder)
    {
        if (folder == m_gameFolder)
            return;
        m_gameFolder = folder;
        emit gameFolderChanged(folder);
    }

signals:
    void gameFolderChanged(const QString& folder);

private:
    SettingsStore& m_store;
    const Platform& m_platform;
    QString m_gameFolder;
};

} // namespace drovex
