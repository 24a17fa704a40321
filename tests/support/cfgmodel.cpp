#include "support/cfgmodel.h"

#include "common/codepage.h"
#include "common/dosname.h"
#include "settings/catalogue.h"
#include "settings/fieldrules.h"

namespace drovex::test {
namespace {

CfgValue number(quint32 n) { return {CfgKind::Number, n, {}}; }
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

QHash<QByteArray, std::optional<CfgValue>> expectedReading(const ConfigValues& v)
{
    QHash<QByteArray, std::optional<CfgValue>> e;
    for (const Setting& s : catalogue()) {
        const auto i = static_cast<size_t>(s.index);
        switch (s.kind) {
        case Kind::Plain:
            if (s.cfgKey)
                e.insert(s.cfgKey, number(v.check[i] != 0));
            break;
        case Kind::Valued:
            if (!s.hasBar()) { // the two texts: their switch is a value of its own
                e.insert(s.cfgKey, number(v.enable[i] != 0));
                e.insert(s.index == 6 ? "logDebugName" : "MyLinkName", textOrNotSet(v.text[i]));
            } else if (v.enable[i] != 0 && parseNumber(v.text[i])) {
                e.insert(s.cfgKey, number(static_cast<quint32>(roundHalfEven(*parseNumber(v.text[i])))));
            } else {
                e.insert(s.cfgKey, std::nullopt);
            }
            break;
        case Kind::Alignment:
            e.insert(s.cfgKey, v.align[i] != 0 ? std::optional(number(static_cast<quint32>(s.index == 0 ? v.hAlign : v.vAlign)))
                                                : std::nullopt);
            break;
        case Kind::StartMode:
            break;
        }
    }
    for (int n = 1; n <= kSlotCount; ++n) {
        const QString& slot = v.slotValues[static_cast<size_t>(n - 1)];
        const QByteArray key = QStringLiteral("f1ct%1").arg(n, 2, 10, QLatin1Char('0')).toLatin1();
        e.insert(key, dosPathProblem(slot, kDosPathMax).isEmpty() ? std::optional(text(slot.toLatin1())) : std::nullopt);
    }
    return e;
}

QStringList readingDifferences(const QByteArray& file, const ConfigValues& values)
{
    const CfgReading r = readDrovexCfg(file);
    QStringList out = r.faults;
    const auto expected = expectedReading(values);
    for (const CfgKey& k : drovexKeys()) {
        const auto want = expected.value(QByteArray(k.name));
        const auto got = r.value(k.name);
        if (want == got)
            continue;
        auto show = [](const std::optional<CfgValue>& x) {
            if (!x)
                return QStringLiteral("not set");
            return x->kind == CfgKind::Number ? QString::number(x->number)
                                              : QLatin1Char('"') + QString::fromLatin1(x->text) + QLatin1Char('"');
        };
        out << QStringLiteral("%1 reads %2, the window shows %3").arg(QLatin1String(k.name), show(got), show(want));
    }
    for (const QByteArray& k : r.unknownKeys)
        out << QStringLiteral("unknown key %1").arg(QString::fromLatin1(k));
    return out;
}

} // namespace drovex::test
