#include "settings/snapshot.h"
#include "support/coresupport.h"

#include <QTemporaryDir>
#include <QTest>

using namespace drovex;

class TestSnapshot : public QObject {
    Q_OBJECT
private slots:
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
        QVERIFY(store.putAll(snapshotEntries(s)).ok);
        QCOMPARE(readSnapshot(IniSettingsStore(dir.filePath(QStringLiteral("s.ini")))), s);
        QCOMPARE(IniSettingsStore(dir.filePath(QStringLiteral("s.ini"))).get(QStringLiteral("Path-GP2")),
                 QStringLiteral("/games/gp2"));
    }
};

QTEST_GUILESS_MAIN(TestSnapshot)
#include "tst_snapshot.moc"
