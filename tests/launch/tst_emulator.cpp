// Save and Play through the real DOS emulator, run headless, with tiny DOS programs standing in
// for Drovex and the game.
#include "app/mainwindow.h"
#include "launch/emulatorwatch.h"
#include "support/coresupport.h"
#include "support/testsupport.h"

#include <QDirIterator>
#include <QFile>
#include <QProcess>
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

// A file the front-end keeps beside its settings.
QString ownFile(const char* name)
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Drovex Windows Front-End/") + QString::fromLatin1(name);
}

// A game folder whose path has blanks and a shell substitution in it, with GP2.EXE (the DOS
// program named).
QString makeGame(Fixture& f, const char* gp2 = "args.com")
{
    const QString game = f.dir.filePath(QStringLiteral("Grand Prix 2 $(touch PWNED)"));
    if (!copyDosProgram(gp2, game + QStringLiteral("/GP2.EXE")))
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
        QVERIFY2(status(w).startsWith(QLatin1String("DOSBox 0.74 at 100000 cycles: DOS programs run in ") + m_dosbox),
                 qPrintable(status(w)));
        pressPlay(w);
        QVERIFY2(status(w).startsWith(QLatin1String("Started")), qPrintable(status(w)));
        QVERIFY2(emulatorsEnded(w), "the emulator did not exit when the DOS program ended");
        QCOMPARE(textOf(game + QStringLiteral("/ARGS.TXT")), tail);
        QVERIFY2(status(w).contains(QLatin1String("has ended; Save and Play is ready again")), qPrintable(status(w)));
        QVERIFY(!QFileInfo::exists(f.dir.filePath(QStringLiteral("PWNED"))));
        QVERIFY(!QFileInfo::exists(game + QStringLiteral("/PWNED")));
        QVERIFY(test::readFile(ownFile("dosbox.conf")).contains("\ncycles=fixed 100000\n"));
    }

    void playersSettingsAddToTheGames_data()
    {
        QTest::addColumn<QByteArray>("mine"); // the player's own settings file; "" for none
        QTest::addColumn<int>("least");       // the free extended memory the game finds, in KB
        QTest::addColumn<int>("most");
        QTest::newRow("the front-end's alone: 31 MB") << QByteArray() << 29000 << 31744;
        QTest::newRow("the player's memory wins") << QByteArray("[dosbox]\nmemsize=20\n") << 18000 << 20480;
        // Their own start-up commands mount another folder as C:; the game folder still wins.
        QTest::newRow("the player's speed and start-up commands, the game's memory")
            << QByteArray("[cpu]\ncycles=fixed 50000\n[autoexec]\nmount c \"{dir}\"\n") << 29000 << 31744;
    }
    void playersSettingsAddToTheGames()
    {
        QFETCH(QByteArray, mine);
        QFETCH(int, least);
        QFETCH(int, most);
        Fixture f;
        const QString game = makeGame(f, "probe.com");
        QVERIFY(!game.isEmpty());
        const QString conf = f.dir.filePath(QStringLiteral("mine.conf"));
        if (!mine.isEmpty()) {
            QVERIFY(test::writeFile(conf, mine.replace("{dir}", f.dir.path().toLocal8Bit())));
            f.seed(QStringLiteral("Path-Emulator-Config"), conf);
        }
        f.seed(QStringLiteral("Path-Emulator"), m_dosbox);
        f.seed(QStringLiteral("Start Mode"), QStringLiteral("2"));
        MainWindow& w = f.open();
        pressPlay(w);
        QVERIFY(emulatorsEnded(w));
        const QStringList probe = textOf(game + QStringLiteral("/PROBE.TXT")).split(QStringLiteral("\r\n"));
        QVERIFY2(probe.size() == 2 && probe[0].startsWith(QLatin1String("MEM ")), qPrintable(probe.join(QLatin1Char('|'))));
        const int memory = probe[0].mid(4).toInt();
        QVERIFY2(memory >= least && memory <= most, qPrintable(probe[0]));
        QVERIFY(!QFileInfo::exists(f.dir.filePath(QStringLiteral("PROBE.TXT"))));
        // The emulator read the front-end's file first and the player's after it.
        const QByteArray log = test::readFile(ownFile("emulator.log"));
        const QByteArray own = "Loading primary settings from config file " + QFile::encodeName(ownFile("dosbox.conf"));
        QVERIFY2(log.contains(own), log.constData());
        QCOMPARE(log.contains("Loading additional settings from config file " + QFile::encodeName(conf)), !mine.isEmpty());
        QVERIFY(log.indexOf(own) < log.indexOf("additional settings") || mine.isEmpty());
    }

    void cdImageIsTheGamesCd_data()
    {
        QTest::addColumn<QString>("image"); // below the test folder
        QTest::addColumn<bool>("made");     // made by the test, holding MARKER.TXT
        QTest::addColumn<QString>("program"); // what runs: the game, or Drovex outside the game folder
        QTest::addColumn<QString>("read");    // what the game read from D:\MARKER.TXT
        QTest::addColumn<QString>("said");    // in the status bar
        QTest::newRow("image mounted as D:") << "CD Images/gp2 100% cd.iso" << true << "" << "GP2 CD" << "";
        QTest::newRow("Drovex elsewhere goes to E:") << "CD Images/gp2.iso" << true << "My Tools/DROVEX.EXE" << "GP2 CD"
                                                     << "";
        QTest::newRow("missing image: the game starts without it")
            << "CD Images/gone.iso" << false << "" << "NONE" << "gone.iso does not exist, so the game runs without its CD";
    }
    void cdImageIsTheGamesCd()
    {
        QFETCH(QString, image);
        QFETCH(bool, made);
        QFETCH(QString, program);
        QFETCH(QString, read);
        QFETCH(QString, said);
        Fixture f;
        const QString game = makeGame(f, "probe.com");
        QVERIFY(!game.isEmpty());
        const QString iso = f.dir.filePath(image);
        if (made) {
            const QString content = f.dir.filePath(QStringLiteral("cd"));
            QVERIFY(test::writeFile(content + QStringLiteral("/MARKER.TXT"), "GP2 CD"));
            QVERIFY(QDir().mkpath(QFileInfo(iso).absolutePath()));
            QProcess make;
            make.start(QStringLiteral("genisoimage"), {QStringLiteral("-quiet"), QStringLiteral("-V"), QStringLiteral("GP2"),
                                                       QStringLiteral("-o"), iso, content});
            QVERIFY2(make.waitForFinished(kRunMs) && make.exitCode() == 0,
                     "genisoimage did not make the CD image (scripts/deps.sh installs it)");
        }
        f.seed(QStringLiteral("Emulator CD Image"), iso);
        f.seed(QStringLiteral("Path-Emulator"), m_dosbox);
        if (program.isEmpty()) {
            f.seed(QStringLiteral("Start Mode"), QStringLiteral("2"));
        } else {
            QVERIFY(copyDosProgram("probe.com", f.dir.filePath(program)));
            f.seed(QStringLiteral("Path-Drovex"), f.dir.filePath(program));
            f.seed(QStringLiteral("Start Mode"), QStringLiteral("0"));
        }
        MainWindow& w = f.open();
        pressPlay(w);
        QVERIFY2(status(w).startsWith(QLatin1String("Started")) && status(w).contains(said), qPrintable(status(w)));
        QVERIFY(emulatorsEnded(w));
        const QString probe = textOf(game + QStringLiteral("/PROBE.TXT"));
        QVERIFY2(probe.endsWith(QStringLiteral("\r\nCD ") + read), qPrintable(probe));
    }

    void refusedLaunchesSayWhy_data()
    {
        QTest::addColumn<QString>("emulator"); // "installed", "absent", or a path below the test folder
        QTest::addColumn<QString>("drovex");   // below the game folder
        QTest::addColumn<QString>("settings"); // the user's settings file below the test folder, or ""
        QTest::addColumn<QString>("folder");   // the game folder below the test folder
        QTest::addColumn<QStringList>("said");
        const QString game = QStringLiteral("Grand Prix 2");
        const QString hint = QStringLiteral("Choose Path \u2192 DOS Emulator\u2026");
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
                                               << QStringList{QStringLiteral("gone.conf"), QStringLiteral("does not exist"), hint};
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
        QTest::addColumn<bool>("logIsFolder"); // the log cannot be written: the start goes on without it
        QTest::newRow("real emulator without a display") << QByteArray() << "Exit to error: Can't init SDL" << false;
        QTest::newRow("error status") << QByteArray("#!/bin/sh\necho starting\necho 'no sound card' >&2\nexit 3\n")
                                      << "no sound card (status 3)" << false;
        QTest::newRow("killed") << QByteArray("#!/bin/sh\nkill -SEGV $$\n") << "ended by signal 11" << false;
        QTest::newRow("log unwritable") << QByteArray("#!/bin/sh\nexit 3\n") << "status 3" << true;
    }
    void emulatorEndingAtOnceIsReported()
    {
        QFETCH(QByteArray, script);
        QFETCH(QString, said);
        QFETCH(bool, logIsFolder);
        Fixture f;
        if (logIsFolder)
            QVERIFY(QDir().mkpath(ownFile("emulator.log")));
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
};

QTEST_MAIN(TestEmulator)
#include "tst_emulator.moc"
