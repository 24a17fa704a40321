#include "app/mainwindow.h"
#include "tracks/trackmanager.h"
#include "support/coresupport.h"
#include "support/testsupport.h"
#include "tracks/navigation.h"
#include "tracks/trackinfowindow.h"
#include "tracks/trackselector.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

using namespace drovex;
using drovex::test::Fixture;

namespace {

QByteArray tag(const QByteArray& name, const QByteArray& more = {})
{
    return QByteArray(64, '\0') + "#GP2INFO|Name|" + name + "|" + more;
}

// A game folder with its circuit files and a folder of custom tracks.
void makeGame(Fixture& f)
{
    const QString game = f.gameFolder();
    for (int n = 1; n <= 16; ++n)
        QVERIFY(test::writeFile(game + QStringLiteral("/CIRCUITS/F1CT%1.DAT").arg(n, 2, 10, QLatin1Char('0')),
                                tag("Circuit " + QByteArray::number(n))));
    QVERIFY(test::writeFile(game + QStringLiteral("/CIRCUITS/NEW/Monaco.dat"),
                            tag("Monaco", "Country|Monaco|LapRecord|None Entered|Desc|" + QByteArray("a long description of the track ").repeated(8) + "|")));
    QVERIFY(test::writeFile(game + QStringLiteral("/CIRCUITS/NEW/Bold.DAT"), tag("<b>x</b>")));
    QVERIFY(test::writeFile(game + QStringLiteral("/CIRCUITS/NEW/readme.txt"), "not a track"));
    QVERIFY(test::writeFile(game + QStringLiteral("/Top.dat"), tag("Top")));
    f.seed(QStringLiteral("Path-GP2"), game);
}

void waitForFiles(TrackSelector* s)
{
    QTRY_VERIFY_WITH_TIMEOUT(s->isFileListComplete(), 10000);
}

QStringList fileList(TrackSelector* s)
{
    QStringList names;
    auto* view = s->findChild<QListView*>(QStringLiteral("BX_File"));
    for (int r = 0; r < view->model()->rowCount(); ++r)
        names << view->model()->index(r, 0).data().toString();
    return names;
}

QLabel* slotLabel(QWidget* w, int n) { return w->findChild<QLabel*>(QStringLiteral("LBL_Track(%1)").arg(n)); }

} // namespace

class TestTrackWindows : public QObject {
    Q_OBJECT
private slots:
    void firstUseShowsTheCircuitFiles()
    {
        Fixture f;
        makeGame(f);
        MainWindow& w = f.open();
        TrackSelector* s = w.tracks().selector(true);
        QCOMPARE(s->objectName(), QStringLiteral("Drovex5"));
        QCOMPARE(s->windowTitle(), QStringLiteral("Drovex Track-Selector"));
        QCOMPARE(slotLabel(s, 1)->text(), QStringLiteral("Circuit 1"));
        QCOMPARE(slotLabel(s, 16)->toolTip(), QStringLiteral("CIRCUITS\\F1CT16.DAT"));
        QCOMPARE(s->selectedName(), QString());
        QVERIFY(!s->findChild<QPushButton*>(QStringLiteral("BTN_Details"))->isEnabled());
        waitForFiles(s);
        QCOMPARE(fileList(s), QStringList{QStringLiteral("Top.dat")});
        s->changeFolder(f.gameFolder() + QStringLiteral("/CIRCUITS/NEW"));
        waitForFiles(s);
        QCOMPARE(fileList(s), (QStringList{QStringLiteral("Bold.DAT"), QStringLiteral("Monaco.dat")}));
        QVERIFY(f.services.messages.isEmpty());
    }

    void assignAcceptAndCancel()
    {
        Fixture f;
        makeGame(f);
        MainWindow& w = f.open();
        TrackSelector* s = w.tracks().selector(true);
        s->changeFolder(f.gameFolder() + QStringLiteral("/CIRCUITS/NEW"));
        s->fileClicked(QStringLiteral("Monaco.dat"));
        QCOMPARE(s->selectedName(), QStringLiteral("Monaco"));
        QVERIFY(s->findChild<QRadioButton*>(QStringLiteral("OPT_Track(6)"))->isEnabled());
        QVERIFY(s->findChild<QPushButton*>(QStringLiteral("BTN_Details"))->isEnabled());
        s->findChild<QRadioButton*>(QStringLiteral("OPT_Track(6)"))->click();
        QCOMPARE(s->table().path(6), QStringLiteral("CIRCUITS\\NEW\\Monaco.dat"));
        QCOMPARE(slotLabel(s, 6)->text(), QStringLiteral("Monaco"));
        QVERIFY(!s->findChild<QRadioButton*>(QStringLiteral("OPT_Track(7)"))->isEnabled());

        s->changeFolder(f.gameFolder());
        s->fileClicked(QStringLiteral("Top.dat"));
        s->assignSlot(7);
        QCOMPARE(s->table().path(7), QStringLiteral("Top.dat")); // directly in the game folder

        // Cancel drops everything since the last Accept.
        s->findChild<QPushButton*>(QStringLiteral("BTN_Cancel"))->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!w.tracks().selector(false));
        QCOMPARE(f.stored(QStringLiteral("F1CT06")), QString());
        s = w.tracks().selector(true);
        QCOMPARE(s->table().path(6), QStringLiteral("CIRCUITS\\F1CT06.DAT"));

        s->changeFolder(f.gameFolder() + QStringLiteral("/CIRCUITS/NEW"));
        s->fileClicked(QStringLiteral("Monaco.dat"));
        s->assignSlot(6);
        s->findChild<QPushButton*>(QStringLiteral("BTN_Accept"))->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!w.tracks().selector(false));
        for (int n = 1; n <= 16; ++n)
            QVERIFY(!f.stored(QStringLiteral("F1CT%1").arg(n, 2, 10, QLatin1Char('0'))).isEmpty());
        QCOMPARE(f.stored(QStringLiteral("F1CT06")), QStringLiteral("CIRCUITS\\NEW\\Monaco.dat"));

        // The next Drovex.cfg carries the slot.
        w.save();
        QVERIFY(test::readFile(f.gameFolder() + QStringLiteral("/Drovex.cfg")).contains("f1ct06 = \"CIRCUITS\\NEW\\Monaco.dat\""));
    }

    // Drovex opens track files under DOS: a file whose path is not 8.3 is listed but cannot be
    // assigned, and the window says why.
    void filesDosCannotOpenAreRefused_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("reason");
        QTest::newRow("blank") << "Monaco GP.dat" << "holds a blank";
        QTest::newRow("long stem") << "Monaco1998.dat" << "more than 8 characters";
        QTest::newRow("line feed") << "Mon\naco.dat" << "control character";
    }
    void filesDosCannotOpenAreRefused()
    {
        QFETCH(QString, file);
        QFETCH(QString, reason);
        Fixture f;
        makeGame(f);
        QVERIFY(test::writeFile(f.gameFolder() + QStringLiteral("/CIRCUITS/NEW/") + file, tag("Long")));
        MainWindow& w = f.open();
        TrackSelector* s = w.tracks().selector(true);
        s->changeFolder(f.gameFolder() + QStringLiteral("/CIRCUITS/NEW"));
        waitForFiles(s);
        QVERIFY(fileList(s).contains(file));
        s->fileClicked(file);
        QVERIFY2(s->selectedName().startsWith(QStringLiteral("Drovex cannot open this file under DOS: ")), qPrintable(s->selectedName()));
        QVERIFY2(s->selectedName().contains(reason), qPrintable(s->selectedName()));
        for (int n = 1; n <= 16; ++n)
            QVERIFY(!s->findChild<QRadioButton*>(QStringLiteral("OPT_Track(%1)").arg(n))->isEnabled());
        s->assignSlot(3);
        QCOMPARE(s->table().path(3), QStringLiteral("CIRCUITS\\F1CT03.DAT"));
        // An 8.3 file in the same folder is taken as before.
        s->fileClicked(QStringLiteral("Monaco.dat"));
        QVERIFY(s->findChild<QRadioButton*>(QStringLiteral("OPT_Track(3)"))->isEnabled());
    }

    void folderRule_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<bool>("warned");
        QTest::newRow("game folder") << "" << false;
        QTest::newRow("sub-folder") << "/CIRCUITS/NEW" << false;
        QTest::newRow("name only begins like the game folder") << "X" << true;
        QTest::newRow("letter case differs") << "!case" << true;
        QTest::newRow("outside") << "/.." << true;
    }
    void folderRule()
    {
        QFETCH(QString, folder);
        QFETCH(bool, warned);
        Fixture f;
        makeGame(f);
        QDir().mkpath(f.gameFolder() + QStringLiteral("X"));
        QDir().mkpath(f.dir.filePath(QStringLiteral("gp2")));
        MainWindow& w = f.open();
        TrackSelector* s = w.tracks().selector(true);
        const QString target = folder == QLatin1String("!case") ? f.dir.filePath(QStringLiteral("gp2"))
                                                                 : f.gameFolder() + folder;
        s->changeFolder(target);
        QCOMPARE(f.services.messages.size(), warned ? 1 : 0);
        if (warned) {
            QCOMPARE(f.services.messages.first(),
                     QStringLiteral("Warning !!|Your Track-Folder must be a\r\nSub-Directory of your GP2-Folder     "));
            QCOMPARE(s->folderPath(), f.gameFolder());
        } else {
            QCOMPARE(s->folderPath(), QDir::cleanPath(target));
        }
    }

    void driveListMovesTheFolderList()
    {
        Fixture f;
        makeGame(f);
        MainWindow& w = f.open();
        TrackSelector* s = w.tracks().selector(true);
        auto* drives = s->findChild<QComboBox*>(QStringLiteral("BX_Drive"));
        QVERIFY(drives->count() >= 1);
        QVERIFY(drives->findData(QStringLiteral("/")) >= 0);
        s->chooseDrive(QStringLiteral("/"));
        QCOMPARE(f.services.messages.size(), 1); // the root is outside the game folder
        QCOMPARE(s->folderPath(), f.gameFolder());
        auto* folders = s->findChild<QListWidget*>(QStringLiteral("BX_Folder"));
        QVERIFY(folders->findItems(QStringLiteral("CIRCUITS"), Qt::MatchEndsWith).size() == 1);
        QVERIFY(folders->findItems(QStringLiteral("/"), Qt::MatchExactly).size() == 1);
    }

    void defaultsModeShowsTheCircuitFiles()
    {
        Fixture f;
        makeGame(f);
        f.seed(QStringLiteral("F1CT06"), QStringLiteral("CIRCUITS\\NEW\\Monaco.dat"));
        MainWindow& w = f.open();
        w.findChild<QCheckBox*>(QStringLiteral("SetToDefault"))->setChecked(true);
        TrackSelector* s = w.tracks().selector(true);
        QCOMPARE(slotLabel(s, 6)->toolTip(), QStringLiteral("CIRCUITS\\F1CT06.DAT"));
        for (const char* name : {"BX_Drive", "BX_File", "BX_Folder", "BX_Select", "BTN_Accept"})
            QVERIFY(!s->findChild<QWidget*>(QString::fromLatin1(name))->isEnabled());
        w.findChild<QCheckBox*>(QStringLiteral("SetToDefault"))->setChecked(false);
        QCOMPARE(slotLabel(s, 6)->toolTip(), QStringLiteral("CIRCUITS\\NEW\\Monaco.dat"));
        QCOMPARE(slotLabel(s, 6)->text(), QStringLiteral("Monaco"));
        QVERIFY(s->findChild<QWidget*>(QStringLiteral("BTN_Accept"))->isEnabled());
    }

    void trackTextStaysPlain()
    {
        Fixture f;
        makeGame(f);
        f.seed(QStringLiteral("F1CT02"), QStringLiteral("CIRCUITS\\NEW\\Bold.DAT"));
        MainWindow& w = f.open();
        TrackSelector* s = w.tracks().selector(true);
        QCOMPARE(slotLabel(s, 2)->text(), QStringLiteral("<b>x</b>"));
        QCOMPARE(slotLabel(s, 2)->textFormat(), Qt::PlainText);
        s->slotLabelClicked(2);
        QCOMPARE(s->selectedName(), QStringLiteral("<b>x</b>"));
        QCOMPARE(s->trackInfo(false)->findChild<QLabel*>(QStringLiteral("LBL_Name"))->textFormat(), Qt::PlainText);
    }

    void handOversBetweenTheWindows()
    {
        Fixture f;
        makeGame(f);
        MainWindow& w = f.open();
        w.show();
        QStringList seen;
        // Script: select Monaco, More Info, read the values, OK, Escape on the track info, then Cancel.
        QTimer::singleShot(0, this, [&] {
            TrackSelector* s = w.tracks().selector(false);
            seen << QStringLiteral("selector:%1").arg(s->isVisible());
            s->changeFolder(f.gameFolder() + QStringLiteral("/CIRCUITS/NEW"));
            s->fileClicked(QStringLiteral("Monaco.dat"));
            s->findChild<QPushButton*>(QStringLiteral("BTN_Details"))->click();
            QTimer::singleShot(0, this, [&] {
                TrackSelector* sel = w.tracks().selector(false);
                TrackInfoWindow* info = sel->trackInfo(false);
                seen << QStringLiteral("info:%1 selector:%2").arg(info->isVisible()).arg(sel->isVisible());
                seen << info->value(Country) + QLatin1Char(',') + info->value(LapRecord) + QLatin1Char(',') +
                            info->value(Event);
                QCoreApplication::processEvents(); // let the layout settle
                seen << QStringLiteral("wraps:%1").arg(info->findChild<QLabel*>(QStringLiteral("LBL_Misc"))->height() >
                                                       info->findChild<QLabel*>(QStringLiteral("LBL_Country"))->height() * 2);
                info->findChild<QPushButton*>(QStringLiteral("BTN_OK"))->click();
                QTimer::singleShot(0, this, [&] {
                    TrackSelector* back = w.tracks().selector(false);
                    seen << QStringLiteral("selector:%1").arg(back->isVisible());
                    back->findChild<QPushButton*>(QStringLiteral("BTN_Details"))->click();
                    QTimer::singleShot(0, this, [&] {
                        QTest::keyClick(w.tracks().selector(false)->trackInfo(false), Qt::Key_Escape);
                        QTimer::singleShot(0, this, [&] {
                            seen << QStringLiteral("selector:%1").arg(w.tracks().selector(false)->isVisible());
                            QTest::keyClick(w.tracks().selector(false), Qt::Key_Escape);
                        });
                    });
                });
            });
        });
        w.showTrackManager();
        QCOMPARE(seen, (QStringList{QStringLiteral("selector:1"), QStringLiteral("info:1 selector:0"),
                                    QStringLiteral("Monaco,-,-"), QStringLiteral("wraps:1"), QStringLiteral("selector:1"),
                                    QStringLiteral("selector:1")}));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!w.tracks().selector(false));
    }
};

QTEST_MAIN(TestTrackWindows)
#include "tst_trackwindows.moc"
