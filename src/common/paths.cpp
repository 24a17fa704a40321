#include "common/paths.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QHash>
#include <QFileInfo>
#include <QStringList>

namespace drovex {

QString joinPath(const QString& folder, const QString& relative)
{
    if (folder.isEmpty())
        return relative;
    if (relative.isEmpty())
        return folder;
    const QChar sep = QDir::separator();
    if (folder.endsWith(sep) || folder.endsWith(QLatin1Char('/')))
        return folder + relative;
    return folder + sep + relative;
}

QString dosToNative(const QString& dosPath)
{
    QString p = dosPath;
    if (QDir::separator() != QLatin1Char('\\'))
        p.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return p;
}

QString nativeToDos(const QString& path)
{
    QString p = QDir::toNativeSeparators(path);
    p.replace(QLatin1Char('/'), QLatin1Char('\\'));
    return p;
}

namespace {

// The names in a folder by their case-folded spelling, remembered while the folder's
// modification time stays the same (adding, removing or renaming an entry changes it), so that
// resolving sixteen track slots in a folder of thousands of files lists that folder once and
// looks each name up at once.
const QHash<QString, QStringList>& folderEntries(const QString& folder)
{
    struct Listing {
        QDateTime modified;
        QHash<QString, QStringList> byFolded;
    };
    static QHash<QString, Listing> cache;
    const QDateTime modified = QFileInfo(folder).lastModified();
    auto it = cache.find(folder);
    if (it != cache.end() && it->modified == modified && modified.isValid())
        return it->byFolded;
    if (cache.size() > 256)
        cache.clear();
    Listing listing{modified, {}};
    QDirIterator entries(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    while (entries.hasNext()) {
        entries.next();
        const QString name = entries.fileName();
        listing.byFolded[name.toCaseFolded()] << name;
    }
    return cache.insert(folder, listing)->byFolded;
}

// Walks the components below base, trying the exact spelling first and then every spelling that
// differs only in letter case, so that two folders like "circuits" and "CIRCUITS" both get looked in.
QString resolveBelow(const QString& base, const QStringList& parts, qsizetype at)
{
    if (at == parts.size())
        return base;
    const QString& part = parts[at];
    auto below = [&](const QString& name) {
        return base.endsWith(QLatin1Char('/')) ? base + name : base + QLatin1Char('/') + name;
    };
    QStringList candidates;
    if (QFileInfo::exists(below(part)))
        candidates << part;
    for (const QString& e : folderEntries(base).value(part.toCaseFolded()))
        if (e != part)
            candidates << e;
    for (const QString& c : candidates) {
        const QString found = resolveBelow(below(c), parts, at + 1);
        if (!found.isEmpty())
            return found;
    }
    return {};
}

} // namespace

QString resolveIgnoringCase(const QString& path)
{
    if (path.isEmpty())
        return {};
    const QString clean = QDir::cleanPath(QDir::fromNativeSeparators(path));
    if (QFileInfo::exists(clean))
        return clean;
    const bool absolute = clean.startsWith(QLatin1Char('/'));
    const QStringList parts = clean.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    const QString found = resolveBelow(absolute ? QStringLiteral("/") : QStringLiteral("."), parts, 0);
    if (found.isEmpty() || absolute)
        return found;
    return found.mid(2); // drop the "./" of a relative path
}

} // namespace drovex
