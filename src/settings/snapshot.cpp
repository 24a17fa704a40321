#include "settings/snapshot.h"

#include "settings/fieldrules.h"

namespace drovex {
namespace {

QString latin(const char* s) { return s ? QString::fromLatin1(s) : QString(); }
QString stateText(bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); }

} // namespace

SettingsSnapshot readSnapshot(const SettingsStore& store)
{
    SettingsSnapshot s;
    for (int i = 0; i < kPlainCount; ++i)
        s.check[static_cast<size_t>(i)] = store.get(latin(plainSetting(i).switchKey));
    for (int i = 0; i < kValuedCount; ++i) {
        s.enable[static_cast<size_t>(i)] = store.get(latin(valuedSetting(i).switchKey));
        s.text[static_cast<size_t>(i)] = store.get(latin(valuedSetting(i).valueKey));
    }
    for (int g = 0; g < kAlignCount; ++g) {
        s.align[static_cast<size_t>(g)] = store.get(latin(alignmentSetting(g).switchKey));
        s.alignIndex[static_cast<size_t>(g)] = store.get(latin(alignmentSetting(g).valueKey));
    }
    s.startMode = store.get(latin(startModeSetting().valueKey));
    return s;
}

QList<StoreEntry> snapshotEntries(const SettingsSnapshot& s)
{
    QList<StoreEntry> e;
    for (int i = 0; i < kPlainCount; ++i)
        e.append({latin(plainSetting(i).switchKey), s.check[static_cast<size_t>(i)]});
    for (int i = 0; i < kValuedCount; ++i)
        e.append({latin(valuedSetting(i).switchKey), s.enable[static_cast<size_t>(i)]});
    for (int g = 0; g < kAlignCount; ++g)
        e.append({latin(alignmentSetting(g).switchKey), s.align[static_cast<size_t>(g)]});
    for (int i = 0; i < kValuedCount; ++i)
        e.append({latin(valuedSetting(i).valueKey), s.text[static_cast<size_t>(i)]});
    for (int g = 0; g < kAlignCount; ++g)
        e.append({latin(alignmentSetting(g).valueKey), s.alignIndex[static_cast<size_t>(g)]});
    e.append({latin(startModeSetting().valueKey), s.startMode});
    return e;
}

SettingsSnapshot defaultSnapshot()
{
    SettingsSnapshot s;
    for (int i = 0; i < kPlainCount; ++i)
        s.check[static_cast<size_t>(i)] = i == kGp2OptionsSwitch ? QString() : stateText(plainSetting(i).defaultOn);
    for (int i = 0; i < kValuedCount; ++i) {
        s.enable[static_cast<size_t>(i)] = stateText(valuedSetting(i).defaultOn);
        s.text[static_cast<size_t>(i)] = latin(valuedSetting(i).defaultValue);
    }
    for (int g = 0; g < kAlignCount; ++g) {
        s.align[static_cast<size_t>(g)] = stateText(alignmentSetting(g).defaultOn);
        s.alignIndex[static_cast<size_t>(g)] = latin(alignmentSetting(g).defaultValue);
    }
    s.startMode = latin(startModeSetting().defaultValue);
    return s;
}

SettingsSnapshot initialSnapshot()
{
    SettingsSnapshot s;
    s.check.fill(stateText(false));
    s.enable.fill(stateText(false));
    s.align.fill(stateText(false));
    for (int i = 0; i < kValuedCount; ++i)
        s.text[static_cast<size_t>(i)] = latin(valuedSetting(i).initialValue);
    for (int g = 0; g < kAlignCount; ++g)
        s.alignIndex[static_cast<size_t>(g)] = latin(alignmentSetting(g).initialValue);
    s.startMode = latin(startModeSetting().initialValue);
    return s;
}

bool holdsAnySetting(const SettingsStore& store)
{
    const QStringList keys = allKeys();
    return std::any_of(keys.cbegin(), keys.cend(), [&](const QString& k) { return store.has(k); });
}

bool isOn(const QString& state)
{
    const auto n = toWholeNumber(state);
    return n && *n != 0;
}

} // namespace drovex
