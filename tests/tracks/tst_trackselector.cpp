#include "app/mainwindow.h"
#include "support/coresupport.h"
#include "support/testsupport.h"
#include "tracks/fileinfowindow.h"
#include "tracks/trackinfowindow.h"
#include "tracks/trackmanager.h"
#include "tracks/trackselector.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace drovex;
using drovex::test::Fixture;
using drovex::test::ModalScript;

namespace {

QByteArray tag(const QByteArray& name, const QByteArray& more = {})
{
    return QByteArray(64, '\0') + "#GP2INFO|Name|" + name + "|" + more;
}

// A game folder with its circuit files (named prefix + slot number) and a folder of custom tracks.
void makeGame(const QString& game, const QByteArray& prefix = "Circuit ")
{
    for (int n = 1; n <= 16; ++n)
        QVERIFY(test::writeFile(game + QStringLiteral("/CIRCUITS/F1CT%1.DAT").arg(n, 2, 10, QLatin1Char('0')),
                                tag(prefix + QByteArray::number(n))));
    QVERIFY(test::writeFile(game + QStringLiteral("/CIRCUITS/NEW/Monaco.dat"), tag("Monaco", "Country|Monaco|")));
    QVERIFY(test::writeFile(game + QStringLiteral("/CIRCUITS/NEW/Bold.DAT"), tag("<b>x</b>")));
    QVERIFY(test::writeFile(game + QStringLiteral("/CIRCUITS/NEW/readme.txt"), "not a track"));
    QVERIFY(test::writeFile(game + QStringLiteral("/Top.dat"), tag("Top")));
}

void makeGame(Fixture& f)
{
    makeGame(f.gameFolder());
    f.seed(QStringLiteral("Path-GP2"), f.gameFolder());
}

void waitForFiles(TrackSelector* s) { QTRY_VERIFY_WITH_TIMEOUT(s->isFileListComplete(), 10000); }

QListView* fileView(QWidget* s) { return s->findChild<QListView*>(QStringLiteral("BX_File")); }

QStringList fileList(TrackSelector* s)
{
    QStringList names;
    for (int r = 0; r < fileView(s)->model()->rowCount(); ++r)
        names << fileView(s)->model()->index(r, 0).data().toString();
    return names;
}

// Clicks a file of the list with the mouse, as the user picks a track.
void clickFile(TrackSelector* s, const QString& name)
{
    waitForFiles(s);
    const qsizetype row = fileList(s).indexOf(name);
    QVERIFY2(row >= 0, qPrintable(name));
    QListView* view = fileView(s);
    const QModelIndex index = view->model()->index(static_cast<int>(row), 0);
    view->scrollTo(index);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
}

QLabel* slotLabel(QWidget* w, int n) { return w->findChild<QLabel*>(QStringLiteral("LBL_Track(%1)").arg(n)); }
QRadioButton* slotButton(QWidget* w, int n) { return w->findChild<QRadioButton*>(QStringLiteral("OPT_Track(%1)").arg(n)); }
QPushButton* button(QWidget* w, const char* name) { return w->findChild<QPushButton*>(QString::fromLatin1(name)); }
void press(QWidget* w, const char* name) { QTest::mouseClick(button(w, name), Qt::LeftButton); }

TrackSelector* shownSelector(MainWindow& w)
{
    TrackSelector* s = w.tracks().selector(true);
    s->show();
    if (!QTest::qWaitForWindowExposed(s))
        return nullptr;
    return s;
}

} // namespace

class TestTrackSelector : public QObject {
    Q_OBJECT
private slots:
    void firstUseShowsTheCircuitFiles()
    {
        Fixture f;
        makeGame(f);
        QDir().mkpath(f.gameFolder() + QStringLiteral("/.cache"));
        QVERIFY(test::writeFile(f.gameFolder() + QStringLiteral("/.hidden.dat"), tag("Hidden")));
        MainWindow& w = f.open();
        TrackSelector* s = w.tracks().selector(true);
        QCOMPARE(s->objectName(), QStringLiteral("Drovex5"));
        QCOMPARE(s->windowTitle(), QStringLiteral("Drovex Track-Selector"));
        QCOMPARE(slotLabel(s, 1)->text(), QStringLiteral("Circuit 1"));
        QCOMPARE(slotLabel(s, 16)->toolTip(), QStringLiteral("CIRCUITS\\F1CT16.DAT"));
        QCOMPARE(s->selectedName(), QString());
        QVERIFY(!button(s, "BTN_Details")->isEnabled());
        // It opens in the slots' track folder.
        waitForFiles(s);
        QCOMPARE(s->folderPath(), QDir::toNativeSeparators(f.gameFolder() + QStringLiteral("/CIRCUITS")));
        QCOMPARE(fileList(s).size(), 16);
        s->changeFolder(f.gameFolder());
        waitForFiles(s);
        QCOMPARE(fileList(s), QStringList{QStringLiteral("Top.dat")});
        // Dot-folders stay out of the folder list, as in a file manager.
        auto* folders = s->findChild<QListWidget*>(QStringLiteral("BX_Folder"));
        QCOMPARE(folders->findItems(QStringLiteral("CIRCUITS"), Qt::MatchEndsWith).size(), 1);
        QVERIFY(folders->findItems(QStringLiteral(".cache"), Qt::MatchEndsWith).isEmpty());
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
        TrackSelector* s = shownSelector(w);
        QVERIFY(s);
        s->changeFolder(f.gameFolder() + QStringLiteral("/CIRCUITS/NEW"));
        clickFile(s, QStringLiteral("Monaco.dat"));
        QCOMPARE(s->selectedName(), QStringLiteral("Monaco"));
        QVERIFY(slotButton(s, 6)->isEnabled());
        QVERIFY(button(s, "BTN_Details")->isEnabled());
        QTest::mouseClick(slotButton(s, 6), Qt::LeftButton);
        QCOMPARE(s->table().path(6), QStringLiteral("CIRCUITS\\NEW\\Monaco.dat"));
        QCOMPARE(slotLabel(s, 6)->text(), QStringLiteral("Monaco"));
        QVERIFY(!slotButton(s, 7)->isEnabled());

        s->changeFolder(f.gameFolder());
        clickFile(s, QStringLiteral("Top.dat"));
        QTest::mouseClick(slotButton(s, 7), Qt::LeftButton);
        QCOMPARE(s->table().path(7), QStringLiteral("Top.dat")); // directly in the game folder

        // Cancel drops everything since the last Accept, once the user says so.
        press(s, "BTN_Cancel");
        QVERIFY(s->isVisible());
        QVERIFY(f.services.questions.last().startsWith(QLatin1String("Track choices not accepted yet|")));
        f.services.choices = {1}; // Discard
        press(s, "BTN_Cancel");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!w.tracks().selector(false));
        QCOMPARE(f.stored(QStringLiteral("F1CT06")), QString());
        s = shownSelector(w);
        QCOMPARE(s->table().path(6), QStringLiteral("CIRCUITS\\F1CT06.DAT"));

        s->changeFolder(f.gameFolder() + QStringLiteral("/CIRCUITS/NEW"));
        clickFile(s, QStringLiteral("Monaco.dat"));
        QTest::mouseClick(slotButton(s, 6), Qt::LeftButton);
        press(s, "BTN_Accept");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!w.tracks().selector(false));
        for (int n = 1; n <= 16; ++n)
            QVERIFY(!f.stored(QStringLiteral("F1CT%1").arg(n, 2, 10, QLatin1Char('0'))).isEmpty());
        QCOMPARE(f.stored(QStringLiteral("F1CT06")), QStringLiteral("CIRCUITS\\NEW\\Monaco.dat"));

        // The next Drovex.cfg carries the slot.
        w.save();
        QVERIFY(test::readFile(f.gameFolder() + QStringLiteral("/Drovex.cfg")).contains("f1ct06 = \"CIRCUITS\\NEW\\Monaco.dat\""));
    }

    // The arrow keys choose a file as a click does: the highlighted file is the one a slot gets.
    void arrowKeysChooseTheHighlightedFile()
    {
        Fixture f;
        makeGame(f);
        MainWindow& w = f.open();
        TrackSelector* s = shownSelector(w);
        QVERIFY(s);
        s->changeFolder(f.gameFolder() + QStringLiteral("/CIRCUITS/NEW"));
        clickFile(s, QStringLiteral("Bold.DAT"));
        QCOMPARE(s->selectedName(), QStringLiteral("<b>x</b>"));
        QListView* view = fileView(s);
        QTest::keyClick(view, Qt::Key_Down);
        QCOMPARE(view->selectionModel()->selectedRows().size(), 1);
        QCOMPARE(view->selectionModel()->selectedRows().first().data().toString(), QStringLiteral("Monaco.dat"));
        QCOMPARE(s->selectedName(), QStringLiteral("Monaco"));
        QVERIFY(s->selectedPath().endsWith(QStringLiteral("Monaco.dat")));
        QTest::mouseClick(slotButton(s, 6), Qt::LeftButton);
        QCOMPARE(s->table().path(6), QStringLiteral("CIRCUITS\\NEW\\Monaco.dat"));
        // After the assignment the keys choose again, and enable the slot buttons again.
        QVERIFY(!slotButton(s, 7)->isEnabled());
        QTest::keyClick(view, Qt::Key_Up);
        QCOMPARE(s->selectedName(), QStringLiteral("<b>x</b>"));
        QVERIFY(slotButton(s, 7)->isEnabled());
        QTest::mouseClick(slotButton(s, 7), Qt::LeftButton);
        QCOMPARE(s->table().path(7), QStringLiteral("CIRCUITS\\NEW\\Bold.DAT"));
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
        TrackSelector* s = shownSelector(w);
        QVERIFY(s);
        s->changeFolder(f.gameFolder() + QStringLiteral("/CIRCUITS/NEW"));
        clickFile(s, file);
        // The reason shows whole on lines of its own; the tag can still be looked at.
        auto* refused = s->findChild<QLabel*>(QStringLiteral("LBL_Refused"));
        QVERIFY(refused->isVisible() && refused->wordWrap());
        QVERIFY2(refused->text().startsWith(QStringLiteral("Drovex cannot open this file under DOS: ")), qPrintable(refused->text()));
        QVERIFY2(refused->text().contains(reason), qPrintable(refused->text()));
        QCOMPARE(s->selectedName(), QStringLiteral("Long"));
        QVERIFY(button(s, "BTN_Details")->isEnabled());
        for (int n = 1; n <= 16; ++n)
            QVERIFY(!slotButton(s, n)->isEnabled());
        s->assignSlot(3);
        QCOMPARE(s->table().path(3), QStringLiteral("CIRCUITS\\F1CT03.DAT"));
        // An 8.3 file in the same folder is taken as before.
        clickFile(s, QStringLiteral("Monaco.dat"));
        QVERIFY(slotButton(s, 3)->isEnabled());
    }

    void folderRule_data()
    {
        QTest::addColumn<QString>("stored"); // how "Path-GP2" ends
        QTest::addColumn<QString>("folder");
        QTest::addColumn<bool>("warned");
        QTest::newRow("game folder") << "" << "" << false;
        QTest::newRow("sub-folder") << "" << "/CIRCUITS/NEW" << false;
        QTest::newRow("name only begins like the game folder") << "" << "X" << true;
        QTest::newRow("letter case differs") << "" << "!case" << true;
        QTest::newRow("outside") << "" << "/.." << true;
        // A hand-edited store may end the path with a separator: it is the same folder.
        QTest::newRow("stored with a separator, game folder") << "/" << "" << false;
        QTest::newRow("stored with a separator, sub-folder") << "/" << "/CIRCUITS" << false;
        QTest::newRow("stored with two separators") << "//" << "" << false;
        QTest::newRow("stored with a separator, outside") << "/" << "X" << true;
    }
    void folderRule()
    {
        QFETCH(QString, stored);
        QFETCH(QString, folder);
        QFETCH(bool, warned);
        Fixture f;
        makeGame(f);
        f.seed(QStringLiteral("Path-GP2"), f.gameFolder() + stored);
        QDir().mkpath(f.gameFolder() + QStringLiteral("X"));
        QDir().mkpath(f.dir.filePath(QStringLiteral("gp2")));
        MainWindow& w = f.open();
        TrackSelector* s = shownSelector(w);
        QVERIFY(s);
        QCOMPARE(f.services.messages, QStringList()); // opening warns of nothing
        const QString target = folder == QLatin1String("!case") ? f.dir.filePath(QStringLiteral("gp2"))
                                                                 : f.gameFolder() + folder;
        // The folder is chosen as the user does: a double click in the folder list, where it is listed.
        auto* folders = s->findChild<QListWidget*>(QStringLiteral("BX_Folder"));
        QListWidgetItem* item = nullptr;
        for (int i = 0; i < folders->count(); ++i)
            if (QDir::cleanPath(folders->item(i)->data(Qt::UserRole).toString()) == QDir::cleanPath(target))
                item = folders->item(i);
        if (item) {
            folders->scrollToItem(item);
            const QPoint at = folders->visualItemRect(item).center();
            QTest::mouseClick(folders->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(folders->viewport(), Qt::LeftButton, {}, at);
        } else {
            s->changeFolder(target);
        }
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
        TrackSelector* s = shownSelector(w);
        QVERIFY(s);
        QCOMPARE(slotLabel(s, 2)->text(), QStringLiteral("<b>x</b>"));
        QCOMPARE(slotLabel(s, 2)->textFormat(), Qt::PlainText);
        QTest::mouseClick(slotLabel(s, 2), Qt::LeftButton);
        QCOMPARE(s->selectedName(), QStringLiteral("<b>x</b>"));
        QCOMPARE(s->trackInfo(false)->findChild<QLabel*>(QStringLiteral("LBL_Name"))->textFormat(), Qt::PlainText);
    }

    // Each slot's button stands on the row of its label, however large the window is.
    void slotButtonsStayBesideTheirLabels_data()
    {
        QTest::addColumn<QSize>("grow");
        QTest::newRow("default size") << QSize(0, 0);
        QTest::newRow("enlarged") << QSize(500, 400);
    }
    void slotButtonsStayBesideTheirLabels()
    {
        QFETCH(QSize, grow);
        Fixture f;
        makeGame(f);
        MainWindow& w = f.open();
        TrackSelector* s = shownSelector(w);
        QVERIFY(s);
        const QSize wanted = s->size() + grow;
        s->resize(wanted);
        QTRY_COMPARE(s->size(), wanted);
        QCoreApplication::processEvents(); // the layout follows
        auto centreY = [s](QWidget* widget) { return widget->mapTo(s, widget->rect().center()).y(); };
        const int row = centreY(slotLabel(s, 2)) - centreY(slotLabel(s, 1));
        QVERIFY(row > 0);
        for (int n = 1; n <= 16; ++n) {
            const int drift = centreY(slotButton(s, n)) - centreY(slotLabel(s, n));
            QVERIFY2(2 * std::abs(drift) <= row, qPrintable(QStringLiteral("slot %1 drifts %2 px, a row is %3 px").arg(n).arg(drift).arg(row)));
        }
    }

    // A long name is cut short with "…" in its slot; the tooltip shows it whole, above the path.
    // The selected track's box shows the start of a long name.
    void longNamesStayReadable()
    {
        Fixture f;
        makeGame(f);
        const QByteArray name = "Circuito Panoramico di Valle Lunga, Long Layout with the Old Chicane and the Lake Hairpin";
        QVERIFY(test::writeFile(f.gameFolder() + QStringLiteral("/CIRCUITS/NEW/LONG.DAT"), tag(name)));
        f.seed(QStringLiteral("F1CT03"), QStringLiteral("CIRCUITS\\NEW\\LONG.DAT"));
        MainWindow& w = f.open();
        TrackSelector* s = shownSelector(w);
        QVERIFY(s);
        QLabel* label = slotLabel(s, 3);
        QTRY_VERIFY(label->text().endsWith(QChar(0x2026)));
        QVERIFY(QString::fromLatin1(name).startsWith(label->text().chopped(1)));
        QCOMPARE(label->accessibleName(), QString::fromLatin1(name));
        QCOMPARE(label->toolTip(), QString::fromLatin1(name) + QStringLiteral("\nCIRCUITS\\NEW\\LONG.DAT"));
        QCOMPARE(slotLabel(s, 1)->toolTip(), QStringLiteral("CIRCUITS\\F1CT01.DAT"));
        QVERIFY(s->frameGeometry().width() <= s->screen()->availableGeometry().width());

        s->changeFolder(f.gameFolder() + QStringLiteral("/CIRCUITS/NEW"));
        clickFile(s, QStringLiteral("LONG.DAT"));
        auto* select = s->findChild<QLineEdit*>(QStringLiteral("BX_Select"));
        QCOMPARE(select->text(), QString::fromLatin1(name));
        QCOMPARE(select->cursorPosition(), 0);
        // Widened, the slot shows the whole name and its tooltip the path alone.
        s->resize(2400, s->height());
        QTRY_COMPARE(label->text(), QString::fromLatin1(name));
        QCOMPARE(label->toolTip(), QStringLiteral("CIRCUITS\\NEW\\LONG.DAT"));
    }

    // Named pipes in a slot, in the file list and as the game's executable: nothing waits on them.
    void namedPipesStopNothing()
    {
        Fixture f;
        makeGame(f);
        const QString game = f.gameFolder();
        test::PipeGuard pipes({game + QStringLiteral("/CIRCUITS/F1CT09.DAT"), game + QStringLiteral("/CIRCUITS/NEW/PIPE.DAT"),
                               game + QStringLiteral("/GP2.EXE")});
        QVERIFY(pipes.made());
        QVERIFY(QFile::link(game + QStringLiteral("/CIRCUITS/NEW/PIPE.DAT"), game + QStringLiteral("/CIRCUITS/NEW/LINK.DAT")));
        MainWindow& w = f.open();
        TrackSelector* s = shownSelector(w);
        QVERIFY(s);
        QCOMPARE(slotLabel(s, 9)->text(), QStringLiteral("No Name"));
        s->changeFolder(game + QStringLiteral("/CIRCUITS/NEW"));
        waitForFiles(s);
        QCOMPARE(fileList(s), (QStringList{QStringLiteral("Bold.DAT"), QStringLiteral("Monaco.dat")}));
        QTest::mouseClick(slotLabel(s, 9), Qt::LeftButton);
        QCOMPARE(s->selectedName(), QStringLiteral("No Name"));
        QCOMPARE(s->trackInfo(false)->value(Name), QStringLiteral("-"));
        s->fileInfo(true)->fill(s->selectedName(), s->selectedPath());
        QCOMPARE(s->fileInfo(false)->value("LBL_GP2Version"), QStringLiteral("Unknown Version"));
        QCOMPARE(s->fileInfo(false)->value("LBL_TrackFileSize"), QStringLiteral("-"));
        w.save();
        QVERIFY(QFileInfo::exists(game + QStringLiteral("/Drovex.cfg")));
        QVERIFY(!pipes.blocked());
    }

    // The user goes List, Main Screen, chooses another game folder and opens the Track Manager
    // again: it shows the new folder, its slots, and assigns paths relative to it.
    void anotherGameFolderReachesTheHiddenSelector()
    {
        Fixture f;
        makeGame(f);
        const QString other = f.dir.filePath(QStringLiteral("GP2B"));
        makeGame(other, "Other ");
        MainWindow& w = f.open();
        w.show();
        ModalScript toMain({
            {QStringLiteral("Drovex5"), [](QWidget* s) { press(s, "BTN_List"); }},
            {QStringLiteral("Drovex8"), [](QWidget* folders) { press(folders, "BTN_Main"); }},
        });
        w.showTrackManager();
        QVERIFY(toMain.completed());
        QVERIFY(w.tracks().selector(false) && !w.tracks().selector(false)->isVisible());

        f.services.answers << other + QStringLiteral("/GP2.EXE");
        w.findChild<QAction*>(QStringLiteral("MNU_GP2"))->trigger();
        QCOMPARE(f.stored(QStringLiteral("Path-GP2")), other);

        ModalScript assign({{QStringLiteral("Drovex5"), [&](QWidget* window) {
            auto* s = qobject_cast<TrackSelector*>(window);
            QCOMPARE(slotLabel(s, 1)->text(), QStringLiteral("Other 1"));
            QCOMPARE(s->folderPath(), other + QStringLiteral("/CIRCUITS"));
            s->changeFolder(other);
            clickFile(s, QStringLiteral("Top.dat"));
            QTest::mouseClick(slotButton(s, 9), Qt::LeftButton);
            QCOMPARE(s->table().path(9), QStringLiteral("Top.dat"));
            press(s, "BTN_Accept");
        }}});
        w.showTrackManager();
        QVERIFY(assign.completed());
        QCOMPARE(f.stored(QStringLiteral("F1CT09")), QStringLiteral("Top.dat"));
        w.save();
        const QByteArray cfg = test::readFile(other + QStringLiteral("/Drovex.cfg"));
        QVERIFY(cfg.contains("f1ct09 = \"Top.dat\""));
        QVERIFY(cfg.contains("f1ct01 = \"CIRCUITS\\F1CT01.DAT\""));
        QVERIFY(f.services.messages.isEmpty());
    }
};

QTEST_MAIN(TestTrackSelector)
#include "tst_trackselector.moc"
