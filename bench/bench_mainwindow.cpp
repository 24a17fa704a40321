// Times opening the main window on a full settings store against opening an empty Qt main
// window, side by side, and one SaveSettings. Prints the medians of repeated runs.
// The goal: from program start to the window on screen, the main window takes at most 1.5 times
// as long as an empty Qt main window.
#include "app/commands.h"
#include "app/mainwindow.h"
#include "benchutil.h"
#include "system/platform.h"
#include "system/session.h"
#include "widgets/services.h"
#include "settings/settingsstore.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace drovex;

// A child run: open one window, wait until it is on screen, and end.
static int openOnce(const QString& mode, const QString& storeFile)
{
    SilentServices services;
    if (mode == QLatin1String("--open-empty") || mode == QLatin1String("--open-text")) {
        QMainWindow w;
        if (mode == QLatin1String("--open-text"))
            w.setCentralWidget(new QLabel(QStringLiteral("Drovex"))); // the first text loads the fonts
        w.show();
        return QTest::qWaitForWindowExposed(&w) ? 0 : 1;
    }
    IniSettingsStore store(storeFile);
    Session session(store, systemPlatform());
    MainWindow w(session, services);
    w.startUp();
    w.show();
    return QTest::qWaitForWindowExposed(&w) ? 0 : 1;
}

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() > 1 && args[1].startsWith(QLatin1String("--open-")))
        return openOnce(args[1], args.value(2));
    const int runs = argc > 1 ? std::max(3, atoi(argv[1])) : 31;
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("store.ini"));
    SilentServices services;
    {
        IniSettingsStore store(file);
        (void)store.put(QStringLiteral("Path-GP2"), dir.path());
        Session session(store, systemPlatform());
        MainWindow w(session, services);
        w.startUp();
        if (!w.commands().SaveSettings().ok)
            return 1; // the store now holds every key
    }

    IniSettingsStore store(file);
    (void)store.get(QStringLiteral("Zoom")); // the file is read once, as at a real start

    auto openEmpty = [&] {
        QMainWindow w;
        w.show();
        (void)QTest::qWaitForWindowExposed(&w);
        QCoreApplication::processEvents();
    };
    auto createAndLoad = [&] {
        Session session(store, systemPlatform());
        MainWindow w(session, services);
        w.startUp();
    };
    auto openMain = [&] {
        Session session(store, systemPlatform());
        MainWindow w(session, services);
        w.startUp();
        w.show();
        (void)QTest::qWaitForWindowExposed(&w);
        QCoreApplication::processEvents();
    };
    openEmpty();
    openMain(); // warm up fonts and styles

    double empty = 0, main = 0, load = 0;
    // Interleave the two so that both see the same machine state.
    std::vector<double> e, m;
    for (int i = 0; i < runs; ++i) {
        e.push_back(bench::medianMs(1, openEmpty));
        m.push_back(bench::medianMs(1, openMain));
    }
    std::sort(e.begin(), e.end());
    std::sort(m.begin(), m.end());
    empty = e[e.size() / 2];
    main = m[m.size() / 2];
    load = bench::medianMs(runs, createAndLoad);

    Session session(store, systemPlatform());
    MainWindow w(session, services);
    w.startUp();
    const double save = bench::medianMs(runs, [&] { (void)w.commands().SaveSettings(); });

    // Whole program starts, as a user sees them: process start until the window is on screen.
    auto startProgram = [&](const QString& mode) {
        QProcess p;
        p.start(QCoreApplication::applicationFilePath(), {mode, file});
        p.waitForFinished(30000);
    };
    std::vector<double> pe, pt, pm;
    for (int i = 0; i < runs; ++i) {
        pe.push_back(bench::medianMs(1, [&] { startProgram(QStringLiteral("--open-empty")); }));
        pt.push_back(bench::medianMs(1, [&] { startProgram(QStringLiteral("--open-text")); }));
        pm.push_back(bench::medianMs(1, [&] { startProgram(QStringLiteral("--open-main")); }));
    }
    auto median = [](std::vector<double>& v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    const double procEmpty = median(pe);
    const double procText = median(pt);
    const double procMain = median(pm);

    std::printf("platform: %s, %d runs each (medians)\n", qPrintable(QGuiApplication::platformName()), runs);
    bench::report("program start to window shown: empty QMainWindow", procEmpty);
    bench::report("program start to window shown: main window, full store", procMain);
    std::printf("%-58s %10.2f x\n", "  ratio (the goal: at most 1.5)", procMain / procEmpty);
    bench::report("program start to window shown: one label of text", procText);
    std::printf("%-58s %10.2f x\n", "  ratio main window / one label", procMain / procText);
    std::printf("within one running program:\n");
    bench::report("open an empty QMainWindow (create, show, exposed)", empty);
    bench::report("open the main window, full store (create, load, show)", main);
    bench::report("create the main window and run LoadSettings", load);
    bench::report("SaveSettings (65 keys, written to disk)", save);
    std::printf("%-58s %10.2f x\n", "  ratio within the program", main / empty);
    bench::Goals goals;
    goals.atMost("program start to main window shown, times an empty window", procMain / procEmpty, 1.5);
    return goals.finish();
}
