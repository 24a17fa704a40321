// The Emulator window under a real mouse and keyboard: what Accept stores and Cancel drops, the
// speed's limits, the tooltips, the ways to it, and what the status bar says at start.
#include "app/emulatorwindow.h"
#include "app/mainwindow.h"
#include "support/coresupport.h"
#include "support/testsupport.h"
#include "tracks/trackmanager.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTest>

using namespace drovex;
using drovex::test::Fixture;
using drovex::test::ModalScript;

namespace {

const QByteArray kDosbox074 = "DOSBox version 0.74-3, copyright 2002-2019 DOSBox Team.";
const QByteArray kStaging082 = "dosbox-staging, version 0.82.0\n\nCopyright (C) 2020-2024 The DOSBox Staging Team";

template <typename T>
T* child(QWidget* window, const char* name)
{
    T* found = window->findChild<T*>(QString::fromLatin1(name));
    if (!found)
        qFatal("no %s", name);
    return found;
}

void click(QWidget* window, const char* name) { QTest::mouseClick(child<QPushButton>(window, name), Qt::LeftButton); }

// Replaces what a field holds as a user would: click into it, select all, type.
void typeInto(QWidget* window, const char* name, const QString& text)
{
    QWidget* field = child<QWidget>(window, name);
    QTest::mouseClick(field, Qt::LeftButton);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty())
        QTest::keyClick(field, Qt::Key_Delete);
    else
        QTest::keyClicks(field, text);
}

QString kindShown(QWidget* window) { return child<QLabel>(window, "LBL_EmulatorKind")->text(); }

// An Emulator window over the fixture's main window, shown.
std::unique_ptr<EmulatorWindow> openWindow(Fixture& f)
{
    MainWindow& w = f.window ? *f.window : f.open();
    auto window = std::make_unique<EmulatorWindow>(*f.session, f.services, &w);
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()))
        qFatal("the Emulator window did not show");
    return window;
}

// PATH holds only the test's own bin folder while an object lives.
struct PathOf {
    explicit PathOf(const QString& folder)
        : old(qgetenv("PATH"))
    {
        qputenv("PATH", folder.toLocal8Bit());
    }
    ~PathOf() { qputenv("PATH", old); }
    QByteArray old;
};

} // namespace

class TestEmulatorWindow : public QObject {
    Q_OBJECT
private slots:
    void acceptStoresEveryField()
    {
        Fixture f;
        const QString emulator = f.dir.filePath(QStringLiteral("emulators/dosbox-staging"));
        QVERIFY(test::writeStandInEmulator(emulator, kStaging082));
        const QString conf = f.dir.filePath(QStringLiteral("mine.conf"));
        QVERIFY(test::writeFile(conf, "[cpu]\n"));
        auto window = openWindow(f);
        f.services.answers << conf;

        typeInto(window.get(), "TXT_EmulatorProgram", emulator);
        QTest::keyClick(child<QWidget>(window.get(), "TXT_EmulatorProgram"), Qt::Key_Tab);
        QCOMPARE(kindShown(window.get()), QStringLiteral("DOSBox Staging 0.82.0"));
        typeInto(window.get(), "TXT_EmulatorCycles", QStringLiteral("150000"));
        typeInto(window.get(), "TXT_EmulatorCdImage", f.dir.filePath(QStringLiteral("gp2 cd.iso")));
        click(window.get(), "BTN_EmulatorConfig");
        QCOMPARE(f.services.requests.last().title, QStringLiteral("Browse For DOS Emulator Settings ..."));
        QCOMPARE(child<QLineEdit>(window.get(), "TXT_EmulatorConfig")->text(), conf);
        click(window.get(), "BTN_Accept");

        QCOMPARE(window->result(), int(QDialog::Accepted));
        QCOMPARE(f.stored(QStringLiteral("Path-Emulator")), emulator);
        QCOMPARE(f.stored(QStringLiteral("Emulator CPU Cycles")), QStringLiteral("150000"));
        QCOMPARE(f.stored(QStringLiteral("Emulator CD Image")), f.dir.filePath(QStringLiteral("gp2 cd.iso")));
        QCOMPARE(f.stored(QStringLiteral("Path-Emulator-Config")), conf);
    }

    void cancelDropsEverything_data()
    {
        QTest::addColumn<bool>("escape");
        QTest::newRow("Cancel") << false;
        QTest::newRow("Escape") << true;
    }
    void cancelDropsEverything()
    {
        QFETCH(bool, escape);
        Fixture f;
        f.seed(QStringLiteral("Emulator CPU Cycles"), QStringLiteral("120000"));
        f.seed(QStringLiteral("Emulator CD Image"), QStringLiteral("/cd/gp2.iso"));
        auto window = openWindow(f);
        QCOMPARE(child<QSpinBox>(window.get(), "TXT_EmulatorCycles")->value(), 120000);
        QCOMPARE(child<QLineEdit>(window.get(), "TXT_EmulatorCdImage")->text(), QStringLiteral("/cd/gp2.iso"));
        typeInto(window.get(), "TXT_EmulatorProgram", QStringLiteral("/opt/dosbox-x"));
        QTest::mouseClick(child<QCheckBox>(window.get(), "CHK_EmulatorMax"), Qt::LeftButton);
        typeInto(window.get(), "TXT_EmulatorCdImage", QString());
        if (escape)
            QTest::keyClick(window.get(), Qt::Key_Escape);
        else
            click(window.get(), "BTN_Cancel");
        QCOMPARE(window->result(), int(QDialog::Rejected));
        IniSettingsStore after(f.storeFile);
        QVERIFY(!after.has(QStringLiteral("Path-Emulator")));
        QCOMPARE(after.get(QStringLiteral("Emulator CPU Cycles")), QStringLiteral("120000"));
        QCOMPARE(after.get(QStringLiteral("Emulator CD Image")), QStringLiteral("/cd/gp2.iso"));
    }

    void speedWithinItsLimits_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("max");
        QTest::addColumn<bool>("enter"); // Accept by Enter in the field, else by the button
        QTest::addColumn<QString>("stored");
        QTest::newRow("below the lower limit") << "5000" << false << false << "10000";
        QTest::newRow("below the lower limit, Enter") << "5000" << false << true << "10000";
        QTest::newRow("a digit too many is refused") << "2000000" << false << false << "200000";
        QTest::newRow("as fast as the computer allows") << "93740" << true << false << "max";
    }
    void speedWithinItsLimits()
    {
        QFETCH(QString, typed);
        QFETCH(bool, max);
        QFETCH(bool, enter);
        QFETCH(QString, stored);
        Fixture f;
        auto window = openWindow(f);
        auto* cycles = child<QSpinBox>(window.get(), "TXT_EmulatorCycles");
        QCOMPARE(cycles->value(), 100000);
        typeInto(window.get(), "TXT_EmulatorCycles", typed);
        if (max) {
            QTest::mouseClick(child<QCheckBox>(window.get(), "CHK_EmulatorMax"), Qt::LeftButton);
            QVERIFY(!cycles->isEnabled());
        }
        if (enter)
            QTest::keyClick(cycles, Qt::Key_Return);
        else
            click(window.get(), "BTN_Accept");
        QCOMPARE(window->result(), int(QDialog::Accepted));
        QCOMPARE(f.stored(QStringLiteral("Emulator CPU Cycles")), stored);
    }

    void emptyProgramFieldSaysWhatStarts_data()
    {
        QTest::addColumn<bool>("held");     // "Path-Emulator" stored before
        QTest::addColumn<QString>("shown"); // grey text and kind once the field is empty; {bin} is PATH
        QTest::newRow("nothing stored: looked for on PATH") << false << "found on PATH: {bin}/dosbox|DOSBox 0.74";
        QTest::newRow("a stored path emptied: started directly")
            << true << "none: DOS programs are started directly|none: DOS programs are started directly";
    }
    void emptyProgramFieldSaysWhatStarts()
    {
        QFETCH(bool, held);
        QFETCH(QString, shown);
        Fixture f;
        const QString bin = f.dir.filePath(QStringLiteral("bin"));
        QVERIFY(test::writeStandInEmulator(bin + QStringLiteral("/dosbox"), kDosbox074));
        PathOf path(bin);
        if (held)
            f.seed(QStringLiteral("Path-Emulator"), bin + QStringLiteral("/dosbox"));
        auto window = openWindow(f);
        auto* program = child<QLineEdit>(window.get(), "TXT_EmulatorProgram");
        typeInto(window.get(), "TXT_EmulatorProgram", QString());
        QTest::keyClick(program, Qt::Key_Tab);
        QCOMPARE(program->placeholderText() + QLatin1Char('|') + kindShown(window.get()),
                 QString(shown).replace(QLatin1String("{bin}"), bin));
        click(window.get(), "BTN_Accept");
        IniSettingsStore after(f.storeFile);
        QCOMPARE(after.has(QStringLiteral("Path-Emulator")), held);
        QCOMPARE(after.get(QStringLiteral("Path-Emulator")), QString());
    }

    void everyFieldSaysWhatItIsFor()
    {
        Fixture f;
        auto window = openWindow(f);
        QStringList silent;
        for (QWidget* w : window->findChildren<QWidget*>())
            if ((qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractButton*>(w) || qobject_cast<QLabel*>(w) ||
                 qobject_cast<QSpinBox*>(w)) &&
                w->toolTip().isEmpty() && !qobject_cast<QSpinBox*>(w->parentWidget()))
                silent << w->objectName() + QLatin1Char('/') + QLatin1String(w->metaObject()->className());
        QVERIFY2(silent.isEmpty(), qPrintable(silent.join(QLatin1Char(' '))));
        QVERIFY(child<QCheckBox>(window.get(), "CHK_EmulatorMax")->toolTip().contains(QLatin1String("cycles=93740")));
    }

    void reachedFromTheMenuAndFromFolderInfo()
    {
        Fixture f;
        f.seed(QStringLiteral("Path-GP2"), f.gameFolder());
        f.seed(QStringLiteral("Path-Emulator"), QString());
        const QString emulator = f.dir.filePath(QStringLiteral("emulators/dosbox"));
        QVERIFY(test::writeStandInEmulator(emulator, kDosbox074));
        MainWindow& w = f.open();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));

        // Choose Path holds one entry for the emulator, after the three paths.
        auto* menu = w.findChild<QMenu*>(QStringLiteral("MNU_2"));
        QStringList names;
        for (QAction* a : menu->actions())
            names << a->objectName() + QLatin1Char('=') + QString(a->text()).remove(QLatin1Char('&'));
        QCOMPARE(names, (QStringList{QStringLiteral("MNU_GP2=GP2 Path"), QStringLiteral("MNU_Batch=Batch Path"),
                                     QStringLiteral("MNU_Path=Drovex Path"), QStringLiteral("MNU_Emulator=DOS Emulator\u2026")}));
        ModalScript fromMenu({{QStringLiteral("EmulatorWindow"), [&](QWidget* window) {
                                   typeInto(window, "TXT_EmulatorProgram", emulator);
                                   typeInto(window, "TXT_EmulatorCycles", QStringLiteral("120000"));
                                   click(window, "BTN_Accept");
                               }}});
        QTest::mouseClick(w.menuBar(), Qt::LeftButton, {}, w.menuBar()->actionGeometry(menu->menuAction()).center());
        QTRY_VERIFY(menu->isVisible());
        QTest::mouseClick(menu, Qt::LeftButton, {},
                          menu->actionGeometry(w.findChild<QAction*>(QStringLiteral("MNU_Emulator"))).center());
        QTRY_VERIFY(fromMenu.completed());
        QCOMPARE(w.statusBar()->currentMessage(),
                 QStringLiteral("DOSBox 0.74 at 120000 cycles: DOS programs run in %1 (Choose Path \u2192 DOS Emulator\u2026 "
                                "changes it).")
                     .arg(emulator));

        // Folder-Info's button leads there too, and back to Folder-Info, which shows the new choice.
        const QString other = f.dir.filePath(QStringLiteral("emulators/dosbox-x"));
        ModalScript fromFolderInfo({
            {QStringLiteral("Drovex5"), [](QWidget* s) { click(s, "BTN_List"); }},
            {QStringLiteral("Drovex8"), [](QWidget* folders) { click(folders, "BTN_Emulator"); }},
            {QStringLiteral("EmulatorWindow"), [&](QWidget* window) {
                 QCOMPARE(child<QLineEdit>(window, "TXT_EmulatorProgram")->text(), emulator);
                 typeInto(window, "TXT_EmulatorProgram", other);
                 click(window, "BTN_Accept");
             }},
            {QStringLiteral("Drovex8"), [&](QWidget* folders) {
                 QCOMPARE(child<QLabel>(folders, "LBL_Folder(3)")->text(), other);
                 click(folders, "BTN_Main");
             }},
        });
        w.showTrackManager();
        QVERIFY(fromFolderInfo.completed());
        QCOMPARE(f.stored(QStringLiteral("Path-Emulator")), other);
    }

    void statusBarAtStart_data()
    {
        QTest::addColumn<QString>("emulator"); // "" stored empty, "PATH" nothing stored, else a stand-in's name
        QTest::addColumn<QByteArray>("banner");
        QTest::addColumn<QString>("cycles");
        QTest::addColumn<QByteArray>("config"); // the player's own settings file, "" for none
        QTest::addColumn<QString>("said");      // {bin} is the stand-ins' folder
        const QString hint = QStringLiteral(" (Choose Path \u2192 DOS Emulator\u2026 changes it).");
        QTest::newRow("no emulator set") << "" << QByteArray() << "" << QByteArray()
                                         << "DOS programs are started directly (no emulator set)";
        QTest::newRow("found on PATH, as fast as it goes")
            << "PATH" << kDosbox074 << "max" << QByteArray()
            << QStringLiteral("DOSBox 0.74 at max cycles: DOS programs run in {bin}/dosbox, found on PATH") + hint;
        QTest::newRow("the player's file sets the speed")
            << "dosbox-staging" << kStaging082 << "" << QByteArray("[cpu]\ncpu_cycles_protected=70000\n")
            << QStringLiteral("DOSBox Staging 0.82.0 at 70000 cycles (set in your emulator settings file): DOS programs "
                              "run in {bin}/dosbox-staging") + hint;
    }
    void statusBarAtStart()
    {
        QFETCH(QString, emulator);
        QFETCH(QByteArray, banner);
        QFETCH(QString, cycles);
        QFETCH(QByteArray, config);
        QFETCH(QString, said);
        Fixture f;
        f.seed(QStringLiteral("Path-GP2"), f.gameFolder());
        const QString bin = f.dir.filePath(QStringLiteral("bin"));
        const QString name = emulator == QLatin1String("PATH") ? QStringLiteral("dosbox") : emulator;
        QVERIFY(name.isEmpty() || test::writeStandInEmulator(bin + QLatin1Char('/') + name, banner));
        PathOf path(bin);
        if (emulator != QLatin1String("PATH"))
            f.seed(QStringLiteral("Path-Emulator"), name.isEmpty() ? QString() : bin + QLatin1Char('/') + name);
        if (!cycles.isEmpty())
            f.seed(QStringLiteral("Emulator CPU Cycles"), cycles);
        if (!config.isEmpty()) {
            QVERIFY(test::writeFile(f.dir.filePath(QStringLiteral("mine.conf")), config));
            f.seed(QStringLiteral("Path-Emulator-Config"), f.dir.filePath(QStringLiteral("mine.conf")));
        }
        MainWindow& w = f.open();
        QCOMPARE(w.statusBar()->currentMessage(), QString(said).replace(QLatin1String("{bin}"), bin));
    }

    // Runs last: it drops the right to write read-only files for the rest of the run.
    void refusedStoreKeepsTheWindowOpen()
    {
        if (!test::makePermissionsBite())
            QSKIP("file permissions cannot be made to apply here");
        Fixture f;
        f.seed(QStringLiteral("Path-GP2"), f.gameFolder());
        auto window = openWindow(f);
        QVERIFY(QFile::setPermissions(f.storeFile, QFileDevice::ReadOwner));
        typeInto(window.get(), "TXT_EmulatorCycles", QStringLiteral("120000"));
        click(window.get(), "BTN_Accept");
        QVERIFY(window->isVisible());
        QCOMPARE(f.services.messages.size(), 1);
        QVERIFY2(f.services.messages.first().contains(QLatin1String("The emulator settings could not be saved")),
                 qPrintable(f.services.messages.first()));
        QCOMPARE(child<QSpinBox>(window.get(), "TXT_EmulatorCycles")->value(), 120000);
        QCOMPARE(f.stored(QStringLiteral("Emulator CPU Cycles")), QString());
        QVERIFY(QFile::setPermissions(f.storeFile, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    }
};

QTEST_MAIN(TestEmulatorWindow)
#include "tst_emulatorwindow.moc"
