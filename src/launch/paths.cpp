#include "launch/paths.h"

#include <QDir>
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

QString resolveIgnoringCase(const QString& path)
{
    if (path.isEmpty())
        return {};
    const QString clean = QDir::cleanPath(QDir::fromNativeSeparators(path));
    if (QFileInfo::exists(clean))
        return clean;
    const bool absolute = clean.startsWith(QLatin1Char('/'));
    const QStringList parts = clean.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString current = absolute ? QStringLiteral("/") : QStringLiteral(".");
    QString result = absolute ? QStringLiteral("/") : QString();
    for (const QString& part : parts) {
        QString found;
        const QString direct = current == QLatin1String("/") ? current + part : current + QLatin1Char('/') + part;
        if (QFileInfo::exists(direct)) {
            found = part;
        } else {
            const QDir dir(current);
            const QStringList entries =
                dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
            for (const QString& e : entries) {
                if (e.compare(part, Qt::CaseInsensitive) == 0) {
                    found = e;
                    break;
                }
            }
        }
        if (found.isEmpty())
            return {};
        current = current == QLatin1String("/") ? current + found : current + QLatin1Char('/') + found;
        if (result.isEmpty() || result == QLatin1String("/"))
            result += found;
        else
            result += QLatin1Char('/') + found;
    }
    return result.isEmpty() ? QString() : result;
}

QString describeWriteFailure(const QString& file)
{
    const QFileInfo fi(file);
    const QString folder = fi.absolutePath();
    const QFileInfo di(folder);
    if (!di.exists())
        return QStringLiteral("the folder %1 does not exist").arg(QDir::toNativeSeparators(folder));
    if (!di.isDir())
        return QStringLiteral("%1 is not a folder").arg(QDir::toNativeSeparators(folder));
    if (fi.exists() && fi.isDir())
        return QStringLiteral("a folder of that name is in the way");
    if (fi.exists() && !fi.isWritable())
        return QStringLiteral("the file is read-only");
    if (!di.isWritable())
        return QStringLiteral("the folder %1 is not writable").arg(QDir::toNativeSeparators(folder));
    return QStringLiteral("the file system refused the write (disk full or access denied)");
}

QString folderOf(const QString& file)
{
    const QFileInfo fi(file);
    return QDir::toNativeSeparators(fi.absolutePath());
}

} // namespace drovex
