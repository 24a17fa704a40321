#include "common/safefile.h"

#include <QDateTime>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRandomGenerator>
#include <QStorageInfo>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace drovex {
namespace {

const QLatin1String kTempMark(".drovex-save-");

QByteArray encoded(const QString& path) { return QFile::encodeName(path); }

// Writes all of data to fd, however the system splits it; errno on failure.
bool writeAll(int fd, const QByteArray& data)
{
    qsizetype done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.constData() + done, static_cast<size_t>(data.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = EIO;
            return false;
        }
        done += n;
    }
    return true;
}

// Whether the save that made a temporary file (its name after the mark: "<pid>-XXXXXX...") may
// still be running. A name without a process id comes from an older version: only its age tells.
bool ownerMayBeRunning(const QString& tail)
{
    const qsizetype dash = tail.indexOf(QLatin1Char('-'));
    bool isNumber = false;
    const qint64 pid = dash > 0 ? tail.left(dash).toLongLong(&isNumber) : 0;
    if (!isNumber || pid <= 0 || pid > std::numeric_limits<pid_t>::max())
        return true;
    if (pid == ::getpid())
        return false; // this process saves one file at a time: an own leftover is no save in progress
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

QByteArray readBack(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

} // namespace

WriteResult writeFailure(const QString& file, const QString& reason)
{
    WriteResult r;
    r.ok = false;
    r.file = file;
    r.reason = reason;
    return r;
}

QString describeError(int error)
{
    switch (error) {
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("the disk is full");
    case EFBIG:
        return QStringLiteral("the file would grow past the system's limit on file sizes (file too large)");
    case EROFS:
        return QStringLiteral("the file system is read-only");
    case EACCES:
    case EPERM:
        return QStringLiteral("access was denied");
    case EIO:
        return QStringLiteral("the disk reported an input/output error");
    case ENOENT:
        return QStringLiteral("the folder does not exist");
    case ENOTDIR:
        return QStringLiteral("a part of the path is not a folder");
    case EISDIR:
        return QStringLiteral("a folder of that name is in the way");
    case ELOOP:
        return QStringLiteral("its symbolic links lead round in a circle");
    default:
        return QString::fromLocal8Bit(std::strerror(error));
    }
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
    if (fi.exists() && !fi.isFile())
        return QStringLiteral("it is not a regular file");
    if (fi.exists() && !fi.isReadable())
        return QStringLiteral("the file cannot be read");
    if (fi.exists() && !fi.isWritable())
        return QStringLiteral("the file is read-only");
    if (!di.isWritable())
        return QStringLiteral("the folder %1 is not writable").arg(QDir::toNativeSeparators(folder));
    const QStorageInfo volume(folder);
    if (volume.isValid() && volume.bytesAvailable() < 64 * 1024)
        return QStringLiteral("the disk is full");
    // A limit on file sizes (ulimit -f) this low refuses the program's files too.
    rlimit limit{};
    if (::getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY && limit.rlim_cur < 1024 * 1024)
        return describeError(EFBIG);
    return QStringLiteral("the file system refused the write");
}

QString temporaryNameFor(const QString& file)
{
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QString suffix = QString::number(::getpid()) + QLatin1Char('-');
    for (int i = 0; i < 6; ++i)
        suffix += QLatin1Char(letters[QRandomGenerator::global()->bounded(62)]);
    return file + kTempMark + suffix;
}

void removeLeftovers(const QString& file)
{
    const QFileInfo fi(file);
    QDir folder(fi.absolutePath());
    const QString prefix = fi.fileName() + kTempMark;
    // A save takes milliseconds; a file a minute old belongs to no save in progress, whatever
    // process id it names (another machine's, on a shared folder, or a reused one).
    const QDateTime minuteAgo = QDateTime::currentDateTimeUtc().addSecs(-60);
    const auto entries = folder.entryInfoList({prefix + QLatin1Char('*')}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo& entry : entries) {
        const QString name = entry.fileName();
        if (!name.startsWith(prefix)) // the filter ignores letter case; our names do not
            continue;
        if (entry.lastModified() < minuteAgo || !ownerMayBeRunning(name.mid(prefix.size())))
            QFile::remove(folder.filePath(name));
    }
}

void removeStaleLock(const QString& lockFile)
{
    const QFileInfo fi(lockFile);
    if (!fi.exists() || !describeFileKind(lockFile).isEmpty())
        return;
    if (fi.size() == 0) { // a program was stopped before it could write its name
        QFile::remove(lockFile);
        return;
    }
    QLockFile probe(lockFile);
    probe.setStaleLockTime(0);
    if (probe.tryLock(0)) { // stale: its owner is gone, so the lock was taken over
        probe.unlock();
        return;
    }
    qint64 pid = 0;
    QString host;
    QString application;
    if (!probe.getLockInfo(&pid, &host, &application))
        QFile::remove(lockFile); // not a lock any program could have written
}

QString describeFileKind(const QString& path)
{
    struct stat st {};
    if (path.isEmpty() || ::lstat(encoded(path).constData(), &st) != 0 || S_ISREG(st.st_mode))
        return {};
    if (S_ISFIFO(st.st_mode))
        return QStringLiteral("a named pipe");
    if (S_ISDIR(st.st_mode))
        return QStringLiteral("a folder");
    if (S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode))
        return QStringLiteral("a device");
    if (S_ISSOCK(st.st_mode))
        return QStringLiteral("a socket");
    if (S_ISLNK(st.st_mode))
        return QStringLiteral("a symbolic link");
    return QStringLiteral("a special file");
}

QString linkTarget(const QString& path)
{
    const QFileInfo fi(path);
    if (!fi.isSymLink())
        return path;
    const QString real = fi.canonicalFilePath();
    if (!real.isEmpty())
        return real;
    // A link to a file that does not exist yet: follow it by hand, then make its folder real.
    QString current = path;
    for (int hops = 0; hops < 40 && QFileInfo(current).isSymLink(); ++hops)
        current = QFileInfo(current).symLinkTarget();
    const QFileInfo end(current);
    if (current.isEmpty() || end.isSymLink())
        return path;
    const QString folder = QFileInfo(end.absolutePath()).canonicalFilePath();
    return folder.isEmpty() ? current : folder + QLatin1Char('/') + end.fileName();
}

void ignoreFileSizeSignal() { std::signal(SIGXFSZ, SIG_IGN); }

QString backUpName(const QString& file)
{
    QString target = file + QStringLiteral(".bak");
    const QString dated = file + QLatin1Char('.') + QDate::currentDate().toString(Qt::ISODate);
    for (int n = 1; QFileInfo::exists(target) || QFileInfo(target).isSymLink(); ++n)
        target = dated + (n == 1 ? QString() : QLatin1Char('-') + QString::number(n)) + QStringLiteral(".bak");
    return target;
}

bool backUp(const QString& file, const QString& copy)
{
    return QFile::copy(file, copy); // never replaces an existing file
}

bool openRegularFile(QFile& file, const QString& path)
{
    struct stat st {};
    if (path.isEmpty() || ::stat(encoded(path).constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    // Checked again on what was opened, in case the name was replaced meanwhile. Without
    // O_NONBLOCK the open itself would wait for a pipe's writer; for a regular file the flag
    // changes nothing.
    const int fd = ::open(encoded(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || !file.open(fd, QIODevice::ReadOnly, QFile::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
}

namespace {

// Forces a written file, or a folder's entries, onto the disk; on failure why, else "".
QString syncToDisk(const QString& path)
{
    const int fd = ::open(encoded(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return describeError(errno);
    const int rc = ::fsync(fd);
    const int error = errno;
    ::close(fd);
    // Some file systems cannot sync a folder; that is no failure of the write itself.
    if (rc != 0 && !(error == EINVAL && QFileInfo(path).isDir()))
        return describeError(error);
    return {};
}

} // namespace

namespace {

// Writes content to a new temporary file beside target, flushed to the disk through one
// descriptor and read back; then prepare() runs on it. On failure the temporary file is gone and
// the result says why; createFailed tells whether the folder refused the file itself.
WriteResult writeTemporary(const QString& file, const QString& target, const QByteArray& content,
                           const std::function<bool(const QString&)>& prepare, QString* temp, bool* createFailed)
{
    removeLeftovers(target);
    *temp = temporaryNameFor(target);
    const int fd = ::open(encoded(*temp).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) {
        if (createFailed)
            *createFailed = true;
        const int error = errno;
        return writeFailure(file, error == EACCES || error == EPERM ? describeWriteFailure(target) : describeError(error));
    }
    auto abandon = [&](const QString& reason) {
        QFile::remove(*temp);
        return writeFailure(file, reason);
    };
    if (!writeAll(fd, content) || ::fsync(fd) != 0) {
        const int error = errno;
        ::close(fd);
        return abandon(describeError(error));
    }
    if (::close(fd) != 0)
        return abandon(describeError(errno));
    if (readBack(*temp) != content)
        return abandon(QStringLiteral("what reached the disk differs from what was written"));
    if (prepare && !prepare(*temp))
        return abandon(QStringLiteral("its attributes could not be set"));
    WriteResult r;
    r.file = file;
    return r;
}

} // namespace

WriteResult replaceFile(const QString& file, const QByteArray& content, const std::function<bool(const QString&)>& prepare,
                        bool* createFailed)
{
    if (createFailed)
        *createFailed = false;
    const QString target = linkTarget(file);
    if (QFileInfo(target).isSymLink()) // a loop of links: no file to write through to
        return writeFailure(file, describeError(ELOOP));
    QString temp;
    const WriteResult written = writeTemporary(file, target, content, prepare, &temp, createFailed);
    if (!written.ok)
        return written;
    if (::rename(encoded(temp).constData(), encoded(target).constData()) != 0) {
        const int error = errno;
        QFile::remove(temp);
        return writeFailure(file, describeError(error));
    }
    (void)syncToDisk(QFileInfo(target).absolutePath());
    return written;
}

WriteResult createNewFile(const QString& file, const QByteArray& content, const QDateTime& modified, bool* exists)
{
    *exists = false;
    const auto setTime = [&](const QString& temp) {
        QFile f(temp);
        return !modified.isValid() || (f.open(QIODevice::ReadWrite) && f.setFileTime(modified, QFileDevice::FileModificationTime));
    };
    QString temp;
    const WriteResult written = writeTemporary(file, file, content, setTime, &temp, nullptr);
    if (!written.ok)
        return written;
    // A link, or a rename that refuses to replace, puts the whole file under its name or fails
    // when the name is taken; file systems that know neither get the name through an exclusive
    // create and a copy of the checked bytes.
    int rc = ::link(encoded(temp).constData(), encoded(file).constData());
    int error = rc == 0 ? 0 : errno;
    if (rc != 0 && error != EEXIST) {
        rc = ::renameat2(AT_FDCWD, encoded(temp).constData(), AT_FDCWD, encoded(file).constData(), RENAME_NOREPLACE);
        error = rc == 0 ? 0 : errno;
    }
    QFile::remove(temp); // gone already after a rename
    if (error == EEXIST) {
        *exists = true;
        return writeFailure(file, describeError(error));
    }
    if (error == EINVAL || error == ENOSYS || error == EPERM || error == EOPNOTSUPP) {
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            *exists = QFileInfo(file).exists() || QFileInfo(file).isSymLink();
            return writeFailure(file, describeWriteFailure(file));
        }
        const bool copied = out.write(content) == content.size() && out.flush();
        if (copied && modified.isValid())
            (void)out.setFileTime(modified, QFileDevice::FileModificationTime);
        out.close();
        QString why = copied ? syncToDisk(file) : describeWriteFailure(file);
        if (why.isEmpty() && readBack(file) != content)
            why = QStringLiteral("what reached the disk differs from what was written");
        if (!why.isEmpty()) {
            QFile::remove(file);
            return writeFailure(file, why);
        }
    } else if (error != 0) {
        return writeFailure(file, describeError(error));
    }
    (void)syncToDisk(QFileInfo(file).absolutePath());
    return written;
}

WriteResult overwriteInPlace(const QString& file, const QByteArray& content)
{
    const QString target = linkTarget(file);
    if (!QFileInfo(target).isFile())
        return writeFailure(file, QStringLiteral("it is not a regular file"));
    const QByteArray old = readBack(target);
    const int fd = ::open(encoded(target).constData(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return writeFailure(file, describeError(errno));
    // Without truncating first: the old blocks stay the file's own, so the old content can be
    // put back even on a full disk.
    auto put = [&](const QByteArray& bytes) {
        return ::lseek(fd, 0, SEEK_SET) == 0 && writeAll(fd, bytes) && ::ftruncate(fd, bytes.size()) == 0 &&
               ::fsync(fd) == 0;
    };
    if (!put(content)) {
        const int error = errno;
        (void)put(old);
        ::close(fd);
        return writeFailure(file, describeError(error));
    }
    ::close(fd);
    if (readBack(target) != content) {
        const int back = ::open(encoded(target).constData(), O_RDWR | O_CLOEXEC);
        if (back >= 0) {
            (void)(::lseek(back, 0, SEEK_SET) == 0 && writeAll(back, old) && ::ftruncate(back, old.size()) == 0);
            ::fsync(back);
            ::close(back);
        }
        return writeFailure(file, QStringLiteral("what reached the disk differs from what was written"));
    }
    WriteResult r;
    r.file = file;
    r.direct = true;
    return r;
}

} // namespace drovex
