#pragma once

#include <QByteArray>
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
};

// A failed write of file, and why.
WriteResult writeFailure(const QString& file, const QString& reason);

// The name of a new temporary file beside file, recognisable as one of this program's.
QString temporaryNameFor(const QString& file);
// Removes the temporary files that an interrupted save of this program left beside file.
void removeLeftovers(const QString& file);
// Removes a lock file that no running program holds: an empty one, or one whose owner is gone.
void removeStaleLock(const QString& lockFile);

// Forces a written file, or a folder's entries, onto the disk; on failure why, else "".
QString syncToDisk(const QString& path);

// Replaces file with content so that the disk holds either the old or the new content whole:
// the content goes to a temporary file beside it, is flushed to the disk and read back, then
// prepare() runs on the temporary file (say, to make it read-only) and it is renamed over file.
// Any failure removes the temporary file and leaves file as it was. createFailed tells whether
// the folder refused the temporary file itself.
WriteResult replaceFile(const QString& file, const QByteArray& content,
                        const std::function<bool(const QString&)>& prepare = {}, bool* createFailed = nullptr);

// Writes content over an existing regular file in place, for a folder that takes no temporary
// file. Flushes and reads it back; on failure puts the old content back as far as the disk allows.
WriteResult overwriteInPlace(const QString& file, const QByteArray& content);

// Opens a regular file for reading. Anything else (a named pipe, a device, a folder) is refused
// without waiting: opening a named pipe would wait for a writer for good.
bool openRegularFile(QFile& file, const QString& path);

// A sentence saying why a file at this path cannot be written (folder missing, read-only, ...).
QString describeWriteFailure(const QString& file);
// The same for an error number of the system ("the disk is full").
QString describeError(int error);

} // namespace drovex
