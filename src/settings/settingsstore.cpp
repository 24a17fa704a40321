#include "settings/settingsstore.h"

#include "launch/paths.h"
#include "settings/catalogue.h"

#include <QSettings>
#include <QStringList>

namespace drovex {

QString SettingsStore::get(const QString& key) const
{
    return read(QString::fromLatin1(kApplication), QString::fromLatin1(kSection), key);
}

bool SettingsStore::contains(const QString& key) const
{
    return holds(QString::fromLatin1(kApplication), QString::fromLatin1(kSection), key);
}

void SettingsStore::put(const QString& key, const QString& value)
{
    write(QString::fromLatin1(kApplication), QString::fromLatin1(kSection), key, value);
}

IniSettingsStore::IniSettingsStore()
    : m_settings(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                             QString::fromLatin1(kApplication)))
{
}

IniSettingsStore::IniSettingsStore(const QString& file)
    : m_settings(std::make_unique<QSettings>(file, QSettings::IniFormat))
{
}

IniSettingsStore::~IniSettingsStore() = default;

QString IniSettingsStore::fileName() const { return m_settings->fileName(); }

// The INI file holds one application per file; the section is the INI group.
QString IniSettingsStore::read(const QString& application, const QString& section, const QString& key) const
{
    if (application != QLatin1String(kApplication) || key.isEmpty())
        return {};
    const QVariant v = m_settings->value(section + QLatin1Char('/') + key);
    if (!v.isValid())
        return {};
    // A hand-edited value with commas reads back as a list: keep its text.
    if (v.typeId() == QMetaType::QStringList)
        return v.toStringList().join(QLatin1Char(','));
    return v.toString();
}

bool IniSettingsStore::holds(const QString& application, const QString& section, const QString& key) const
{
    if (application != QLatin1String(kApplication) || key.isEmpty())
        return false;
    return m_settings->contains(section + QLatin1Char('/') + key);
}

void IniSettingsStore::write(const QString& application, const QString& section, const QString& key,
                             const QString& value)
{
    if (application != QLatin1String(kApplication) || key.isEmpty())
        return;
    m_settings->setValue(section + QLatin1Char('/') + key, value);
}

StoreResult IniSettingsStore::commit()
{
    m_settings->sync();
    // A format error only says that a hand-edited file did not parse cleanly; the file is
    // still written. Only an access error means the settings did not reach the disk.
    if (m_settings->status() != QSettings::AccessError)
        return {};
    StoreResult r;
    r.ok = false;
    r.file = m_settings->fileName();
    r.reason = describeWriteFailure(r.file);
    return r;
}

} // namespace drovex
