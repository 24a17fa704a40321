// A failed save loses nothing and breaks nothing: what the program shows and stores after a
// refused write, and the cases where stored settings used to be lost.
#include "app/mainwindow.h"
#include "app/settingspanel.h"
#include "startopts/startoptionsdialog.h"
#include "support/coresupport.h"
#include "support/panelcontrols.h"
#include "support/testsupport.h"

#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>

using namespace drovex;
using drovex::test::Fixture;

namespace {

using test::box;
using test::child;
using test::field;
// Shows a window as a user sees it, so that mouse clicks reach its controls.
void shown(QWidget& w)
{
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
}
// Clicks a check box where a user would: on its box, not in the empty width beside its caption.
void toggle(QCheckBox* b) { QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(b->height() / 2, b->height() / 2)); }
void click(QWidget* w, const char* name) { QTest::mouseClick(child<QPushButton>(w, QString::fromLatin1(name)), Qt::LeftButton); }

void setWritable(const QString& file, bool writable)
{
    QFile::setPermissions(file, writable ? QFileDevice::ReadOwner | QFileDevice::WriteOwner : QFileDevice::ReadOwner);
}

// A game folder whose GP2.EXE records how it was started, with settings already stored.
void makeGame(Fixture& f)
{
    const QString exe = f.gameFolder() + QStringLiteral("/GP2.EXE");
    QFile::remove(exe);
    QVERIFY(QFile::copy(QStringLiteral(DROVEX_RECORDER), exe));
    f.seed(QStringLiteral("Path-GP2"), f.gameFolder());
    f.seed(QStringLiteral("Path-Emulator"), QString()); // the stand-in is started directly
    f.seed(QStringLiteral("Start Mode"), QStringLiteral("2"));
    f.seed(QStringLiteral("GP2 Options"), QStringLiteral("1"));
    f.seed(QStringLiteral("Zoom Value"), QStringLiteral("2"));
    qputenv("DROVEX_RECORD_FILE", f.dir.filePath(QStringLiteral("record.txt")).toLocal8Bit());
}

QStringList launchedWith(Fixture& f)
{
    const QString file = f.dir.filePath(QStringLiteral("record.txt"));
    for (int i = 0; i < 500 && !QFileInfo::exists(file); ++i)
        QTest::qWait(10);
    const QStringList lines = QString::fromLocal8Bit(test::readFile(file)).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QFile::remove(file);
    return lines.mid(1);
}

} // namespace

class TestFailedSave : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        if (QByteArray(QTest::currentTestFunction()).startsWith("refused") && !test::makePermissionsBite())
            QSKIP("file permissions cannot be made to apply here");
    }

    // One refused write does not break saving for the rest of the run.
    void refusedWriteThenWritableAgain()
    {
        Fixture f;
        makeGame(f);
        MainWindow& w = f.open();
        setWritable(f.storeFile, false);
        field(&w, 14)->setText(QStringLiteral("4"));
        click(&w, "BTN_Save");
        QCOMPARE(f.services.messages.size(), 1);
        QVERIFY(f.services.messages.first().contains(QLatin1String("read-only")));
        QCOMPARE(field(&w, 14)->text(), QStringLiteral("4")); // still shown, to save again
        QVERIFY(!QFileInfo::exists(f.gameFolder() + QStringLiteral("/Drovex.cfg")));

        setWritable(f.storeFile, true);
        click(&w, "BTN_Save");
        QCOMPARE(f.services.messages.size(), 1);
        QCOMPARE(f.stored(QStringLiteral("Zoom Value")), QStringLiteral("4"));
        QVERIFY(QFileInfo::exists(f.gameFolder() + QStringLiteral("/Drovex.cfg")));
        click(&w, "BTN_Play");
        QVERIFY2(w.statusBar()->currentMessage().startsWith(QLatin1String("Started")), qPrintable(w.statusBar()->currentMessage()));
        QCOMPARE(launchedWith(f), QStringList());
    }

    // Start-up options the user cancelled after a refused Accept never reach the disk or a launch.
    void refusedAcceptThenCancel()
    {
        Fixture f;
        makeGame(f);
        MainWindow& w = f.open();
        StartOptionsDialog* d = w.startOptions(true);
        shown(*d);
        toggle(box(d, QStringLiteral("CheckGP2(8)")));
        QVERIFY(box(d, QStringLiteral("CheckGP2(8)"))->isChecked());
        setWritable(f.storeFile, false);
        click(d, "BTN_Accept");
        QCOMPARE(f.services.messages.size(), 1);
        QVERIFY(d->isVisible()); // kept open: nothing the user chose is lost
        click(d, "BTN_Cancel");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        setWritable(f.storeFile, true);
        click(&w, "BTN_Play");
        QCOMPARE(f.stored(QStringLiteral("No Sound")), QString());
        QCOMPARE(launchedWith(f), QStringList());
    }

    // After a refused Save the program sees the store as the disk holds it.
    void refusedSaveThenDefaultsOnAndOff()
    {
        Fixture f;
        makeGame(f);
        MainWindow& w = f.open();
        shown(w);
        setWritable(f.storeFile, false);
        field(&w, 14)->setText(QStringLiteral("4"));
        click(&w, "BTN_Save");
        QCOMPARE(f.services.messages.size(), 1);
        toggle(box(&w, QStringLiteral("SetToDefault")));
        toggle(box(&w, QStringLiteral("SetToDefault")));
        QCOMPARE(field(&w, 14)->text(), QStringLiteral("2"));
        setWritable(f.storeFile, true);
    }

    // A first run whose game folder question was cancelled keeps what the user saved since.
    void cancelledFirstRunKeepsSavedSettings()
    {
        Fixture f;
        {
            MainWindow& w = f.open(); // the folder question is cancelled
            shown(w);
            QCOMPARE(f.services.requests.size(), 1);
            toggle(box(&w, QStringLiteral("CheckT(14)")));
            field(&w, 14)->setText(QStringLiteral("4"));
            click(&w, "BTN_Save");
        }
        f.window.reset();
        f.services.requests.clear();
        f.services.messages.clear();
        MainWindow& w = f.open();
        QCOMPARE(field(&w, 14)->text(), QStringLiteral("4"));
        QVERIFY(box(&w, QStringLiteral("CheckT(14)"))->isChecked());
        QCOMPARE(f.services.requests.size(), 1); // asked again, with the notice
        QCOMPARE(f.services.messages.size(), 1);
        QCOMPARE(f.stored(QStringLiteral("Zoom Value")), QStringLiteral("4"));
    }

    // A settings file that cannot be read as settings (a hand edit broke it) is moved aside, never
    // written over, and the user is told where it went.
    void unreadableSettingsFileIsMovedAside_data()
    {
        QTest::addColumn<QByteArray>("garbage");
        QTest::newRow("broken line first") << QByteArray("\"a line a hand edit broke\n[Settings]\nZoom%20Value=4\n");
        QTest::newRow("closing quote missing")
            << QByteArray("[Settings]\nPath-GP2=\"/x\nRotate=1\nZoom%20Value=4\n");
        QTest::newRow("backslash at a line's end") << QByteArray("[Settings]\nPath-GP2=C:\\GP2\\\nRotate=1\n");
    }
    void unreadableSettingsFileIsMovedAside()
    {
        QFETCH(QByteArray, garbage);
        Fixture f;
        QVERIFY(test::writeFile(f.storeFile, garbage));
        f.open();
        QCOMPARE(f.services.messages.size(), 2); // this, then the first-run notice
        const QString message = f.services.messages.first();
        const QStringList aside = QDir(QFileInfo(f.storeFile).absolutePath()).entryList({QStringLiteral("*.unreadable-*")});
        QCOMPARE(aside.size(), 1);
        QVERIFY2(message.contains(f.storeFile) && message.contains(aside.first()), qPrintable(message));
        QCOMPARE(test::readFile(QFileInfo(f.storeFile).absolutePath() + QLatin1Char('/') + aside.first()), garbage);
        QCOMPARE(f.stored(QStringLiteral("Log Visible Lines Value")), QStringLiteral("3")); // the first run's values
        QCOMPARE(f.stored(QStringLiteral("Rotate")), QStringLiteral("0"));
    }

    // A hand edit that breaks the file while the window is open: the next Save keeps the file
    // aside, stores what the window shows and says so.
    void settingsFileBrokenWhileOpen()
    {
        Fixture f;
        makeGame(f);
        MainWindow& w = f.open();
        QVERIFY(f.services.messages.isEmpty());
        const QByteArray broken = "[Settings]\nPath-GP2=\"/x\nZoom%20Value=3\n";
        QVERIFY(test::writeFile(f.storeFile, broken));
        field(&w, 14)->setText(QStringLiteral("4"));
        click(&w, "BTN_Save");
        QCOMPARE(f.services.messages.size(), 1);
        const QStringList aside = QDir(QFileInfo(f.storeFile).absolutePath()).entryList({QStringLiteral("*.unreadable-*")});
        QCOMPARE(aside.size(), 1);
        QVERIFY2(f.services.messages.first().contains(aside.first()), qPrintable(f.services.messages.first()));
        QCOMPARE(test::readFile(QFileInfo(f.storeFile).absolutePath() + QLatin1Char('/') + aside.first()), broken);
        QCOMPARE(f.stored(QStringLiteral("Zoom Value")), QStringLiteral("4"));
        QCOMPARE(f.stored(QStringLiteral("Path-GP2")), f.gameFolder());
    }

    // Stray binary bytes before [Settings] cost no save: Save goes through each time, and the stray
    // line is kept.
    void binaryJunkBeforeTheSettings()
    {
        Fixture f;
        makeGame(f);
        const QByteArray junk("\x7f" "ELF\x02\x01,\x00\x00=\x03,\x00\xff\n", 15);
        QVERIFY(test::writeFile(f.storeFile, junk + test::readFile(f.storeFile)));
        MainWindow& w = f.open();
        QCOMPARE(field(&w, 14)->text(), QStringLiteral("2"));
        for (const QString& value : {QStringLiteral("4"), QStringLiteral("5")}) {
            field(&w, 14)->setText(value);
            click(&w, "BTN_Save");
            QCOMPARE(f.services.messages, QStringList());
            QCOMPARE(f.stored(QStringLiteral("Zoom Value")), value);
        }
        QVERIFY(test::readFile(f.storeFile).startsWith("[General]\n%7F" "ELF%02%01%2C%00%00="));
    }

    // A lock file that is a named pipe or a folder: the window opens at once and names it; saving
    // works again once it is gone.
    void lockFileInTheWay_data()
    {
        QTest::addColumn<bool>("pipe");
        QTest::newRow("named pipe") << true;
        QTest::newRow("folder") << false;
    }
    void lockFileInTheWay()
    {
        QFETCH(bool, pipe);
        Fixture f;
        makeGame(f);
        const QString lock = f.storeFile + QStringLiteral(".lock");
        test::PipeGuard guard(pipe ? QStringList{lock} : QStringList{});
        QVERIFY(guard.made() && (pipe || QDir().mkdir(lock)));
        QElapsedTimer t;
        t.start();
        MainWindow& w = f.open();
        shown(w);
        QVERIFY2(t.elapsed() < 2000, qPrintable(QString::number(t.elapsed())));
        QVERIFY(!guard.blocked());
        QCOMPARE(f.services.messages.size(), 1);
        QVERIFY2(f.services.messages.first().contains(lock) &&
                     f.services.messages.first().contains(QLatin1String(pipe ? "a named pipe" : "a folder")),
                 qPrintable(f.services.messages.first()));
        field(&w, 14)->setText(QStringLiteral("4"));
        click(&w, "BTN_Save");
        QCOMPARE(f.services.messages.size(), 2);
        QVERIFY(f.services.messages.last().contains(lock));
        QVERIFY(pipe ? QFile::remove(lock) : QDir().rmdir(lock));
        click(&w, "BTN_Save");
        QCOMPARE(f.services.messages.size(), 2);
        QCOMPARE(f.stored(QStringLiteral("Zoom Value")), QStringLiteral("4"));
    }

    // "Default Values" shows the Default column, "Log GLX" off whatever "Log CC" was; then the
    // coupling holds again as the user clicks.
    void defaultsModeWithLogCcOn()
    {
        Fixture f;
        makeGame(f);
        f.seed(QStringLiteral("Log CC"), QStringLiteral("1"));
        f.seed(QStringLiteral("Log GLX"), QStringLiteral("1"));
        MainWindow& w = f.open();
        shown(w);
        toggle(box(&w, QStringLiteral("SetToDefault")));
        QVERIFY(!box(&w, QStringLiteral("Check(7)"))->isChecked());
        QVERIFY(!box(&w, QStringLiteral("Check(8)"))->isChecked());
        w.saveSettingsAndWrite();
        QCOMPARE(f.stored(QStringLiteral("Log GLX")), QStringLiteral("0"));
        QVERIFY(test::readFile(f.gameFolder() + QStringLiteral("/Drovex.cfg")).contains("\r\nlogGLX = 0 "));
        toggle(box(&w, QStringLiteral("SetToDefault")));
        toggle(box(&w, QStringLiteral("Check(8)")));
        QVERIFY(box(&w, QStringLiteral("Check(7)"))->isChecked());
    }

    // A start-up switch stored greyed ("2") becomes a plain switch once clicked, as in the main window.
    void greyedSwitchesLeaveTheGreyOnClick()
    {
        Fixture f;
        makeGame(f);
        f.seed(QStringLiteral("No Sound"), QStringLiteral("2"));
        f.seed(QStringLiteral("Rotate"), QStringLiteral("2"));
        MainWindow& w = f.open();
        shown(w);
        StartOptionsDialog* d = w.startOptions(true);
        shown(*d);
        for (QCheckBox* b : {box(d, QStringLiteral("CheckGP2(8)")), box(&w, QStringLiteral("Check(15)"))}) {
            QCOMPARE(b->checkState(), Qt::PartiallyChecked);
            QList<Qt::CheckState> seen;
            for (int i = 0; i < 3; ++i) {
                toggle(b);
                seen << b->checkState();
            }
            QCOMPARE(seen, (QList<Qt::CheckState>{Qt::Checked, Qt::Unchecked, Qt::Checked}));
        }
    }

    // A number of any length clamps to the field's upper limit, typed or loaded.
    void digitsOfAnyLength_data()
    {
        QTest::addColumn<int>("digits");
        QTest::newRow("400") << 400;
        QTest::newRow("5000") << 5000;
    }
    void digitsOfAnyLength()
    {
        QFETCH(int, digits);
        Fixture f;
        makeGame(f);
        f.seed(QStringLiteral("Max Y Value"), QString(digits, QLatin1Char('9')));
        MainWindow& w = f.open();
        QCOMPARE(field(&w, 16)->text(), QStringLiteral("479"));
        QCOMPARE(child<QScrollBar>(&w, barName(16))->value(), 479);
        field(&w, 5)->setText(QStringLiteral("7") + QString(digits - 1, QLatin1Char('0')));
        QCOMPARE(field(&w, 5)->text(), QStringLiteral("7936"));
        field(&w, 19)->setText(QString(digits, QLatin1Char('1')));
        QCOMPARE(field(&w, 19)->text(), QStringLiteral("999999"));
    }
};

QTEST_MAIN(TestFailedSave)
#include "tst_failedsave.moc"
