#pragma once

#include <QString>
#include <QStringList>

namespace drovex {

// Outcome of starting a program: on failure, why.
struct StartResult {
    bool ok = false;
    qint64 pid = 0;
    QString reason;
};

// How a program started with Platform::startWatched stands.
class ProgramState {
public:
    enum class Kind {
        Running,
        Exited,    // code() holds its exit status
        Signalled, // code() holds the signal that ended it
        Unknown    // not a child of this process, or already reaped
    };
    ProgramState(Kind kind, int code)
        : m_kind(kind)
        , m_code(code)
    {
    }
    Kind kind() const { return m_kind; }
    int code() const { return m_code; }

private:
    Kind m_kind;
    int m_code;
};

// What the front-end asks of the operating system, behind one small interface so that each
// system supplies its own: short paths, locking Drovex.cfg, the drive list and starting programs.
class Platform {
public:
    virtual ~Platform() = default;

    // Short (8.3) form of an existing path; where the system has none, the existing path
    // itself as found on disk; "" when nothing exists there.
    virtual QString shortFormOf(const QString& path) const = 0;

    // Make a written file read-only (and hidden and system where the system has them), and back.
    virtual bool lockFile(const QString& path) const = 0;
    virtual bool unlockFile(const QString& path) const = 0;

    // Root folders of the drives or mounted file systems.
    virtual QStringList drives() const = 0;

    // Starts program with these arguments in folder, without waiting and without a shell.
    virtual StartResult startDetached(const QString& program, const QStringList& arguments,
                                      const QString& folder) const = 0;

    // Starts program as startDetached does, but as a child that programState can watch: its
    // output goes to logFile (nowhere when "" or when it cannot be written), it keeps running
    // when the front-end ends.
    virtual StartResult startWatched(const QString& program, const QStringList& arguments,
                                     const QString& folder, const QString& logFile) const = 0;
    // How a program from startWatched stands; once it has ended, its end is collected.
    virtual ProgramState programState(qint64 pid) const = 0;
};

// The platform of the system the program was built for.
const Platform& systemPlatform();


} // namespace drovex
