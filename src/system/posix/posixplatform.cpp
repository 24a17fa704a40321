#include "common/paths.h"
#include "system/platform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QScopeGuard>
#include <QStorageInfo>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace drovex {
namespace {

// Why a program cannot be started from this path; "" when it can.
QString programProblem(const QString& program)
{
    if (program.isEmpty())
        return QStringLiteral("no program path is set");
    const QFileInfo fi(program);
    if (!fi.exists())
        return QStringLiteral("the file does not exist");
    if (fi.isDir())
        return QStringLiteral("it is a folder, not a program");
    if (!fi.isExecutable())
        return QStringLiteral("the file is not executable");
    return {};
}

// posix_spawn's attributes and file actions, released whatever way the start goes.
class SpawnSetup {
public:
    SpawnSetup()
    {
        posix_spawnattr_init(&m_attr);
        posix_spawn_file_actions_init(&m_actions);
    }
    ~SpawnSetup()
    {
        posix_spawn_file_actions_destroy(&m_actions);
        posix_spawnattr_destroy(&m_attr);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;
    posix_spawnattr_t* attr() { return &m_attr; }
    posix_spawn_file_actions_t* actions() { return &m_actions; }

private:
    posix_spawnattr_t m_attr;
    posix_spawn_file_actions_t m_actions;
};

class PosixPlatform final : public Platform {
public:
    QString shortFormOf(const QString& path) const override { return resolveIgnoringCase(path); }

    bool lockFile(const QString& path) const override
    {
        QFile f(path);
        if (!f.exists())
            return false;
        auto p = f.permissions();
        p &= ~(QFileDevice::WriteOwner | QFileDevice::WriteUser | QFileDevice::WriteGroup | QFileDevice::WriteOther);
        return f.setPermissions(p);
    }

    bool unlockFile(const QString& path) const override
    {
        QFile f(path);
        if (!f.exists())
            return false;
        return f.setPermissions(f.permissions() | QFileDevice::WriteOwner | QFileDevice::WriteUser);
    }

    QStringList drives() const override
    {
        QStringList roots;
        for (const QStorageInfo& v : QStorageInfo::mountedVolumes()) {
            if (!v.isValid() || !v.isReady())
                continue;
            const QString root = v.rootPath();
            if (!roots.contains(root))
                roots << root;
        }
        std::sort(roots.begin(), roots.end());
        return roots;
    }

    StartResult startDetached(const QString& program, const QStringList& arguments,
                              const QString& folder) const override
    {
        StartResult r;
        r.reason = programProblem(program);
        if (!r.reason.isEmpty())
            return r;
        const QFileInfo fi(program);
        QProcess process;
        process.setProgram(fi.absoluteFilePath());
        process.setArguments(arguments);
        if (!folder.isEmpty() && QFileInfo(folder).isDir())
            process.setWorkingDirectory(folder);
        qint64 pid = 0;
        if (!process.startDetached(&pid)) {
            r.reason = QStringLiteral("the system could not start it");
            return r;
        }
        r.ok = true;
        r.pid = pid;
        return r;
    }

    StartResult startWatched(const QString& program, const QStringList& arguments, const QString& folder,
                             const QString& logFile) const override
    {
        StartResult r;
        r.reason = programProblem(program);
        if (!r.reason.isEmpty())
            return r;
        const QByteArray path = QFile::encodeName(QFileInfo(program).absoluteFilePath());
        std::vector<QByteArray> words{path};
        for (const QString& a : arguments)
            words.push_back(QFile::encodeName(a));
        std::vector<char*> argv;
        for (QByteArray& w : words)
            argv.push_back(w.data());
        argv.push_back(nullptr);

        SpawnSetup setup;
        // Its own session: a hang-up or Ctrl+C meant for the front-end's terminal leaves the
        // game running. Signals the front-end ignores or blocks are back to normal for it.
        sigset_t none;
        sigemptyset(&none);
        sigset_t usual;
        sigemptyset(&usual);
        for (int sig : {SIGPIPE, SIGHUP, SIGINT, SIGQUIT, SIGTERM, SIGCHLD})
            sigaddset(&usual, sig);
        posix_spawnattr_setsigmask(setup.attr(), &none);
        posix_spawnattr_setsigdefault(setup.attr(), &usual);
        posix_spawnattr_setflags(setup.attr(), POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

        // The output goes to the log, opened here: a log that cannot be written (a read-only
        // folder, a folder in its place) costs the log, never the start.
        int logFd = -1;
        if (!logFile.isEmpty() && QDir().mkpath(QFileInfo(logFile).absolutePath()))
            logFd = ::open(QFile::encodeName(logFile).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_NONBLOCK | O_CLOEXEC, 0644);
        if (logFd < 0)
            logFd = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        const auto closeLog = qScopeGuard([logFd] {
            if (logFd >= 0)
                ::close(logFd);
        });
        const QByteArray dir = QFile::encodeName(folder);
        posix_spawn_file_actions_addopen(setup.actions(), 0, "/dev/null", O_RDONLY, 0);
        if (logFd >= 0)
            posix_spawn_file_actions_adddup2(setup.actions(), logFd, 1);
        posix_spawn_file_actions_adddup2(setup.actions(), 1, 2);
        if (!folder.isEmpty() && QFileInfo(folder).isDir())
            posix_spawn_file_actions_addchdir_np(setup.actions(), dir.constData());

        pid_t pid = 0;
        const int error = posix_spawn(&pid, path.constData(), setup.actions(), setup.attr(), argv.data(), environ);
        if (error != 0) {
            r.reason = QStringLiteral("the system could not start it (%1)").arg(QString::fromLocal8Bit(std::strerror(error)));
            return r;
        }
        r.ok = true;
        r.pid = pid;
        return r;
    }

    ProgramState programState(qint64 pid) const override
    {
        if (pid <= 0)
            return {ProgramState::Kind::Unknown, 0};
        int status = 0;
        pid_t got = 0;
        do
            got = waitpid(static_cast<pid_t>(pid), &status, WNOHANG);
        while (got < 0 && errno == EINTR);
        if (got == 0)
            return {ProgramState::Kind::Running, 0};
        if (got < 0)
            return {ProgramState::Kind::Unknown, 0};
        if (WIFSIGNALED(status))
            return {ProgramState::Kind::Signalled, WTERMSIG(status)};
        return {ProgramState::Kind::Exited, WEXITSTATUS(status)};
    }
};

} // namespace

const Platform& systemPlatform()
{
    static const PosixPlatform platform;
    return platform;
}

} // namespace drovex
