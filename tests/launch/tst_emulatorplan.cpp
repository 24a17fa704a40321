#include "launch/emulator.h"
#include "launch/emulatorwatch.h"
#include "support/coresupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace drovex;

namespace {

// Makes an executable file (its content does not matter to the planning).
bool makeProgram(const QString& path)
{
    return test::writeFile(path, "#!/bin/sh\n") &&
           QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::ExeOwner);
}

// Texts as a list, each read as UTF-8.
QStringList strings(std::initializer_list<const char*> texts)
{
    QStringList out;
    for (const char* t : texts)
        out << QString::fromUtf8(t);
    return out;
}

} // namespace

class TestEmulatorPlan : public QObject {
    Q_OBJECT
private slots:
    void dosProgramsByTheirEnding_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("dos");
        QTest::newRow("exe in capitals") << "/g/DROVEX.EXE" << true;
        QTest::newRow("mixed case") << "/g/gp2.Exe" << true;
        QTest::newRow("com") << "/g/x.com" << true;
        QTest::newRow("batch") << "/b/go.BAT" << true;
        QTest::newRow("script of the user") << "/b/go.sh" << false;
        QTest::newRow("no ending") << "/usr/bin/drovex" << false;
        QTest::newRow("ending further in") << "/g/a.exe.sh" << false;
        QTest::newRow("folder named like one") << "/g.exe/run" << false;
    }
    void dosProgramsByTheirEnding()
    {
        QFETCH(QString, path);
        QFETCH(bool, dos);
        QCOMPARE(isDosProgram(path), dos);
    }

    void emulatorFromTheStoreOrPath_data()
    {
        QTest::addColumn<bool>("held");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QStringList>("onPath");
        QTest::addColumn<int>("source");
        QTest::addColumn<QString>("program"); // relative to the PATH folder; "" for none
        using S = EmulatorChoice::Source;
        QTest::newRow("absent: the first candidate")
            << false << "" << test::texts({"dosbox-staging", "dosbox", "dosbox-x"}) << int(S::SearchPath) << "dosbox";
        QTest::newRow("absent: a later candidate") << false << "" << test::texts({"dosbox-staging"})
                                                   << int(S::SearchPath) << "dosbox-staging";
        QTest::newRow("absent: none on PATH") << false << "" << QStringList{} << int(S::SearchPath) << "";
        QTest::newRow("empty: start directly") << true << "" << test::texts({"dosbox"}) << int(S::Direct) << "";
        QTest::newRow("blank: start directly") << true << "  " << test::texts({"dosbox"}) << int(S::Direct) << "";
        QTest::newRow("bare name looked for on PATH") << true << "dosbox-x" << test::texts({"dosbox", "dosbox-x"})
                                                      << int(S::Stored) << "dosbox-x";
    }
    void emulatorFromTheStoreOrPath()
    {
        QFETCH(bool, held);
        QFETCH(QString, stored);
        QFETCH(QStringList, onPath);
        QFETCH(int, source);
        QFETCH(QString, program);
        QTemporaryDir bin;
        for (const QString& name : onPath)
            QVERIFY(makeProgram(bin.filePath(name)));
        const QByteArray oldPath = qgetenv("PATH");
        qputenv("PATH", bin.path().toLocal8Bit());
        const EmulatorChoice c = chooseEmulator(held, stored);
        qputenv("PATH", oldPath);
        QCOMPARE(int(c.source()), source);
        QCOMPARE(c.program(), program.isEmpty() ? QString() : bin.filePath(program));
        QCOMPARE(emulatorProblem(c).isEmpty(), c.source() == EmulatorChoice::Source::Direct || !program.isEmpty());
    }

    void argumentsForTheEmulator_data()
    {
        QTest::addColumn<QString>("game");
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<bool>("userConfig");
        QTest::addColumn<QString>("cdImage"); // below the test folder; "" for none
        QTest::addColumn<QStringList>("expected"); // {game}, {other}, {cd}, {own} and {user} stand for the paths
        QTest::addColumn<QString>("note");
        QTest::newRow("program in a sub-folder of the game")
            << "Grand Prix 2" << "Grand Prix 2/Tools/drovex.exe" << strings({"video:vesa", "nomusic"}) << false << ""
            << strings({"-conf", "{own}", "-c", "MOUNT C \"{game}\"", "-c", "C:", "-c", "CD \\",
                           "-c", "TOOLS\\DROVEX.EXE video:vesa nomusic", "-c", "EXIT"})
            << "";
        QTest::newRow("batch file elsewhere, settings of the user after the own, percent signs")
            << "GP2 100%" << "Batch Files/go.bat" << QStringList{} << true << ""
            << strings({"-conf", "{own}", "-conf", "{user}", "-c", "MOUNT -u C", "-c", "MOUNT C \"{game}\"",
                           "-c", "MOUNT -u D", "-c", "MOUNT D \"{other}\"", "-c", "C:", "-c", "CD \\",
                           "-c", "CALL D:\\GO.BAT", "-c", "EXIT"})
            << "";
        QTest::newRow("percent sign in an option word")
            << "GP2" << "GP2/GP2.EXE" << strings({"cd:%"}) << false << ""
            << strings({"-conf", "{own}", "-c", "MOUNT C \"{game}\"", "-c", "C:", "-c", "CD \\",
                           "-c", "GP2.EXE cd:%%", "-c", "EXIT"})
            << "";
        QTest::newRow("CD image as D:, Drovex elsewhere as E:")
            << "GP2" << "Tools/DROVEX.EXE" << QStringList{} << true << "Images/gp2 cd.CUE"
            << strings({"-conf", "{own}", "-conf", "{user}", "-c", "MOUNT -u C", "-c", "MOUNT C \"{game}\"",
                           "-c", "MOUNT -u D", "-c", "IMGMOUNT D \"{cd}\" -t iso", "-c", "MOUNT -u E",
                           "-c", "MOUNT E \"{other}\"", "-c", "C:", "-c", "CD \\", "-c", "E:\\DROVEX.EXE", "-c", "EXIT"})
            << "";
        QTest::newRow("missing CD image: started without it")
            << "GP2" << "Tools/DROVEX.EXE" << QStringList{} << false << "gone.iso"
            << strings({"-conf", "{own}", "-c", "MOUNT C \"{game}\"", "-c", "MOUNT D \"{other}\"", "-c", "C:",
                           "-c", "CD \\", "-c", "D:\\DROVEX.EXE", "-c", "EXIT"})
            << "gone.iso does not exist, so the game runs without its CD";
        QTest::newRow("not a CD image") << "GP2" << "GP2/GP2.EXE" << QStringList{} << false << "GP2/GP2.EXE"
                                        << strings({"-conf", "{own}", "-c", "MOUNT C \"{game}\"", "-c", "C:",
                                                       "-c", "CD \\", "-c", "GP2.EXE", "-c", "EXIT"})
                                        << "is not a CD image (.iso, .cue or .bin)";
    }
    void argumentsForTheEmulator()
    {
        QFETCH(QString, game);
        QFETCH(QString, program);
        QFETCH(QStringList, words);
        QFETCH(bool, userConfig);
        QFETCH(QString, cdImage);
        QFETCH(QStringList, expected);
        QFETCH(QString, note);
        QTemporaryDir dir;
        const QString gameFolder = dir.filePath(game);
        QVERIFY(QDir().mkpath(gameFolder));
        QVERIFY(makeProgram(dir.filePath(program)));
        const QString user = dir.filePath(QStringLiteral("my.conf"));
        QVERIFY(test::writeFile(user, "[cpu]\ncycles=20000\n"));
        const QString own = dir.filePath(QStringLiteral("own/dosbox.conf"));
        const QString cd = cdImage.isEmpty() ? QString() : dir.filePath(cdImage);
        if (cdImage.startsWith(QLatin1String("Images/")))
            QVERIFY(test::writeFile(cd, "FILE \"gp2 cd.bin\" BINARY\n"));

        const LaunchPlan plan{QStringLiteral("Drovex"), dir.filePath(program), words, gameFolder};
        const EmulatorLaunch run = EmulatorLaunch::plan(plan, {own, userConfig ? user : QString(), cd});
        QVERIFY2(run.ok(), qPrintable(run.problem()));
        QStringList want;
        for (QString a : expected)
            want << a.replace(QLatin1String("{game}"), QString(gameFolder).replace(QLatin1String("%"), QLatin1String("%%")))
                        .replace(QLatin1String("{other}"), QFileInfo(dir.filePath(program)).absolutePath())
                        .replace(QLatin1String("{cd}"), cd)
                        .replace(QLatin1String("{own}"), own)
                        .replace(QLatin1String("{user}"), user);
        QCOMPARE(run.arguments(), want);
        QCOMPARE(run.notes().join(QLatin1Char('|')).contains(note), true);
        QCOMPARE(run.notes().isEmpty(), note.isEmpty());
    }

    void refusedBeforeTheEmulatorStarts_data()
    {
        QTest::addColumn<QString>("game");
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<QString>("why");
        const QString deep = QString(60, QLatin1Char('x')) + QStringLiteral("/") + QString(60, QLatin1Char('y')) +
                             QStringLiteral("/") + QString(60, QLatin1Char('z'));
        QTest::newRow("redirection in an option word")
            << "GP2" << "GP2/GP2.EXE" << test::texts({"cd:>"}) << "\"cd:>\" holds \">\"";
        QTest::newRow("option words longer than a DOS command line")
            << "GP2" << "GP2/GP2.EXE" << QStringList(13, QStringLiteral("setmanualdetail")) << "more than the 126";
        QTest::newRow("game folder too long to mount") << deep << deep + QLatin1String("/GP2.EXE") << QStringList{}
                                                       << "more than the 200 the emulator takes";
        QTest::newRow("line break in the game folder") << "GP2\nnew" << "GP2\nnew/GP2.EXE" << QStringList{}
                                                       << "control character";
        QTest::newRow("program deeper than DOS reaches")
            << "GP2" << "GP2/AAAAAAAA/BBBBBBBB/CCCCCCCC/DDDDDDDD/EEEEEEEE/FFFFFFFF/GGGGGGGG/X.EXE" << QStringList{}
            << "more than the 64";
        QTest::newRow("no game folder") << "" << "GP2/GP2.EXE" << QStringList{} << "no game folder is set";
    }
    void refusedBeforeTheEmulatorStarts()
    {
        QFETCH(QString, game);
        QFETCH(QString, program);
        QFETCH(QStringList, words);
        QFETCH(QString, why);
        QTemporaryDir dir;
        if (!game.isEmpty())
            QVERIFY(QDir().mkpath(dir.filePath(game)));
        QVERIFY(makeProgram(dir.filePath(program)));
        const LaunchPlan plan{QStringLiteral("Drovex"), dir.filePath(program), words,
                              game.isEmpty() ? QString() : dir.filePath(game)};
        const EmulatorLaunch run = EmulatorLaunch::plan(plan, {dir.filePath(QStringLiteral("own.conf")), {}, {}});
        QVERIFY(!run.ok());
        QVERIFY(run.arguments().isEmpty());
        QVERIFY2(run.problem().contains(why), qPrintable(run.problem()));
    }

    void howAnEmulatorEnded_data()
    {
        QTest::addColumn<bool>("signalled");
        QTest::addColumn<int>("code");
        QTest::addColumn<QByteArray>("output");
        QTest::addColumn<QString>("failure");
        QTest::newRow("ended well") << false << 0 << QByteArray("DOSBox version 0.74\n\n") << "";
        QTest::newRow("fatal error with status 0")
            << false << 0 << QByteArray("DOSBox\nExit to error: Can't init SDL No available video device\n\n")
            << "Exit to error: Can't init SDL No available video device";
        QTest::newRow("status with its last line") << false << 3 << QByteArray("one\r\nno sound card\r\n\r\n")
                                                    << "no sound card (status 3)";
        QTest::newRow("status without output") << false << 1 << QByteArray() << "it ended with status 1";
        QTest::newRow("signal") << true << 11 << QByteArray() << "it was ended by signal 11";
    }
    void howAnEmulatorEnded()
    {
        QFETCH(bool, signalled);
        QFETCH(int, code);
        QFETCH(QByteArray, output);
        QFETCH(QString, failure);
        QCOMPARE(emulatorFailure(signalled, code, output), failure);
    }
};

QTEST_GUILESS_MAIN(TestEmulatorPlan)
#include "tst_emulatorplan.moc"
