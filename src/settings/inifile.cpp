#include "settings/inifile.h"

#include "common/safefile.h"
#include "settings/catalogue.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QSettings>
#include <QTemporaryDir>

#include <algorithm>
#include <cerrno>
#include <unistd.h>

namespace drovex {
namespace {

// Every key QSettings reads from the INI file at path, with its value.
QHash<QString, QVariant> parseIni(const QString& path)
{
    QHash<QString, QVariant> values;
    QSettings settings(path, QSettings::IniFormat);
    for (const QString& key : settings.allKeys())
        if (!key.isEmpty())
            values.insert(key, settings.value(key));
    return values;
}

// The file's lines, split where QSettings ends a line.
QList<QByteArray> linesOf(const QByteArray& raw)
{
    QByteArray text = raw;
    text.replace('\r', '\n');
    return text.split('\n');
}

// A value that holds line breaks followed by lines the file itself has as key or section lines
// took those lines in: only a quote left open makes QSettings read past a line's end so. (A line
// break the program stored is written as "\n" and never stands as a line of its own.)
QString valueRunsOn(const QList<QByteArray>& lines, const QHash<QString, QVariant>& values)
{
    QSet<QString> fileLines;
    for (const QByteArray& line : lines)
        if (const QString t = QString::fromUtf8(line).trimmed(); !t.isEmpty())
            fileLines.insert(t);
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        QString text = iniText(it.value());
        text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        const QStringList parts = text.split(QLatin1Char('\n'));
        for (qsizetype i = 1; i < parts.size(); ++i) {
            const QString t = parts[i].trimmed();
            if ((t.startsWith(QLatin1Char('[')) || t.contains(QLatin1Char('='))) && fileLines.contains(t))
                return QStringLiteral("the value of \"%1\" takes in the lines after it, as when its closing quote "
                                      "is missing")
                    .arg(shownKey(it.key()));
        }
    }
    return {};
}

// Keys that the file's lines name but that QSettings did not read. Each key line is read once more
// with its value replaced by "0", where no quote or backslash can join it to the next line, so
// that QSettings itself says which key each line stands for.
QString keysLost(const QList<QByteArray>& lines, const QHash<QString, QVariant>& values)
{
    QByteArray named;
    for (const QByteArray& line : lines) {
        const QByteArray t = line.trimmed();
        const qsizetype equals = t.indexOf('=');
        if (t.startsWith('['))
            named += t + '\n';
        else if (equals > 0 && !t.left(equals).contains('"'))
            named += t.left(equals) + "=0\n";
    }
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("keys.ini")));
    if (!dir.isValid() || !file.open(QIODevice::WriteOnly) || file.write(named) != named.size())
        return {}; // nothing to check with: the file counts as read
    file.close();
    QStringList lost;
    for (const QString& key : parseIni(file.fileName()).keys())
        if (!values.contains(key))
            lost << shownKey(key);
    if (lost.isEmpty())
        return {};
    std::sort(lost.begin(), lost.end());
    return QStringLiteral("%1 of its lines do not read as the settings they name (such as \"%2\"), as when a quote "
                          "is left open or a line ends in a backslash")
        .arg(lost.size())
        .arg(lost.first());
}

// Why QSettings could not write the rendered file: past the file size limit, or the folder's fault.
QString renderFailure(const QString& path)
{
    const QString why = describeWriteFailure(path);
    if (why == describeError(EFBIG))
        return why;
    return QStringLiteral("its new content could not be put together in the temporary folder %1: %2")
        .arg(QDir::toNativeSeparators(QFileInfo(path).absolutePath()), why);
}

} // namespace

QString shownKey(const QString& key)
{
    const QString own = QString::fromLatin1(kSection) + QLatin1Char('/');
    return key.startsWith(own) ? key.mid(own.size()) : key;
}

QString iniText(const QVariant& value)
{
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1Char(','));
    if (value.typeId() == QMetaType::QVariantList) { // a list with a NUL or an "@" in an item
        QStringList items;
        for (const QVariant& item : value.toList())
            items << item.toString();
        return items.join(QLatin1Char(','));
    }
    return value.toString();
}

std::optional<IniContent> readIniFile(const QString& file, bool underLock)
{
    // A pipe, folder or device (or a link to one) is refused when it is opened below.
    const QString alias = temporaryNameFor(file);
    const bool linked =
        underLock && ::link(QFile::encodeName(file).constData(), QFile::encodeName(alias).constData()) == 0;
    const QString source = linked ? alias : file;
    QFile bytes;
    std::optional<IniContent> content;
    if (openRegularFile(bytes, source)) {
        const QByteArray raw = bytes.readAll();
        content = IniContent{parseIni(source), {}, raw.trimmed().isEmpty()};
        const QList<QByteArray> lines = linesOf(raw);
        content->broken = valueRunsOn(lines, content->values);
        if (content->broken.isEmpty())
            content->broken = keysLost(lines, content->values);
    }
    if (linked)
        QFile::remove(alias);
    return content;
}

RenderedIni renderIni(QHash<QString, QVariant> values, const QHash<QString, QVariant>& before)
{
    RenderedIni r;
    QTemporaryDir dir;
    if (!dir.isValid()) {
        r.failure = QStringLiteral("no temporary folder could be made in %1")
                        .arg(QDir::toNativeSeparators(QDir::tempPath()));
        return r;
    }
    QHash<QString, int> tries;
    for (int round = 0; round < 5; ++round) {
        const QString path = dir.filePath(QStringLiteral("render%1.ini").arg(round));
        {
            QSettings out(path, QSettings::IniFormat);
            for (auto it = values.cbegin(); it != values.cend(); ++it)
                out.setValue(it.key(), it.value());
            out.sync();
            if (out.status() != QSettings::NoError) {
                r.failure = renderFailure(path);
                return r;
            }
        }
        // Read back under a name QSettings has not seen, so that nothing it remembers of what it
        // meant to write can answer.
        const QString check = dir.filePath(QStringLiteral("check%1.ini").arg(round));
        QFile rendered(check);
        if (!QFile::rename(path, check) || !rendered.open(QIODevice::ReadOnly)) {
            r.failure = renderFailure(path);
            return r;
        }
        r.bytes = rendered.readAll();
        const QHash<QString, QVariant> back = parseIni(check);
        // QSettings reports no error when a write is cut short (past the file size limit, say): a
        // file that misses a key, or ends in the middle of a line, did not come out whole.
        bool whole = r.bytes.isEmpty() || r.bytes.endsWith('\n');
        QStringList bad;
        for (auto it = values.cbegin(); it != values.cend(); ++it) {
            if (!back.contains(it.key()))
                whole = false;
            else if (iniText(back.value(it.key())) != iniText(it.value()))
                bad << it.key();
        }
        if (!whole) {
            r.bytes.clear();
            r.failure = renderFailure(check);
            return r;
        }
        if (bad.isEmpty()) {
            r.values = values;
            std::sort(r.dropped.begin(), r.dropped.end());
            return r;
        }
        for (const QString& key : bad) {
            const QVariant value = values.value(key);
            const int step = tries[key]++;
            if (step == 0 && value.typeId() != QMetaType::QString) {
                values.insert(key, iniText(value)); // the same text, stored as plain text
                continue;
            }
            if (!r.dropped.contains(key))
                r.dropped << key;
            if (before.contains(key) && iniText(before.value(key)) != iniText(value))
                values.insert(key, before.value(key));
            else
                values.remove(key);
        }
    }
    r.bytes.clear();
    r.failure = QStringLiteral("its values do not read back as they were written");
    return r;
}

} // namespace drovex
