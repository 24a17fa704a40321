#include "launch/emulatorwatch.h"

#include "common/safefile.h"

#include "launch/emulator.h"
#include "system/platform.h"

#include <QDir>
#include <QFile>
#include <QStringList>

namespace drovex {
namespace {

constexpr int kFastPollMs = 50;   // while an emulator is young
constexpr int kSlowPollMs = 1000; // only collecting ends
constexpr qint64 kLogTail = 16 * 1024;

QByteArray logTail(const QString& file)
{
    QFile f(file);
    if (file.isEmpty() || !openRegularFile(f, file))
        return {};
    if (f.size() > kLogTail)
        f.seek(f.size() - kLogTail);
    return f.read(kLogTail);
}

} // namespace

QString emulatorFailure(bool signalled, int code, const QByteArray& output)
{
    QString fatal;
    QString last;
    for (const QByteArray& raw : output.split('\n')) {
        const QString line = QString::fromLocal8Bit(raw).trimmed();
        if (line.isEmpty())
            continue;
        last = line;
        if (line.startsWith(QLatin1String("Exit to error"), Qt::CaseInsensitive))
            fatal = line;
    }
    const QString said = fatal.isEmpty() ? last : fatal;
    if (signalled)
        return said.isEmpty() ? QStringLiteral("it was ended by signal %1").arg(code)
                              : QStringLiteral("%1 (ended by signal %2)").arg(said).arg(code);
    if (code != 0)
        return said.isEmpty() ? QStringLiteral("it ended with status %1").arg(code)
                              : QStringLiteral("%1 (status %2)").arg(said).arg(code);
    return fatal;
}

EmulatorWatch::EmulatorWatch(const Platform& platform, QObject* parent)
    : QObject(parent)
    , m_platform(platform)
{
    connect(&m_timer, &QTimer::timeout, this, &EmulatorWatch::poll);
}

void EmulatorWatch::watch(qint64 pid, const QString& program, const QString& logFile, bool emulator)
{
    Started s{pid, program, logFile, {}, emulator};
    s.age.start();
    m_started << s;
    m_timer.start(kFastPollMs);
    emit runningChanged(running());
}

void EmulatorWatch::poll()
{
    bool young = false;
    bool ended = false;
    QStringList failures;
    for (qsizetype i = m_started.size() - 1; i >= 0; --i) {
        const Started& s = m_started[i];
        const ProgramState state = m_platform.programState(s.pid);
        if (state.kind() == ProgramState::Kind::Running) {
            young = young || s.age.elapsed() < kEarlyMs;
            continue;
        }
        if ((state.kind() == ProgramState::Kind::Exited || state.kind() == ProgramState::Kind::Signalled) &&
            s.age.elapsed() < kEarlyMs) {
            const QString why = emulatorFailure(state.kind() == ProgramState::Kind::Signalled, state.code(),
                                                logTail(s.logFile));
            if (!why.isEmpty() && s.emulator)
                failures << (QStringLiteral("The DOS emulator %1 stopped at once: %2. Set it with %3.")
                                .arg(QDir::toNativeSeparators(s.program), why, QString::fromUtf8(kEmulatorMenuHint)));
            else if (!why.isEmpty())
                failures << QStringLiteral("%1 stopped at once: %2.").arg(QDir::toNativeSeparators(s.program), why);
        }
        m_started.removeAt(i);
        ended = true;
    }
    if (m_started.isEmpty())
        m_timer.stop();
    else
        m_timer.setInterval(young ? kFastPollMs : kSlowPollMs);
    if (ended)
        emit runningChanged(running());
    for (const QString& message : failures)
        emit failed(message);
}

} // namespace drovex
