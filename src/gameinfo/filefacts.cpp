#include "gameinfo/filefacts.h"

#include "common/paths.h"

#include <QDir>
#include <QFileInfo>

namespace drovex {

namespace {
// The user's decimal separator, no grouping of thousands.
QString decimal(double value, int decimals, QLocale locale)
{
    locale.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);
    return locale.toString(value, 'f', decimals);
}
} // namespace

QString sizeInMegabytes(qint64 bytes, const QLocale& locale)
{
    return QStringLiteral("%1 Bytes  (%2 MB)").arg(bytes).arg(decimal(static_cast<double>(bytes) / 1024.0 / 1024.0, 2, locale));
}

QString sizeInKilobytes(qint64 bytes, const QLocale& locale)
{
    return QStringLiteral("%1 Bytes  (%2 KB)").arg(bytes).arg(decimal(static_cast<double>(bytes) / 1024.0, 1, locale));
}

QString dateText(const QDateTime& when, const QLocale& locale)
{
    if (!when.isValid())
        return QStringLiteral("-");
    if (when.time() == QTime(0, 0))
        return locale.toString(when.date(), QLocale::ShortFormat);
    return locale.toString(when, QLocale::ShortFormat);
}

QString trackNameText(const QString& name, const QString& trackPath)
{
    const QString path = QDir::fromNativeSeparators(trackPath).replace(QLatin1Char('\\'), QLatin1Char('/'));
    return name + QStringLiteral("  (") + path.mid(path.lastIndexOf(QLatin1Char('/')) + 1) + QLatin1Char(')');
}

QString trackFolderText(const QString& gameFolder, const QString& trackPath)
{
    if (gameFolder.isEmpty() || trackPath.isEmpty())
        return QStringLiteral("...\\");
    const QString relative = QDir(gameFolder).relativeFilePath(QFileInfo(trackPath).absolutePath());
    if (relative == QLatin1String(".") || relative.startsWith(QLatin1String("..")))
        return QStringLiteral("...\\");
    return QStringLiteral("...\\") + nativeToDos(relative);
}

QString folderWithoutFile(const QString& path)
{
    const qsizetype k = std::max(path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char('/')));
    if (k == 0 && path.startsWith(QLatin1Char('/')))
        return QStringLiteral("/"); // a program at the root of the file system
    return k <= 0 ? QString() : path.left(k);
}

FileFacts factsOf(const QString& path, const QLocale& locale)
{
    const QFileInfo fi(path);
    if (path.isEmpty() || !fi.isFile())
        return {QStringLiteral("-"), QStringLiteral("-"), QStringLiteral("-")};
    return {sizeInMegabytes(fi.size(), locale), sizeInKilobytes(fi.size(), locale), dateText(fi.lastModified(), locale)};
}

} // namespace drovex
