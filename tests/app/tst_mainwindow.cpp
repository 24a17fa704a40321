#include "app/commands.h"
#include "app/mainwindow.h"
#include "app/settingspanel.h"
#include "cfgfile/configfile.h"
#include "settings/catalogue.h"
#include "settings/palette.h"
#include "support/coresupport.h"
#include "support/panelcontrols.h"
#include "support/testsupport.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>

using namespace drovex;
using namespace drovex::test;

namespace {

// Every catalogue key with what a first run stores.
QMap<QString, QString> initialStore()
{
    QMap<QString, QString> m;
    for (const QString& k : switchKeys())
        m[k] = QStringLiteral("0");
    for (int i = 0; i < kValuedCount; ++i)
        m[QString::fromLatin1(valuedSetting(i).valueKey)] = QString::fromLatin1(valuedSetting(i).initialValue);
    for (const QString& k : indexKeys())
        m[k] = QStringLiteral("0");
    return m;
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void windowHasItsControls()
    {
        Fixture f;
        MainWindow& w = f.open(false);
        QCOMPARE(w.objectName(), QStringLiteral("Drovex1"));
        QCOMPARE(w.windowTitle(), QStringLiteral("Drovex Front-End") + QString(71, QLatin1Char(' ')) +
                                      QStringLiteral("[Version 1.14 by Quennel]"));
        for (int fr = 0; fr < kFrameCount; ++fr)
            QCOMPARE(child<QGroupBox>(w, frameName(Frame(fr)))->title(), frameCaption(Frame(fr)));
        for (const char* b : {"BTN_Save", "BTN_Play", "BTN_GP2", "BTN_Track", "BTN_Info", "BTN_About", "BTN_Close"})
            QVERIFY(w.findChild<QPushButton*>(QString::fromLatin1(b)));
        QCOMPARE(child<QCheckBox>(w, QStringLiteral("Check(17)"))->text(), QStringLiteral("Menu Track Map "));
        QCOMPARE(child<QCheckBox>(w, QStringLiteral("CheckT(15)"))->text(), QStringLiteral("Mark Top X Drivers"));
        QCOMPARE(field(w, 6)->toolTip(), QStringLiteral("Debug log file name"));
        QCOMPARE(box(w, QStringLiteral("CheckT(6)"))->toolTip(), QStringLiteral("Log debug output to log file"));
        QCOMPARE(child<QLabel>(w, QStringLiteral("LBL_Color(3)"))->toolTip(),
                 QStringLiteral("Which color for the track to start with (GP2 palette index)"));
        QCOMPARE(bar(w, 15)->minimum(), 0);
        QCOMPARE(bar(w, 15)->maximum(), 9);
        QCOMPARE(bar(w, 19)->minimum(), -1);
        QCOMPARE(bar(w, 19)->maximum(), 32767);
        QVERIFY(!w.findChild<QScrollBar*>(QStringLiteral("Scroll(6)")));
        QCOMPARE(radio(w, QStringLiteral("OptionV(2)"))->text(), QStringLiteral("Bottom"));
        QCOMPARE(bar(w, 3)->cursor().shape(), Qt::BitmapCursor);
        QCOMPARE(field(w, 3)->cursor().shape(), Qt::IBeamCursor);
        QCOMPARE(bar(w, 3)->cursor().hotSpot(), QPoint(12, 1));

        const char* const shortcuts[][2] = {{"MNU_Play", "Ctrl+P"}, {"MNU_Save", "Ctrl+S"},
                                            {"MNU_GP2Tracks", "Ctrl+T"}, {"MNU_GP2Options", "Ctrl+O"},
                                            {"MNU_End", "Ctrl+X"}, {"MNU_GP2", "Ctrl+G"},
                                            {"MNU_Batch", "Ctrl+B"}, {"MNU_Path", "Ctrl+L"},
                                            {"MNU_Info", "Ctrl+I"}, {"MNU_About", "Ctrl+A"}};
        for (const auto& [name, keys] : shortcuts) {
            auto* a = w.findChild<QAction*>(QLatin1String(name));
            QVERIFY2(a, name);
            QCOMPARE(a->shortcut(), QKeySequence(QLatin1String(keys)));
        }
    }

    void firstRunStoresInitialValuesAndAsksForTheGame()
    {
        Fixture f;
        const QString exe = f.gameFolder() + QStringLiteral("/gp2.exe");
        QVERIFY(test::writeFile(exe, "MZ"));
        f.services.answers << exe;
        MainWindow& w = f.open();

        for (int k = 0; k < 4; ++k)
            QCOMPARE(swatchColour(w, k), paletteQColour(QList<int>{135, 125, 151, 1}[k]));
        const QMap<QString, QString> expected = initialStore();
        for (auto it = expected.begin(); it != expected.end(); ++it)
            QCOMPARE(f.stored(it.key()), it.value());
        QCOMPARE(f.stored(QStringLiteral("Log Visible Lines Value")), QStringLiteral("3"));

        QCOMPARE(f.services.requests.size(), 1);
        const FileRequest& r = f.services.requests.first();
        QCOMPARE(r.title, QStringLiteral("Browse For Grand Prix 2 ..."));
        QCOMPARE(r.filter, QStringLiteral("GP2 (GP2.EXE)|gp2.exe"));
        QCOMPARE(r.defaultName, QStringLiteral("GP2.EXE"));
        QCOMPARE(r.initialFolder, QDir::homePath());
        QCOMPARE(f.stored(QStringLiteral("Path-GP2")), f.gameFolder());
        QCOMPARE(f.session->gameFolder(), f.gameFolder());
        QCOMPARE(f.services.messages,
                 QStringList{QStringLiteral("Drovex Information|Choose 'Mode' and set 'Path' before you start !!")});
    }

    void cancelledFirstRunIsAFirstRunAgain()
    {
        Fixture f;
        f.open(); // the dialog is cancelled
        QCOMPARE(f.stored(QStringLiteral("Path-GP2")), QString());
        f.window.reset();
        f.services.requests.clear();
        f.open();
        QCOMPARE(f.services.requests.size(), 1);
    }

    void laterRunLoadsThroughTheWindowsRules()
    {
        Fixture f;
        f.seed(QStringLiteral("Path-GP2"), f.gameFolder());
        f.seed(QStringLiteral("Zoom Value"), QStringLiteral("9"));
        f.seed(QStringLiteral("Log CC"), QStringLiteral("1"));
        f.seed(QStringLiteral("Log GLX"), QStringLiteral("0"));
        f.seed(QStringLiteral("Start Mode"), QStringLiteral("1"));
        f.seed(QStringLiteral("GP2 Options"), QStringLiteral("1"));
        f.seed(QStringLiteral("H-Align Value"), QStringLiteral("7"));
        f.seed(QStringLiteral("SVGA Dot Size Value"), QStringLiteral("122358"));
        f.seed(QStringLiteral("Split 1 Color"), QStringLiteral("1"));
        f.seed(QStringLiteral("Split 1 Color Value"), QStringLiteral("125"));
        MainWindow& w = f.open();

        QVERIFY(f.services.requests.isEmpty());
        QVERIFY(f.services.messages.isEmpty());
        QCOMPARE(field(w, 14)->text(), QStringLiteral("5"));
        QCOMPARE(bar(w, 14)->value(), 5);
        QVERIFY(box(w, QStringLiteral("Check(8)"))->isChecked());
        QVERIFY(box(w, QStringLiteral("Check(7)"))->isChecked());
        QVERIFY(radio(w, QStringLiteral("OPT_StartMode(1)"))->isChecked());
        QVERIFY(!box(w, QStringLiteral("Check(16)"))->isChecked());
        QVERIFY(!child<QPushButton>(w, QStringLiteral("BTN_GP2"))->isEnabled());
        QVERIFY(radio(w, QStringLiteral("OptionH(0)"))->isChecked());
        QCOMPARE(field(w, 19)->text(), QStringLiteral("122358"));
        QCOMPARE(w.panel().dotQuotient(19), 3);
        QCOMPARE(bar(w, 19)->value(), 24057);
        QVERIFY(field(w, 0)->isEnabled());
        QCOMPARE(swatchColour(w, 0), paletteQColour(125));
        // A missing key empties its field and leaves the bar alone.
        QCOMPARE(field(w, 16)->text(), QString());
        QVERIFY(!field(w, 1)->isEnabled());

        QVERIFY(w.commands().SaveSettings().ok);
        QCOMPARE(f.stored(QStringLiteral("Zoom Value")), QStringLiteral("5"));
        QCOMPARE(f.stored(QStringLiteral("H-Align Value")), QStringLiteral("0"));
        QCOMPARE(f.stored(QStringLiteral("GP2 Options")), QStringLiteral("0"));
    }

    void saveAndLoadRoundTrip()
    {
        Fixture f;
        f.seed(QStringLiteral("Path-GP2"), f.gameFolder());
        {
            MainWindow& w = f.open();
            for (int i = 0; i < 18; ++i)
                box(w, checkName(i))->setChecked(i % 3 == 0);
            for (int i = 0; i < 21; ++i)
                box(w, enableName(i))->setChecked(i % 2 == 1);
            box(w, QStringLiteral("CheckO(1)"))->setChecked(true);
            radio(w, QStringLiteral("OptionV(2)"))->setChecked(true);
            radio(w, QStringLiteral("OptionH(1)"))->setChecked(true);
            radio(w, QStringLiteral("OPT_StartMode(2)"))->setChecked(true);
            field(w, 7)->setText(QStringLiteral("Speedy \"Gonzales\""));
            field(w, 4)->setText(QStringLiteral("194"));
            field(w, 4)->setText(QStringLiteral("0194")); // the bar already stands at 194
            field(w, 20)->setText(QStringLiteral("999999"));
            QVERIFY(w.commands().SaveSettings().ok);
        }
        f.window.reset();
        MainWindow& w = f.open();
        for (int i = 0; i < 18; ++i)
            QCOMPARE(box(w, checkName(i))->isChecked(), i % 3 == 0 || (i == 7 && box(w, checkName(8))->isChecked()));
        for (int i = 0; i < 21; ++i) {
            QCOMPARE(box(w, enableName(i))->isChecked(), i % 2 == 1);
            QCOMPARE(field(w, i)->isEnabled(), i % 2 == 1);
        }
        QVERIFY(radio(w, QStringLiteral("OptionV(2)"))->isChecked());
        QVERIFY(radio(w, QStringLiteral("OptionH(1)"))->isChecked());
        QVERIFY(radio(w, QStringLiteral("OPT_StartMode(2)"))->isChecked());
        QCOMPARE(w.panel().VAlignIndex(), 2);
        QCOMPARE(field(w, 7)->text(), QStringLiteral("Speedy \"Gonzales\""));
        QCOMPARE(f.stored(QStringLiteral("Car Remove Time Text")), QStringLiteral("0194"));
        QCOMPARE(bar(w, 4)->value(), 194);
        QCOMPARE(w.panel().dotQuotient(20), 30);
        QCOMPARE(bar(w, 20)->value(), 16989);
    }

    void defaultsModeInAndOutLeavesTheStoreAlone()
    {
        Fixture f;
        f.seed(QStringLiteral("Path-GP2"), f.gameFolder());
        MainWindow& w = f.open();
        radio(w, QStringLiteral("OPT_StartMode(2)"))->setChecked(true);
        box(w, QStringLiteral("Check(16)"))->setChecked(true);
        field(w, 14)->setText(QStringLiteral("4"));
        QVERIFY(w.commands().SaveSettings().ok);
        const QByteArray before = test::readFile(f.storeFile);

        QCheckBox* defaults = box(w, QStringLiteral("SetToDefault"));
        defaults->setChecked(true);
        QVERIFY(radio(w, QStringLiteral("OPT_StartMode(0)"))->isChecked());
        QVERIFY(box(w, QStringLiteral("Check(16)"))->isChecked());
        QCOMPARE(field(w, 17)->text(), QStringLiteral("12"));
        QCOMPARE(field(w, 14)->text(), QStringLiteral("2"));
        QVERIFY(radio(w, QStringLiteral("OptionH(1)"))->isChecked());
        QCOMPARE(w.panel().HAlignIndex(), 1);
        QVERIFY(box(w, QStringLiteral("CheckT(14)"))->isChecked());
        QVERIFY(!box(w, QStringLiteral("CheckT(8)"))->isChecked());
        QCOMPARE(bar(w, 19)->value(), 24057);
        for (int fr = 0; fr <= 11; ++fr)
            QVERIFY(!child<QGroupBox>(w, frameName(Frame(fr)))->isEnabled());
        QVERIFY(child<QGroupBox>(w, frameName(Frame(12)))->isEnabled());

        radio(w, QStringLiteral("OPT_StartMode(1)"))->setChecked(true);
        w.save(); // Save in defaults mode leaves the store alone
        defaults->setChecked(false);
        QCOMPARE(test::readFile(f.storeFile), before);
        QVERIFY(radio(w, QStringLiteral("OPT_StartMode(2)"))->isChecked());
        QVERIFY(box(w, QStringLiteral("Check(16)"))->isChecked());
        QCOMPARE(field(w, 14)->text(), QStringLiteral("4"));
        QVERIFY(child<QGroupBox>(w, frameName(Frame(0)))->isEnabled());
    }

    void saveSettingsInDefaultsModeStoresTheDefaults()
    {
        Fixture f;
        f.seed(QStringLiteral("Path-GP2"), f.gameFolder());
        MainWindow& w = f.open();
        box(w, QStringLiteral("SetToDefault"))->setChecked(true);
        w.saveSettingsAndWrite();
        QCOMPARE(f.stored(QStringLiteral("Log Visible Lines Value")), QStringLiteral("12"));
        QCOMPARE(f.stored(QStringLiteral("H-Align Value")), QStringLiteral("1"));
        QCOMPARE(f.stored(QStringLiteral("No Fastest Lap")), QStringLiteral("1"));
        box(w, QStringLiteral("SetToDefault"))->setChecked(false);
        QCOMPARE(field(w, 17)->text(), QStringLiteral("12"));
    }

    void enterRunsSave()
    {
        Fixture f;
        f.seed(QStringLiteral("Path-GP2"), f.gameFolder());
        MainWindow& w = f.open();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        box(w, QStringLiteral("CheckT(14)"))->setChecked(true);
        field(w, 14)->setFocus();
        QTest::keyClicks(field(w, 14), QStringLiteral("\b3"));
        QCOMPARE(f.stored(QStringLiteral("Zoom Value")), QStringLiteral("2")); // stored at the first run
        QTest::keyClick(field(w, 14), Qt::Key_Return);
        QCOMPARE(f.stored(QStringLiteral("Zoom Value")), QStringLiteral("3"));
        field(w, 14)->setText(QStringLiteral("4"));
        box(w, QStringLiteral("Check(2)"))->setFocus();
        QTest::keyClick(box(w, QStringLiteral("Check(2)")), Qt::Key_Enter);
        QCOMPARE(f.stored(QStringLiteral("Zoom Value")), QStringLiteral("4"));
    }

    void exitWritesNothing()
    {
        Fixture f;
        f.seed(QStringLiteral("Path-GP2"), f.gameFolder());
        MainWindow& w = f.open();
        field(w, 14)->setText(QStringLiteral("1"));
        f.services.choices = {1}; // Discard
        child<QPushButton>(w, QStringLiteral("BTN_Close"))->click();
        QCOMPARE(f.stored(QStringLiteral("Zoom Value")), QStringLiteral("2"));
        QVERIFY(!QFileInfo::exists(f.gameFolder() + QStringLiteral("/Drovex.cfg")));
    }

    void hostileStoreLoadsWhatItCan()
    {
        Fixture f;
        f.seed(QStringLiteral("Path-GP2"), f.gameFolder());
        f.seed(QStringLiteral("Rotate"), QStringLiteral("2"));
        f.seed(QStringLiteral("Zoom"), QStringLiteral("7"));
        f.seed(QStringLiteral("Max Y Value"), QStringLiteral("lots"));
        f.seed(QStringLiteral("Cockpit Zoom Text"), QStringLiteral("1e400"));
        f.seed(QStringLiteral("SVGA Dot Size Value"), QStringLiteral("99999999999999"));
        f.seed(QStringLiteral("VGA Dot Size Value"), QStringLiteral("x1"));
        f.seed(QStringLiteral("Log Debug File Name"), QString(5000, QLatin1Char('L')));
        f.seed(QStringLiteral("Use IPX Link Link Name"), QStringLiteral("two\nlines"));
        f.seed(QStringLiteral("V-Align Value"), QStringLiteral("-40000"));
        f.seed(QStringLiteral("Start Mode"), QStringLiteral("2.5"));
        f.seed(QStringLiteral("Split 2 Color Value"), QStringLiteral("999"));
        f.seed(QStringLiteral("Draw Lines Value"), QStringLiteral("200"));
        MainWindow& w = f.open();

        QCOMPARE(box(w, QStringLiteral("Check(15)"))->checkState(), Qt::PartiallyChecked);
        QVERIFY(!box(w, QStringLiteral("CheckT(14)"))->isChecked());
        QCOMPARE(field(w, 16)->text(), QStringLiteral("lots"));
        QCOMPARE(field(w, 5)->text(), QStringLiteral("1e400"));
        QCOMPARE(field(w, 19)->text(), QStringLiteral("999999"));
        QCOMPARE(field(w, 20)->text(), QStringLiteral("x1"));
        QCOMPARE(field(w, 6)->text().size(), 188);
        QCOMPARE(field(w, 1)->text(), QStringLiteral("255"));
        QVERIFY(radio(w, QStringLiteral("OPT_StartMode(2)"))->isChecked()); // 2.5 rounds to 2
        QVERIFY(radio(w, QStringLiteral("OptionV(0)"))->isChecked());
        QCOMPARE(field(w, 18)->text(), QStringLiteral("200")); // other settings intact

        QVERIFY(w.commands().SaveSettings().ok);
        QCOMPARE(f.stored(QStringLiteral("Rotate")), QStringLiteral("2"));
        QCOMPARE(f.stored(QStringLiteral("Max Y Value")), QStringLiteral("lots"));
        QCOMPARE(f.stored(QStringLiteral("Draw Lines Value")), QStringLiteral("200"));
    }

    void unwritableStoreStopsTheCommandAndSaysWhy()
    {
        Fixture f;
        f.seed(QStringLiteral("Path-GP2"), f.gameFolder());
        f.seed(QStringLiteral("Zoom Value"), QStringLiteral("2"));
        if (!test::makePermissionsBite())
            QSKIP("file permissions cannot be made to apply here");
        MainWindow& w = f.open();
        const QByteArray before = test::readFile(f.storeFile);
        QFile::setPermissions(f.storeFile, QFileDevice::ReadOwner);
        field(w, 14)->setText(QStringLiteral("4"));
        w.save();
        QFile::setPermissions(f.storeFile, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QCOMPARE(test::readFile(f.storeFile), before);
        QCOMPARE(f.services.messages.size(), 1);
        QVERIFY(f.services.messages.first().contains(f.storeFile));
        QVERIFY(f.services.messages.first().contains(QLatin1String("read-only")));
    }

    void choosePathDialogs()
    {
        Fixture f;
        f.seed(QStringLiteral("Path-GP2"), f.gameFolder());
        MainWindow& w = f.open();
        const QString batch = f.gameFolder() + QStringLiteral("/start game.bat");
        const QString drovex = f.dir.filePath(QStringLiteral("Tools/Drovex.exe"));
        f.services.answers << batch << drovex << QString() << QString() << QString();
        w.BrowseBatchFile();
        w.BrowseDrovexExe();
        QCOMPARE(f.stored(QStringLiteral("Path-Batch")), batch);
        QCOMPARE(f.stored(QStringLiteral("Path-Drovex")), drovex);
        const FileRequest& rb = f.services.requests[0];
        QCOMPARE(rb.title, QStringLiteral("Browse For Batch-File ..."));
        QCOMPARE(rb.filter, QStringLiteral("Batch-Files (*.BAT)|*.bat"));
        QCOMPARE(rb.defaultName, QString());
        QCOMPARE(rb.initialFolder, f.gameFolder());
        const FileRequest& rd = f.services.requests[1];
        QCOMPARE(rd.title, QStringLiteral("Browse For Drovex ..."));
        QCOMPARE(rd.filter, QStringLiteral("Drovex (Drovex.EXE)|drovex.exe"));
        QCOMPARE(rd.defaultName, QStringLiteral("Drovex.EXE"));

        // Cancelling leaves every path as it was.
        w.BrowseGameFolder();
        w.BrowseBatchFile();
        w.BrowseDrovexExe();
        QCOMPARE(f.stored(QStringLiteral("Path-GP2")), f.gameFolder());
        QCOMPARE(f.stored(QStringLiteral("Path-Batch")), batch);
        QCOMPARE(f.stored(QStringLiteral("Path-Drovex")), drovex);
        QCOMPARE(f.session->gameFolder(), f.gameFolder());
    }

    void saveWritesDrovexCfgFromTheWindow()
    {
        Fixture f;
        const QString game = f.gameFolder();
        QVERIFY(test::writeFile(game + QStringLiteral("/circuits/f1ct01.dat"), "#GP2INFO|Name|Interlagos|"));
        QVERIFY(test::writeFile(game + QStringLiteral("/circuits/new/Monaco.dat"), "#GP2INFO|Name|Monaco|"));
        f.seed(QStringLiteral("Path-GP2"), game);
        f.seed(QStringLiteral("F1CT06"), QStringLiteral("CIRCUITS\\NEW\\MONACO.DAT"));
        MainWindow& w = f.open();
        box(w, QStringLiteral("CheckT(14)"))->setChecked(true);
        bar(w, 14)->setValue(3);
        radio(w, QStringLiteral("OptionV(2)"))->setChecked(true);
        child<QPushButton>(w, QStringLiteral("BTN_Save"))->click();

        const QString cfg = game + QStringLiteral("/Drovex.cfg");
        const QByteArray written = test::readFile(cfg);
        QCOMPARE(written.count("\r\n"), configLineCount());
        QCOMPARE(test::lineWith(written, QStringLiteral("mapZoom")), QStringLiteral("mapZoom = 3                     ; Zoom level 0..5 (toggle with TAB in-game)"));
        QVERIFY(test::lineWith(written, QStringLiteral("mapVAlign")).startsWith(QLatin1String(";mapVAlign = 2 "))); // CheckO(1) is off
        QCOMPARE(test::lineWith(written, QStringLiteral("f1ct01")).left(30), QStringLiteral("f1ct01 = \"circuits\\f1ct01.dat\""));
        QCOMPARE(test::lineWith(written, QStringLiteral("f1ct02")), QStringLiteral("f1ct02 = \"\""));
        QCOMPARE(test::lineWith(written, QStringLiteral("f1ct06")), QStringLiteral("f1ct06 = \"circuits\\new\\Monaco.dat\""));
        QVERIFY(w.statusBar()->currentMessage().contains(QLatin1String("written to")));
        QVERIFY(w.statusBar()->currentMessage().contains(cfg));

        // In defaults mode the file carries the defaults and the game's own circuit files.
        box(w, QStringLiteral("SetToDefault"))->setChecked(true);
        w.save();
        const QByteArray d = test::readFile(cfg);
        QVERIFY(test::lineWith(d, QStringLiteral("mapHAlign")).startsWith(QLatin1String("mapHAlign = 1 ")));
        QVERIFY(test::lineWith(d, QStringLiteral("mapVAlign")).startsWith(QLatin1String("mapVAlign = 0 ")));
        QCOMPARE(test::lineWith(d, QStringLiteral("f1ct06")), QStringLiteral("f1ct06 = \"\"")); // CIRCUITS\F1CT06.DAT is not on disk
        QCOMPARE(f.stored(QStringLiteral("F1CT06")), QStringLiteral("CIRCUITS\\NEW\\MONACO.DAT"));
    }

    void saveNamesSettingsDrovexWillNotRead()
    {
        Fixture f;
        f.seed(QStringLiteral("Path-GP2"), f.gameFolder());
        MainWindow& w = f.open();
        box(w, QStringLiteral("CheckT(5)"))->setChecked(true);
        field(w, 5)->clear();
        child<QPushButton>(w, QStringLiteral("BTN_Save"))->click();
        QVERIFY2(w.statusBar()->currentMessage().endsWith(QLatin1String("; written as not set: Cockpit Zoom")),
                 qPrintable(w.statusBar()->currentMessage()));
        QVERIFY(test::readFile(f.gameFolder() + QStringLiteral("/Drovex.cfg")).contains("\r\n;CockpitZoom =  "));
    }

    void saveTellsWhenDrovexCfgCannotBeWritten()
    {
        Fixture f;
        f.seed(QStringLiteral("Path-GP2"), f.dir.filePath(QStringLiteral("gone")));
        MainWindow& w = f.open();
        w.save();
        QVERIFY(w.statusBar()->currentMessage().contains(QLatin1String("could not be written")));
        QVERIFY(w.statusBar()->currentMessage().contains(QLatin1String("does not exist")));
        QVERIFY(!QFileInfo::exists(f.dir.filePath(QStringLiteral("gone"))));

        Fixture none;
        MainWindow& w2 = none.open(); // first run, folder question cancelled
        w2.save();
        QVERIFY(w2.statusBar()->currentMessage().contains(QLatin1String("no game folder")));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
