#include "cfgfile/cfgimport.h"
#include "support/coresupport.h"

#include <QDir>
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

// "what=value" for the setting a row looks at.
QString look(const ImportedConfig& r, const QString& what)
{
    if (what == QLatin1String("zoom"))
        return r.settings.enable[14] + QLatin1Char('/') + r.settings.text[14];
    if (what == QLatin1String("maxy"))
        return r.settings.enable[16] + QLatin1Char('/') + r.settings.text[16];
    if (what == QLatin1String("rcr1"))
        return r.settings.enable[8] + QLatin1Char('/') + r.settings.text[8];
    if (what == QLatin1String("valign"))
        return r.settings.align[1] + QLatin1Char('/') + r.settings.alignIndex[1];
    if (what == QLatin1String("rotate"))
        return r.settings.check[15];
    if (what == QLatin1String("link"))
        return r.settings.enable[7] + QLatin1Char('/') + r.settings.text[7];
    if (what == QLatin1String("slot1"))
        return r.slotPaths[0].value_or(QStringLiteral("-"));
    return {};
}

} // namespace

class TestCfgImport : public QObject {
    Q_OBJECT
private slots:
    // Files in the style players write them by hand: what the window takes from each.
    void handWrittenFiles_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("notUsed");
        QTest::newRow("plain") << QByteArray("mapZoom = 3\r\n") << "zoom" << "1/3" << "";
        QTest::newRow("another letter case") << QByteArray("MAPZOOM = 3\n") << "zoom" << "1/3" << "";
        QTest::newRow("tabs, no blanks") << QByteArray("\tmapZoom\t=3\n") << "zoom" << "1/3" << "";
        QTest::newRow("LF endings") << QByteArray("[Track Map]\nmapZoom=4\n") << "zoom" << "1/4" << "";
        QTest::newRow("octal") << QByteArray("mapMaxY = 0300\n") << "maxy" << "1/192" << "";
        QTest::newRow("hex") << QByteArray("VgaRcr1 = 0x850\n") << "rcr1" << "1/2128" << "";
        QTest::newRow("a key given twice") << QByteArray("mapZoom = 1\nmapZoom = 4\n") << "zoom" << "1/1" << "";
        QTest::newRow("Ctrl-Z at the end") << QByteArray("mapZoom = 1\r\n\x1a" "mapMaxY = 7\r\n") << "maxy" << "0/194" << "";
        QTest::newRow("out of range") << QByteArray("mapZoom = 9\n") << "zoom" << "1/5" << "mapZoom (9 is out of range, 5 taken)";
        QTest::newRow("negative") << QByteArray("mapZoom = -1\n") << "zoom" << "1/5" << "mapZoom (4294967295 is out of range, 5 taken)";
        QTest::newRow("alignment out of range") << QByteArray("mapVAlign = 3\n") << "valign" << "0/0" << "mapVAlign (3 is out of range)";
        QTest::newRow("alignment") << QByteArray("mapVAlign = 2\n") << "valign" << "1/2" << "";
        QTest::newRow("unknown keys") << QByteArray("myOwnKey = 1\nmapZoom = 2\n") << "zoom" << "1/2" << "myOwnKey (unknown)";
        QTest::newRow("sections in another order") << QByteArray("[Misc]\nSpa98 = 1\n[Track Map]\nmapRotate = 1\n") << "rotate" << "1" << "";
        QTest::newRow("commented out keeps its value") << QByteArray(";mapZoom = 4\n") << "zoom" << "0/4" << "";
        QTest::newRow("absent leaves the value") << QByteArray("mapMaxY = 3\n") << "zoom" << "0/2" << "";
        QTest::newRow("over 32 bits") << QByteArray("mapZoom = 99999999999\n") << "zoom" << "0/2" << "mapZoom (a value Drovex does not read)";
        QTest::newRow("text") << QByteArray("UseIPXLink = 1\nMyLinkName = \"Speedy\"\n") << "link" << "1/Speedy" << "";
        QTest::newRow("300-character line") << QByteArray("f1ct01 = \"" + QByteArray(288, 'A') + "\"\n") << "slot1" << "-"
                                            << QStringLiteral("f1ct01 (a value Drovex does not read), ") +
                                                   QString(45, QLatin1Char('A')) + QLatin1String("\" (unknown)");
        QTest::newRow("missing track file") << QByteArray("f1ct01 = \"TRACKS\\MONZA.DAT\"\n") << "slot1" << "-"
                                            << "f1ct01 (the track file TRACKS\\MONZA.DAT is missing)";
        QTest::newRow("track file in another letter case") << QByteArray("f1ct01 = \"circuits\\NEW\\monaco.dat\"\n")
                                                           << "slot1" << "circuits\\NEW\\monaco.dat" << "";
    }
    void handWrittenFiles()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, what);
        QFETCH(QString, expected);
        QFETCH(QString, notUsed);
        QTemporaryDir game;
        QVERIFY(test::writeFile(game.filePath(QStringLiteral("CIRCUITS/NEW/MONACO.DAT")), "#GP2INFO|Name|Monaco|"));
        const ImportedConfig r = importDrovexCfg(file, fresh(), game.path());
        QCOMPARE(look(r, what), expected);
        QCOMPARE(r.notUsed.join(QStringLiteral(", ")), notUsed);
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
        QVERIFY(test::writeFile(cfg, "first"));
        const QString one = backUp(cfg);
        QCOMPARE(one, cfg + QStringLiteral(".bak"));
        QVERIFY(test::writeFile(cfg, "second"));
        const QString two = backUp(cfg);
        QVERIFY(two.endsWith(QStringLiteral(".bak")) && two != one);
        QVERIFY(test::writeFile(cfg, "third"));
        const QString three = backUp(cfg);
        QVERIFY(three != two && three != one);
        QCOMPARE(test::readFile(one), QByteArray("first"));
        QCOMPARE(test::readFile(two), QByteArray("second"));
        QCOMPARE(test::readFile(three), QByteArray("third"));
    }
};

QTEST_GUILESS_MAIN(TestCfgImport)
#include "tst_cfgimport.moc"
