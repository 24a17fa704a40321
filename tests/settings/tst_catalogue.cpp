#include "settings/catalogue.h"
#include "settings/palette.h"

#include <QSet>
#include <QTest>

using namespace drovex;

class TestCatalogue : public QObject {
    Q_OBJECT
private slots:
    // Every control has a key of its own: a key used twice would mix two settings in the store.
    void noKeyTwice()
    {
        const QStringList all = allKeys();
        QCOMPARE(QSet<QString>(all.begin(), all.end()).size(), all.size());
        QCOMPARE(all.size(), 2 * kValuedCount + kPlainCount + 2 * kAlignCount + 1);
    }

    void keysKeepTheirExactSpelling_data()
    {
        QTest::addColumn<QString>("key");
        QTest::newRow("trailing blank 1") << QStringLiteral("Use Localized Strings ");
        QTest::newRow("trailing blank 2") << QStringLiteral("Catch Track Infos ");
        QTest::newRow("no blank although caption has") << QStringLiteral("Menu Track Map");
        QTest::newRow("caption differs") << QStringLiteral("Hide Win95/98");
        QTest::newRow("Link twice") << QStringLiteral("Use IPX Link Link Name");
        QTest::newRow("Text suffix") << QStringLiteral("Car Remove Time Text");
        QTest::newRow("Distance suffix") << QStringLiteral("SVGA RCR 3 Distance");
        QTest::newRow("log lines") << QStringLiteral("Log Visible Lines Value");
        QTest::newRow("front-end switch") << QStringLiteral("GP2 Options");
        QTest::newRow("start mode") << QStringLiteral("Start Mode");
    }
    void keysKeepTheirExactSpelling()
    {
        QFETCH(QString, key);
        QVERIFY2(allKeys().contains(key), qPrintable(key));
    }

    void defaultsAndInitialValuesDifferOnlyWhereIntended()
    {
        for (const Setting& s : kSettings) {
            if (s.kind != SettingKind::Valued && s.kind != SettingKind::Alignment)
                continue;
            const bool differs = qstrcmp(s.defaultValue, s.initialValue) != 0;
            const bool expected = QLatin1String(s.valueKey) == QLatin1String("Log Visible Lines Value") ||
                                  QLatin1String(s.valueKey) == QLatin1String("H-Align Value");
            QVERIFY2(differs == expected, s.valueKey);
        }
    }

    void everyValueStaysWithinItsLimits()
    {
        for (const Setting& s : kSettings) {
            if (!s.hasBar())
                continue;
            for (const char* v : {s.defaultValue, s.initialValue}) {
                const int n = QString::fromLatin1(v).toInt();
                QVERIFY2(n >= s.limits->lo && n <= s.limits->hi, s.valueKey);
            }
        }
        QCOMPARE(valuedSetting(15).limits->hi, 9); // tooltip says 3..9, field takes 0..9
        QCOMPARE(valuedSetting(15).limits->lo, 0);
    }

    void palette_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("r");
        QTest::addColumn<int>("g");
        QTest::addColumn<int>("b");
        QTest::newRow("0") << 0 << 151 << 171 << 127;
        QTest::newRow("125") << 125 << 95 << 127 << 183;
        QTest::newRow("135") << 135 << 151 << 167 << 223;
        QTest::newRow("151") << 151 << 51 << 55 << 135;
        QTest::newRow("255") << 255 << 255 << 255 << 255;
        for (int i = 246; i <= 254; ++i)
            QTest::addRow("magenta %d", i) << i << 163 << 0 << 163;
        QTest::newRow("grey ramp end") << 31 << 255 << 255 << 255;
    }
    void palette()
    {
        QFETCH(int, index);
        QFETCH(int, r);
        QFETCH(int, g);
        QFETCH(int, b);
        QCOMPARE(paletteColour(index), std::optional<Rgb>(Rgb{r, g, b}));
        QCOMPARE(paletteColour(QString::number(index)), std::optional<Rgb>(Rgb{r, g, b}));
    }

    void paletteHasNoEntryOutsideItsRange()
    {
        QVERIFY(!paletteColour(-1));
        QVERIFY(!paletteColour(256));
        QVERIFY(!paletteColour(QStringLiteral("blue")));
        QVERIFY(!paletteColour(QString()));
    }
};

QTEST_GUILESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
