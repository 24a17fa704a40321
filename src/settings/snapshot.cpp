#include "settings/snapshot.h"

#include "common/indexing.h"
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
        at(s.check, i) = store.get(latin(plainSetting(i).switchKey));
    for (int i = 0; i < kValuedCount; ++i) {
        at(s.enable, i) = store.get(latin(valuedSetting(i).switchKey));
        at(s.text, i) = store.get(latin(valuedSetting(i).valueKey));
    }
    for (int g = 0; g < kAlignCount; ++g) {
        at(s.align, g) = store.get(latin(alignmentSetting(g).switchKey));
        at(s.alignIndex, g) = store.get(latin(alignmentSetting(g).valueKey));
    }
    s.startMode = store.get(latin(startModeSetting().valueKey));
    return s;
}

QList<StoreEntry> snapshotEntries(const SettingsSnapshot& s)
{
    QList<StoreEntry> e;
    for (int i = 0; i < kPlainCount; ++i)
        e.append({latin(plainSetting(i).switchKey), at(s.check, i)});
    for (int i = 0; i < kValuedCount; ++i)
        e.append({latin(valuedSetting(i).switchKey), at(s.enable, i)});
    for (int g = 0; g < kAlignCount; ++g)
        e.append({latin(alignmentSetting(g).switchKey), at(s.align, g)});
    for (int i = 0; i < kValuedCount; ++i)
        e.append({latin(valuedSetting(i).valueKey), at(s.text, i)});
    for (int g = 0; g < kAlignCount; ++g)
        e.append({latin(alignmentSetting(g).valueKey), at(s.alignIndex, g)});
    e.append({latin(startModeSetting().valueKey), s.startMode});
    return e;
}

SettingsSnapshot defaultSnapshot()
{
    SettingsSnapshot s;
    for (int i = 0; i < kPlainCount; ++i)
        at(s.check, i) = i == kGp2OptionsSwitch ? QString() : stateText(plainSetting(i).defaultOn);
    for (int i = 0; i < kValuedCount; ++i) {
        at(s.enable, i) = stateText(valuedSetting(i).defaultOn);
        at(s.text, i) = latin(valuedSetting(i).defaultValue);
    }
    for (int g = 0; g < kAlignCount; ++g) {
        at(s.align, g) = stateText(alignmentSetting(g).defaultOn);
        at(s.alignIndex, g) = latin(alignmentSetting(g).defaultValue);
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
        at(s.text, i) = latin(valuedSetting(i).initialValue);
    for (int g = 0; g < kAlignCount; ++g)
        at(s.alignIndex, g) = latin(alignmentSetting(g).initialValue);
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
