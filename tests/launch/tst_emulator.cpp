// Save and Play through the real DOS emulator, run headless, with tiny DOS programs standing in
// for Drovex and the game.
#include "app/mainwindow.h"
#include "launch/emulatorwatch.h"
#include "support/coresupport.h"
#include "support/testsupport.h"

#include <QAction>
#include <QDirIterator>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTest>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using namespace drovex;
using drovex::test::Fixture;

namespace {

constexpr int kRunMs = 30000; // the emulator starts in about a second; never wait for ever

const QString kTail = QStringLiteral(" video:vesa nomusic");

bool copyDosProgram(const char* name, const QString& to)
{
    QDir().mkpath(QFileInfo(to).absolutePath());
    QFile::remove(to);
    return QFile::copy(QStringLiteral(DROVEX_DOS_PROGRAMS "/") + QString::fromLatin1(name), to);
}

// The text a DOS program left in file; a null string when there is none.
QString textOf(const QString& file)
{
    return QFileInfo::exists(file) ? QString::fromLatin1(test::readFile(file)) : QString();
}

EmulatorWatch* watchOf(MainWindow& w) { return w.findChild<EmulatorWatch*>(); }

// Waits until every emulator the window started has ended.
bool emulatorsEnded(MainWindow& w)
{
    QElapsedTimer t;
    t.start();
    while (watchOf(w)->running() > 0 && t.elapsed() < kRunMs)
        QTest::qWait(20);
    return watchOf(w)->running() == 0;
}

// Ends whatever emulator a failed test left running, so that none outlives the test.
void endChildren()
{
    QDirIterator procs(QStringLiteral("/proc"), QDir::Dirs | QDir::NoDotAndDotDot);
    while (procs.hasNext()) {
        procs.next();
        bool number = false;
        const int pid = procs.fileName().toInt(&number);
        if (!number)
            continue;
        const QByteArray stat = test::readFile(procs.filePath() + QStringLiteral("/stat"));
        const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 1 && fields[1].toInt() == getpid()) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
    }
}

void pressPlay(MainWindow& w) { QTest::mouseClick(w.findChild<QPushButton*>(QStringLiteral("BTN_Play")), Qt::LeftButton); }

QString status(MainWindow& w) { return w.statusBar()->currentMessage(); }

// Opens the Choose Path menu and clicks one of its entries, with the mouse.
void clickMenuEntry(MainWindow& w, const char* entry)
{
    auto* menu = w.findChild<QMenu*>(QStringLiteral("MNU_2"));
    QTest::mouseClick(w.menuBar(), Qt::LeftButton, {}, w.menuBar()->actionGeometry(menu->menuAction()).center());
    QTRY_VERIFY(menu->isVisible());
    auto* action = w.findChild<QAction*>(QString::fromLatin1(entry));
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
    QTRY_VERIFY(!menu->isVisible());
}

// A game folder whose path has blanks and a shell substitution in it, with GP2.EXE.
QString makeGame(Fixture& f)
{
    const QString game = f.dir.filePath(QStringLiteral("Grand Prix 2 $(touch PWNED)"));
    if (!copyDosProgram("args.com", game + QStringLiteral("/GP2.EXE")))
        return {};
    f.seed(QStringLiteral("Path-GP2"), game);
    f.seed(QStringLiteral("Video"), QStringLiteral("1"));
    f.seed(QStringLiteral("No Music"), QStringLiteral("1"));
    return game;
}

} // namespace

class TestEmulator : public QObject {
    Q_OBJECT
    QTemporaryDir m_home;
    QString m_dosbox;

private slots:
    void initTestCase()
    {
        m_dosbox = QStandardPaths::findExecutable(QStringLiteral("dosbox"));
        if (m_dosbox.isEmpty())
            QFAIL("dosbox is not installed (scripts/deps.sh installs it)");
        // Headless, and no configuration of the user is read or written.
        qputenv("HOME", m_home.path().toLocal8Bit());
        qunsetenv("XDG_CONFIG_HOME");
        qputenv("SDL_VIDEODRIVER", "dummy");
        qputenv("SDL_AUDIODRIVER", "dummy");
    }

    void cleanup() { endChildren(); }

    void startModesRunInsideTheEmulator_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("optionsOn");
        QTest::addColumn<QString>("program"); // where Drovex or the batch file lies, below the test folder
        QTest::addColumn<QString>("tail");    // what the stand-in finds on its command line
        const QString game = QStringLiteral("Grand Prix 2 $(touch PWNED)");
        QTest::newRow("Drovex with options") << 0 << true << game + QLatin1String("/DROVEX.EXE") << kTail;
        QTest::newRow("Drovex without options") << 0 << false << game + QLatin1String("/DROVEX.EXE") << "";
        QTest::newRow("Drovex in a sub-folder") << 0 << true << game + QLatin1String("/tools/drovex.exe") << kTail;
        QTest::newRow("Drovex outside the game folder") << 0 << true << "My Tools/Drovex.EXE" << kTail;
        QTest::newRow("game with options") << 2 << true << "" << kTail;
        QTest::newRow("game without options") << 2 << false << "" << "";
        QTest::newRow("batch file in the game folder") << 1 << true << game + QLatin1String("/GO.BAT")
                                                       << " from the batch file";
        QTest::newRow("batch file outside the game folder") << 1 << true << "Batch Files/go.bat"
                                                            << " from the batch file";
    }
    void startModesRunInsideTheEmulator()
    {
        QFETCH(int, mode);
        QFETCH(bool, optionsOn);
        QFETCH(QString, program);
        QFETCH(QString, tail);
        Fixture f;
        const QString game = makeGame(f);
        QVERIFY(!game.isEmpty());
        const QString path = program.isEmpty() ? QString() : f.dir.filePath(program);
        if (mode == 1) {
            // Runs in C:\, the game folder, wherever the batch file lies.
            QVERIFY(test::writeFile(path, "@echo off\r\nGP2.EXE from the batch file\r\n"));
            f.seed(QStringLiteral("Path-Batch"), path);
        } else if (mode == 0) {
            QVERIFY(copyDosProgram("args.com", path));
            f.seed(QStringLiteral("Path-Drovex"), path);
        }
        f.seed(QStringLiteral("Start Mode"), QString::number(mode));
        f.seed(QStringLiteral("GP2 Options"), optionsOn ? QStringLiteral("1") : QStringLiteral("0"));

        // Nothing but the installed emulator: the key is absent, the emulator found on PATH.
        MainWindow& w = f.open();
        QVERIFY2(status(w).contains(m_dosbox), qPrintable(status(w)));
        pressPlay(w);
        QVERIFY2(status(w).startsWith(QLatin1String("Started")), qPrintable(status(w)));
        QVERIFY2(emulatorsEnded(w), "the emulator did not exit when the DOS program ended");
        QCOMPARE(textOf(game + QStringLiteral("/ARGS.TXT")), tail);
        QVERIFY(status(w).startsWith(QLatin1String("Started")));
        QVERIFY(!QFileInfo::exists(f.dir.filePath(QStringLiteral("PWNED"))));
        QVERIFY(!QFileInfo::exists(game + QStringLiteral("/PWNED")));
        QVERIFY(test::readFile(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/Drovex Windows Front-End/dosbox.conf"))
                    .contains("cycles=max"));
    }

    void settingsOfTheUserComeFirst()
    {
        Fixture f;
        const QString game = makeGame(f);
        QVERIFY(!game.isEmpty());
        // Their own start-up commands mount another folder as C:; the game folder still wins.
        const QString conf = f.dir.filePath(QStringLiteral("mine.conf"));
        QVERIFY(test::writeFile(conf, "[cpu]\ncycles=max\n[autoexec]\nmount c \"" + f.dir.path().toLocal8Bit() + "\"\n"));
        f.seed(QStringLiteral("Path-Emulator"), m_dosbox);
        f.seed(QStringLiteral("Path-Emulator-Config"), conf);
        f.seed(QStringLiteral("Start Mode"), QStringLiteral("2"));
        f.seed(QStringLiteral("GP2 Options"), QStringLiteral("1"));
        MainWindow& w = f.open();
        QCOMPARE(status(w), QString()); // a stored emulator needs no word at start
        pressPlay(w);
        QVERIFY(emulatorsEnded(w));
        QCOMPARE(textOf(game + QStringLiteral("/ARGS.TXT")), kTail);
        QVERIFY(!QFileInfo::exists(f.dir.filePath(QStringLiteral("ARGS.TXT"))));
    }

    void refusedLaunchesSayWhy_data()
    {
        QTest::addColumn<QString>("emulator"); // "installed", "absent", or a path below the test folder
        QTest::addColumn<QString>("drovex");   // below the game folder
        QTest::addColumn<QString>("settings"); // the user's settings file below the test folder, or ""
        QTest::addColumn<QString>("folder");   // the game folder below the test folder
        QTest::addColumn<QStringList>("said");
        const QString game = QStringLiteral("Grand Prix 2");
        const QString hint = QStringLiteral("Choose Path \u2192 DOS Emulator");
        QTest::newRow("stored emulator missing") << "gone/dosbox" << "DROVEX.EXE" << "" << game
                                                 << QStringList{QStringLiteral("gone/dosbox"),
                                                                QStringLiteral("does not exist"), hint};
        QTest::newRow("no emulator on PATH") << "absent" << "DROVEX.EXE" << "" << game
                                             << QStringList{QStringLiteral("no DOS emulator was found"), hint};
        QTest::newRow("blank in the program name") << "installed" << "Drovex Loader.exe" << "" << game
                                                   << test::texts({"\"Drovex Loader.exe\" holds a blank"});
        QTest::newRow("long program name") << "installed" << "DROVEXLOADER.EXE" << "" << game
                                           << test::texts({"\"DROVEXLOADER.EXE\" has more than 8 characters"});
        QTest::newRow("long folder name") << "installed" << "Launchers/DROVEX.EXE" << "" << game
                                          << test::texts({"\"Launchers\" has more than 8 characters"});
        QTest::newRow("double quote in the game folder") << "installed" << "DROVEX.EXE" << "" << "GP2 \"UK\""
                                                         << test::texts({"double quote"});
        QTest::newRow("settings file missing") << "installed" << "DROVEX.EXE" << "gone.conf" << game
                                               << test::texts({"gone.conf", "DOS Emulator Settings"});
    }
    void refusedLaunchesSayWhy()
    {
        QFETCH(QString, emulator);
        QFETCH(QString, drovex);
        QFETCH(QString, settings);
        QFETCH(QString, folder);
        QFETCH(QStringList, said);
        Fixture f;
        const QString game = f.dir.filePath(folder);
        QVERIFY(copyDosProgram("args.com", game + QLatin1Char('/') + drovex));
        f.seed(QStringLiteral("Path-GP2"), game);
        f.seed(QStringLiteral("Path-Drovex"), game + QLatin1Char('/') + drovex);
        if (emulator == QLatin1String("installed"))
            f.seed(QStringLiteral("Path-Emulator"), m_dosbox);
        else if (emulator != QLatin1String("absent"))
            f.seed(QStringLiteral("Path-Emulator"), f.dir.filePath(emulator));
        if (!settings.isEmpty())
            f.seed(QStringLiteral("Path-Emulator-Config"), f.dir.filePath(settings));
        const QByteArray oldPath = qgetenv("PATH");
        if (emulator == QLatin1String("absent"))
            qputenv("PATH", f.dir.path().toLocal8Bit());
        MainWindow& w = f.open();
        pressPlay(w);
        qputenv("PATH", oldPath);
        const QString message = status(w);
        QVERIFY2(message.startsWith(QLatin1String("Drovex could not be started: ")), qPrintable(message));
        for (const QString& part : said)
            QVERIFY2(message.contains(part), qPrintable(message));
        QCOMPARE(watchOf(w)->running(), 0);
        QVERIFY(f.services.messages.isEmpty());
    }

    void emulatorEndingAtOnceIsReported_data()
    {
        QTest::addColumn<QByteArray>("script"); // a stand-in emulator; "" runs the real one without a display
        QTest::addColumn<QString>("said");
        QTest::newRow("real emulator without a display") << QByteArray() << "Exit to error: Can't init SDL";
        QTest::newRow("error status") << QByteArray("#!/bin/sh\necho starting\necho 'no sound card' >&2\nexit 3\n")
                                      << "no sound card (status 3)";
        QTest::newRow("killed") << QByteArray("#!/bin/sh\nkill -SEGV $$\n") << "ended by signal 11";
    }
    void emulatorEndingAtOnceIsReported()
    {
        QFETCH(QByteArray, script);
        QFETCH(QString, said);
        Fixture f;
        const QString game = makeGame(f);
        QVERIFY(!game.isEmpty());
        QString emulator = m_dosbox;
        if (!script.isEmpty()) {
            emulator = f.dir.filePath(QStringLiteral("bin/emulator"));
            QVERIFY(test::writeFile(emulator, script));
            QVERIFY(QFile::setPermissions(emulator, QFile::permissions(emulator) | QFileDevice::ExeOwner));
        }
        f.seed(QStringLiteral("Path-Emulator"), emulator);
        f.seed(QStringLiteral("Start Mode"), QStringLiteral("2"));
        MainWindow& w = f.open();
        qputenv("SDL_VIDEODRIVER", "none-here");
        pressPlay(w);
        qputenv("SDL_VIDEODRIVER", "dummy");
        QTRY_VERIFY_WITH_TIMEOUT(status(w).contains(QLatin1String("stopped at once")), kRunMs);
        QVERIFY2(status(w).contains(emulator) && status(w).contains(said) &&
                     status(w).contains(QStringLiteral("Choose Path \u2192 DOS Emulator")),
                 qPrintable(status(w)));
        QCOMPARE(watchOf(w)->running(), 0);
    }

    void everyAssignedSlotOpensUnderDos()
    {
        Fixture f;
        const QString game = makeGame(f);
        QVERIFY(!game.isEmpty());
        // Track files spelt in any letter case on disk, in folders of their own.
        for (int n = 1; n <= 16; ++n)
            QVERIFY(test::writeFile(game + QStringLiteral("/circuits/f1ct%1.dat").arg(n, 2, 10, QLatin1Char('0')), "x"));
        QVERIFY(test::writeFile(game + QStringLiteral("/Tracks/Monaco.Dat"), "x"));
        QVERIFY(test::writeFile(game + QStringLiteral("/circuits/new/SPA.dat"), "x"));
        f.seed(QStringLiteral("F1CT03"), QStringLiteral("TRACKS\\MONACO.DAT"));
        f.seed(QStringLiteral("F1CT07"), QStringLiteral("Circuits\\New\\Spa.dat"));
        QVERIFY(copyDosProgram("slotopen.com", game + QStringLiteral("/SLOTOPEN.COM")));
        f.seed(QStringLiteral("Path-Drovex"), game + QStringLiteral("/SLOTOPEN.COM"));
        f.seed(QStringLiteral("Start Mode"), QStringLiteral("0"));
        MainWindow& w = f.open();
        pressPlay(w);
        QVERIFY(emulatorsEnded(w));
        const QString opened = textOf(game + QStringLiteral("/OPENED.TXT"));
        QStringList want;
        for (int n = 1; n <= 16; ++n)
            want << QStringLiteral("%1 OK").arg(n, 2, 10, QLatin1Char('0'));
        QCOMPARE(opened.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts), want);
    }

    void menuEntriesStoreTheEmulatorPaths()
    {
        Fixture f;
        f.seed(QStringLiteral("Path-GP2"), f.gameFolder());
        MainWindow& w = f.open();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QString chosen = f.dir.filePath(QStringLiteral("emulators/dosbox-x"));
        f.services.answers << chosen;
        clickMenuEntry(w, "MNU_Emulator");
        QCOMPARE(f.stored(QStringLiteral("Path-Emulator")), chosen);
        QCOMPARE(f.services.requests.last().title, QStringLiteral("Browse For DOS Emulator ..."));

        const QString conf = f.dir.filePath(QStringLiteral("mine.conf"));
        QVERIFY(test::writeFile(conf, "[cpu]\n"));
        f.services.answers << conf << QString();
        clickMenuEntry(w, "MNU_EmulatorConfig");
        QCOMPARE(f.stored(QStringLiteral("Path-Emulator-Config")), conf);
        QCOMPARE(f.services.requests.last().title, QStringLiteral("Browse For DOS Emulator Settings ..."));
        clickMenuEntry(w, "MNU_EmulatorConfig"); // cancelled: kept
        QCOMPARE(f.stored(QStringLiteral("Path-Emulator-Config")), conf);
        QCOMPARE(f.services.requests.last().initialFolder, f.dir.path());

        // The entries follow the three of the game, Drovex and the batch file.
        QStringList names;
        for (QAction* a : w.findChild<QMenu*>(QStringLiteral("MNU_2"))->actions())
            names << a->objectName() + QLatin1Char('=') + a->text();
        QCOMPARE(names, (test::texts({"MNU_GP2=GP2 Path", "MNU_Batch=Batch Path", "MNU_Path=Drovex Path",
                                      "MNU_Emulator=DOS Emulator", "MNU_EmulatorConfig=DOS Emulator Settings"})));
    }
};

QTEST_MAIN(TestEmulator)
#include "tst_emulator.moc"
