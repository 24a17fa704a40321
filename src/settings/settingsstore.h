#pragma once

#include "common/safefile.h"

#include <QHash>
#include <QList>
#include <QString>

#include <utility>

namespace drovex {

using StoreEntry = std::pair<QString, QString>; // key, value

// The per-user settings store: (application, section, key) -> string.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // The stored string, or "" when there is none.
    virtual QString value(const QString& application, const QString& section, const QString& key) const = 0;
    virtual bool contains(const QString& application, const QString& section, const QString& key) const = 0;
    // Stores every value or none: after a failure nothing has changed, neither on disk nor in what
    // value() returns, and the next write starts afresh. A saved result's notice names what the
    // user must still hear: a file a hand edit broke, kept aside, or values the store cannot hold.
    virtual WriteResult write(const QString& application, const QString& section, const QList<StoreEntry>& values) = 0;

    // Where the store keeps its values, for messages.
    virtual QString location() const = 0;
    // A store that is there but holds nothing readable as settings must not be written over:
    // why it is unreadable, or "" when it is not.
    virtual QString unreadable() const { return {}; }
    // Moves an unreadable store aside to a dated name beside it and starts empty; the new name, or "".
    virtual QString moveAside() { return {}; }
    // Something in the way of the store's lock that it will not touch (a named pipe, a folder):
    // a sentence naming it, or "" when saving can go on.
    virtual QString lockInTheWay() const { return {}; }

    // The front-end's own application and section.
    QString get(const QString& key) const;
    bool has(const QString& key) const;
    WriteResult put(const QString& key, const QString& value);
    WriteResult putAll(const QList<StoreEntry>& values);
};

// The store as an INI file; by default the per-user file the front-end always uses.
class IniSettingsStore final : public SettingsStore {
public:
    IniSettingsStore();                               // per-user location
    explicit IniSettingsStore(const QString& file);   // explicit file (tests, tools)

    QString value(const QString& application, const QString& section, const QString& key) const override;
    bool contains(const QString& application, const QString& section, const QString& key) const override;
    WriteResult write(const QString& application, const QString& section, const QList<StoreEntry>& values) override;

    QString location() const override { return m_file; }
    QString unreadable() const override { return m_unreadable; }
    QString moveAside() override;
    QString lockInTheWay() const override;

    static QString userFileName(); // where the per-user file lives

private:
    void load();
    QString lockName() const { return m_file + QStringLiteral(".lock"); }
    WriteResult replaceWith(const QByteArray& bytes);
    QString m_file;
    QHash<QString, QString> m_values; // "section/key" -> value, as on disk
    QString m_unreadable;
};

} // namespace drovex
