#include "settings/snapshot.h"
#include "support/coresupport.h"

#include <QTemporaryDir>
#include <QTest>

using namespace drovex;

class TestSnapshot : public QObject {
    Q_OBJECT
private slots:
    // Saving walks the valued settings in the order 0, 1, 2, 15, 4 .. 14, 3, 16, 17, 18, 19, 20,
    // switch keys first, then value keys, then the three index keys.
    void saveOrder()
    {
        const QList<StoreEntry> e = snapshotEntries(initialSnapshot());
        QCOMPARE(e.size(), 65);
        QCOMPARE(e[0].first, QStringLiteral("No Fastest Lap"));
        QCOMPARE(e[17].first, QStringLiteral("Menu Track Map"));
        const QStringList valuedSwitches = test::texts({"Split 1 Color", "Split 2 Color", "Line Color",
                                                        "Mark Top X", "Car Remove Time", "Cockpit Zoom", "Log Debug",
                                                        "Use IPX Link", "VGA RCR 1", "SVGA RCR 1", "VGA RCR 2",
                                                        "SVGA RCR 2", "VGA RCR 3", "SVGA RCR 3", "Zoom", "Track Color",
                                                        "Max Y", "Log Visible Lines", "Draw Lines", "SVGA Dot Size",
                                                        "VGA Dot Size"});
        for (int i = 0; i < valuedSwitches.size(); ++i)
            QCOMPARE(e[18 + i].first, valuedSwitches[i]);
        QCOMPARE(e[39].first, QStringLiteral("H-Align"));
        QCOMPARE(e[40].first, QStringLiteral("V-Align"));
        QCOMPARE(e[41].first, QStringLiteral("Split 1 Color Value"));
        QCOMPARE(e[44].first, QStringLiteral("Mark Top X Value"));
        QCOMPARE(e[56].first, QStringLiteral("Track Color Value"));
        QCOMPARE(e[61].first, QStringLiteral("VGA Dot Size Value"));
        QCOMPARE(e[62].first, QStringLiteral("H-Align Value"));
        QCOMPARE(e[64].first, QStringLiteral("Start Mode"));
    }

    void defaultsAndInitialValues_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("initial");
        QTest::addColumn<QString>("defaulted");
        QTest::newRow("log lines") << "Log Visible Lines Value" << "3" << "12";
        QTest::newRow("h-align") << "H-Align Value" << "0" << "1";
        QTest::newRow("v-align") << "V-Align Value" << "0" << "0";
        QTest::newRow("start mode") << "Start Mode" << "0" << "0";
        QTest::newRow("switch on by default") << "No Fastest Lap" << "0" << "1";
        QTest::newRow("switch off by default") << "VGA RCR 1" << "0" << "0";
        QTest::newRow("dot size") << "SVGA Dot Size Value" << "122358" << "122358";
        // "Enable GP2 Options" keeps whatever it has: no text the window would take.
        QTest::newRow("front-end switch") << "GP2 Options" << "0" << "";
    }
    void defaultsAndInitialValues()
    {
        QFETCH(QString, key);
        QFETCH(QString, initial);
        QFETCH(QString, defaulted);
        auto valueOf = [&](const SettingsSnapshot& s) {
            for (const auto& [k, v] : snapshotEntries(s))
                if (k == key)
                    return v;
            return QStringLiteral("<missing>");
        };
        QCOMPARE(valueOf(initialSnapshot()), initial);
        QCOMPARE(valueOf(defaultSnapshot()), defaulted);
    }

    void roundTripAndTheFirstRunDecision()
    {
        QTemporaryDir dir;
        IniSettingsStore store(dir.filePath(QStringLiteral("s.ini")));
        QVERIFY(!holdsAnySetting(store));
        // A game folder alone is no stored setting: the first run still stores the initial values.
        QVERIFY(store.put(QStringLiteral("Path-GP2"), QStringLiteral("/games/gp2")).ok);
        QVERIFY(!holdsAnySetting(store));
        QVERIFY(store.put(QStringLiteral("Zoom Value"), QString()).ok);
        QVERIFY(holdsAnySetting(store));

        SettingsSnapshot s = defaultSnapshot();
        s.text[7] = QStringLiteral("Speedy \"Gonzales\", Jr.");
        s.check[kGp2OptionsSwitch] = QStringLiteral("2");
        QVERIFY(writeSnapshot(store, s).ok);
        QCOMPARE(readSnapshot(IniSettingsStore(dir.filePath(QStringLiteral("s.ini")))), s);
        QCOMPARE(IniSettingsStore(dir.filePath(QStringLiteral("s.ini"))).get(QStringLiteral("Path-GP2")),
                 QStringLiteral("/games/gp2"));
    }
};

QTEST_GUILESS_MAIN(TestSnapshot)
#include "tst_snapshot.moc"
