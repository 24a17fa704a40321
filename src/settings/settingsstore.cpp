#include "settings/settingsstore.h"

#include "settings/catalogue.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <optional>
#include <unistd.h>

namespace drovex {
namespace {

QString app() { return QString::fromLatin1(kApplication); }
QString section() { return QString::fromLatin1(kSection); }

// A value as text; a hand-edited value with commas reads back as a list: keep its text.
QString textOf(const QVariant& v)
{
    if (v.typeId() == QMetaType::QStringList)
        return v.toStringList().join(QLatin1Char(','));
    return v.toString();
}

// The settings an INI file holds as it is on disk now; none when it cannot be opened.
// QSettings keeps what it read of a file in memory and trusts it while the file's size and time
// look unchanged, so the file is read under a name QSettings has never seen: a hard link (which
// takes no room on the disk), or the file itself where the file system has none. The link has
// the name of a leftover, which a save of another running copy clears: only a caller holding the
// store's lock may ask for one.
std::optional<QHash<QString, QVariant>> readIni(const QString& file, bool underLock)
{
    QFile probe(file);
    if (!openRegularFile(probe, file))
        return std::nullopt;
    probe.close();
    const QString alias = temporaryNameFor(file);
    const bool linked =
        underLock && ::link(QFile::encodeName(file).constData(), QFile::encodeName(alias).constData()) == 0;
    QHash<QString, QVariant> values;
    {
        QSettings settings(linked ? alias : file, QSettings::IniFormat);
        for (const QString& key : settings.allKeys())
            if (!key.isEmpty())
                values.insert(key, settings.value(key));
    }
    if (linked)
        QFile::remove(alias);
    return values;
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
    const QString lockName = m_file + QStringLiteral(".lock");
    removeStaleLock(lockName);
    QLockFile lock(lockName);
    const auto values = readIni(m_file, lock.tryLock(2000));
    if (!values) {
        m_unreadable = QStringLiteral("it cannot be read");
        return;
    }
    QFile f(m_file);
    const bool blank = !f.open(QIODevice::ReadOnly) || f.read(1 << 20).trimmed().isEmpty();
    for (auto it = values->cbegin(); it != values->cend(); ++it)
        m_values.insert(it.key(), textOf(it.value()));
    const bool anySettings = std::any_of(m_values.keyBegin(), m_values.keyEnd(), [](const QString& k) {
        return k.startsWith(section() + QLatin1Char('/'));
    });
    if (!blank && !anySettings)
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
    if (!QFileInfo::exists(m_file))
        return {};
    const QString base = m_file + QStringLiteral(".unreadable-") + QDate::currentDate().toString(Qt::ISODate);
    QString target = base;
    for (int n = 2; QFileInfo::exists(target) || QFileInfo(target).isSymLink(); ++n)
        target = base + QLatin1Char('-') + QString::number(n);
    if (!QFile::rename(m_file, target))
        return {};
    load();
    return target;
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

    // One save at a time, and no lock left behind by a program that was stopped.
    const QString lockName = m_file + QStringLiteral(".lock");
    removeStaleLock(lockName);
    QLockFile lock(lockName);
    if (!lock.tryLock(2000))
        return writeFailure(m_file, lock.error() == QLockFile::LockFailedError
                                   ? QStringLiteral("another program is saving to it")
                                   : describeWriteFailure(lockName));
    removeLeftovers(m_file);

    // The whole file as it is to be: what the disk holds now, with the new values.
    QHash<QString, QVariant> wanted;
    if (QFileInfo::exists(m_file)) {
        const auto current = readIni(m_file, true);
        if (!current)
            return writeFailure(m_file, QStringLiteral("the file cannot be read"));
        wanted = *current;
    }
    for (const auto& [key, value] : values)
        if (!key.isEmpty())
            wanted.insert(sec + QLatin1Char('/') + key, value);

    const QString temp = temporaryNameFor(m_file);
    const QString written = temporaryNameFor(m_file);
    auto fail = [&](const QString& reason) {
        QFile::remove(temp);
        QFile::remove(written);
        removeLeftovers(m_file);
        return writeFailure(m_file, reason);
    };
    {
        QSettings next(temp, QSettings::IniFormat);
        for (auto it = wanted.cbegin(); it != wanted.cend(); ++it)
            next.setValue(it.key(), it.value());
        next.sync();
        if (next.status() != QSettings::NoError)
            return fail(describeWriteFailure(temp));
    }
    // Read back from the disk, under a new name so that nothing QSettings remembers of what it
    // meant to write can answer: a full disk can leave a short file behind a reported success.
    if (::rename(QFile::encodeName(temp).constData(), QFile::encodeName(written).constData()) != 0)
        return fail(describeWriteFailure(temp));
    {
        QSettings check(written, QSettings::IniFormat);
        for (auto it = wanted.cbegin(); it != wanted.cend(); ++it)
            if (textOf(check.value(it.key())) != textOf(it.value()))
                return fail(describeWriteFailure(written));
    }
    if (const QString why = syncToDisk(written); !why.isEmpty())
        return fail(why);
    if (fi.exists())
        QFile::setPermissions(written, QFile::permissions(m_file));
    if (::rename(QFile::encodeName(written).constData(), QFile::encodeName(m_file).constData()) != 0)
        return fail(describeError(errno));
    (void)syncToDisk(folder);
    for (auto it = wanted.cbegin(); it != wanted.cend(); ++it)
        m_values.insert(it.key(), textOf(it.value()));
    WriteResult r;
    r.file = m_file;
    return r;
}

} // namespace drovex
