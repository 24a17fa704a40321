#include "support/cfgmodel.h"

#include "common/codepage.h"
#include "common/dosname.h"
#include "settings/catalogue.h"
#include "settings/fieldrules.h"

#include <QSet>

namespace drovex::test {
namespace {

CfgValue number(const char* key, qint64 n) { return {readKeys()[static_cast<size_t>(findReadKey(key))].kind, n, {}}; }
CfgValue text(const QByteArray& t) { return {CfgKind::Text, 0, t}; }

std::optional<CfgValue> textOrNotSet(const QString& shown)
{
    QString t = shown;
    t.replace(QLatin1String("\r\n"), QLatin1String(" "));
    t.truncate(kTextFieldMax);
    for (QChar& c : t)
        if (c.unicode() < 0x20)
            c = QLatin1Char(' ');
    if (t.isEmpty())
        return std::nullopt;
    return text(toWindows1252(t));
}

} // namespace

QHash<QByteArray, std::optional<CfgValue>> expectedReading(const ConfigValues& values)
{
    const SettingsSnapshot& v = values.settings;
    auto on = [](const QString& state) { return state == QLatin1String("1") || state == QLatin1String("2"); };
    QHash<QByteArray, std::optional<CfgValue>> e;
    for (const Setting& s : kSettings) {
        const auto i = static_cast<size_t>(s.index);
        switch (s.kind) {
        case SettingKind::Plain:
            if (s.cfgKey)
                e.insert(s.cfgKey, number(s.cfgKey, on(v.check[i])));
            break;
        case SettingKind::Valued:
            if (!s.hasBar()) { // the two texts: their switch is a value of its own
                e.insert(s.cfgKey, number(s.cfgKey, on(v.enable[i])));
                e.insert(s.cfgTextKey, textOrNotSet(v.text[i]));
            } else if (on(v.enable[i]) && parseNumber(v.text[i])) {
                e.insert(s.cfgKey, number(s.cfgKey, roundHalfEven(*parseNumber(v.text[i]))));
            } else {
                e.insert(s.cfgKey, std::nullopt);
            }
            break;
        case SettingKind::Alignment:
            e.insert(s.cfgKey, on(v.align[i]) ? std::optional(number(s.cfgKey, v.alignIndex[i].toUInt())) : std::nullopt);
            break;
        case SettingKind::StartMode:
            break;
        }
    }
    // Keys the window has no control for read as the kept lines read on their own.
    QByteArray kept;
    for (const QString& l : values.keptLines)
        kept += toWindows1252(l) + '\n';
    const CfgReading keptReading = readDrovexCfg(kept);
    for (const CfgKey& k : drovexKeys())
        if (!k.control)
            e.insert(k.name, keptReading.value(k.name));
    for (int n = 1; n <= kSlotCount; ++n) {
        const QString& slot = values.slotValues[static_cast<size_t>(n - 1)];
        const QByteArray key = QStringLiteral("f1ct%1").arg(n, 2, 10, QLatin1Char('0')).toLatin1();
        e.insert(key, dosPathProblem(slot, kDosPathMax).isEmpty() ? std::optional(text(slot.toLatin1())) : std::nullopt);
    }
    QHash<QByteArray, std::optional<CfgValue>> lower;
    for (auto it = e.cbegin(); it != e.cend(); ++it)
        lower.insert(it.key().toLower(), it.value());
    return lower;
}

QStringList readingDifferences(const QByteArray& file, const ConfigValues& values)
{
    const CfgReading r = readDrovexCfg(file);
    QStringList out = r.faults;
    const auto expected = expectedReading(values);
    for (const CfgKey& k : readKeys()) {
        const auto want = expected.value(QByteArray(k.name).toLower());
        const auto got = r.value(k.name);
        if (want == got)
            continue;
        auto show = [](const std::optional<CfgValue>& x) {
            if (!x)
                return QStringLiteral("not set");
            return x->kind != CfgKind::Text ? QString::number(x->number)
                                              : QLatin1Char('"') + QString::fromLatin1(x->text) + QLatin1Char('"');
        };
        out << QStringLiteral("%1 reads %2, the window shows %3").arg(QLatin1String(k.name), show(got), show(want));
    }
    QSet<QByteArray> keptKeys;
    for (const QString& l : values.keptLines)
        keptKeys.insert(lineKey(toWindows1252(l)));
    for (QByteArray line : file.split('\n')) {
        const QByteArray k = lineKey(line.replace('\r', ""));
        if (!k.isEmpty() && findReadKey(k) < 0 && !keptKeys.contains(k))
            out << QStringLiteral("unknown key %1").arg(QString::fromLatin1(k));
    }
    return out;
}

} // namespace drovex::test
