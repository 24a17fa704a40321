#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

namespace drovex {

// Texts of the File-Info and Folder-Info windows.

// "5859328 Bytes  (5.59 MB)" with the locale's decimal separator.
QString sizeInMegabytes(qint64 bytes, const QLocale& locale = QLocale());
// "123456 Bytes  (120.6 KB)".
QString sizeInKilobytes(qint64 bytes, const QLocale& locale = QLocale());
// Date and time in the locale's short format; the date alone at exactly midnight.
QString dateText(const QDateTime& when, const QLocale& locale = QLocale());
// "Monaco  (MONACO.DAT)": the track's name and its file name.
QString trackNameText(const QString& name, const QString& trackPath);
// "...\CIRCUITS": the track's folder relative to the game folder, DOS-style.
QString trackFolderText(const QString& gameFolder, const QString& trackPath);
// The folder of a stored program path without its trailing separator; "" when it has none.
QString folderWithoutFile(const QString& path);

// Size, date and kind of a file on disk; "-" where the file is missing. Never creates a file.
struct FileFacts {
    QString sizeMb;
    QString sizeKb;
    QString date;
};
FileFacts factsOf(const QString& path, const QLocale& locale = QLocale());

} // namespace drovex
