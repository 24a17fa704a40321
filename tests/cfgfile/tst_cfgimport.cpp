#include "cfgfile/cfgimport.h"
#include "common/codepage.h"
#include "support/coresupport.h"

#include <QDate>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace drovex;

namespace {

SettingsSnapshot fresh()
{
    SettingsSnapshot s = initialSnapshot();
    s.check[kGp2OptionsSwitch] = QStringLiteral("0");
    return s;
}

// "switch/value" of the setting a row looks at.
QString look(const ImportedConfig& r, const QString& what)
{
    const SettingsSnapshot& s = r.settings;
    const QHash<QString, int> valued{{QStringLiteral("zoom"), 14}, {QStringLiteral("maxy"), 16}, {QStringLiteral("rcr1"), 8},
                                     {QStringLiteral("cockpit"), 5}, {QStringLiteral("lines"), 18},
                                     {QStringLiteral("link"), 7}, {QStringLiteral("debug"), 6}};
    const QHash<QString, int> plain{{QStringLiteral("rotate"), 15}, {QStringLiteral("spa"), 6}, {QStringLiteral("glx"), 7}};
    if (valued.contains(what))
        return s.enable[static_cast<size_t>(valued[what])] + QLatin1Char('/') + s.text[static_cast<size_t>(valued[what])];
    if (plain.contains(what))
        return s.check[static_cast<size_t>(plain[what])];
    if (what == QLatin1String("valign"))
        return s.align[1] + QLatin1Char('/') + s.alignIndex[1];
    if (what == QLatin1String("slot1"))
        return r.slotPaths[0] ? (r.slotPaths[0]->isEmpty() ? QStringLiteral("own") : *r.slotPaths[0]) : QStringLiteral("-");
    if (what == QLatin1String("kept"))
        return r.keptLines.join(QLatin1Char('|'));
    return {};
}

} // namespace

class TestCfgImport : public QObject {
    Q_OBJECT
private slots:
    // Files in the style players write them by hand: what the window takes from each, and what
    // the status bar says about it.
    void handWrittenFiles_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("message");
        auto row = [](const char* name, const QByteArray& file, const char* what, const char* expected, const char* message) {
            QTest::newRow(name) << file << QString::fromLatin1(what) << QString::fromLatin1(expected)
                                << QStringLiteral("Imported ") + QString::fromLatin1(message);
        };
        row("plain", "mapZoom = 3\r\n", "zoom", "1/3", "1 settings from mine.cfg");
        row("20 blanks after =", "mapZoom =" + QByteArray(20, ' ') + "4\n", "zoom", "1/4", "1 settings from mine.cfg");
        row("octal", "mapMaxY = 0300\n", "maxy", "1/192", "1 settings from mine.cfg");
        row("hex", "VgaRcr1 = 0x850\n", "rcr1", "1/2128", "1 settings from mine.cfg");
        row("beyond the limits", "mapZoom = 9\n", "zoom", "1/5", "1 settings from mine.cfg; clamped: mapZoom (9 clamped to 5)");
        row("negative", "mapZoom = -1\n", "zoom", "1/5", "1 settings from mine.cfg; clamped: mapZoom (4294967295 clamped to 5)");
        row("CockpitZoom -5", "CockpitZoom = -5\n", "cockpit", "1/64", "1 settings from mine.cfg; clamped: CockpitZoom (-5 clamped to 64)");
        row("empty value reuses the last one", "CarRemoveTime = 15000\nDrawLines =\n", "lines", "1/479",
            "2 settings from mine.cfg; clamped: DrawLines (15000 clamped to 479)");
        row("alignment out of range", "mapVAlign = 3\n", "valign", "0/0", "0 settings from mine.cfg; not used: mapVAlign (3 is out of range)");
        row("commented out keeps its value", ";mapZoom = 4\n", "zoom", "0/4", "0 settings from mine.cfg");
        row("absent leaves the value", "mapMaxY = 3\n", "zoom", "0/2", "1 settings from mine.cfg");
        row("over 32 bits", "mapZoom = 99999999999\n", "zoom", "0/2",
            "0 settings from mine.cfg; not used: mapZoom (line 1: a number over 32 bits)");
        row("on/off absent takes the default", "mapZoom = 2\n", "rotate", "1", "1 settings from mine.cfg");
        row("on/off beyond 1", "Spa98 = 2\n", "spa", "1", "1 settings from mine.cfg; clamped: Spa98 (2 taken as 1)");
        row("Log CC takes Log GLX", "logCC = 1\nlogGLX = 0\n", "glx", "1",
            "2 settings from mine.cfg; clamped: logGLX (taken as 1, as logCC is on)");
        row("text", "UseIPXLink = 1\nMyLinkName = \"Speedy\"\n", "link", "1/Speedy", "2 settings from mine.cfg");
        row("text absent", "mapZoom = 2\n", "link", "0/", "1 settings from mine.cfg");
        row("text without quotes", "logDebugName = Drovex.log\n", "debug", "1/",
            "0 settings from mine.cfg; not used: logDebugName (line 1: no text in double quotes)");
        row("slot absent", "mapZoom = 2\n", "slot1", "own", "1 settings from mine.cfg");
        row("300-character line", "f1ct01 = \"" + QByteArray(289, 'A') + "\"\n", "slot1", "own",
            "0 settings from mine.cfg; not used: f1ct01 (line 1: only one double quote); "
            "not kept: line 1, f1ct01 (300 characters, more than 252)");
        row("missing track file", "f1ct01 = \"TRACKS\\MONZA.DAT\"\n", "slot1", "-",
            "0 settings from mine.cfg; not used: f1ct01 (the track file TRACKS\\MONZA.DAT is missing)");
        row("track file in another letter case", "f1ct01 = \"circuits\\NEW\\monaco.dat\"\n", "slot1", "circuits\\NEW\\monaco.dat",
            "1 settings from mine.cfg");
        row("lines without control", "PureDOS = 1\r\nmapZoom = 2\r\n  SeasonOverrides = \"x.cfg\" ; mine\r\n[Misc]\r\n", "kept",
            "PureDOS = 1|  SeasonOverrides = \"x.cfg\" ; mine",
            "1 settings from mine.cfg; kept 2 lines the window has no control for: PureDOS, SeasonOverrides");
    }
    void handWrittenFiles()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, what);
        QFETCH(QString, expected);
        QFETCH(QString, message);
        QTemporaryDir game;
        QVERIFY(test::writeFile(game.filePath(QStringLiteral("CIRCUITS/NEW/MONACO.DAT")), "#GP2INFO|Name|Monaco|"));
        const ImportedConfig r = importDrovexCfg(file, fresh(), game.path());
        QCOMPARE(look(r, what), expected);
        QCOMPARE(importMessage(r, QStringLiteral("mine.cfg")), message);
    }

    // However many lines a file holds, a bounded number is kept, byte for byte, and the rest named.
    void keptLinesAreBounded()
    {
        QByteArray file = "Season\x81Name = \"Gr\xfc\x9d\"\n" + QByteArray("BadLine = 1\x01\n");
        for (int i = 0; i < 300; ++i)
            file += "k" + QByteArray::number(i) + "=1\r\n";
        const ImportedConfig r = importDrovexCfg(file, fresh(), QString());
        QCOMPARE(r.keptLines.size(), kKeptLinesMax);
        QCOMPARE(toWindows1252(r.keptLines.first()), QByteArray("Season\x81Name = \"Gr\xfc\x9d\""));
        QCOMPARE(r.notKept, (QStringList{QStringLiteral("line 2, BadLine (a control character)"),
                                         QStringLiteral("45 more lines (at most 256 are kept)")}));
    }

    void foreignFiles_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("foreign");
        QByteArray ours;
        for (int i = 1; i <= 8; ++i)
            ours += ";\r\n";
        QTest::newRow("ours") << QByteArray(ours + ";     This File is created with Drovex Windows Front-End Version 1.14\r\n") << false;
        QTest::newRow("ours, another version") << QByteArray(ours + ";This File is created with Drovex Windows Front-End Version 1.13\n") << false;
        QTest::newRow("hand-made") << QByteArray("mapZoom = 3\r\n") << true;
        QTest::newRow("empty") << QByteArray() << true;
        QTest::newRow("line 9 without its mark") << QByteArray(ours + "This File is created with Drovex Windows Front-End\n") << true;
    }
    void foreignFiles()
    {
        QFETCH(QByteArray, file);
        QFETCH(bool, foreign);
        QCOMPARE(isForeignConfig(file), foreign);
    }

    void backUpNeverOverwrites()
    {
        QTemporaryDir dir;
        const QString cfg = dir.filePath(QStringLiteral("Drovex.cfg"));
        const QString dated = cfg + QLatin1Char('.') + QDate::currentDate().toString(Qt::ISODate);
        QStringList copies;
        for (const char* content : {"first", "second", "third"}) {
            QVERIFY(test::writeFile(cfg, content));
            copies << backUpName(cfg);
            QVERIFY(backUp(cfg, copies.last()));
            QVERIFY(!backUp(cfg, copies.last()));
        }
        QCOMPARE(copies, (QStringList{cfg + QStringLiteral(".bak"), dated + QStringLiteral(".bak"), dated + QStringLiteral("-2.bak")}));
        QCOMPARE(test::readFile(copies[0]), QByteArray("first"));
        QCOMPARE(test::readFile(copies[2]), QByteArray("third"));
    }

    // Reading stops at the limit whatever size the file system reports, and says why.
    void largeFilesAreRefused()
    {
        QTemporaryDir dir;
        const QString sparse = dir.filePath(QStringLiteral("sparse.cfg"));
        QFile f(sparse);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.resize(qint64(1) << 31));
        f.close();
        QCOMPARE(readConfigFile(sparse).problem, QStringLiteral("it is too large for a Drovex.cfg (2147483648 bytes; at most 1048576 are read)"));
        QVERIFY(test::writeFile(sparse, QByteArray(kConfigFileMax, ';')));
        QCOMPARE(readConfigFile(sparse).bytes->size(), kConfigFileMax);
        const QString pagemap = QStringLiteral("/proc/self/pagemap"); // reports a size of 0
        if (QFile p(pagemap); !p.open(QIODevice::ReadOnly) || p.read(8).size() != 8)
            QSKIP("/proc/self/pagemap cannot be read here");
        QCOMPARE(readConfigFile(pagemap).problem, QStringLiteral("it is too large for a Drovex.cfg (more than 1048576 bytes)"));
    }
};

QTEST_GUILESS_MAIN(TestCfgImport)
#include "tst_cfgimport.moc"
