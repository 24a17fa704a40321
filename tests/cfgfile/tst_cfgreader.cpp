#include "cfgfile/cfgreader.h"
#include "settings/catalogue.h"

#include <QTest>

using namespace drovex;

namespace {

QByteArray line(int length) { return ';' + QByteArray(length - 1, 'x'); }
// Bytes with NULs in them.
template <size_t n> QByteArray bytes(const char (&s)[n]) { return QByteArray(s, n - 1); }

} // namespace

class TestCfgReader : public QObject {
    Q_OBJECT
private slots:
    // One file, one key: what Drovex uses. "-" means not set, "rejected" a value it refuses.
    void readsAsDrovexDoes_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<QString>("expected");
        auto row = [](const char* name, const QByteArray& file, const char* key, const QByteArray& expected) {
            QTest::newRow(name) << file << QByteArray(key) << QString::fromLatin1(expected);
        };
        row("plain", "mapZoom = 3\r\n", "mapZoom", "3");
        row("other letter case", "MAPZOOM = 3\n", "mapZoom", "3");
        row("tabs, no blanks", "\tmapZoom\t=3\n", "mapZoom", "3");
        row("20 blanks after =", "DrawLines =" + QByteArray(20, ' ') + "300\n", "DrawLines", "300");
        row("20 blanks before =", "DrawLines" + QByteArray(20, ' ') + "= 300\n", "DrawLines", "300");
        row("octal", "mapMaxY = 0194\n", "mapMaxY", "1");
        row("octal digits", "mapMaxY = 012000\n", "mapMaxY", "5120");
        row("hex", "VgaRcr1 = 0x0850\n", "VgaRcr1", "2128");
        row("x without digits", "VgaRcr1 = 0xg\n", "VgaRcr1", "0");
        row("sign", "mapZoom = -1\n", "mapZoom", "4294967295");
        row("CockpitZoom -5", "CockpitZoom = -5\n", "CockpitZoom", "-5");
        row("CockpitZoom all bits", "CockpitZoom = 4294967295\n", "CockpitZoom", "-1");
        row("fraction", "logDebugScreenLines = 12.6\n", "logDebugScreenLines", "12");
        row("comment after the number", "DrawLines = 300 ; note\n", "DrawLines", "300");
        row("no digits", "mapZoom =     ; zoom\n", "mapZoom", "0");
        row("overflow", "DrawLines = 4294967296\n", "DrawLines", "rejected");
        row("largest", "DrawLines = 4294967295\n", "DrawLines", "4294967295");
        row("commented out", ";mapZoom = 3\n", "mapZoom", "-");
        row("hash and bracket", "#mapZoom = 3\n [mapZoom = 4\n", "mapZoom", "-");
        row("first line wins", "mapZoom = 2\nmapZoom = 5\n", "mapZoom", "2");
        row("first line wins though rejected", "mapZoom = 99999999999\nmapZoom = 5\n", "mapZoom", "rejected");
        row("sections mean nothing", "[Rcr]\nmapZoom = 1\n", "mapZoom", "1");
        row("Ctrl-Z ends the file", "\x1amapZoom = 3\n", "mapZoom", "-");
        row("carriage returns vanish", "mapZoom = 1\r\r\n", "mapZoom", "1");
        row("NUL ends a value", bytes("mapZoom = 3\0" "9\n"), "mapZoom", "3");
        row("NUL after the key", bytes("mapZoom\0= 3\nmapZoom = 4\n"), "mapZoom", "4");
        row("HideWinxx, which Drovex does not read", "hidewinxx = 1\n", "HideWinxx", "1");
        // Lines that leave a token buffer untouched reuse what an earlier piece put there.
        row("missing =", "CarRemoveTime = 15000\nDrawLines 250\n", "DrawLines", "0");
        row("empty value", "CarRemoveTime = 15000\nDrawLines =\n", "DrawLines", "15000");
        row("empty line first", "\nmapZoom = 3\n;234567= 5\n", "mapZoom", "5");
        row("empty line first, key last", "\n;234567= 5\nmapZoom = 3\n", "mapZoom", "3");
        row("empty line after a header, keys in file order", "[Track Map]\n\nmapZoom = 3\nmapMaxY = 250\n", "mapMaxY", "0");
        row("empty line after a header, keys in table order", "[Track Map]\n\nmapMaxY = 250\nmapZoom = 3\n", "mapMaxY", "250");
        // Drovex takes at most 254 characters at a time; a line of exactly 254 leaves its newline
        // as an empty piece of its own.
        row("253-character line", line(253) + "\nmapZoom = 3\n", "mapZoom", "3");
        row("254-character line", line(254) + "\nmapZoom = 3\n", "mapZoom", "0");
        row("255-character line", line(255) + "\nmapZoom = 3\n", "mapZoom", "3");
        row("cut line hides a key", "f1ct01 = \"" + QByteArray(243, 'A') + "SvgaRcr3 = 1\"\n", "SvgaRcr3", "-");
        row("cut line injects a key", "f1ct01 = \"" + QByteArray(244, 'A') + "SvgaRcr3 = 1\"\n", "SvgaRcr3", "1");
        row("text", "MyLinkName = \"Speedy\"   ; name\n", "MyLinkName", "\"Speedy\"");
        row("text with inner quotes", "MyLinkName = \"The \"Flying\" Finn\"\n", "MyLinkName", "\"The \"Flying\" Finn\"");
        row("empty text", "MyLinkName = \"\"\n", "MyLinkName", "-");
        row("one quote", "MyLinkName = \"Speedy\n", "MyLinkName", "rejected");
        row("no quote", "logDebugName = Drovex.log\n", "logDebugName", "rejected");
        row("quote beyond 190", "MyLinkName = \"" + QByteArray(189, 'a') + "\"\n", "MyLinkName", "rejected");
        row("188 between quotes", "MyLinkName = \"" + QByteArray(188, 'a') + "\"\n", "MyLinkName", '"' + QByteArray(188, 'a') + '"');
    }
    void readsAsDrovexDoes()
    {
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, key);
        QFETCH(QString, expected);
        const CfgReading reading = readDrovexCfg(file);
        const CfgEntry& e = reading.entry(key);
        QString got = QStringLiteral("-");
        if (e.status == CfgStatus::Rejected)
            got = QStringLiteral("rejected");
        else if (e.status == CfgStatus::Set)
            got = e.text.isNull() ? QString::number(e.number) : QLatin1Char('"') + QString::fromLatin1(e.text) + QLatin1Char('"');
        QCOMPARE(got, expected);
    }

    void namingLineAndWhy()
    {
        const CfgReading r = readDrovexCfg("; mine\nmapZoom = 3\nmyOwnKey = 1\n\nlogDebugName = log.txt\n" + line(253) + "\n");
        QCOMPARE(r.entry("MAPZOOM").line, 2);
        QCOMPARE(r.entry("logDebugName").line, 5);
        QCOMPARE(r.entry("logDebugName").why, QStringLiteral("no text in double quotes"));
        QCOMPARE(r.faults, (QStringList{QStringLiteral("line 4 is empty"),
                                        QStringLiteral("line 6 has 253 characters; Drovex reads at most 254 at a time")}));
    }

    // Equal lines in a row are read once; a file that still takes too many lines read is given up.
    void boundedWork()
    {
        const QByteArray file = QByteArray(100000, '\n') + "SVGARcr3 = 7\n";
        QCOMPARE(readDrovexCfg(file, 2 * kReadKeyCount).entry("SVGARcr3").number, 7);
        // Keys at the end, in the order Drovex looks them up: every search walks the file anew.
        QByteArray keysLast = QByteArray("\n \n").repeated(50);
        for (const CfgKey& k : drovexKeys().first(20))
            keysLast += QByteArray(k.name) + (k.kind == CfgKind::Text ? " = \"x\"\n" : " = 1\n");
        QCOMPARE(readDrovexCfg(keysLast, 3000).entry("logPerf").number, 1);
        const CfgReading r = readDrovexCfg(keysLast, 1000);
        QCOMPARE(r.givenUp, QStringLiteral("Drovex would read more than 1000 lines to look up its keys in it"));
        QCOMPARE(r.entry("logPerf").status, CfgStatus::NotSet);
    }

    // The keys the window writes are Drovex's, and the ten it has no control for are the lines a
    // player's file keeps.
    void keyTable()
    {
        for (const Setting& s : kSettings) {
            for (const char* key : {s.cfgKey, s.cfgTextKey}) {
                if (!key)
                    continue;
                const int i = findReadKey(key);
                QVERIFY2(i >= 0 && readKeys()[static_cast<size_t>(i)].control, key);
                QCOMPARE(i == kDrovexKeyCount, qstrcmp(key, "HideWinxx") == 0);
            }
        }
        QVERIFY(namesKeyWithoutControl("  KeepDistUnit=1"));
        QVERIFY(namesKeyWithoutControl("SeasonOverrides = \"override.cfg\""));
        QVERIFY(!namesKeyWithoutControl("hidewinxx = 1"));
        QVERIFY(!namesKeyWithoutControl("; PureDOS = 1"));
        QVERIFY(!namesKeyWithoutControl("= 1"));
    }
};

QTEST_GUILESS_MAIN(TestCfgReader)
#include "tst_cfgreader.moc"
