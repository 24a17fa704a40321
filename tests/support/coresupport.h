#pragma once

#include "cfgfile/configfile.h"

#include <QString>
#include <QStringList>

#include <atomic>
#include <condition_variable>
#include <initializer_list>
#include <mutex>
#include <thread>

namespace drovex::test {

// A list of texts written as plain literals (UTF-8), for the rows of data-driven tests.
QStringList texts(std::initializer_list<const char*> literals);

// Running as root ignores file permissions; drop that privilege for good so that read-only
// files and folders refuse writes in this test process as they would for a user.
// Returns false when permissions cannot be made to bite (the test should then skip).
bool makePermissionsBite();

// Writes bytes to a file, creating folders as needed.
bool writeFile(const QString& path, const QByteArray& bytes);
QByteArray readFile(const QString& path);

// What a Drovex.cfg is written from with the default settings and the sixteen original slots;
// text setting 7 (the name shown in the game) set to name when one is given.
ConfigValues defaultConfigValues(const QString& name = {});

// The first line of a Drovex.cfg that sets key, written or commented out; "" when none does.
QString lineWith(const QStringList& lines, const QString& key);
QString lineWith(const QByteArray& file, const QString& key);

// A stand-in emulator at path: a script that answers --version (and nothing else) with banner
// after waiting seconds, ends with status, and counts its starts in "<path>.starts".
bool writeStandInEmulator(const QString& path, const QByteArray& banner, int seconds = 0, int status = 0);

// Named pipes made with mkfifo, for checks that nothing waits on one. A reader that still holds
// a pipe open after the grace time (a program blocked in open() or read()) is set free by a
// writer that opens and closes the pipe, and blocked() turns true, so a test fails instead of
// hanging.
class PipeGuard {
public:
    explicit PipeGuard(QStringList pipes, int graceMs = 3000);
    ~PipeGuard();
    bool made() const { return m_made; } // every pipe was made
    bool blocked() const { return m_blocked; }

private:
    void watch();
    QStringList m_pipes;
    int m_grace;
    bool m_made = true;
    std::atomic<bool> m_blocked{false};
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stop = false;
    std::thread m_thread;
};

} // namespace drovex::test
