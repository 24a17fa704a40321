#include "cfgfile/cfgimport.h"

#include "cfgfile/cfgreader.h"
#include "common/codepage.h"
#include "settings/fieldrules.h"
#include "common/paths.h"
#include "common/safefile.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>

namespace drovex {
namespace {

QString latin(const char* s) { return QString::fromLatin1(s); }
QString stateText(bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); }

// The values of the lines this program writes commented out (";" directly followed by a known
// key): a number as Drovex would read it, or "" where the line holds none. The first line wins.
QHash<QByteArray, QString> commentedValues(const QByteArray& file)
{
    QHash<QByteArray, QString> values;
    const qsizetype eof = file.indexOf('\x1A');
    for (QByteArray line : file.left(eof < 0 ? file.size() : eof).split('\n')) {
        line.replace('\r', "");
        if (line.size() < 2 || line[0] != ';' || line[1] == ' ' || line[1] == '\t')
            continue;
        qsizetype at = 1;
        while (at < line.size() && line[at] != ' ' && line[at] != '\t' && line[at] != '=')
            ++at;
        const QByteArray key = line.mid(1, at - 1);
        const CfgKey* known = findDrovexKey(key);
        if (!known || known->kind != CfgKind::Number || values.contains(known->name))
            continue;
        while (at < line.size() && (line[at] == ' ' || line[at] == '\t' || line[at] == '='))
            ++at;
        qsizetype end = at;
        while (end < line.size() && line[end] != ' ' && line[end] != '\t' && line[end] != ';')
            ++end;
        const QByteArray raw = line.mid(at, end - at);
        const auto number = readDrovexCfg(QByteArray(known->name) + " = " + raw).value(known->name);
        values.insert(known->name, raw.isEmpty() || !number ? QString() : QString::number(number->number));
    }
    return values;
}

} // namespace

std::optional<QByteArray> readConfigFile(const QString& path)
{
    constexpr qint64 largest = 1 << 20;
    QFile f(path);
    if (!openRegularFile(f, path) || f.size() > largest)
        return std::nullopt;
    return f.readAll();
}

bool isForeignConfig(const QByteArray& file)
{
    QList<QByteArray> lines = file.split('\n');
    if (lines.size() < 9)
        return true;
    QByteArray line = lines[8];
    line.replace('\r', "");
    return !(line.startsWith(';') && line.mid(1).trimmed().startsWith(kCreatedBy));
}

QString backUp(const QString& file)
{
    QString target = file + QStringLiteral(".bak");
    const QString dated = file + QLatin1Char('.') + QDate::currentDate().toString(Qt::ISODate);
    for (int n = 1; QFileInfo::exists(target) || QFileInfo(target).isSymLink(); ++n)
        target = dated + (n == 1 ? QString() : QLatin1Char('-') + QString::number(n)) + QStringLiteral(".bak");
    if (!QFile::copy(file, target)) // QFile::copy never replaces an existing file
        return {};
    return target;
}

ImportedConfig importDrovexCfg(const QByteArray& file, const SettingsSnapshot& current, const QString& gameFolder)
{
    const CfgReading reading = readDrovexCfg(file);
    const QHash<QByteArray, QString> commented = commentedValues(file);
    ImportedConfig out;
    out.settings = current;
    SettingsSnapshot& s = out.settings;
    auto value = [&](const char* key) { return reading.value(key); };
    auto why = [&](const char* key, const QString& reason) { out.notUsed << latin(key) + QStringLiteral(" (") + reason + QLatin1Char(')'); };
    auto noteRejected = [&](const char* key) {
        if (reading.rejected.contains(QByteArray(key)))
            why(key, QStringLiteral("a value Drovex does not read"));
    };

    for (const Setting& setting : kSettings) {
        const auto i = static_cast<size_t>(setting.index);
        switch (setting.kind) {
        case Kind::Plain:
            if (!setting.cfgKey)
                break; // the front-end's own switch
            if (const auto v = value(setting.cfgKey)) {
                s.check[i] = stateText(v->number != 0);
                ++out.imported;
            }
            noteRejected(setting.cfgKey);
            break;
        case Kind::Valued:
            if (!setting.hasBar()) { // a free text with its own switch value
                if (const auto v = value(setting.cfgKey)) {
                    s.enable[i] = stateText(v->number != 0);
                    ++out.imported;
                }
                if (const auto v = value(setting.cfgTextKey)) {
                    s.text[i] = fromWindows1252(v->text);
                    ++out.imported;
                } else if (reading.emptyTexts.contains(QByteArray(setting.cfgTextKey))) {
                    s.text[i].clear(); // written as "": an empty field
                }
                noteRejected(setting.cfgKey);
                break;
            }
            if (const auto v = value(setting.cfgKey)) {
                const QString text = QString::number(v->number);
                const FieldOutcome clamped = applyFieldRule(text, setting.limits->lo, setting.limits->hi);
                if (clamped.text != text)
                    why(setting.cfgKey, QStringLiteral("%1 is out of range, %2 taken").arg(text, clamped.text));
                s.enable[i] = stateText(true);
                s.text[i] = clamped.text;
                ++out.imported;
            } else {
                s.enable[i] = stateText(false);
                if (const auto c = commented.constFind(QByteArray(setting.cfgKey)); c != commented.cend())
                    s.text[i] = applyFieldRule(*c, setting.limits->lo, setting.limits->hi).text;
                noteRejected(setting.cfgKey);
            }
            break;
        case Kind::Alignment:
            if (const auto v = value(setting.cfgKey)) {
                if (v->number < static_cast<quint32>(kOptionCount)) {
                    s.align[i] = stateText(true);
                    s.alignIndex[i] = QString::number(v->number);
                    ++out.imported;
                } else {
                    why(setting.cfgKey, QStringLiteral("%1 is out of range").arg(v->number));
                }
            } else {
                s.align[i] = stateText(false);
                if (const auto c = commented.constFind(QByteArray(setting.cfgKey));
                    c != commented.cend() && !c->isEmpty() && c->toUInt() < static_cast<quint32>(kOptionCount))
                    s.alignIndex[i] = *c;
                noteRejected(setting.cfgKey);
            }
            break;
        case Kind::StartMode:
            break;
        }
    }

    for (int n = 1; n <= kSlotCount; ++n) {
        const QByteArray key = QStringLiteral("f1ct%1").arg(n, 2, 10, QLatin1Char('0')).toLatin1();
        const auto v = value(key.constData());
        if (!v) {
            noteRejected(key.constData());
            continue;
        }
        const QString path = fromWindows1252(v->text);
        const QString full = gameFolder.isEmpty() ? QString() : resolveIgnoringCase(joinPath(gameFolder, dosToNative(path)));
        if (full.isEmpty() || !QFileInfo(full).isFile()) {
            why(key.constData(), QStringLiteral("the track file %1 is missing").arg(path));
            continue;
        }
        out.slotPaths[static_cast<size_t>(n - 1)] = path;
        ++out.imported;
    }
    for (const QByteArray& k : reading.unknownKeys)
        out.notUsed << QString::fromLatin1(k) + QStringLiteral(" (unknown)");
    return out;
}

} // namespace drovex
