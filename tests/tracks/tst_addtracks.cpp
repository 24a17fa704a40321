// Downloaded tracks in the Track Manager: Add Tracks, the File menu's entry, the copy offered for
// a file refused for its name, and the details of the highlighted file. Track files built from
// the recipe, real windows, real clicks and keys.
#include "app/mainwindow.h"
#include "common/paths.h"
#include "support/coresupport.h"
#include "support/testsupport.h"
#include "support/trackrecipe.h"
#include "tracks/trackmanager.h"
#include "tracks/trackmap.h"
#include "tracks/trackselector.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QListView>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTest>

using namespace drovex;
using drovex::test::Fixture;
using drovex::test::ModalScript;
using drovex::test::TrackRecipe;

namespace {

const char* const kPhoenixFile = "Phoenix_USA_1989-1990.dat";

QByteArray track(const QByteArray& tag)
{
    TrackRecipe recipe;
    recipe.tag = tag;
    return test::buildTrack(recipe);
}

// A download as players find them: named for the circuit and its years, tagged, no Tyre tag.
QByteArray phoenix() { return track("#GP2INFO|Name|Phoenix|Country|USA|Year|1989-1990|Laps|81|LengthMeters|2263|Slot|1|#"); }

QPushButton* button(QWidget* w, const char* name) { return w->findChild<QPushButton*>(QString::fromLatin1(name)); }
void press(QWidget* w, const char* name) { QTest::mouseClick(button(w, name), Qt::LeftButton); }
QLabel* label(QWidget* w, const QString& name) { return w->findChild<QLabel*>(name); }
QString text(QWidget* w, const char* name) { return label(w, QString::fromLatin1(name))->text().remove(QChar(0x200B)); }
QLabel* slotLabel(QWidget* w, int n) { return label(w, QStringLiteral("LBL_Track(%1)").arg(n)); }
QRadioButton* slotButton(QWidget* w, int n) { return w->findChild<QRadioButton*>(QStringLiteral("OPT_Track(%1)").arg(n)); }
bool hasMap(QWidget* w) { return w->findChild<TrackMap*>(QStringLiteral("MAP_Track"))->hasMap(); }

QString lapText(double metres)
{
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(metres, 'f', 1);
}

// Clicks a file of the list with the mouse.
void clickFile(TrackSelector* s, const QString& name)
{
    QTRY_VERIFY(s->isFileListComplete());
    auto* view = s->findChild<QListView*>(QStringLiteral("BX_File"));
    const QModelIndexList found = view->model()->match(view->model()->index(0, 0), Qt::DisplayRole, name, 1, Qt::MatchExactly);
    QVERIFY2(found.size() == 1, qPrintable(name));
    view->scrollTo(found.first());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(found.first()).center());
}

} // namespace

class TestAddTracks : public QObject {
    Q_OBJECT
private slots:
    // A player picks a downloaded Phoenix_USA_1989-1990.dat with Add Tracks; it is chosen at once,
    // and a slot's button and Accept put it into the game. Track-Info then shows its map, length,
    // checksum and what Drovex makes of its tag.
    void downloadedTrackIsAddedAndAssigned()
    {
        Fixture f;
        const QString game = f.gameFolder();
        f.seed(QStringLiteral("Path-GP2"), game);
        QVERIFY(QDir().mkpath(game + QStringLiteral("/CIRCUITS")));
        const QString download = f.dir.filePath(QStringLiteral("Downloads/") + QLatin1String(kPhoenixFile));
        QVERIFY(test::writeFile(download, phoenix()));
        f.services.answers << download;
        MainWindow& w = f.open();
        w.show();
        ModalScript assign({{QStringLiteral("Drovex5"), [&](QWidget* window) {
            auto* s = static_cast<TrackSelector*>(window);
            press(s, "BTN_AddTracks");
            QTRY_COMPARE(s->selectedName(), QStringLiteral("Phoenix"));
            QCOMPARE(f.services.requests.last().title, QStringLiteral("Add Tracks to the Game"));
            QCOMPARE(s->folderPath(), QDir::toNativeSeparators(game + QStringLiteral("/CIRCUITS")));
            const QString said = QStringLiteral("Added to the game: Phoenix_USA_1989-1990.dat as CIRCUITS\\PHOENIX.DAT.");
            QCOMPARE(w.statusBar()->currentMessage(), said);
            QCOMPARE(text(s, "LBL_Hint"), said);
            QVERIFY(hasMap(s));
            QTest::mouseClick(slotButton(s, 5), Qt::LeftButton);
            press(s, "BTN_Accept");
        }}});
        w.showTrackManager();
        QVERIFY(assign.completed());
        QCOMPARE(f.stored(QStringLiteral("F1CT05")), QStringLiteral("CIRCUITS\\PHOENIX.DAT"));
        QCOMPARE(test::readFile(download), phoenix());
        w.save();
        QVERIFY(test::readFile(game + QStringLiteral("/Drovex.cfg")).contains("f1ct05 = \"CIRCUITS\\PHOENIX.DAT\""));

        ModalScript info({
            {QStringLiteral("Drovex5"), [](QWidget* s) {
                 QTest::mouseClick(slotLabel(s, 5), Qt::LeftButton);
                 press(s, "BTN_Details");
             }},
            {QStringLiteral("Drovex6"), [](QWidget* i) {
                 QCOMPARE(text(i, "LBL_Name"), QStringLiteral("Phoenix"));
                 QVERIFY(hasMap(i));
                 QCOMPARE(text(i, "LBL_TrackLen"), lapText(2262.8));
                 QCOMPARE(text(i, "LBL_Checksum"), QStringLiteral("correct"));
                 QCOMPARE(text(i, "LBL_Warnings"), QStringLiteral("No Tyre tag: Drovex uses its own value\n"
                                                                  "The Slot tag says \"1\", but the track is in slot 5"));
                 press(i, "BTN_OK");
             }},
            {QStringLiteral("Drovex5"), [](QWidget* s) { press(s, "BTN_Cancel"); }},
        });
        w.showTrackManager();
        QVERIFY(info.completed());
    }

    // A track refused for its name offers its copy under a DOS name; the copy is chosen at once.
    void refusedTrackIsCopiedIntoTheGame_data()
    {
        QTest::addColumn<QString>("folder"); // where the file lies in the game folder
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("nameTaken"); // a PHOENIX.DAT is there already
        QTest::addColumn<QString>("copy");   // the copy as a slot names it; "": none is offered
        const QString download = QLatin1String(kPhoenixFile);
        QTest::newRow("in CIRCUITS") << "CIRCUITS" << download << phoenix() << false << "CIRCUITS\\PHOENIX.DAT";
        QTest::newRow("name taken") << "CIRCUITS" << download << phoenix() << true << "CIRCUITS\\PHOENIX2.DAT";
        QTest::newRow("in a folder DOS cannot reach") << "CIRCUITS/My Tracks" << download << phoenix() << false << "CIRCUITS\\PHOENIX.DAT";
        QTest::newRow("a name wider than the window")
            << "CIRCUITS" << "Phoenix_USA_1989-1990_Grand_Prix_of_the_United_States_last_version_from_the_track_workshop.dat"
            << phoenix() << false << "CIRCUITS\\PHOENIX.DAT";
        QTest::newRow("no track") << "CIRCUITS" << download << QByteArray("#GP2INFO|Name|Phoenix|#") << false << "";
    }
    void refusedTrackIsCopiedIntoTheGame()
    {
        QFETCH(QString, folder);
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(bool, nameTaken);
        QFETCH(QString, copy);
        Fixture f;
        const QString game = f.gameFolder();
        f.seed(QStringLiteral("Path-GP2"), game);
        const QString file = game + QLatin1Char('/') + folder + QLatin1Char('/') + name;
        QVERIFY(test::writeFile(file, bytes));
        if (nameTaken)
            QVERIFY(test::writeFile(game + QStringLiteral("/CIRCUITS/PHOENIX.DAT"), track("#GP2INFO|Name|Other|")));
        MainWindow& w = f.open();
        TrackSelector* s = w.tracks().selector(true);
        s->show();
        QVERIFY(QTest::qWaitForWindowExposed(s));
        s->changeFolder(game + QLatin1Char('/') + folder);
        const int width = s->width();
        clickFile(s, name);
        // The reason shows, and a long name in it does not widen the window.
        QVERIFY(label(s, QStringLiteral("LBL_Refused"))->isVisible());
        QVERIFY(text(s, "LBL_Refused").startsWith(QStringLiteral("Drovex cannot open this file under DOS: ")));
        QCOMPARE(s->width(), width);
        QPushButton* offer = button(s, "BTN_CopyIntoGame");
        QCOMPARE(offer->isVisible(), !copy.isEmpty());
        if (copy.isEmpty()) {
            QVERIFY2(text(s, "LBL_Facts").startsWith(QStringLiteral("No map: the track data cannot be read (it is too small")),
                     qPrintable(text(s, "LBL_Facts")));
            return;
        }
        QCOMPARE(offer->text(), QStringLiteral("Copy into the game as ") + copy.section(QLatin1Char('\\'), -1));
        QTest::mouseClick(offer, Qt::LeftButton);
        QTRY_COMPARE(s->selectedPath(), joinPath(game, dosToNative(copy)));
        QCOMPARE(s->selectedName(), QStringLiteral("Phoenix"));
        QVERIFY(!label(s, QStringLiteral("LBL_Refused"))->isVisible());
        QVERIFY(slotButton(s, 3)->isEnabled());
        QCOMPARE(w.statusBar()->currentMessage(), QStringLiteral("Added to the game: %1 as %2.").arg(name, copy));
        QCOMPARE(test::readFile(joinPath(game, dosToNative(copy))), bytes);
        QCOMPARE(test::readFile(file), bytes);
    }

    // File → "Add Tracks to the Game…" (Alt+F, A): the status bar says what was added and what
    // not, and the Track Manager opens on the first track added.
    void menuEntryAddsTracks_data()
    {
        QTest::addColumn<QStringList>("files"); // in the download folder
        QTest::addColumn<bool>("defaults");
        QTest::addColumn<QString>("status");   // "": as before
        QTest::addColumn<QString>("chosen");   // the track chosen in the Track Manager; "": it stays closed
        const QString note = QStringLiteral("notes.dat is not a track: it is too small for a track file (10 bytes, a track has at least 4132)");
        QTest::newRow("two tracks and a note")
            << QStringList{QStringLiteral("Alpha Ring.dat"), QStringLiteral("notes.dat"), QStringLiteral("b.dat")} << false
            << QStringLiteral("Added to the game: Alpha Ring.dat as CIRCUITS\\ALPHA.DAT, b.dat as CIRCUITS\\BETA.DAT. Not added: %1.").arg(note)
            << "Alpha";
        QTest::newRow("only a note") << QStringList{QStringLiteral("notes.dat")} << false
                                     << QStringLiteral("Not added: %1.").arg(note) << "";
        QTest::newRow("cancelled") << QStringList() << false << "" << "";
        QTest::newRow("defaults shown") << QStringList{QStringLiteral("b.dat")} << true
                                        << "Added to the game: b.dat as CIRCUITS\\BETA.DAT." << "";
    }
    void menuEntryAddsTracks()
    {
        QFETCH(QStringList, files);
        QFETCH(bool, defaults);
        QFETCH(QString, status);
        QFETCH(QString, chosen);
        Fixture f;
        const QString game = f.gameFolder();
        f.seed(QStringLiteral("Path-GP2"), game);
        QVERIFY(QDir().mkpath(game + QStringLiteral("/CIRCUITS")));
        QStringList paths;
        for (const QString& name : files) {
            paths << f.dir.filePath(QStringLiteral("Downloads/") + name);
            const QByteArray tagName = name.startsWith(QLatin1Char('A')) ? "Alpha" : "Beta";
            QVERIFY(test::writeFile(paths.last(), name == QLatin1String("notes.dat") ? QByteArray("some notes")
                                                                                      : track("#GP2INFO|Name|" + tagName + "|")));
        }
        f.services.answers << paths.join(QLatin1Char('\n'));
        MainWindow& w = f.open();
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        if (defaults)
            w.findChild<QCheckBox*>(QStringLiteral("SetToDefault"))->setChecked(true);
        const QString before = w.statusBar()->currentMessage();
        QList<test::ModalStep> steps;
        if (!chosen.isEmpty())
            steps << test::ModalStep{QStringLiteral("Drovex5"), [&](QWidget* s) {
                QTRY_COMPARE(static_cast<TrackSelector*>(s)->selectedName(), chosen);
                QVERIFY(slotButton(s, 1)->isEnabled());
                press(s, "BTN_Cancel");
            }};
        ModalScript script(steps);
        QTest::keyClick(&w, Qt::Key_F, Qt::AltModifier);
        auto* menu = w.findChild<QMenu*>(QStringLiteral("MNU_1"));
        QTRY_VERIFY(menu->isVisible());
        QTest::keyClick(menu, Qt::Key_A);
        QTRY_VERIFY(script.completed());
        QCOMPARE(w.statusBar()->currentMessage(), status.isEmpty() ? before : status);
        QCOMPARE(f.services.requests.size(), 1);
    }

    // The highlighted file's map and facts, and the slot tooltips that name an original track.
    void detailsOfTheHighlightedTrack_data()
    {
        QTest::addColumn<QByteArray>("bytes"); // slot 4's file; none: missing
        QTest::addColumn<QString>("original");
        QTest::addColumn<QString>("facts");
        TrackRecipe monaco; // the size and checksum of the game's Monaco, no tag
        monaco.tag.clear();
        monaco.objectBytes = 58290 - 4300;
        const QString monacoLine = QStringLiteral("Original track of slot 4: Monaco (Monte Carlo)");
        const QString data = QStringLiteral("Checksum: correct\nTrack data: %1 m").arg(lapText(2262.8));
        QTest::newRow("original track") << test::withChecksum(test::buildTrack(monaco), 0x25531329) << monacoLine
                                        << monacoLine + QLatin1Char('\n') + data;
        QTest::newRow("custom track") << phoenix() << "" << data;
        QTest::newRow("missing file") << QByteArray() << ""
                                      << "No map: the track data cannot be read (the file cannot be read)";
    }
    void detailsOfTheHighlightedTrack()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, original);
        QFETCH(QString, facts);
        Fixture f;
        const QString game = f.gameFolder();
        f.seed(QStringLiteral("Path-GP2"), game);
        QVERIFY(QDir().mkpath(game + QStringLiteral("/CIRCUITS")));
        if (!bytes.isEmpty())
            QVERIFY(test::writeFile(game + QStringLiteral("/CIRCUITS/F1CT04.DAT"), bytes));
        MainWindow& w = f.open();
        TrackSelector* s = w.tracks().selector(true);
        s->show();
        QVERIFY(QTest::qWaitForWindowExposed(s));
        QCOMPARE(slotLabel(s, 4)->toolTip(),
                 QStringLiteral("CIRCUITS\\F1CT04.DAT") + (original.isEmpty() ? QString() : QLatin1Char('\n') + original));
        QCOMPARE(slotLabel(s, 3)->toolTip(), QStringLiteral("CIRCUITS\\F1CT03.DAT"));
        QVERIFY(!hasMap(s) && text(s, "LBL_Facts").isEmpty());
        QTest::mouseClick(slotLabel(s, 4), Qt::LeftButton);
        QCOMPARE(text(s, "LBL_Facts"), facts);
        QCOMPARE(hasMap(s), !bytes.isEmpty());
    }
};

QTEST_MAIN(TestAddTracks)
#include "tst_addtracks.moc"
