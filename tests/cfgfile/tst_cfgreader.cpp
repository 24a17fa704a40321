#include "cfgfile/cfgreader.h"

#include <QTest>

using namespace drovex;

class TestCfgReader : public QObject {
    Q_OBJECT
private slots:
    // One file, one key: what Drovex reads. "-" means not set.
    void readsAsDrovexDoes_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain") << QByteArray("mapZoom = 3\r\n") << QByteArray("mapZoom") << "3";
        QTest::newRow("other letter case") << QByteArray("MAPZOOM = 3\n") << QByteArray("mapZoom") << "3";
        QTest::newRow("tabs, no blanks") << QByteArray("\tmapZoom\t=3\n") << QByteArray("mapZoom") << "3";
        QTest::newRow("no blanks") << QByteArray("mapZoom=4") << QByteArray("mapZoom") << "4";
        QTest::newRow("octal") << QByteArray("mapMaxY = 0194\n") << QByteArray("mapMaxY") << "1";
        QTest::newRow("octal digits") << QByteArray("mapMaxY = 012000\n") << QByteArray("mapMaxY") << "5120";
        QTest::newRow("hex") << QByteArray("VgaRcr1 = 0x0850\n") << QByteArray("VgaRcr1") << "2128";
        QTest::newRow("x without digits") << QByteArray("VgaRcr1 = 0xg\n") << QByteArray("VgaRcr1") << "0";
        QTest::newRow("sign") << QByteArray("mapZoom = -1\n") << QByteArray("mapZoom") << "4294967295";
        QTest::newRow("fraction") << QByteArray("logDebugScreenLines = 12.6\n") << QByteArray("logDebugScreenLines") << "12";
        QTest::newRow("no digits") << QByteArray("CockpitZoom =     ; zoom\n") << QByteArray("CockpitZoom") << "0";
        QTest::newRow("letters") << QByteArray("CockpitZoom = x7\n") << QByteArray("CockpitZoom") << "0";
        QTest::newRow("over 32 bits") << QByteArray("CockpitZoom = 4294967296\n") << QByteArray("CockpitZoom") << "-";
        QTest::newRow("largest 32 bits") << QByteArray("CockpitZoom = 4294967295\n") << QByteArray("CockpitZoom") << "4294967295";
        QTest::newRow("commented out") << QByteArray(";mapZoom = 3\n") << QByteArray("mapZoom") << "-";
        QTest::newRow("hash and bracket") << QByteArray("#mapZoom = 3\n [mapZoom = 4\n") << QByteArray("mapZoom") << "-";
        QTest::newRow("first line wins") << QByteArray("mapZoom = 2\nmapZoom = 5\n") << QByteArray("mapZoom") << "2";
        QTest::newRow("first line wins though rejected") << QByteArray("mapZoom 2\nmapZoom = 5\n") << QByteArray("mapZoom") << "-";
        QTest::newRow("separator of 14") << QByteArray("mapZoom      =       3\n") << QByteArray("mapZoom") << "3";
        QTest::newRow("separator of 15") << QByteArray("mapZoom       =       3\n") << QByteArray("mapZoom") << "-";
        QTest::newRow("sections mean nothing") << QByteArray("[Rcr]\nmapZoom = 1\n") << QByteArray("mapZoom") << "1";
        QTest::newRow("Ctrl-Z ends the file") << QByteArray("\x1amapZoom = 3\n") << QByteArray("mapZoom") << "-";
        QTest::newRow("CR only lines vanish") << QByteArray("mapZoom = 1\r\r\n") << QByteArray("mapZoom") << "1";
        QTest::newRow("text") << QByteArray("MyLinkName = \"Speedy\"   ; name\n") << QByteArray("MyLinkName") << "\"Speedy\"";
        QTest::newRow("text with inner quotes") << QByteArray("MyLinkName = \"The \"Flying\" Finn\"\n") << QByteArray("MyLinkName") << "\"The \"Flying\" Finn\"";
        QTest::newRow("empty text") << QByteArray("MyLinkName = \"\"\n") << QByteArray("MyLinkName") << "-";
        QTest::newRow("one quote") << QByteArray("MyLinkName = \"Speedy\n") << QByteArray("MyLinkName") << "-";
        QTest::newRow("quote beyond 190") << QByteArray("MyLinkName = \"" + QByteArray(189, 'a') + "\"\n") << QByteArray("MyLinkName") << "-";
        QTest::newRow("188 between quotes") << QByteArray("MyLinkName = \"" + QByteArray(188, 'a') + "\"\n") << QByteArray("MyLinkName") << QLatin1Char('"') + QString(188, QLatin1Char('a')) + QLatin1Char('"');
        // A line longer than the buffer is cut and its rest read as a line of its own.
        QTest::newRow("cut line injects a key")
            << QByteArray("f1ct01 = \"" + QByteArray(243, 'A') + "SvgaRcr3 = 1\"\n") << QByteArray("SvgaRcr3") << "1";
        // An empty line before the first key repeats the key the last search left behind, with
        // the empty line's value.
        QTest::newRow("empty line repeats a stale key")
            << QByteArray("\n;VgaRcr3 = 2640\nSvgaRcr3 = 4096\n") << QByteArray("SvgaRcr3") << "0";
    }
    void readsAsDrovexDoes()
    {
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, key);
        QFETCH(QString, expected);
        const auto v = readDrovexCfg(file).value(key.constData());
        QString got = QStringLiteral("-");
        if (v)
            got = v->kind == CfgKind::Number ? QString::number(v->number)
                                             : QLatin1Char('"') + QString::fromLatin1(v->text) + QLatin1Char('"');
        QCOMPARE(got, expected);
    }

    void faultsAndUnknownKeys()
    {
        const QByteArray file = "mapZoom = 1\n\n" + QByteArray(253, ';') + "\n" + QByteArray(252, ';') +
                                "\nmyOwnKey = 3\nMYOWNKEY = 4\n";
        const CfgReading r = readDrovexCfg(file);
        QCOMPARE(r.faults, (QStringList{QStringLiteral("line 2 is empty"),
                                        QStringLiteral("line 3 has 253 characters; Drovex reads at most 253 at a time")}));
        QCOMPARE(r.unknownKeys, (QList<QByteArray>{"myOwnKey", "MYOWNKEY"}));
        QCOMPARE(r.rejected, (QHash<QByteArray, int>{}));
    }

    void everyKeyOnce()
    {
        QSet<QByteArray> seen;
        for (const CfgKey& k : drovexKeys())
            QVERIFY(!seen.contains(QByteArray(k.name).toLower()) && (seen.insert(QByteArray(k.name).toLower()), true));
        QCOMPARE(seen.size(), 58);
        QVERIFY(findDrovexKey("SVGARCR3"));
        QVERIFY(!findDrovexKey("SvgaRcr"));
    }
};

QTEST_GUILESS_MAIN(TestCfgReader)
#include "tst_cfgreader.moc"
