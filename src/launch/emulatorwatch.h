#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

namespace drovex {

class Platform;

// Watches the programs Save and Play started (DOS emulators and programs started directly). One
// that ends within its first seconds with an error is reported; every one is collected when it ends, so none lingers as a zombie. The
// watched programs keep running when the front-end ends.
class EmulatorWatch : public QObject {
    Q_OBJECT
public:
    explicit EmulatorWatch(const Platform& platform, QObject* parent = nullptr);

    // Watches the program with process id pid, whose output goes to logFile: a DOS emulator, or a
    // program started directly.
    void watch(qint64 pid, const QString& program, const QString& logFile, bool emulator);
    // How many started emulators have not ended yet.
    int running() const { return static_cast<int>(m_started.size()); }

    // How long an error end still counts as "at once".
    static constexpr int kEarlyMs = 4000;

signals:
    // The sentence for the status bar: the emulator, the reason and where to set it.
    void failed(const QString& message);
    // How many watched programs are still running, each time that changes.
    void runningChanged(int count);

private:
    void poll();

    struct Started {
        qint64 pid;
        QString program;
        QString logFile;
        QElapsedTimer age;
        bool emulator;
    };
    const Platform& m_platform;
    QList<Started> m_started;
    QTimer m_timer;
};

// Why an emulator that ended reports an error, from its exit and the output it left; "" when
// it ended well. The emulators of the DOSBox family end with status 0 even after a fatal
// error, which they announce with a line starting "Exit to error".
QString emulatorFailure(bool signalled, int code, const QByteArray& output);

} // namespace drovex
