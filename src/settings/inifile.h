#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <optional>

namespace drovex {

// An INI file as QSettings reads it: "group/key" -> value, and whether a hand edit broke it.
struct IniContent {
    QHash<QString, QVariant> values;
    QString broken; // why the file does not read as its lines say (a quote left open, ...), or ""
    bool blank = false; // nothing but blanks and line ends
};

// What file holds on disk now; none when it cannot be opened. QSettings keeps what it read of a
// file in memory and trusts it while the file's size and time look unchanged, so a caller holding
// the store's lock (underLock) has the file read under a name QSettings has never seen: a hard
// link (which takes no room on the disk) named as this process's temporary file, or the file
// itself where the file system has no links. Other copies clear such names only while they hold
// the lock, so the link lasts while it is read.
std::optional<IniContent> readIniFile(const QString& file, bool underLock);

// A key as the user knows it: the program's own keys without their section.
QString shownKey(const QString& key);

// A value as the text the program keeps: a hand-edited value with commas reads back as a list.
QString iniText(const QVariant& value);

// The INI file QSettings writes for values, rendered in a private temporary folder and read back
// from there. A value that does not read back as the same text is stored in its plain text form
// or, failing that, as it was before (from `before`), or left out; such keys are named in dropped.
struct RenderedIni {
    QByteArray bytes;
    QHash<QString, QVariant> values; // what the bytes hold
    QStringList dropped; // "group/key" of values not stored as given
    QString failure;     // why no file could be rendered, or ""
};
RenderedIni renderIni(QHash<QString, QVariant> values, const QHash<QString, QVariant>& before);

} // namespace drovex
