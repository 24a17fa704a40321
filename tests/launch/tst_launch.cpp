#include "app/commands.h"
#include "app/mainwindow.h"
#include "launch/launcher.h"
#include "startopts/startoptionsdialog.h"
#include "support/coresupport.h"
#include "support/testsupport.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

using namespace drovex;
using drovex::test::Fixture;

namespace {

QCheckBox* gp2Switch(QWidget* w, int i) { return w->findChild<QCheckBox*>(QStringLiteral("CheckGP2(%1)").arg(i)); }

void flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

// Copies the recording stand-in program to path, keeping it executable.
bool installRecorder(const QString& path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile::remove(path);
    return QFile::copy(QStringLiteral(DROVEX_RECORDER), path);
}

// What the stand-in recorded: its working folder, then its arguments.
QStringList waitForRecord(const QString& file)
{
    for (int i = 0; i < 500 && !QFileInfo::exists(file); ++i)
        QTest::qWait(10);
    const QString text = QString::fromLocal8Bit(test::readFile(file));
    QFile::remove(file);
    return text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace

class TestLaunch : public QObject {
    Q_OBJECT
private slots:
    void optionsLoadAndAccept()
    {
        Fixture f;
        f.seed(QStringLiteral("Path-GP2"), f.gameFolder());
        f.seed(QStringLiteral("Mini Ram"), QStringLiteral("1"));
        f.seed(QStringLiteral("Min Ram"), QStringLiteral("0"));
        f.seed(QStringLiteral("Video"), QStringLiteral("1"));
        f.seed(QStringLiteral("Video Options"), QStringLiteral("1"));
        f.seed(QStringLiteral("Log Options"), QStringLiteral("x"));
        f.seed(QStringLiteral("No Sound"), QStringLiteral("yes"));
        MainWindow& w = f.open();
        StartOptionsDialog* d = w.startOptions(true);
        QCOMPARE(d->objectName(), QStringLiteral("Drovex4"));
        QCOMPARE(d->windowTitle(), QStringLiteral("Grand Prix 2 Options"));
        QVERIFY(gp2Switch(d, 14)->isChecked());
        QVERIFY(!gp2Switch(d, 8)->isChecked());
        QVERIFY(d->findChild<QRadioButton*>(QStringLiteral("OptionVideo(1)"))->isChecked());
        QVERIFY(d->findChild<QRadioButton*>(QStringLiteral("OptionVideo(1)"))->isEnabled());
        QVERIFY(d->findChild<QRadioButton*>(QStringLiteral("OptionLog(0)"))->isChecked());
        QVERIFY(!d->findChild<QRadioButton*>(QStringLiteral("OptionLog(0)"))->isEnabled());
        QCOMPARE(d->findChild<QLineEdit*>(QStringLiteral("TextGP2"))->text(), QString()); // nothing stored
        d->AcceptChanges();
        QCOMPARE(d->OptionsGP2(), QStringLiteral(" video:vga minram"));

        gp2Switch(d, 1)->setChecked(false);
        QVERIFY(!d->findChild<QRadioButton*>(QStringLiteral("OptionVideo(1)"))->isEnabled());
        gp2Switch(d, 4)->setChecked(true);
        d->findChild<QLineEdit*>(QStringLiteral("TextGP2"))->setText(QStringLiteral("E"));
        d->findChild<QPushButton*>(QStringLiteral("BTN_Accept"))->click();
        flushDeletes();
        QVERIFY(!w.startOptions(false));
        QCOMPARE(f.stored(QStringLiteral("Video")), QStringLiteral("0"));
        QCOMPARE(f.stored(QStringLiteral("Video Options")), QStringLiteral("1")); // kept while disabled
        QCOMPARE(f.stored(QStringLiteral("CD-Drive")), QStringLiteral("1"));
        QCOMPARE(f.stored(QStringLiteral("CD-Drive Letter")), QStringLiteral("E"));
        QCOMPARE(f.stored(QStringLiteral("Log Options")), QStringLiteral("0"));
        QCOMPARE(f.stored(QStringLiteral("Min Ram")), QStringLiteral("0"));
    }

    void cancelAndEscapeStoreNothing()
    {
        Fixture f;
        f.seed(QStringLiteral("Path-GP2"), f.gameFolder());
        MainWindow& w = f.open();
        const QByteArray before = test::readFile(f.storeFile);
        StartOptionsDialog* d = w.startOptions(true);
        gp2Switch(d, 8)->setChecked(true);
        d->findChild<QPushButton*>(QStringLiteral("BTN_Cancel"))->click();
        flushDeletes();
        QVERIFY(!w.startOptions(false));
        QCOMPARE(test::readFile(f.storeFile), before);

        // Escape acts as Cancel, here with the window shown modally from its button.
        QTimer::singleShot(0, this, [&w] {
            StartOptionsDialog* shown = w.startOptions(false);
            QVERIFY(shown && shown->isVisible());
            gp2Switch(shown, 9)->setChecked(true);
            QTest::keyClick(shown, Qt::Key_Escape);
        });
        w.findChild<QPushButton*>(QStringLiteral("BTN_GP2"))->click();
        flushDeletes();
        QVERIFY(!w.startOptions(false));
        QCOMPARE(test::readFile(f.storeFile), before);
        StartOptionsDialog* again = w.startOptions(true);
        QVERIFY(!gp2Switch(again, 9)->isChecked());
    }

    void unreadableVideoIndexKeepsTheEarlierChoice()
    {
        Fixture f;
        f.seed(QStringLiteral("Path-GP2"), f.gameFolder());
        f.seed(QStringLiteral("Video Options"), QStringLiteral("2"));
        MainWindow& w = f.open();
        QVERIFY(w.startOptions(true)->findChild<QRadioButton*>(QStringLiteral("OptionVideo(2)"))->isChecked());
        w.startOptions(false)->reject();
        flushDeletes();
        // Unreadable: the index of this run stays.
        f.store->put(QStringLiteral("Video Options"), QStringLiteral("x"));
        QVERIFY(w.startOptions(true)->findChild<QRadioButton*>(QStringLiteral("OptionVideo(2)"))->isChecked());
        w.startOptions(false)->reject();
        flushDeletes();
        // Out of range: nothing new is selected, the window shows its first choice.
        f.store->put(QStringLiteral("Video Options"), QStringLiteral("7"));
        QVERIFY(w.startOptions(true)->findChild<QRadioButton*>(QStringLiteral("OptionVideo(0)"))->isChecked());
    }

    void launchStartsTheChosenProgram_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("optionsOn");
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("drovex with options") << 0 << true << test::texts({"video:vesa", "nomusic"});
        QTest::newRow("drovex without options") << 0 << false << QStringList{};
        QTest::newRow("batch file never gets options") << 1 << true << QStringList{};
        QTest::newRow("game with options") << 2 << true << test::texts({"video:vesa", "nomusic"});
        QTest::newRow("game without options") << 2 << false << QStringList{};
    }
    void launchStartsTheChosenProgram()
    {
        QFETCH(int, mode);
        QFETCH(bool, optionsOn);
        QFETCH(QStringList, arguments);
        Fixture f;
        const QString game = f.dir.filePath(QStringLiteral("Grand Prix 2"));
        const QString drovex = f.dir.filePath(QStringLiteral("My Tools/Drovex.EXE"));
        const QString batch = f.dir.filePath(QStringLiteral("Batch Files/go; rm -rf x.bat"));
        QVERIFY(installRecorder(game + QStringLiteral("/GP2.EXE")));
        QVERIFY(installRecorder(drovex));
        QVERIFY(installRecorder(batch));
        f.seed(QStringLiteral("Path-GP2"), game);
        f.seed(QStringLiteral("Path-Drovex"), drovex);
        f.seed(QStringLiteral("Path-Batch"), batch);
        f.seed(QStringLiteral("Path-Emulator"), QString()); // empty: every program starts directly
        f.seed(QStringLiteral("Video"), QStringLiteral("1"));
        f.seed(QStringLiteral("No Music"), QStringLiteral("1"));
        f.seed(QStringLiteral("Start Mode"), QString::number(mode));
        f.seed(QStringLiteral("GP2 Options"), optionsOn ? QStringLiteral("1") : QStringLiteral("0"));
        const QString record = f.dir.filePath(QStringLiteral("record.txt"));
        qputenv("DROVEX_RECORD_FILE", record.toLocal8Bit());
        MainWindow& w = f.open();
        w.findChild<QPushButton*>(QStringLiteral("BTN_Play"))->click();
        const QStringList got = waitForRecord(record);
        QVERIFY2(!got.isEmpty(), qPrintable(w.statusBar()->currentMessage()));
        QCOMPARE(got.first(), game);
        QCOMPARE(got.mid(1), arguments);
        QVERIFY(w.statusBar()->currentMessage().startsWith(QLatin1String("Started")));
        QVERIFY(QFileInfo::exists(game + QStringLiteral("/Drovex.cfg"))); // saved before the launch
    }

    void failedLaunchSaysWhy()
    {
        Fixture f;
        f.seed(QStringLiteral("Path-GP2"), f.gameFolder());
        f.seed(QStringLiteral("Path-Emulator"), QString());
        f.seed(QStringLiteral("Start Mode"), QStringLiteral("2"));
        MainWindow& w = f.open();
        w.saveAndPlay();
        QVERIFY(w.statusBar()->currentMessage().contains(QLatin1String("Grand Prix 2 could not be started")));
        QVERIFY(w.statusBar()->currentMessage().contains(QLatin1String("does not exist")));
        QVERIFY(f.services.messages.isEmpty());

        f.seed(QStringLiteral("Path-Drovex"), QString());
        QVERIFY(test::writeFile(f.dir.filePath(QStringLiteral("plain.txt")), "text"));
        f.store->put(QStringLiteral("Path-Batch"), f.dir.filePath(QStringLiteral("plain.txt")));
        w.findChild<QRadioButton*>(QStringLiteral("OPT_StartMode(1)"))->setChecked(true);
        QVERIFY(!w.commands().LaunchGame());
        QVERIFY(w.statusBar()->currentMessage().contains(QLatin1String("not executable")));
        w.findChild<QRadioButton*>(QStringLiteral("OPT_StartMode(0)"))->setChecked(true);
        QVERIFY(!w.commands().LaunchGame());
        QVERIFY(w.statusBar()->currentMessage().contains(QLatin1String("no program path")));
    }

    void planForTheGameFindsItsExecutable()
    {
        Fixture f;
        QVERIFY(test::writeFile(f.gameFolder() + QStringLiteral("/gp2.EXE"), "x"));
        const LaunchPlan p = planLaunch(StartMode::Game, true, QStringLiteral(" nosound"), f.gameFolder(), {}, {});
        QCOMPARE(p.program, f.gameFolder() + QStringLiteral("/gp2.EXE"));
        QCOMPARE(p.arguments, QStringList{QStringLiteral("nosound")});
        QCOMPARE(p.folder, f.gameFolder());
    }
};

QTEST_MAIN(TestLaunch)
#include "tst_launch.moc"
