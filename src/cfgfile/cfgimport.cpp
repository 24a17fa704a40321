#include "cfgfile/cfgimport.h"

#include "cfgfile/cfgreader.h"
#include "common/codepage.h"
#include "common/indexing.h"
#include "common/paths.h"
#include "common/safefile.h"
#include "settings/fieldrules.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace drovex {
namespace {

QString latin(const char* s) { return QString::fromLatin1(s); }
QString stateText(bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); }

// Calls f with every line of text (without its newline) and its number.
template <typename F> void forEachLine(const QByteArray& text, F f)
{
    int number = 0;
    for (qsizetype at = 0; at < text.size();) {
        qsizetype end = text.indexOf('\n', at);
        if (end < 0)
            end = text.size();
        f(QByteArrayView(text).sliced(at, end - at), ++number);
        at = end + 1;
    }
}

// The values of the lines this program writes commented out (";" directly followed by a known
// numeric key): a number as Drovex would read it, or "" where the line holds none. The first line
// wins.
QHash<QByteArray, QString> commentedValues(const QByteArray& text)
{
    QHash<QByteArray, QString> values;
    forEachLine(text, [&](QByteArrayView line, int) {
        if (line.size() < 2 || line[0] != ';' || line[1] == ' ' || line[1] == '\t')
            return;
        qsizetype at = 1;
        while (at < line.size() && line[at] != ' ' && line[at] != '\t' && line[at] != '=')
            ++at;
        const int id = findReadKey(line.sliced(1, at - 1));
        if (id < 0 || drovex::at(readKeys(), id).kind == CfgKind::Text)
            return;
        const QByteArray key(drovex::at(readKeys(), id).name);
        if (values.contains(key))
            return;
        while (at < line.size() && (line[at] == ' ' || line[at] == '\t' || line[at] == '='))
            ++at;
        qsizetype end = at;
        while (end < line.size() && line[end] != ' ' && line[end] != '\t' && line[end] != ';')
            ++end;
        const QByteArray raw = line.sliced(at, end - at).toByteArray();
        const auto number = readDrovexCfg(key + " = " + raw).value(key);
        values.insert(key, raw.isEmpty() || !number ? QString() : QString::number(number->number));
    });
    return values;
}

// The lines that name keys the window has no control for, verbatim and in order, as many as may
// be kept; those that cannot be kept are named. A line longer than Drovex's pieces counts when
// any of its pieces names such a key.
void keepLines(const QByteArray& text, ImportedConfig& out)
{
    constexpr int piece = kCfgPieceMax;
    int dropped = 0;
    forEachLine(text, [&](QByteArrayView raw, int number) {
        bool foreign = false;
        for (qsizetype at = 0; at < raw.size() && !foreign; at += piece)
            foreign = namesKeyWithoutControl(raw.sliced(at, std::min<qsizetype>(piece, raw.size() - at)));
        if (!foreign)
            return;
        if (out.keptLines.size() >= kKeptLinesMax && raw.size() <= kCfgLineMax) {
            ++dropped;
            return;
        }
        const QString line = fromWindows1252(raw.toByteArray());
        if (const QString problem = keptLineProblem(line); !problem.isEmpty())
            out.notKept << QStringLiteral("line %1, %2 (%3)").arg(number).arg(fromWindows1252(lineKey(raw)), problem);
        else if (out.keptLines.size() < kKeptLinesMax)
            out.keptLines << line;
        else
            ++dropped;
    });
    if (dropped > 0)
        out.notKept << QStringLiteral("%1 more lines (at most %2 are kept)").arg(dropped).arg(kKeptLinesMax);
}

// Items of a list for the status bar: the first ten, and how many more.
QString listed(const QStringList& items)
{
    constexpr int shown = 10;
    QString text = items.mid(0, shown).join(QStringLiteral(", "));
    if (items.size() > shown)
        text += QStringLiteral(" and %1 more").arg(items.size() - shown);
    return text;
}

} // namespace

ConfigFileRead readConfigFile(const QString& path)
{
    QFile f(path);
    if (!openRegularFile(f, path))
        return {std::nullopt, QStringLiteral("it is not a readable file")};
    // Read a piece at a time up to the limit: files such as /proc/self/pagemap report a size of 0
    // and have no end worth waiting for.
    QByteArray bytes;
    while (bytes.size() <= kConfigFileMax) {
        const QByteArray chunk = f.read(64 * 1024);
        if (chunk.isEmpty())
            break;
        bytes += chunk;
    }
    if (bytes.size() > kConfigFileMax) {
        const qint64 size = f.size();
        return {std::nullopt, size > kConfigFileMax
                                  ? QStringLiteral("it is too large for a Drovex.cfg (%1 bytes; at most %2 are read)").arg(size).arg(kConfigFileMax)
                                  : QStringLiteral("it is too large for a Drovex.cfg (more than %1 bytes)").arg(kConfigFileMax)};
    }
    if (f.error() != QFileDevice::NoError)
        return {std::nullopt, QStringLiteral("it could not be read (%1)").arg(f.errorString())};
    return {bytes, QString()};
}

bool isForeignConfig(const QByteArray& file)
{
    QList<QByteArray> lines = file.left(64 * 1024).split('\n');
    if (lines.size() < 9)
        return true;
    QByteArray line = lines[8];
    line.replace('\r', "");
    return !(line.startsWith(';') && line.mid(1).trimmed().startsWith(kCreatedBy));
}

ImportedConfig importDrovexCfg(const QByteArray& file, const SettingsSnapshot& current, const QString& gameFolder)
{
    const QByteArray text = drovexText(file);
    const CfgReading reading = readDrovexCfg(text);
    ImportedConfig out;
    out.settings = current;
    if (!reading.givenUp.isEmpty()) {
        out.refused = reading.givenUp;
        return out;
    }
    const QHash<QByteArray, QString> commented = commentedValues(text);
    SettingsSnapshot& s = out.settings;
    auto entry = [&](const char* key) -> const CfgEntry& { return reading.entry(key); };
    auto commentedValue = [&](const char* key) {
        const int id = findReadKey(key);
        return commented.constFind(QByteArray(at(readKeys(), id).name));
    };
    auto noteRejected = [&](const char* key) {
        const CfgEntry& e = entry(key);
        if (e.status == CfgStatus::Rejected)
            out.notUsed << QStringLiteral("%1 (line %2: %3)").arg(latin(key)).arg(e.line).arg(e.why);
    };
    // An on/off value: not set, the Default column's state, which is what Drovex uses. The
    // window's switch is on for any number but 0, and writes 1.
    auto onOff = [&](const char* key, bool defaultOn) {
        const CfgEntry& e = entry(key);
        if (e.status != CfgStatus::Set) {
            noteRejected(key);
            return stateText(defaultOn);
        }
        ++out.imported;
        if (e.number != 0 && e.number != 1)
            out.clamped << QStringLiteral("%1 (%2 taken as 1)").arg(latin(key)).arg(e.number);
        return stateText(e.number != 0);
    };

    for (const Setting& setting : kSettings) {
        const auto i = static_cast<size_t>(setting.index);
        if (!setting.cfgKey)
            continue; // the front-end's own switches and the start mode
        switch (setting.kind) {
        case SettingKind::Plain:
            s.check[i] = onOff(setting.cfgKey, setting.defaultOn);
            break;
        case SettingKind::Valued: {
            if (!setting.hasBar()) { // a free text with its own switch value
                s.enable[i] = onOff(setting.cfgKey, setting.defaultOn);
                const CfgEntry& t = entry(setting.cfgTextKey);
                if (t.status == CfgStatus::Set) {
                    s.text[i] = fromWindows1252(t.text);
                    ++out.imported;
                } else {
                    s.text[i].clear(); // written as "", which Drovex reads as not set
                    noteRejected(setting.cfgTextKey);
                }
                break;
            }
            const CfgEntry& e = entry(setting.cfgKey);
            if (e.status == CfgStatus::Set) {
                const QString read = QString::number(e.number);
                const QString taken = applyFieldRule(read, setting.limits->lo, setting.limits->hi).text;
                if (taken != read)
                    out.clamped << QStringLiteral("%1 (%2 clamped to %3)").arg(latin(setting.cfgKey), read, taken);
                s.enable[i] = stateText(true);
                s.text[i] = taken;
                ++out.imported;
            } else {
                s.enable[i] = stateText(false);
                if (const auto c = commentedValue(setting.cfgKey); c != commented.cend())
                    s.text[i] = applyFieldRule(*c, setting.limits->lo, setting.limits->hi).text;
                noteRejected(setting.cfgKey);
            }
            break;
        }
        case SettingKind::Alignment: {
            const CfgEntry& e = entry(setting.cfgKey);
            if (e.status == CfgStatus::Set && e.number >= 0 && e.number < kOptionCount) {
                s.align[i] = stateText(true);
                s.alignIndex[i] = QString::number(e.number);
                ++out.imported;
            } else if (e.status == CfgStatus::Set) {
                out.notUsed << QStringLiteral("%1 (%2 is out of range)").arg(latin(setting.cfgKey)).arg(e.number);
            } else {
                s.align[i] = stateText(false);
                if (const auto c = commentedValue(setting.cfgKey);
                    c != commented.cend() && !c->isEmpty() && c->toUInt() < static_cast<quint32>(kOptionCount))
                    s.alignIndex[i] = *c;
                noteRejected(setting.cfgKey);
            }
            break;
        }
        case SettingKind::StartMode:
            break;
        }
    }
    // "Log CC" takes "Log GLX" with it in the window.
    if (isOn(at(s.check, kLogCc)) && !isOn(at(s.check, kLogGlx))) {
        at(s.check, kLogGlx) = stateText(true);
        out.clamped << QStringLiteral("logGLX (taken as 1, as logCC is on)");
    }

    for (int n = 1; n <= kSlotCount; ++n) {
        const QByteArray key = QStringLiteral("f1ct%1").arg(n, 2, 10, QLatin1Char('0')).toLatin1();
        auto& slot = at(out.slotPaths, n - 1);
        const CfgEntry& e = entry(key.constData());
        if (e.status != CfgStatus::Set) {
            noteRejected(key.constData());
            slot = QString(); // Drovex loads the game's own track
            continue;
        }
        const QString path = fromWindows1252(e.text);
        const QString full = gameFolder.isEmpty() ? QString() : resolveIgnoringCase(joinPath(gameFolder, dosToNative(path)));
        if (full.isEmpty() || !QFileInfo(full).isFile()) {
            out.notUsed << QStringLiteral("%1 (the track file %2 is missing)").arg(QString::fromLatin1(key), path);
            continue;
        }
        slot = path;
        ++out.imported;
    }
    keepLines(text, out);
    return out;
}

QString importMessage(const ImportedConfig& imported, const QString& file)
{
    if (!imported.refused.isEmpty())
        return QStringLiteral("%1 could not be imported: %2.").arg(QDir::toNativeSeparators(file), imported.refused);
    QString text = QStringLiteral("Imported %1 settings from %2").arg(imported.imported).arg(QDir::toNativeSeparators(file));
    if (!imported.clamped.isEmpty())
        text += QStringLiteral("; clamped: ") + listed(imported.clamped);
    if (!imported.notUsed.isEmpty())
        text += QStringLiteral("; not used: ") + listed(imported.notUsed);
    if (!imported.keptLines.isEmpty()) {
        QStringList keys;
        for (const QString& l : imported.keptLines)
            keys << fromWindows1252(lineKey(toWindows1252(l)));
        text += QStringLiteral("; kept %1 %2 the window has no control for: %3")
                    .arg(keys.size())
                    .arg(keys.size() == 1 ? QStringLiteral("line") : QStringLiteral("lines"), listed(keys));
    }
    if (!imported.notKept.isEmpty())
        text += QStringLiteral("; not kept: ") + listed(imported.notKept);
    return text;
}

} // namespace drovex
