#pragma once

#include <QString>

#include <memory>

class QSettings;

namespace drovex {

// Outcome of writing to the settings store; on failure, which file and why.
struct StoreResult {
    bool ok = true;
    QString file;
    QString reason;
};

// The per-user settings store: (application, section, key) -> string.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // The stored string, or "" when there is none.
    virtual QString read(const QString& application, const QString& section, const QString& key) const = 0;
    // Whether the key is stored at all: an empty value is stored, a missing key is not.
    virtual bool holds(const QString& application, const QString& section, const QString& key) const = 0;
    // Stores the string; the change is kept once commit() succeeds.
    virtual void write(const QString& application, const QString& section, const QString& key,
                       const QString& value) = 0;
    // Makes every write so far permanent; reports the failure when it cannot.
    virtual StoreResult commit() = 0;

    // The front-end's own application and section.
    QString get(const QString& key) const;
    bool contains(const QString& key) const;
    void put(const QString& key, const QString& value);
};

// The store as an INI file; by default the per-user file the front-end always uses.
class IniSettingsStore final : public SettingsStore {
public:
    IniSettingsStore();                               // per-user location
    explicit IniSettingsStore(const QString& file);   // explicit file (tests, tools)
    ~IniSettingsStore() override;

    QString read(const QString& application, const QString& section, const QString& key) const override;
    bool holds(const QString& application, const QString& section, const QString& key) const override;
    void write(const QString& application, const QString& section, const QString& key,
               const QString& value) override;
    StoreResult commit() override;

    QString fileName() const;

private:
    std::unique_ptr<QSettings> m_settings;
};

} // namespace drovex
