// A player's own Drovex.cfg comes into the window as Drovex reads it, and is never replaced unasked.
#include "app/mainwindow.h"
#include "support/coresupport.h"
#include "support/testsupport.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QStatusBar>
#include <QTest>

using namespace drovex;
using drovex::test::Fixture;

namespace {

QByteArray golden(const QString& name) { return test::readFile(QStringLiteral(DROVEX_TEST_DATA "/") + name); }
QString cfgOf(Fixture& f) { return f.gameFolder() + QStringLiteral("/Drovex.cfg"); }

void makeCircuits(Fixture& f)
{
    for (int n = 1; n <= 16; ++n)
        QVERIFY(test::writeFile(f.gameFolder() + QStringLiteral("/CIRCUITS/F1CT%1.DAT").arg(n, 2, 10, QLatin1Char('0')), "x"));
}

const QByteArray kHandMade = "[Track Map]\r\nmapZoom = 4\r\nmapMaxY=0300\r\nmyOwnKey = 1\r\n";

} // namespace

class TestImport : public QObject {
    Q_OBJECT
private slots:
    // Every file this program writes comes back the same through an import and a save.
    void goldenFilesRoundTrip_data()
    {
        QTest::addColumn<QString>("file");
        for (const char* name : {"drovex-defaults.cfg", "drovex-all-on.cfg", "drovex-all-off.cfg", "drovex-empty.cfg",
                                 "drovex-quote.cfg"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void goldenFilesRoundTrip()
    {
        QFETCH(QString, file);
        Fixture f;
        if (!file.contains(QLatin1String("empty"))) // that one names no track files
            makeCircuits(f);
        f.seed(QStringLiteral("Path-GP2"), f.gameFolder());
        MainWindow& w = f.open();
        const QString source = f.dir.filePath(QStringLiteral("import.cfg"));
        QVERIFY(test::writeFile(source, golden(file)));
        QVERIFY(w.importConfig(source));
        w.save();
        QCOMPARE(test::readFile(cfgOf(f)), golden(file));
        QVERIFY(f.services.questions.isEmpty()); // a file of this program is never asked about
        w.save();
        QVERIFY(f.services.questions.isEmpty());
    }

    // Before the first save would replace a hand-made Drovex.cfg, the user chooses; the old file
    // is copied beside it first, whatever they choose but Cancel.
    void foreignFileQuestion_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("Import") << 0;
        QTest::newRow("Replace") << 1;
        QTest::newRow("Cancel") << 2;
    }
    void foreignFileQuestion()
    {
        QFETCH(int, answer);
        Fixture f;
        f.seed(QStringLiteral("Path-GP2"), f.gameFolder());
        QVERIFY(test::writeFile(cfgOf(f), kHandMade));
        MainWindow& w = f.open();
        const QByteArray storeBefore = test::readFile(f.storeFile);
        f.services.choices << answer;
        QTest::mouseClick(w.findChild<QWidget*>(QStringLiteral("BTN_Save")), Qt::LeftButton);
        QCOMPARE(f.services.questions.size(), 1);
        QVERIFY(f.services.questions.first().contains(QDir::toNativeSeparators(cfgOf(f))));
        const QString bak = cfgOf(f) + QStringLiteral(".bak");
        auto* zoom = w.findChild<QLineEdit*>(QStringLiteral("Text(14)"));
        if (answer == 2) {
            QCOMPARE(test::readFile(cfgOf(f)), kHandMade);
            QVERIFY(!QFileInfo::exists(bak));
            QCOMPARE(test::readFile(f.storeFile), storeBefore);
            return;
        }
        QCOMPARE(test::readFile(bak), kHandMade);
        const QByteArray written = test::readFile(cfgOf(f));
        QVERIFY(written.contains("This File is created with Drovex Windows Front-End"));
        if (answer == 0) {
            QCOMPARE(zoom->text(), QStringLiteral("4"));
            QVERIFY(w.findChild<QCheckBox*>(QStringLiteral("CheckT(14)"))->isChecked());
            QCOMPARE(w.findChild<QLineEdit*>(QStringLiteral("Text(16)"))->text(), QStringLiteral("192"));
            QVERIFY(written.contains("\r\nmapZoom = 4 "));
            QCOMPARE(f.stored(QStringLiteral("Zoom Value")), QStringLiteral("4"));
        } else {
            QCOMPARE(zoom->text(), QStringLiteral("2"));
            QVERIFY(written.contains("\r\n;mapZoom = 2 "));
        }
        // The file is this program's now: the next save asks nothing, and keeps the copy.
        w.save();
        QCOMPARE(f.services.questions.size(), 1);
        QCOMPARE(test::readFile(bak), kHandMade);
    }

    void importFromTheMenu()
    {
        Fixture f;
        f.seed(QStringLiteral("Path-GP2"), f.gameFolder());
        MainWindow& w = f.open();
        const QString source = f.dir.filePath(QStringLiteral("mine.cfg"));
        QVERIFY(test::writeFile(source, kHandMade));
        const QByteArray storeBefore = test::readFile(f.storeFile);
        f.services.answers << source;
        w.findChild<QAction*>(QStringLiteral("MNU_Import"))->trigger();
        QCOMPARE(f.services.requests.last().initialFolder, f.gameFolder());
        QCOMPARE(w.statusBar()->currentMessage(),
                 QStringLiteral("Imported 2 settings from %1; not used: myOwnKey (unknown)").arg(QDir::toNativeSeparators(source)));
        QCOMPARE(w.findChild<QLineEdit*>(QStringLiteral("Text(14)"))->text(), QStringLiteral("4"));
        QCOMPARE(test::readFile(f.storeFile), storeBefore); // nothing stored until the user saves
        // In defaults mode there is nothing to import into.
        w.findChild<QCheckBox*>(QStringLiteral("SetToDefault"))->setChecked(true);
        QVERIFY(!w.findChild<QAction*>(QStringLiteral("MNU_Import"))->isEnabled());
    }

    // Slots an import brought in are stored by the next save only while the window shows them:
    // "Save Settings" in defaults mode keeps the stored slots.
    void importedSlotsAndDefaultsMode()
    {
        Fixture f;
        makeCircuits(f);
        f.seed(QStringLiteral("Path-GP2"), f.gameFolder());
        f.seed(QStringLiteral("F1CT03"), QStringLiteral("CIRCUITS\\F1CT09.DAT"));
        MainWindow& w = f.open();
        const QString source = f.dir.filePath(QStringLiteral("mine.cfg"));
        QVERIFY(test::writeFile(source, "f1ct03 = \"CIRCUITS\\F1CT05.DAT\"\r\n"));
        QVERIFY(w.importConfig(source));
        w.findChild<QCheckBox*>(QStringLiteral("SetToDefault"))->setChecked(true);
        w.saveSettingsCommand();
        QCOMPARE(f.stored(QStringLiteral("F1CT03")), QStringLiteral("CIRCUITS\\F1CT09.DAT"));
    }
};

QTEST_MAIN(TestImport)
#include "tst_import.moc"
