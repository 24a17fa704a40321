#include "settings/settingsstore.h"
#include "support/coresupport.h"
#include "tracks/slottable.h"

#include <QTemporaryDir>
#include <QTest>

using namespace drovex;

class TestSlotTable : public QObject {
    Q_OBJECT
private slots:
    void keysAndDefaultPaths()
    {
        QCOMPARE(SlotTable::key(5), QStringLiteral("F1CT05"));
        QCOMPARE(SlotTable::key(16), QStringLiteral("F1CT16"));
        QCOMPARE(SlotTable::defaultPath(1), QStringLiteral("CIRCUITS\\F1CT01.DAT"));
        QCOMPARE(SlotTable::defaultPath(16), QStringLiteral("CIRCUITS\\F1CT16.DAT"));
    }

    void readLoadsStoredPathsAndNames()
    {
        QTemporaryDir dir;
        const QString game = dir.filePath(QStringLiteral("GP2"));
        QVERIFY(test::writeFile(game + QStringLiteral("/circuits/f1ct01.dat"), "#GP2INFO|Name|Interlagos|"));
        QVERIFY(test::writeFile(game + QStringLiteral("/CIRCUITS/NEW/Monaco.dat"), "x"));
        QVERIFY(test::writeFile(game + QStringLiteral("/circuits/new/Monaco.dat"), "#GP2INFO|Name|Monte Carlo|"));
        QVERIFY(test::writeFile(game + QStringLiteral("/circuits/f1ct02.dat"), "#GP2INFO|Country|Mexico|"));
        IniSettingsStore store(dir.filePath(QStringLiteral("s.ini")));
        store.put(SlotTable::key(6), QStringLiteral("circuits\\new\\Monaco.dat"));
        store.put(SlotTable::key(7), QString()); // empty keeps the path

        SlotTable table;
        QList<QString> seen;
        table.Read(store, game, false, [&](const TrackInfo& i) { seen << i.name; });
        QCOMPARE(seen.size(), 16);
        QCOMPARE(table.name(1), QStringLiteral("Interlagos"));
        QCOMPARE(table.name(2), QStringLiteral("-"));       // tag without a name
        QCOMPARE(table.name(3), QStringLiteral("No Name")); // file missing
        QCOMPARE(table.path(6), QStringLiteral("circuits\\new\\Monaco.dat"));
        QCOMPARE(table.name(6), QStringLiteral("Monte Carlo"));
        QCOMPARE(table.path(7), SlotTable::defaultPath(7));

        // In defaults mode no key is read and the paths stay.
        SlotTable defaults;
        defaults.Read(store, game, true);
        QCOMPARE(defaults.path(6), SlotTable::defaultPath(6));

        // Without a game folder no file is looked for.
        SlotTable none;
        none.Read(store, QString(), false);
        QCOMPARE(none.name(1), QStringLiteral("No Name"));
    }

    void storeSlotsWritesAllSixteen()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("s.ini"));
        IniSettingsStore store(file);
        SlotTable table;
        table.setPath(6, QStringLiteral("CIRCUITS\\NEW\\Monaco.dat"));
        table.setPath(7, QStringLiteral("CIRCUITS\\NEW\\Monaco.dat")); // two slots may share a file
        QVERIFY(table.StoreSlots(store).ok);
        IniSettingsStore again(file);
        for (int n = 1; n <= 16; ++n)
            QCOMPARE(again.get(SlotTable::key(n)), table.path(n));
        QCOMPARE(again.get(QStringLiteral("F1CT5")), QString());
    }

    // A file is found in its slots whatever the letter case of the stored paths.
    void slotsHoldingAFile()
    {
        QTemporaryDir dir;
        const QString game = dir.filePath(QStringLiteral("GP2"));
        QVERIFY(test::writeFile(game + QStringLiteral("/circuits/monaco.dat"), "x"));
        SlotTable table;
        table.setPath(3, QStringLiteral("CIRCUITS\\MONACO.DAT"));
        table.setPath(7, QStringLiteral("circuits\\monaco.dat"));
        QCOMPARE(table.slotsHolding(game, game + QStringLiteral("/circuits/monaco.dat")), (QList<int>{3, 7}));
        QCOMPARE(table.slotsHolding(game, game + QStringLiteral("/CIRCUITS/F1CT01.DAT")), QList<int>{1}); // missing
        QCOMPARE(table.slotsHolding(game, dir.filePath(QStringLiteral("elsewhere.dat"))), QList<int>());
    }
};

QTEST_GUILESS_MAIN(TestSlotTable)
#include "tst_slottable.moc"
