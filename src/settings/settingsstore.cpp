#include "settings/settingsstore.h"

#include "settings/catalogue.h"
#include "settings/inifile.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>
#include <QStringList>

#include <algorithm>
#include <cerrno>
#include <unistd.h>

namespace drovex {
namespace {

QString app() { return QString::fromLatin1(kApplication); }
QString section() { return QString::fromLatin1(kSection); }

// A dated name beside path that nothing holds yet: <name>.unreadable-<date>[-n].
QString asideName(const QString& path)
{
    const QString base = path + QStringLiteral(".unreadable-") + QDate::currentDate().toString(Qt::ISODate);
    QString aside = base;
    for (int n = 2; QFileInfo::exists(aside) || QFileInfo(aside).isSymLink(); ++n)
        aside = base + QLatin1Char('-') + QString::number(n);
    return aside;
}

// Keeps what path holds now under a dated name beside it, without taking it away (the save that
// follows replaces path itself); the name, or "" when nothing could be kept.
QString keepAside(const QString& path)
{
    const QString aside = asideName(path);
    if (::link(QFile::encodeName(path).constData(), QFile::encodeName(aside).constData()) == 0 ||
        QFile::copy(path, aside))
        return aside;
    return {};
}

// The keys of values that the file could not hold, as the user knows them, in quotes.
QString namesOf(const QStringList& keys)
{
    QStringList names;
    for (const QString& key : keys)
        names << QLatin1Char('"') + shownKey(key) + QLatin1Char('"');
    return names.join(QStringLiteral(", "));
}

} // namespace
QString SettingsStore::get(const QString& key) const { return value(app(), section(), key); }
bool SettingsStore::has(const QString& key) const { return contains(app(), section(), key); }
WriteResult SettingsStore::put(const QString& key, const QString& value) { return write(app(), section(), {{key, value}}); }
WriteResult SettingsStore::putAll(const QList<StoreEntry>& values) { return write(app(), section(), values); }

QString IniSettingsStore::userFileName()
{
    // Where QSettings keeps a user's INI file of this name, without opening it to ask.
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QLatin1Char('/') + app() +
           QStringLiteral(".ini");
}

IniSettingsStore::IniSettingsStore()
    : IniSettingsStore(userFileName())
{
}

IniSettingsStore::IniSettingsStore(const QString& file)
    : m_file(file)
{
    load();
}

void IniSettingsStore::load()
{
    m_values.clear();
    m_unreadable.clear();
    const QFileInfo fi(m_file);
    if (!fi.exists())
        return;
    if (!fi.isFile()) {
        m_unreadable = QStringLiteral("it is not a regular file");
        return;
    }
    // A lock path the store will not touch does not keep the settings from being read.
    const bool lockUsable = lockInTheWay().isEmpty();
    if (lockUsable)
        removeStaleLock(lockName());
    QLockFile lock(lockName());
    const auto content = readIniFile(m_file, lockUsable && lock.tryLock(2000));
    if (!content) {
        m_unreadable = QStringLiteral("it cannot be read");
        return;
    }
    // What a hand edit broke reads as other values than the player wrote: none of it is taken.
    if (!content->broken.isEmpty()) {
        m_unreadable = QStringLiteral("a hand edit broke it: ") + content->broken;
        return;
    }
    for (auto it = content->values.cbegin(); it != content->values.cend(); ++it)
        m_values.insert(it.key(), iniText(it.value()));
    const bool anySettings = std::any_of(m_values.keyBegin(), m_values.keyEnd(), [](const QString& k) {
        return k.startsWith(section() + QLatin1Char('/'));
    });
    if (!content->blank && !anySettings)
        m_unreadable = QStringLiteral("it holds nothing that reads as settings");
}

QString IniSettingsStore::value(const QString& application, const QString& sec, const QString& key) const
{
    if (application != app() || key.isEmpty())
        return {};
    return m_values.value(sec + QLatin1Char('/') + key);
}

bool IniSettingsStore::contains(const QString& application, const QString& sec, const QString& key) const
{
    return application == app() && m_values.contains(sec + QLatin1Char('/') + key);
}

QString IniSettingsStore::moveAside()
{
    // A link stays: the file it leads to is moved, and the next save writes through the link.
    const QString target = linkTarget(m_file);
    if (!QFileInfo::exists(target))
        return {};
    const QString aside = asideName(target);
    if (!QFile::rename(target, aside))
        return {};
    load();
    return aside;
}

QString IniSettingsStore::lockInTheWay() const
{
    const QString kind = describeFileKind(lockName());
    if (kind.isEmpty())
        return {};
    return QStringLiteral("the lock file %1 is in the way: it is %2, not a regular file; settings are not saved "
                          "until it is gone")
        .arg(QDir::toNativeSeparators(lockName()), kind);
}

// Puts bytes in the file's place with the steps Drovex.cfg takes: a link is written through, and
// a folder that takes no temporary file gets the file written in place.
WriteResult IniSettingsStore::replaceWith(const QByteArray& bytes)
{
    const QString target = linkTarget(m_file);
    const QFileInfo old(target);
    const bool existed = old.isFile();
    const QFile::Permissions permissions = existed ? QFile::permissions(target) : QFile::Permissions();
    bool createFailed = false;
    WriteResult w = replaceFile(
        target, bytes, [&](const QString& temp) { return !existed || QFile::setPermissions(temp, permissions); },
        &createFailed);
    if (!w.ok && createFailed && existed && !QFileInfo(old.absolutePath()).isWritable())
        w = overwriteInPlace(target, bytes);
    w.file = m_file;
    return w;
}

WriteResult IniSettingsStore::write(const QString& application, const QString& sec, const QList<StoreEntry>& values)
{
    if (application != app())
        return writeFailure(m_file, QStringLiteral("the store keeps only this program's settings"));
    const QFileInfo fi(m_file);
    const QString folder = fi.absolutePath();
    if (!QDir().mkpath(folder) || !QFileInfo(folder).isDir())
        return writeFailure(m_file, describeWriteFailure(m_file));
    if (fi.exists() && (!fi.isFile() || !fi.isReadable() || !fi.isWritable()))
        return writeFailure(m_file, describeWriteFailure(m_file));
    if (!m_unreadable.isEmpty())
        return writeFailure(m_file, m_unreadable);
    if (const QString why = lockInTheWay(); !why.isEmpty())
        return writeFailure(m_file, why);

    // One save at a time, and no lock left behind by a program that was stopped.
    removeStaleLock(lockName());
    QLockFile lock(lockName());
    if (!lock.tryLock(2000))
        return writeFailure(m_file, lock.error() == QLockFile::LockFailedError
                                   ? QStringLiteral("another program is saving to it")
                                   : describeWriteFailure(lockName()));
    removeLeftovers(m_file);

    // The whole file as it is to be: what the disk holds now, with the new values. A file a hand
    // edit broke since it was read is kept aside, and what the program holds takes its place.
    QHash<QString, QVariant> before;
    QString aside;
    QString notice;
    if (QFileInfo::exists(m_file)) {
        const auto current = readIniFile(m_file, true);
        if (!current)
            return writeFailure(m_file, QStringLiteral("the file cannot be read"));
        if (current->broken.isEmpty()) {
            before = current->values;
        } else {
            aside = keepAside(linkTarget(m_file));
            if (aside.isEmpty())
                return writeFailure(m_file, QStringLiteral("a hand edit broke it (%1), and it could not be kept aside")
                                                .arg(current->broken));
            for (auto it = m_values.cbegin(); it != m_values.cend(); ++it)
                before.insert(it.key(), it.value());
            notice = QStringLiteral("The settings file %1 was changed meanwhile so that it does not read as settings "
                                    "(%2). It was kept as %3, and the settings the program holds were saved in its place.")
                         .arg(QDir::toNativeSeparators(m_file), current->broken, QDir::toNativeSeparators(aside));
        }
    }
    QHash<QString, QVariant> wanted = before;
    for (const auto& [key, value] : values)
        if (!key.isEmpty())
            wanted.insert(sec + QLatin1Char('/') + key, value);

    const RenderedIni rendered = renderIni(wanted, before);
    WriteResult r = rendered.failure.isEmpty() ? replaceWith(rendered.bytes) : writeFailure(m_file, rendered.failure);
    if (!r.ok) {
        if (!aside.isEmpty())
            QFile::remove(aside);
        return r;
    }
    m_values.clear();
    for (auto it = rendered.values.cbegin(); it != rendered.values.cend(); ++it)
        m_values.insert(it.key(), iniText(it.value()));
    if (!rendered.dropped.isEmpty())
        notice += (notice.isEmpty() ? QString() : QStringLiteral("\n\n")) +
                  QStringLiteral("The settings were saved to %1, except the values of %2, which the settings file "
                                 "cannot hold as they are; the file keeps what it held for them before.")
                      .arg(QDir::toNativeSeparators(m_file), namesOf(rendered.dropped));
    r.notice = notice;
    return r;
}

} // namespace drovex
