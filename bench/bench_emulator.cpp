// Times Save and Play until the DOS program runs inside the DOS emulator, against starting the
// same emulator by hand with the same arguments, side by side in one run. Prints both medians
// and their ratio; ends with status 1 when the front-end adds more than 10%.
#include "app/mainwindow.h"
#include "benchutil.h"
#include "launch/emulator.h"
#include "launch/emulatorwatch.h"
#include "system/platform.h"
#include "system/session.h"
#include "settings/settingsstore.h"
#include "widgets/services.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QStatusBar>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>

using namespace drovex;

namespace {

constexpr qint64 kWaitMs = 30000;

// Waits, keeping the window's events going, until the DOS program has written its file.
bool waitForFile(const QString& file)
{
    QElapsedTimer t;
    t.start();
    while (!QFileInfo::exists(file)) {
        if (t.elapsed() > kWaitMs)
            return false;
        QCoreApplication::processEvents();
        QThread::usleep(200);
    }
    return true;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(3, atoi(argv[1])) : 11;
    const QString emulator = QStandardPaths::findExecutable(QStringLiteral("dosbox"));
    if (emulator.isEmpty()) {
        std::fprintf(stderr, "dosbox is not installed (scripts/deps.sh installs it)\n");
        return 2;
    }
    QTemporaryDir dir;
    // Headless unless told otherwise, and no configuration of the user is read or written.
    if (qEnvironmentVariableIsEmpty("SDL_VIDEODRIVER"))
        qputenv("SDL_VIDEODRIVER", "dummy");
    if (qEnvironmentVariableIsEmpty("SDL_AUDIODRIVER"))
        qputenv("SDL_AUDIODRIVER", "dummy");
    qputenv("HOME", dir.path().toLocal8Bit());
    qunsetenv("XDG_CONFIG_HOME");

    const QString game = dir.filePath(QStringLiteral("Grand Prix 2"));
    QDir().mkpath(game);
    if (!QFile::copy(QStringLiteral(DROVEX_DOS_PROGRAMS "/args.com"), game + QStringLiteral("/GP2.EXE")))
        return 2;
    const QString args = game + QStringLiteral("/ARGS.TXT");

    const QString storeFile = dir.filePath(QStringLiteral("store.ini"));
    {
        IniSettingsStore seed(storeFile);
        if (!seed.putAll({{QStringLiteral("Path-GP2"), game},
                          {QString::fromLatin1(kPathEmulator), emulator},
                          {QStringLiteral("Start Mode"), QStringLiteral("2")},
                          {QStringLiteral("GP2 Options"), QStringLiteral("1")},
                          {QStringLiteral("Video"), QStringLiteral("1")},
                          {QStringLiteral("No Music"), QStringLiteral("1")}})
                 .ok)
            return 2;
    }
    IniSettingsStore store(storeFile);
    Session session(store, systemPlatform());
    SilentServices services;
    MainWindow window(session, services);
    window.startUp();
    auto* play = window.findChild<QPushButton*>(QStringLiteral("BTN_Play"));
    auto* watch = window.findChild<EmulatorWatch*>();

    // The arguments Save and Play hands the emulator, for the start by hand.
    const QString ownConfig = ownEmulatorFile("dosbox.conf");
    const LaunchPlan plan{QStringLiteral("Grand Prix 2"), game + QStringLiteral("/GP2.EXE"),
                          {QStringLiteral("video:vesa"), QStringLiteral("nomusic")}, game};
    const EmulatorLaunch byHand = EmulatorLaunch::plan(plan, {ownConfig, {}, {}});

    auto frontEnd = [&]() -> double {
        QFile::remove(args);
        QElapsedTimer t;
        t.start();
        play->click();
        if (!waitForFile(args))
            return -1;
        const double ms = static_cast<double>(t.nsecsElapsed()) / 1e6;
        QElapsedTimer end;
        end.start();
        while (watch->running() > 0 && end.elapsed() < kWaitMs) // not timed: the emulator exits
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        return ms;
    };
    auto manual = [&]() -> double {
        QFile::remove(args);
        QProcess p;
        p.setProgram(emulator);
        p.setArguments(byHand.arguments());
        p.setWorkingDirectory(game);
        p.setStandardOutputFile(QProcess::nullDevice());
        p.setStandardErrorFile(QProcess::nullDevice());
        QElapsedTimer t;
        t.start();
        p.start();
        if (!waitForFile(args))
            return -1;
        const double ms = static_cast<double>(t.nsecsElapsed()) / 1e6;
        p.waitForFinished(static_cast<int>(kWaitMs));
        return ms;
    };

    if (frontEnd() < 0 || !byHand.ok() || manual() < 0) { // warm up: disk caches, the emulator's libraries
        std::fprintf(stderr, "the DOS program did not run: %s\n", qPrintable(window.statusBar()->currentMessage()));
        return 2;
    }
    std::vector<double> f, m;
    for (int i = 0; i < runs; ++i) { // interleaved, so that both see the same machine
        f.push_back(frontEnd());
        m.push_back(manual());
    }
    if (*std::min_element(f.begin(), f.end()) < 0 || *std::min_element(m.begin(), m.end()) < 0)
        return 2;
    const double withFrontEnd = median(f);
    const double withHand = median(m);
    const double ratio = withFrontEnd / withHand;
    std::printf("emulator: %s, %d runs each (medians)\n", qPrintable(emulator), runs);
    bench::report("Save and Play until GP2.EXE runs in the emulator", withFrontEnd);
    bench::report("the same emulator started by hand, same arguments", withHand);
    std::printf("%-58s %10.3f x\n", "  ratio (the goal: at most 1.10)", ratio);
    bench::Goals goals;
    goals.atMost("Save and Play, times the emulator started by hand", ratio, 1.10);
    return goals.finish();
}
