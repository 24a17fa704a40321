#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QFile>
#include <QString>

#include <functional>

namespace drovex {

// Outcome of writing a file: on failure, which file and why, in words for the user.
struct WriteResult {
    bool ok = true;
    QString file;
    QString reason;
    bool direct = false; // written in place, since its folder takes no temporary file
    QString notice;      // on success, what the user must still hear about (a file moved aside, ...)
};

// A failed write of file, and why.
WriteResult writeFailure(const QString& file, const QString& reason);

// The name of a new temporary file beside file, recognisable as one of this program's and as
// this process's: <file>.drovex-save-<process id>-<6 random letters>.
QString temporaryNameFor(const QString& file);
// Removes the temporary files of this program beside file that no running save owns: this
// process's own, those of a process that is gone, and any older than a minute. Another running
// copy's save in progress keeps its file.
void removeLeftovers(const QString& file);
// Removes a lock file that no running program holds: an empty one, or one whose owner is gone.
// Anything but a regular file is left alone.
void removeStaleLock(const QString& lockFile);

// What stands at path when it is not a regular file ("a named pipe", "a folder", "a device",
// "a socket", "a symbolic link", "a special file"); "" for a regular file or nothing. Links are
// not followed.
QString describeFileKind(const QString& path);
// The file a symbolic link at path leads to, followed to its end (also when that file does not
// exist yet); path itself when it is no link, or a loop of links.
QString linkTarget(const QString& path);

// A write beyond the file size limit (ulimit -f) then fails with EFBIG instead of ending the
// process with SIGXFSZ. Called once at start by every program that saves.
void ignoreFileSizeSignal();


// Replaces file with content so that the disk holds either the old or the new content whole:
// the content goes to a temporary file beside it, is written and flushed to the disk through one
// descriptor, read back, then prepare() runs on the temporary file (say, to make it read-only)
// and it is renamed over file. A symbolic link is written through: all of this happens beside the
// file it leads to, and the link stays. Any failure removes the temporary file and leaves file as
// it was. createFailed tells whether the folder refused the temporary file itself.
WriteResult replaceFile(const QString& file, const QByteArray& content,
                        const std::function<bool(const QString&)>& prepare = {}, bool* createFailed = nullptr);

// Writes content to a new file that must not exist yet, whole or not at all: the content goes
// to a temporary file beside it, is flushed and read back, takes the modification time given (if
// valid), and only then gets the file's name, and only when that name is free: nothing is ever
// replaced. exists tells a taken name from other failures.
WriteResult createNewFile(const QString& file, const QByteArray& content, const QDateTime& modified, bool* exists);

// Writes content over an existing regular file in place (through a link), for a folder that takes
// no temporary file. Flushes and reads it back; on failure puts the old content back as far as the
// disk allows.
WriteResult overwriteInPlace(const QString& file, const QByteArray& content);

// The name a copy of file kept beside it gets: "<file>.bak", or a dated name when that is taken
// ("<file>.2026-12-08.bak", "<file>.2026-12-08-2.bak").
QString backUpName(const QString& file);
// Copies file to copy, which must not exist yet: nothing is ever overwritten.
bool backUp(const QString& file, const QString& copy);

// Opens a regular file for reading. Anything else (a named pipe, a device, a folder) is refused
// without waiting: opening a named pipe would wait for a writer for good.
bool openRegularFile(QFile& file, const QString& path);

// A sentence saying why a file at this path cannot be written (folder missing, read-only, ...).
QString describeWriteFailure(const QString& file);
// The same for an error number of the system ("the disk is full").
QString describeError(int error);

} // namespace drovex
