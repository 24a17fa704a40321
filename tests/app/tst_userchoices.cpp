// Nothing a player types or chooses is lost or misreported: numbers typed as in a spin box,
// Save and Play only after a good save and one game at a time, questions before unsaved settings
// or track choices are dropped, and a status bar that keeps the last result.
#include "app/mainwindow.h"
#include "settings/catalogue.h"
#include "support/coresupport.h"
#include "support/panelcontrols.h"
#include "support/testsupport.h"
#include "tracks/trackselector.h"

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QListView>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>
#include <QWheelEvent>

using namespace drovex;
using drovex::test::Fixture;
using drovex::test::ModalScript;

namespace {

using test::box;
using test::child;
using test::field;
QPushButton* button(QWidget* w, const char* name) { return child<QPushButton>(w, QString::fromLatin1(name)); }
void toggle(QCheckBox* b) { QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(b->height() / 2, b->height() / 2)); }
QString status(MainWindow& w) { return w.statusBar()->currentMessage(); }

bool shown(QWidget& w)
{
    w.show();
    w.activateWindow();
    return QTest::qWaitForWindowActive(&w);
}

// A game folder whose GP2.EXE is the recorder, started directly (no emulator).
void makeGame(Fixture& f, int lingerMs = 0)
{
    QDir().mkpath(f.gameFolder());
    const QString exe = f.gameFolder() + QStringLiteral("/GP2.EXE");
    QFile::remove(exe);
    QVERIFY(QFile::copy(QStringLiteral(DROVEX_RECORDER), exe));
    f.seed(QStringLiteral("Path-GP2"), f.gameFolder());
    f.seed(QStringLiteral("Path-Emulator"), QString());
    f.seed(QStringLiteral("Start Mode"), QStringLiteral("2"));
    qputenv("DROVEX_RECORD_FILE", f.dir.filePath(QStringLiteral("record.txt")).toLocal8Bit());
    qputenv("DROVEX_RECORD_STARTS", f.dir.filePath(QStringLiteral("starts.txt")).toLocal8Bit());
    qputenv("DROVEX_RECORD_LINGER_MS", QByteArray::number(lingerMs));
}

int starts(Fixture& f) { return test::readFile(f.dir.filePath(QStringLiteral("starts.txt"))).count('\n'); }

} // namespace

class TestUserChoices : public QObject {
    Q_OBJECT
private slots:
    // Digits go in as typed; the field's rule waits until the user is done.
    void typingWorksLikeASpinBox_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("done");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("position");
        QTest::newRow("12 into 3..20, Enter") << 17 << "12" << "enter" << "12" << 12;
        QTest::newRow("5 into 3..20, Tab") << 17 << "5" << "tab" << "5" << 5;
        QTest::newRow("1 into 3..20 takes the lower limit") << 17 << "1" << "enter" << "3" << 3;
        QTest::newRow("100 into 64..7936, a click elsewhere") << 5 << "100" << "click" << "100" << 100;
        QTest::newRow("300 into a colour") << 0 << "300" << "tab" << "255" << 255;
        QTest::newRow("letters do not go in") << 14 << "a1b" << "enter" << "1" << 1;
        QTest::newRow("dot size typed whole") << 19 << "123456" << "tab" << "123456" << 123456 - 3 * 32767;
        QTest::newRow("Save right after typing") << 16 << "600" << "save" << "479" << 479;
    }
    void typingWorksLikeASpinBox()
    {
        QFETCH(int, index);
        QFETCH(QString, typed);
        QFETCH(QString, done);
        QFETCH(QString, text);
        QFETCH(int, position);
        Fixture f;
        MainWindow& w = f.open(false);
        QVERIFY(shown(w));
        toggle(box(&w, enableName(index)));
        QLineEdit* e = field(&w, index);
        e->setFocus();
        e->selectAll();
        QTest::keyClicks(e, typed);
        QString digits = typed;
        digits.remove(QRegularExpression(QStringLiteral("[^0-9]")));
        QCOMPARE(e->text(), digits); // nothing clamped while typing
        if (done == QLatin1String("enter"))
            QTest::keyClick(e, Qt::Key_Return);
        else if (done == QLatin1String("tab"))
            QTest::keyClick(e, Qt::Key_Tab);
        else if (done == QLatin1String("click"))
            toggle(box(&w, QStringLiteral("Check(2)")));
        else
            QTest::keyClick(e, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(e->text(), text);
        QCOMPARE(child<QScrollBar>(&w, barName(index))->value(), position);
        if (done == QLatin1String("save"))
            QCOMPARE(f.stored(QString::fromLatin1(valuedSetting(index).valueKey)), text);
    }

    // Up, Down and the wheel over a field step it as the arrows do, carrying for dot sizes.
    void keysAndWheelStepTheField()
    {
        Fixture f;
        MainWindow& w = f.open(false);
        QVERIFY(shown(w));
        toggle(box(&w, enableName(17)));
        QLineEdit* lines = field(&w, 17);
        lines->setFocus();
        QTest::keyClick(lines, Qt::Key_Up);
        QCOMPARE(lines->text(), QStringLiteral("4"));
        QTest::keyClicks(lines, QStringLiteral("\b\b19"));
        QTest::keyClick(lines, Qt::Key_Up); // from the typed 19
        QTest::keyClick(lines, Qt::Key_Up);
        QCOMPARE(lines->text(), QStringLiteral("20"));
        const QPointF at(lines->width() / 2.0, lines->height() / 2.0);
        QWheelEvent wheel(at, lines->mapToGlobal(at), QPoint(), QPoint(0, -240), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(lines, &wheel);
        QCOMPARE(lines->text(), QStringLiteral("18"));

        toggle(box(&w, enableName(19)));
        QLineEdit* dots = field(&w, 19);
        dots->setFocus();
        dots->selectAll();
        QTest::keyClicks(dots, QStringLiteral("163834"));
        QTest::keyClick(dots, Qt::Key_Up);
        QCOMPARE(dots->text(), QStringLiteral("163835"));
    }

    // A failed save starts nothing, and a message box names the file and why.
    void saveAndPlayStartsNothingAfterAFailedSave_data()
    {
        QTest::addColumn<QString>("broken");
        QTest::newRow("Drovex.cfg is a folder") << "cfg folder";
        QTest::newRow("read-only game folder") << "read-only";
        QTest::newRow("settings file refused") << "store";
    }
    void saveAndPlayStartsNothingAfterAFailedSave()
    {
        QFETCH(QString, broken);
        Fixture f;
        makeGame(f);
        const QString cfg = f.gameFolder() + QStringLiteral("/Drovex.cfg");
        if (broken == QLatin1String("cfg folder"))
            QVERIFY(QDir().mkpath(cfg));
        MainWindow& w = f.open();
        if (broken == QLatin1String("read-only")) {
            if (!test::makePermissionsBite())
                QSKIP("file permissions cannot be made to apply here");
            QFile::setPermissions(f.gameFolder(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        } else if (broken == QLatin1String("store")) {
            QFile::remove(f.storeFile);
            QVERIFY(QDir().mkpath(f.storeFile));
        }
        QTest::mouseClick(button(&w, "BTN_Play"), Qt::LeftButton);
        QTest::qWait(300);
        QFile::setPermissions(f.gameFolder(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QCOMPARE(starts(f), 0);
        QCOMPARE(f.services.messages.size(), 1);
        const QString named = broken == QLatin1String("store") ? f.storeFile : cfg;
        QVERIFY2(f.services.messages.first().contains(QDir::toNativeSeparators(named)), qPrintable(f.services.messages.first()));
        QVERIFY(!status(w).startsWith(QLatin1String("Started")));
    }

    // While the game runs, Save and Play waits for it: two quick presses start one game.
    void oneGameAtATime()
    {
        Fixture f;
        makeGame(f, 1500);
        MainWindow& w = f.open();
        QVERIFY(shown(w));
        QTest::keyClick(&w, Qt::Key_P, Qt::ControlModifier);
        QTest::keyClick(&w, Qt::Key_P, Qt::ControlModifier);
        QTest::mouseDClick(button(&w, "BTN_Play"), Qt::LeftButton);
        QTRY_COMPARE(starts(f), 1);
        QVERIFY(!button(&w, "BTN_Play")->isEnabled());
        QVERIFY(status(w).startsWith(QLatin1String("Started Grand Prix 2")));
        QVERIFY2(status(w).contains(QLatin1String("Drovex.cfg written to")), qPrintable(status(w))); // the save's note stays
        QTRY_VERIFY_WITH_TIMEOUT(button(&w, "BTN_Play")->isEnabled(), 10000);
        QVERIFY(status(w).contains(QLatin1String("has ended")));
        QTest::keyClick(&w, Qt::Key_P, Qt::ControlModifier);
        QTRY_COMPARE(starts(f), 2);
    }

    // Unsaved settings are asked about; nothing is asked when nothing changed.
    void unsavedChangesAreAskedAbout_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("changed");
        QTest::addColumn<int>("answer"); // 0 Save, 1 Discard, 2 Cancel
        QTest::addColumn<bool>("leaves");
        QTest::addColumn<QString>("stored");
        QTest::newRow("Exit, nothing changed") << "ctrl+x" << false << -1 << true << "0";
        QTest::newRow("Ctrl+Q after a change, Cancel") << "ctrl+q" << true << 2 << false << "0";
        QTest::newRow("close box after a change, Discard") << "close" << true << 1 << true << "0";
        QTest::newRow("Exit after a change, Save") << "ctrl+x" << true << 0 << true << "1";
        QTest::newRow("defaults off, nothing changed") << "defaults" << false << -1 << true << "0";
        QTest::newRow("defaults off after a change, Save") << "defaults" << true << 0 << true << "1";
        QTest::newRow("defaults off after a change, Discard") << "defaults" << true << 1 << true << "0";
        QTest::newRow("defaults off after a change, Cancel") << "defaults" << true << 2 << false << "0";
    }
    void unsavedChangesAreAskedAbout()
    {
        QFETCH(QString, how);
        QFETCH(bool, changed);
        QFETCH(int, answer);
        QFETCH(bool, leaves);
        QFETCH(QString, stored);
        Fixture f;
        makeGame(f);
        f.seed(QStringLiteral("Zoom"), QStringLiteral("0"));
        MainWindow& w = f.open();
        QVERIFY(shown(w));
        QCheckBox* zoom = box(&w, enableName(14));
        if (changed)
            toggle(zoom);
        f.services.choices = {answer};
        QCheckBox* defaults = box(&w, QStringLiteral("SetToDefault"));
        if (how == QLatin1String("defaults")) {
            toggle(defaults);
            toggle(defaults);
        } else if (how == QLatin1String("close")) {
            w.close();
        } else {
            QTest::keyClick(&w, how == QLatin1String("ctrl+q") ? Qt::Key_Q : Qt::Key_X, Qt::ControlModifier);
        }
        QCOMPARE(f.services.questions.size(), changed ? 1 : 0);
        if (changed)
            QVERIFY(f.services.questions.first().contains(QLatin1String("Save changes?")));
        if (how == QLatin1String("defaults")) {
            QCOMPARE(defaults->isChecked(), !leaves);
            if (leaves)
                QCOMPARE(zoom->isChecked(), stored == QLatin1String("1"));
        } else {
            QCOMPARE(w.isVisible(), !leaves);
        }
        QCOMPARE(f.stored(QStringLiteral("Zoom")), stored);
    }

    void defaultsModeSaysWhatItWrote()
    {
        Fixture f;
        makeGame(f);
        MainWindow& w = f.open();
        QVERIFY(shown(w));
        toggle(box(&w, QStringLiteral("SetToDefault")));
        QTest::mouseClick(button(&w, "BTN_Save"), Qt::LeftButton);
        QVERIFY2(status(w).startsWith(QLatin1String("Drovex.cfg written with Drovex's default values")), qPrintable(status(w)));
    }

    // A choice not accepted in the Track Manager is asked about before a save, and the Track
    // Manager shows one consistent selection after any reload.
    void trackChoicesAreNeverDroppedSilently_data()
    {
        QTest::addColumn<int>("answer"); // 0 Accept, 1 Discard
        QTest::addColumn<QString>("slot2");
        QTest::newRow("Accept") << 0 << "Mine.dat";
        QTest::newRow("Discard") << 1 << "CIRCUITS\\F1CT02.DAT";
    }
    void trackChoicesAreNeverDroppedSilently()
    {
        QFETCH(int, answer);
        QFETCH(QString, slot2);
        Fixture f;
        makeGame(f);
        QVERIFY(test::writeFile(f.gameFolder() + QStringLiteral("/Mine.dat"), "#GP2INFO|Name|Mine|#"));
        MainWindow& w = f.open();
        QVERIFY(shown(w));
        ModalScript script({{QStringLiteral("Drovex5"),
                             [](QWidget* s) {
                                 auto* files = child<QListView>(s, QStringLiteral("BX_File"));
                                 QTRY_VERIFY(files->model()->rowCount() > 0);
                                 const QModelIndex mine = files->model()->index(0, 0);
                                 QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, files->visualRect(mine).center());
                                 QTest::mouseClick(child<QRadioButton>(s, QStringLiteral("OPT_Track(2)")), Qt::LeftButton);
                                 QTest::mouseClick(button(s, "BTN_List"), Qt::LeftButton);
                             }},
                            {QStringLiteral("Drovex8"), [](QWidget* info) { QTest::mouseClick(button(info, "BTN_Main"), Qt::LeftButton); }}});
        QTest::mouseClick(button(&w, "BTN_Track"), Qt::LeftButton);
        QVERIFY(script.completed());
        f.services.choices = {answer};
        QTest::mouseClick(button(&w, "BTN_Save"), Qt::LeftButton);
        QVERIFY(f.services.questions.last().startsWith(QLatin1String("Track choices not accepted yet|")));
        QCOMPARE(f.stored(QStringLiteral("F1CT02")), answer == 0 ? slot2 : QString());
        QVERIFY(test::readFile(f.gameFolder() + QStringLiteral("/Drovex.cfg")).contains(answer == 0 ? "f1ct02 = \"Mine.dat\"" : "f1ct02 = \"\""));

        // Opened again: nothing chosen, and everything says so.
        ModalScript again({{QStringLiteral("Drovex5"), [&](QWidget* win) {
                                auto* s = static_cast<TrackSelector*>(win);
                                QCOMPARE(s->table().path(2), slot2);
                                QVERIFY(child<QListView>(s, QStringLiteral("BX_File"))->selectionModel()->selectedIndexes().isEmpty());
                                QCOMPARE(s->selectedName(), QString());
                                QVERIFY(!button(s, "BTN_Details")->isEnabled());
                                QVERIFY(!child<QRadioButton>(s, QStringLiteral("OPT_Track(2)"))->isEnabled());
                                // Escape with a new choice asks; Cancel keeps the window.
                                s->fileClicked(QStringLiteral("Mine.dat"));
                                QTest::mouseClick(child<QRadioButton>(s, QStringLiteral("OPT_Track(3)")), Qt::LeftButton);
                                f.services.choices = {2, 1};
                                QTest::keyClick(s, Qt::Key_Escape);
                                QVERIFY(s->isVisible());
                                QTest::keyClick(s, Qt::Key_Escape);
                            }}});
        QTest::mouseClick(button(&w, "BTN_Track"), Qt::LeftButton);
        QVERIFY(again.completed());
        QVERIFY(f.stored(QStringLiteral("F1CT03")) != QLatin1String("Mine.dat"));
    }

    void missingTrackFileIsNamed()
    {
        Fixture f;
        makeGame(f);
        f.seed(QStringLiteral("F1CT05"), QStringLiteral("CIRCUITS\\MONZA.DAT"));
        MainWindow& w = f.open();
        QVERIFY(shown(w));
        QTest::mouseClick(button(&w, "BTN_Save"), Qt::LeftButton);
        QVERIFY2(status(w).contains(QLatin1String("slot 5: CIRCUITS\\MONZA.DAT is missing, Drovex keeps its own track")),
                 qPrintable(status(w)));
    }

    // The last result stays until the next action; a long one shows whole in its tooltip and log.
    void statusBarKeepsTheLastResult()
    {
        Fixture f;
        makeGame(f);
        MainWindow& w = f.open();
        QVERIFY(shown(w));
        f.services.answers = {f.gameFolder() + QStringLiteral("/GP2.EXE")};
        QTest::keyClick(&w, Qt::Key_L, Qt::ControlModifier);
        const QString said = QStringLiteral("Drovex path set to ") + QDir::toNativeSeparators(f.gameFolder() + QStringLiteral("/GP2.EXE"));
        QCOMPARE(status(w), said);
        // Opening a menu and moving over its entries leaves it.
        QMenuBar* bar = w.menuBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(bar->actions().first()).center());
        QMenu* file = child<QMenu>(&w, QStringLiteral("MNU_1"));
        QTRY_VERIFY(file->isVisible());
        QTest::mouseMove(file, file->actionGeometry(file->actions().first()).center());
        QTest::keyClick(file, Qt::Key_Escape);
        QCOMPARE(status(w), said);

        const QString longText = QStringLiteral("x").repeated(2000);
        w.showStatus(longText);
        QCOMPARE(w.statusBar()->toolTip(), longText);
        ModalScript log({{QStringLiteral("MessageLog"), [&](QWidget* box) {
                              const QString text = child<QPlainTextEdit>(box, QStringLiteral("MessageLogText"))->toPlainText();
                              QVERIFY(text.contains(said));
                              QVERIFY(text.contains(longText));
                              box->close();
                          }}});
        w.showMessages();
        QVERIFY(log.completed());
    }
};

QTEST_MAIN(TestUserChoices)
#include "tst_userchoices.moc"
