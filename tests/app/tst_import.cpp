// A player's own Drovex.cfg comes into the window as Drovex reads it, and is never replaced unasked.
#include "app/mainwindow.h"
#include "cfgfile/cfgreader.h"
#include "settings/catalogue.h"
#include "support/coresupport.h"
#include "support/testsupport.h"

#include <QAction>
#include <QCheckBox>
#include <QDate>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
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

QString status(MainWindow& w) { return w.statusBar()->currentMessage(); }

// Picks a File menu entry, which must be enabled.
void pickFileMenu(MainWindow& w, const char* entry)
{
    auto* action = w.findChild<QAction*>(QString::fromLatin1(entry));
    QVERIFY(action && action->isEnabled());
    action->trigger();
}

// What Drovex uses when a key is not set, where the window shows it: the Default column of an
// on/off setting, the game's own track of a slot. "" where the window has no such value.
QByteArray shownWhenNotSet(const CfgKey& key)
{
    for (const Setting& s : kSettings)
        if (s.cfgKey && qstricmp(s.cfgKey, key.name) == 0 && (s.kind == SettingKind::Plain || (s.kind == SettingKind::Valued && !s.hasBar())))
            return s.defaultOn ? "1" : "0";
    if (qstrnicmp(key.name, "f1ct", 4) == 0)
        return QStringLiteral("CIRCUITS\\F1CT%1.DAT").arg(QByteArray(key.name).mid(4).toInt(), 2, 10, QLatin1Char('0')).toLatin1();
    return {};
}

QByteArray shown(const CfgEntry& e)
{
    if (e.status != CfgStatus::Set)
        return "not set";
    return e.text.isNull() ? QByteArray::number(e.number) : e.text;
}

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
    // The question names the copy exactly as it will be made, and the status bar names it after.
    void foreignFileQuestion_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("bakTaken");
        QTest::newRow("Import") << 0 << false;
        QTest::newRow("Replace") << 1 << false;
        QTest::newRow("Replace, Drovex.cfg.bak taken") << 1 << true;
        QTest::newRow("Cancel") << 2 << false;
    }
    void foreignFileQuestion()
    {
        QFETCH(int, answer);
        QFETCH(bool, bakTaken);
        Fixture f;
        f.seed(QStringLiteral("Path-GP2"), f.gameFolder());
        QVERIFY(test::writeFile(cfgOf(f), kHandMade));
        if (bakTaken)
            QVERIFY(test::writeFile(cfgOf(f) + QStringLiteral(".bak"), "an older copy"));
        MainWindow& w = f.open();
        const QByteArray storeBefore = test::readFile(f.storeFile);
        f.services.choices << answer;
        QTest::mouseClick(w.findChild<QWidget*>(QStringLiteral("BTN_Save")), Qt::LeftButton);
        QCOMPARE(f.services.questions.size(), 1);
        const QString bakName = bakTaken ? QStringLiteral("Drovex.cfg.%1.bak").arg(QDate::currentDate().toString(Qt::ISODate))
                                         : QStringLiteral("Drovex.cfg.bak");
        const QString bak = f.gameFolder() + QLatin1Char('/') + bakName;
        QVERIFY(f.services.questions.first().contains(QDir::toNativeSeparators(cfgOf(f))));
        QVERIFY2(f.services.questions.first().endsWith(QStringLiteral(" as %1.").arg(bakName)), qPrintable(f.services.questions.first()));
        auto* zoom = w.findChild<QLineEdit*>(QStringLiteral("Text(14)"));
        if (answer == 2) {
            QCOMPARE(test::readFile(cfgOf(f)), kHandMade);
            QVERIFY(!QFileInfo::exists(bak));
            QCOMPARE(test::readFile(f.storeFile), storeBefore);
            return;
        }
        QCOMPARE(test::readFile(bak), kHandMade);
        QVERIFY2(status(w).contains(QStringLiteral(". The old Drovex.cfg was copied to %1 first").arg(bakName)), qPrintable(status(w)));
        const QByteArray written = test::readFile(cfgOf(f));
        QVERIFY(written.contains("This File is created with Drovex Windows Front-End"));
        if (answer == 0) {
            QCOMPARE(zoom->text(), QStringLiteral("4"));
            QVERIFY(w.findChild<QCheckBox*>(QStringLiteral("CheckT(14)"))->isChecked());
            QCOMPARE(w.findChild<QLineEdit*>(QStringLiteral("Text(16)"))->text(), QStringLiteral("192"));
            QVERIFY(written.contains("\r\nmapZoom = 4 "));
            QVERIFY(written.endsWith("\r\n; Kept from your own Drovex.cfg\r\nmyOwnKey = 1\r\n"));
            QCOMPARE(f.stored(QStringLiteral("Zoom Value")), QStringLiteral("4"));
            QVERIFY2(status(w).endsWith(QStringLiteral("first. Imported 2 settings from %1; kept 1 line the window has no control for: myOwnKey")
                                            .arg(QDir::toNativeSeparators(cfgOf(f)))),
                     qPrintable(status(w)));
        } else {
            QCOMPARE(zoom->text(), QStringLiteral("2"));
            QVERIFY(written.contains("\r\n;mapZoom = 2 "));
        }
        // The file is this program's now: the next save asks nothing, and keeps the copy.
        w.save();
        QCOMPARE(f.services.questions.size(), 1);
        QCOMPARE(test::readFile(bak), kHandMade);
    }

    // Once the game folder's own file is imported, saving writes the window as it is: no second
    // question, no second import over the edits made since, but a copy of the file all the same.
    void oneQuestionPerFile()
    {
        Fixture f;
        f.seed(QStringLiteral("Path-GP2"), f.gameFolder());
        QVERIFY(test::writeFile(cfgOf(f), kHandMade));
        MainWindow& w = f.open();
        f.services.answers << cfgOf(f);
        pickFileMenu(w, "MNU_Import");
        auto* zoom = w.findChild<QLineEdit*>(QStringLiteral("Text(14)"));
        QCOMPARE(zoom->text(), QStringLiteral("4"));
        zoom->selectAll();
        QTest::keyClicks(zoom, QStringLiteral("1"));
        QTest::mouseClick(w.findChild<QWidget*>(QStringLiteral("BTN_Save")), Qt::LeftButton);
        QVERIFY(f.services.questions.isEmpty());
        QCOMPARE(zoom->text(), QStringLiteral("1"));
        QVERIFY(test::readFile(cfgOf(f)).contains("\r\nmapZoom = 1 "));
        QCOMPARE(test::readFile(cfgOf(f) + QStringLiteral(".bak")), kHandMade);
        QVERIFY2(status(w).endsWith(QStringLiteral(". The old Drovex.cfg was copied to Drovex.cfg.bak first")), qPrintable(status(w)));
        // A file answered Replace is not asked about again either: here it comes back as it was, as
        // a save that failed would leave it.
        QVERIFY(QFile::remove(cfgOf(f)));
        QVERIFY(test::writeFile(cfgOf(f), "mapZoom = 3\r\n"));
        f.services.choices << 1;
        w.save();
        QVERIFY(QFile::remove(cfgOf(f)));
        QVERIFY(test::writeFile(cfgOf(f), "mapZoom = 3\r\n"));
        w.save();
        QCOMPARE(f.services.questions.size(), 1);
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
        QCOMPARE(status(w), QStringLiteral("Imported 2 settings from %1; kept 1 line the window has no control for: myOwnKey")
                                .arg(QDir::toNativeSeparators(source)));
        QCOMPARE(w.findChild<QLineEdit*>(QStringLiteral("Text(14)"))->text(), QStringLiteral("4"));
        QCOMPARE(test::readFile(f.storeFile), storeBefore); // nothing stored until the user saves
        // A file larger than any Drovex.cfg is refused as such, with its size.
        QFile big(source);
        QVERIFY(big.open(QIODevice::ReadWrite) && big.resize(3 << 20));
        big.close();
        f.services.answers << source;
        w.findChild<QAction*>(QStringLiteral("MNU_Import"))->trigger();
        QCOMPARE(status(w), QStringLiteral("%1 could not be imported: it is too large for a Drovex.cfg (3145728 bytes; at most 1048576 are read).")
                                .arg(QDir::toNativeSeparators(source)));
        // In defaults mode there is nothing to import into.
        w.findChild<QCheckBox*>(QStringLiteral("SetToDefault"))->setChecked(true);
        QVERIFY(!w.findChild<QAction*>(QStringLiteral("MNU_Import"))->isEnabled());
    }

    // Hand-written files, quirks and all: every key Drovex reads in the imported file reads the
    // same in the file the next Save writes, or as the status bar said it would.
    void importThenSaveReadsAlike_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("quirks") << QByteArray(
            "\r\n[Track Map]\r\n\r\nmapZoom = 3\r\nmapMaxY = 250\r\nmapVAlign=2\r\nDrawLines =" + QByteArray(20, ' ') +
            "300\r\nCarRemoveTime = 15000\r\nSplitsInRace 1\r\nCockpitZoom = -5\r\nVgaRcr1 = 0x0850\r\nSvgaRcr1 = 012000\r\n"
            "logDebugName = Drovex.log\r\nMyLinkName = \"Speedy\r\nUseIpxLink = 1\r\nSpa98 = 2\r\nlogCC=1\r\n"
            "f1ct03 = \"CIRCUITS\\F1CT07.DAT\"\r\nf1ct04 = \"\"\r\nPureDOS = 1\r\nLogDpmiInfo=1\r\nKeepDistUnit = 1\r\n"
            "SeasonOverrides = \"override.cfg\"\r\n");
        QTest::newRow("empty values and long lines") << QByteArray(
            "CarRemoveTime = 15000\nDrawLines =\n;" + QByteArray(253, 'x') + "\nmapZoom = 3\n;" + QByteArray(252, 'x') +
            "\nmapMaxY = 7\nhof25Enable = 1\nLogIpxInfo = 1 ; on\nf1ct01 = \"" + QByteArray(244, 'A') + "SvgaRcr3 = 1\"\n"
            "MenuTrackMap\t=\t1\nlogDebugScreenLines = 12.6\n");
        QTest::newRow("this program's layout") << test::readFile(QStringLiteral(DROVEX_TEST_DATA "/drovex-all-off.cfg"))
                                                      .replace(";VgaRcr2 = 2128", "VgaRcr2 = 02128")
                                                      .replace("logPerf = 0", "logPerf = 1");
    }
    void importThenSaveReadsAlike()
    {
        QFETCH(QByteArray, file);
        Fixture f;
        makeCircuits(f);
        f.seed(QStringLiteral("Path-GP2"), f.gameFolder());
        MainWindow& w = f.open();
        const QString source = f.dir.filePath(QStringLiteral("mine.cfg"));
        QVERIFY(test::writeFile(source, file));
        QVERIFY(w.importConfig(source));
        const QString said = status(w);
        QTest::mouseClick(w.findChild<QWidget*>(QStringLiteral("BTN_Save")), Qt::LeftButton);
        const CfgReading before = readDrovexCfg(file);
        const CfgReading after = readDrovexCfg(test::readFile(cfgOf(f)));
        for (int k = 0; k < kReadKeyCount; ++k) {
            const CfgKey& key = readKeys()[static_cast<size_t>(k)];
            const QByteArray was = shown(before.entries[static_cast<size_t>(k)]);
            const QByteArray is = shown(after.entries[static_cast<size_t>(k)]);
            const bool named = said.contains(QStringLiteral("%1 (%2 clamped to %3)").arg(QLatin1String(key.name), QLatin1String(was), QLatin1String(is)), Qt::CaseInsensitive) ||
                               said.contains(QStringLiteral("%1 (%2 taken as %3").arg(QLatin1String(key.name), QLatin1String(was), QLatin1String(is)), Qt::CaseInsensitive) ||
                               said.contains(QStringLiteral("%1 (taken as %2").arg(QLatin1String(key.name), QLatin1String(is)), Qt::CaseInsensitive);
            const bool defaulted = was == "not set" && is == shownWhenNotSet(key);
            QVERIFY2(was == is || named || defaulted,
                     qPrintable(QStringLiteral("%1 read %2, now %3; the status bar said: %4").arg(QLatin1String(key.name), QLatin1String(was), QLatin1String(is), said)));
        }
    }

    // Lines the window has no control for stay in every later Drovex.cfg, across Save, a restart
    // and Save Settings, until the user forgets them.
    void keptLinesSurviveRestarts()
    {
        Fixture f;
        f.seed(QStringLiteral("Path-GP2"), f.gameFolder());
        const QByteArray kept = "PureDOS = 1\r\nKeepDistUnit = 1\r\nSeasonOverrides = \"override.cfg\"\r\n";
        const QString source = f.dir.filePath(QStringLiteral("mine.cfg"));
        QVERIFY(test::writeFile(source, "mapZoom = 4\r\n" + kept));
        const CfgReading original = readDrovexCfg(kept);
        MainWindow* w = &f.open();
        QVERIFY(!w->findChild<QAction*>(QStringLiteral("MNU_ForgetKept"))->isEnabled());
        f.services.answers << source;
        pickFileMenu(*w, "MNU_Import");
        QTest::mouseClick(w->findChild<QWidget*>(QStringLiteral("BTN_Save")), Qt::LeftButton);
        for (int run = 0; run < 2; ++run) {
            const QByteArray written = test::readFile(cfgOf(f));
            QVERIFY2(written.endsWith("\r\n; Kept from your own Drovex.cfg\r\n" + kept), written.right(200).constData());
            const CfgReading now = readDrovexCfg(written);
            for (const char* key : {"PureDOS", "KeepDistUnit"})
                QCOMPARE(now.entry(key).number, original.entry(key).number);
            f.window.reset();
            w = &f.open();
            pickFileMenu(*w, "MNU_Save");
        }
        // The information box lists them.
        test::ModalScript info({{QStringLiteral("Drovex2"), [](QWidget* box) {
            const QString page = box->findChild<QPlainTextEdit*>(QStringLiteral("Text(1)"))->toPlainText();
            QVERIFY2(page.contains(QLatin1String("\n    PureDOS = 1\n    KeepDistUnit = 1\n    SeasonOverrides = \"override.cfg\"")), qPrintable(page));
            QTest::mouseClick(box->findChild<QPushButton*>(QStringLiteral("Close")), Qt::LeftButton);
        }}});
        QTest::mouseClick(w->findChild<QWidget*>(QStringLiteral("BTN_Info")), Qt::LeftButton);
        QVERIFY(info.completed());
        // Forgotten, they leave the file and the settings with the next save.
        pickFileMenu(*w, "MNU_ForgetKept");
        QVERIFY(!w->findChild<QAction*>(QStringLiteral("MNU_ForgetKept"))->isEnabled());
        QTest::mouseClick(w->findChild<QWidget*>(QStringLiteral("BTN_Save")), Qt::LeftButton);
        QVERIFY(!test::readFile(cfgOf(f)).contains("PureDOS"));
        QCOMPARE(f.stored(QStringLiteral("Kept Drovex.cfg Lines")), QString());
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
        w.saveSettingsAndWrite();
        QCOMPARE(f.stored(QStringLiteral("F1CT03")), QStringLiteral("CIRCUITS\\F1CT09.DAT"));
    }
};

QTEST_MAIN(TestImport)
#include "tst_import.moc"
