// Opens the track selector on a game whose CIRCUITS folder holds 10,000 track files (the folder it
// opens in), half of them under names DOS cannot open: how long the window takes to show, how
// long until the file list is complete, the longest time the window could not answer the user
// (the longest gap between two event-loop turns) while it filled, and the longest time a file
// chosen with the arrow key took to show its details (its tag, map, checksum and, for a name DOS
// cannot open, the DOS name of its copy). The goal: no stall over 50 ms.
#include "app/mainwindow.h"
#include "benchutil.h"
#include "settings/settingsstore.h"
#include "support/trackrecipe.h"
#include "system/platform.h"
#include "system/session.h"
#include "tracks/trackmanager.h"
#include "tracks/trackselector.h"
#include "widgets/services.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace drovex;

namespace {

// A track of a real track's size (40 KB) for the files the arrow key goes through, and of the
// recipe's size for the others.
QByteArray trackBytes(int i, bool realSize)
{
    test::TrackRecipe recipe;
    recipe.tag = "#GP2INFO|Name|Track " + QByteArray::number(i) + "|Laps|60|#";
    recipe.objectBytes = realSize ? 36000 : 0;
    return test::buildTrack(recipe);
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(3, atoi(argv[1])) : 5;
    constexpr int kFiles = 10000;
    constexpr int kSteps = 200; // files chosen with the arrow key
    QTemporaryDir dir;
    const QString game = dir.filePath(QStringLiteral("GP2"));
    const QString circuits = game + QStringLiteral("/CIRCUITS");
    QDir().mkpath(circuits);
    const QByteArray small = trackBytes(0, false);
    const QByteArray large = trackBytes(0, true);
    for (int i = 0; i < kFiles / 2; ++i) {
        // "A0000001 from the web.dat" lists just before "A0000001.DAT".
        for (const QString& name : {QStringLiteral("A%1.DAT").arg(i, 7, 10, QLatin1Char('0')),
                                    QStringLiteral("A%1 from the web.dat").arg(i, 7, 10, QLatin1Char('0'))}) {
            QFile f(circuits + QLatin1Char('/') + name);
            const QByteArray& bytes = i <= kSteps ? large : small;
            if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
                return 2;
        }
    }
    IniSettingsStore store(dir.filePath(QStringLiteral("store.ini")));
    (void)store.put(QStringLiteral("Path-GP2"), game);
    SilentServices services;
    Session session(store, systemPlatform());
    MainWindow window(session, services);
    window.startUp();
    window.show();
    (void)QTest::qWaitForWindowExposed(&window);

    std::vector<double> created, shown, complete, gaps, steps, slowest;
    for (int r = 0; r < runs; ++r) {
        QElapsedTimer t;
        t.start();
        TrackSelector* selector = window.tracks().selector(true);
        created.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
        selector->show();
        (void)QTest::qWaitForWindowExposed(selector);
        shown.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);

        QElapsedTimer gap;
        gap.start();
        double longest = 0;
        QTimer tick;
        tick.setInterval(0);
        QObject::connect(&tick, &QTimer::timeout, [&] {
            longest = std::max(longest, static_cast<double>(gap.nsecsElapsed()) / 1e6);
            gap.restart();
        });
        tick.start();
        while (!selector->isFileListComplete())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        tick.stop();
        complete.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
        gaps.push_back(longest);
        if (selector->findChild<QListView*>(QStringLiteral("BX_File"))->model()->rowCount() != kFiles)
            return 2;

        // The arrow key through the first files: each press chooses one and shows its details.
        auto* files = selector->findChild<QListView*>(QStringLiteral("BX_File"));
        files->setFocus();
        QTest::keyClick(files, Qt::Key_Home);
        double slowestStep = 0;
        std::vector<double> times;
        for (int i = 0; i < kSteps; ++i) {
            QElapsedTimer step;
            step.start();
            QTest::keyClick(files, Qt::Key_Down);
            QCoreApplication::processEvents();
            times.push_back(static_cast<double>(step.nsecsElapsed()) / 1e6);
            slowestStep = std::max(slowestStep, times.back());
        }
        if (selector->selectedName().isEmpty())
            return 2;
        std::sort(times.begin(), times.end());
        steps.push_back(times[times.size() / 2]);
        slowest.push_back(slowestStep);
        window.tracks().closeAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    auto median = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    std::printf("platform: %s, %d track files, %d runs (medians)\n", qPrintable(QGuiApplication::platformName()),
                kFiles, runs);
    bench::report("track selector created (slots read, listing started)", median(created));
    bench::report("track selector shown", median(shown));
    bench::report("file list complete", median(complete));
    bench::report("longest time without an event-loop turn while filling", median(gaps));
    bench::report("a file chosen with the arrow key, its details shown", median(steps));
    bench::report("the slowest of 200 files chosen", median(slowest));
    bench::Goals goals;
    goals.atMost("longest time without an event-loop turn, ms", median(gaps), 50);
    goals.atMost("slowest file chosen, ms", median(slowest), 50);
    return goals.finish();
}
