// The command line, read before any window exists: what ends the program at once, with what
// text and status, and what goes on to the window (Qt's own options included).
#include "app/commandline.h"
#include "support/coresupport.h"
#include "version.h"

#include <QTest>

using namespace drovex;

class TestCommandLine : public QObject {
    Q_OBJECT
private slots:
    void answers_data()
    {
        QTest::addColumn<QStringList>("arguments"); // after the program's name
        QTest::addColumn<bool>("startWindow");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("output"); // the whole of it, or a part when it ends in "..."
        QTest::addColumn<QString>("errors"); // a part of it

        const QString version = QStringLiteral("Drovex Front-End %1\n").arg(QLatin1String(kVersion));
        QTest::newRow("nothing") << QStringList() << true << 0 << QString() << QString();
        QTest::newRow("--version") << test::texts({"--version"}) << false << 0 << version << QString();
        QTest::newRow("-v") << test::texts({"-v"}) << false << 0 << version << QString();
        QTest::newRow("--help") << test::texts({"--help"}) << false << 0 << QStringLiteral("Usage: drovex...")
                                << QString();
        QTest::newRow("-h") << test::texts({"-h"}) << false << 0 << QStringLiteral("Usage: drovex...") << QString();
        QTest::newRow("help wins") << test::texts({"--version", "--help"}) << false << 0
                                   << QStringLiteral("Usage: drovex...") << QString();
        QTest::newRow("unknown option") << test::texts({"--fullscreen"}) << false << 2 << QString()
                                        << QStringLiteral("drovex: Unknown option 'fullscreen'.");
        QTest::newRow("unknown with help") << test::texts({"--help", "--fullscreen"}) << false << 2 << QString()
                                           << QStringLiteral("Try 'drovex --help'");
        QTest::newRow("unknown letter") << test::texts({"-x"}) << false << 2 << QString()
                                        << QStringLiteral("Unknown option 'x'");
        QTest::newRow("an argument") << test::texts({"GP2.EXE"}) << false << 2 << QString()
                                     << QStringLiteral("drovex: takes no arguments, but was given 'GP2.EXE'.");
        QTest::newRow("Qt: -platform") << test::texts({"-platform", "offscreen"}) << true << 0 << QString()
                                       << QString();
        QTest::newRow("Qt: --style=") << test::texts({"--style=fusion"}) << true << 0 << QString() << QString();
        QTest::newRow("Qt: -session") << test::texts({"-session", "10d3c2e4b1"}) << true << 0 << QString() << QString();
        QTest::newRow("Qt: -reverse") << test::texts({"-reverse"}) << true << 0 << QString() << QString();
        QTest::newRow("Qt: -platform without a value") << test::texts({"-platform"}) << false << 2 << QString()
                                                       << QStringLiteral("Missing value after '-platform'");
    }
    void answers()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, startWindow);
        QFETCH(int, exitCode);
        QFETCH(QString, output);
        QFETCH(QString, errors);
        const CommandLineAnswer answer = readCommandLine(QStringList{QStringLiteral("/usr/bin/drovex")} + arguments);
        QCOMPARE(answer.startWindow, startWindow);
        QCOMPARE(answer.exitCode, exitCode);
        if (output.endsWith(QLatin1String("...")))
            QVERIFY2(answer.output.startsWith(output.chopped(3)), qPrintable(answer.output));
        else
            QCOMPARE(answer.output, output);
        QVERIFY2(answer.errors.contains(errors), qPrintable(answer.errors));
        QCOMPARE(answer.errors.isEmpty(), errors.isEmpty());
    }

    // Without a display Qt would abort: the program says what to set and ends with 1 instead, and
    // starts wherever one of the platforms Qt tries can open the window.
    void display_data()
    {
        QTest::addColumn<QStringList>("arguments"); // after the program's name
        QTest::addColumn<QStringList>("environment");
        QTest::addColumn<bool>("startWindow");
        QTest::newRow("nothing") << QStringList() << QStringList() << false;
        QTest::newRow("empty DISPLAY") << QStringList() << test::texts({"DISPLAY="}) << false;
        QTest::newRow("X11") << QStringList() << test::texts({"DISPLAY=:0"}) << true;
        QTest::newRow("Wayland") << QStringList() << test::texts({"WAYLAND_DISPLAY=wayland-0"}) << true;
        QTest::newRow("offscreen") << QStringList() << test::texts({"QT_QPA_PLATFORM=offscreen"}) << true;
        QTest::newRow("vnc with options") << QStringList() << test::texts({"QT_QPA_PLATFORM=vnc:size=800x600"}) << true;
        QTest::newRow("xcb asked for, Wayland there")
            << QStringList() << test::texts({"QT_QPA_PLATFORM=xcb", "WAYLAND_DISPLAY=wayland-0"}) << false;
        QTest::newRow("wayland asked for, X11 there")
            << QStringList() << test::texts({"QT_QPA_PLATFORM=wayland-egl", "DISPLAY=:0"}) << false;
        QTest::newRow("second choice there")
            << QStringList() << test::texts({"QT_QPA_PLATFORM=wayland;xcb", "DISPLAY=:0"}) << true;
        QTest::newRow("-platform offscreen") << test::texts({"-platform", "offscreen"}) << QStringList() << true;
        QTest::newRow("--platform xcb wins") << test::texts({"--platform", "xcb"})
                                             << test::texts({"QT_QPA_PLATFORM=offscreen"}) << false;
        QTest::newRow("-display") << test::texts({"-display", ":1"}) << QStringList() << true;
    }
    void display()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, environment);
        QFETCH(bool, startWindow);
        QProcessEnvironment variables;
        for (const QString& variable : environment)
            variables.insert(variable.section(QLatin1Char('='), 0, 0), variable.section(QLatin1Char('='), 1));
        const CommandLineAnswer answer =
            checkDisplay(QStringList{QStringLiteral("/usr/games/drovex")} + arguments, variables);
        QCOMPARE(answer.startWindow, startWindow);
        QCOMPARE(answer.exitCode, startWindow ? 0 : 1);
        QCOMPARE(answer.errors, startWindow ? QString()
                                            : QStringLiteral("drovex: no display: set DISPLAY or WAYLAND_DISPLAY, "
                                                             "or use QT_QPA_PLATFORM=offscreen\n"));
        QVERIFY(answer.output.isEmpty());
    }

    // The help lists the program's own options and where its settings are, and keeps Qt's
    // options, which it only lets pass, out of sight.
    void helpText()
    {
        const QString help = readCommandLine({QStringLiteral("drovex"), QStringLiteral("--help")}).output;
        QVERIFY(help.contains(QLatin1String("--version")));
        QVERIFY(help.contains(QLatin1String("--help")));
        QVERIFY(help.contains(QLatin1String("Drovex Windows Front-End.ini")));
        QVERIFY2(!help.contains(QLatin1String("platform <")) && !help.contains(QLatin1String("session")),
                 qPrintable(help));
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
