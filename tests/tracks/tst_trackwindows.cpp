// The walk between the track windows: the selector, Track-Info, File-Info and Folder-Info.
#include "app/mainwindow.h"
#include "support/coresupport.h"
#include "support/testsupport.h"
#include "tracks/fileinfowindow.h"
#include "tracks/trackinfowindow.h"
#include "tracks/trackmanager.h"
#include "tracks/trackselector.h"

#include <QFile>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QScreen>
#include <QTest>

using namespace drovex;
using drovex::test::Fixture;
using drovex::test::ModalScript;

namespace {

const char* const kTrackValues[] = {"LBL_Name", "LBL_Country", "LBL_InfoYear", "LBL_Event", "LBL_Laps", "LBL_Len",
                                    "LBL_Ware", "LBL_Slot", "LBL_Qual", "LBL_Race", "LBL_Author", "LBL_Misc"};
const char* const kFileValues[] = {"LBL_GP2Version", "LBL_GP2FileSize", "LBL_GP2Folder", "LBL_GP2FileDate",
                                   "LBL_TrackName", "LBL_TrackFileSize", "LBL_TrackFolder", "LBL_TrackFileDate"};

QByteArray tag(const QByteArray& name, const QByteArray& more = {})
{
    return QByteArray(64, '\0') + "#GP2INFO|Name|" + name + "|" + more;
}

// A game folder: GP2.EXE of 5,859,328 bytes (of a known edition or not), its circuit files and a
// few custom tracks.
void makeGame(Fixture& f, bool knownEdition = false)
{
    const QString game = f.gameFolder();
    QDir().mkpath(game);
    QFile exe(game + QStringLiteral("/GP2.EXE"));
    QVERIFY(exe.open(QIODevice::WriteOnly) && exe.resize(5859328));
    if (knownEdition)
        QVERIFY(exe.seek(5674543) && exe.write("Deutsche Ausgabe 1.0b") == 21);
    exe.close();
    for (int n = 1; n <= 16; ++n)
        QVERIFY(test::writeFile(game + QStringLiteral("/CIRCUITS/F1CT%1.DAT").arg(n, 2, 10, QLatin1Char('0')),
                                tag("Circuit " + QByteArray::number(n))));
    const QByteArray monaco = "#GP2INFO|Name|Monaco|Country|Monaco|LapRecord|None Entered|Desc|" +
                              QByteArray("a long description of the track ").repeated(8) + "|";
    QVERIFY(test::writeFile(game + QStringLiteral("/CIRCUITS/MONACO.DAT"), monaco + QByteArray(123456 - monaco.size(), '\0')));
    QVERIFY(test::writeFile(game + QStringLiteral("/CIRCUITS/NOTAG.DAT"), QByteArray(3000, '\x07')));
    QVERIFY(test::writeFile(game + QStringLiteral("/CIRCUITS/BOLD.DAT"), tag("<b>x</b>")));
    f.seed(QStringLiteral("Path-GP2"), game);
    f.seed(QStringLiteral("Path-Drovex"), game + QStringLiteral("/Drovex.EXE"));
    f.seed(QStringLiteral("Path-Emulator"), QStringLiteral("/opt/emulators/dosbox-x"));
}

QString text(QWidget* window, const char* name)
{
    auto* label = window->findChild<QLabel*>(QString::fromLatin1(name));
    return label ? label->text().remove(QChar(0x200B)) : QStringLiteral("(no %1)").arg(QLatin1String(name));
}

void press(QWidget* window, const char* name)
{
    QTest::mouseClick(window->findChild<QPushButton*>(QString::fromLatin1(name)), Qt::LeftButton);
}

// Clicks a file of the CIRCUITS folder with the mouse.
void clickFile(QWidget* window, const QString& game, const QString& name)
{
    auto* s = qobject_cast<TrackSelector*>(window);
    QVERIFY(s);
    if (s->folderPath() != game + QStringLiteral("/CIRCUITS"))
        s->changeFolder(game + QStringLiteral("/CIRCUITS"));
    QTRY_VERIFY(s->isFileListComplete());
    auto* view = s->findChild<QListView*>(QStringLiteral("BX_File"));
    const QModelIndexList found = view->model()->match(view->model()->index(0, 0), Qt::DisplayRole, name);
    QVERIFY2(found.size() == 1, qPrintable(name));
    view->scrollTo(found.first());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(found.first()).center());
    QCOMPARE(s->selectedPath(), game + QStringLiteral("/CIRCUITS/") + name);
}

// The left edges of the value labels, in the window's coordinates.
QSet<int> valueColumns(QWidget* window, const QList<const char*>& names)
{
    QSet<int> xs;
    for (const char* name : names) {
        QWidget* label = window->findChild<QLabel*>(QString::fromLatin1(name));
        xs << label->mapTo(window, QPoint(0, 0)).x();
    }
    return xs;
}

} // namespace

class TestTrackWindows : public QObject {
    Q_OBJECT
private slots:
    void handOversBetweenTheWindows()
    {
        Fixture f;
        makeGame(f);
        MainWindow& w = f.open();
        w.show();
        const QString game = f.gameFolder();
        ModalScript script({
            {QStringLiteral("Drovex5"), [&](QWidget* s) {
                 clickFile(s, game, QStringLiteral("MONACO.DAT"));
                 press(s, "BTN_Details");
             }},
            {QStringLiteral("Drovex6"), [&](QWidget* info) {
                 QVERIFY(!w.tracks().selector(false)->isVisible());
                 QCOMPARE(text(info, "LBL_Country"), QStringLiteral("Monaco"));
                 QCOMPARE(text(info, "LBL_Race"), QStringLiteral("-")); // None Entered
                 QCOMPARE(text(info, "LBL_Event"), QStringLiteral("-"));
                 // The description wraps beside "Misc:" instead of widening the window.
                 auto* misc = info->findChild<QLabel*>(QStringLiteral("LBL_Misc"));
                 QVERIFY(misc->height() > 2 * info->findChild<QLabel*>(QStringLiteral("LBL_Country"))->height());
                 press(info, "BTN_OK");
             }},
            {QStringLiteral("Drovex5"), [](QWidget* s) { press(s, "BTN_Details"); }},
            {QStringLiteral("Drovex6"), [](QWidget* info) { QTest::keyClick(info, Qt::Key_Escape); }}, // as OK
            {QStringLiteral("Drovex5"), [](QWidget* s) { QTest::keyClick(s, Qt::Key_Escape); }},  // as Cancel
        });
        w.showTrackManager();
        QVERIFY(script.completed());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!w.tracks().selector(false));
    }

    void fileAndFolderInfoHandOvers()
    {
        Fixture f;
        makeGame(f);
        MainWindow& w = f.open();
        w.show();
        const QString game = f.gameFolder();
        ModalScript script({
            {QStringLiteral("Drovex5"), [&](QWidget* s) {
                 clickFile(s, game, QStringLiteral("MONACO.DAT"));
                 press(s, "BTN_Details");
             }},
            {QStringLiteral("Drovex6"), [](QWidget* info) { press(info, "BTN_System"); }},
            {QStringLiteral("Drovex7"), [&](QWidget* file) {
                 QCOMPARE(text(file, "LBL_GP2Version"), QStringLiteral("Unknown Version"));
                 QCOMPARE(file->findChild<QLabel*>(QStringLiteral("LBL_GP2Version"))->palette().color(QPalette::WindowText),
                          QColor(255, 0, 0));
                 QCOMPARE(text(file, "LBL_GP2FileSize"), QStringLiteral("5859328 Bytes  (%1 MB)").arg(QLocale().toString(5.59, 'f', 2)));
                 QCOMPARE(text(file, "LBL_GP2Folder"), game);
                 QCOMPARE(text(file, "LBL_TrackName"), QStringLiteral("Monaco  (MONACO.DAT)"));
                 QCOMPARE(text(file, "LBL_TrackFileSize"), QStringLiteral("123456 Bytes  (%1 KB)").arg(QLocale().toString(120.6, 'f', 1)));
                 QCOMPARE(text(file, "LBL_TrackFolder"), QStringLiteral("...\\CIRCUITS"));
                 press(file, "BTN_Track");
             }},
            {QStringLiteral("Drovex6"), [](QWidget* info) { press(info, "BTN_System"); }},
            {QStringLiteral("Drovex7"), [](QWidget* file) { QTest::keyClick(file, Qt::Key_Escape); }}, // as OK
            {QStringLiteral("Drovex5"), [](QWidget* s) { press(s, "BTN_List"); }},
            {QStringLiteral("Drovex8"), [&](QWidget* folders) {
                 QCOMPARE(text(folders, "LBL_Track(1)"), QStringLiteral("CIRCUITS\\F1CT01.DAT"));
                 QCOMPARE(text(folders, "LBL_Folder(0)"), game);
                 QCOMPARE(text(folders, "LBL_Folder(1)"), game);
                 QCOMPARE(text(folders, "LBL_Folder(2)"), QString());
                 QCOMPARE(text(folders, "LBL_Folder(3)"), QStringLiteral("/opt/emulators/dosbox-x"));
                 press(folders, "BTN_Main");
             }},
        });
        w.showTrackManager();
        QVERIFY(script.completed());
        // "Main Screen" leaves the selector loaded but hidden.
        QVERIFY(w.tracks().selector(false));
        QVERIFY(!w.tracks().selector(false)->isVisible());
        QVERIFY(w.tracks().selector(false)->fileInfo(false));

        // Accept and Cancel end the File-Info window with the selector.
        w.tracks().selector(false)->reject();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!w.findChild<FileInfoWindow*>());
        QVERIFY(!w.findChild<TrackInfoWindow*>());
    }

    void knownEditionInBlack()
    {
        Fixture f;
        makeGame(f, true);
        MainWindow& w = f.open();
        FileInfoWindow* info = w.tracks().selector(true)->fileInfo(true);
        info->fill(QString(), QString());
        QCOMPARE(text(info, "LBL_GP2Version"), QStringLiteral("Deutsche Ausgabe 1.0b"));
        QCOMPARE(info->findChild<QLabel*>(QStringLiteral("LBL_GP2Version"))->palette().color(QPalette::WindowText),
                 QColor(Qt::black));
        // Nothing selected: the track's facts are "-".
        QCOMPARE(text(info, "LBL_TrackFileSize"), QStringLiteral("-"));
        QCOMPARE(text(info, "LBL_TrackName"), QStringLiteral("-"));
    }

    // After a track with a tag, a file without one, or a slot whose file is missing, shows "-" in
    // every field of Track-Info, not the previous track's values.
    void noTagShowsDashes_data()
    {
        QTest::addColumn<bool>("slot"); // chosen by its slot label, else in the file list
        QTest::newRow("file without a tag") << false;
        QTest::newRow("missing slot file") << true;
    }
    void noTagShowsDashes()
    {
        QFETCH(bool, slot);
        Fixture f;
        makeGame(f);
        f.seed(QStringLiteral("F1CT05"), QStringLiteral("CIRCUITS\\GONE.DAT"));
        MainWindow& w = f.open();
        w.show();
        const QString game = f.gameFolder();
        ModalScript script({
            {QStringLiteral("Drovex5"), [&](QWidget* s) {
                 clickFile(s, game, QStringLiteral("MONACO.DAT"));
                 press(s, "BTN_Details");
             }},
            {QStringLiteral("Drovex6"), [](QWidget* info) {
                 QCOMPARE(text(info, "LBL_Country"), QStringLiteral("Monaco"));
                 press(info, "BTN_OK");
             }},
            {QStringLiteral("Drovex5"), [&](QWidget* s) {
                 if (slot)
                     QTest::mouseClick(s->findChild<QLabel*>(QStringLiteral("LBL_Track(5)")), Qt::LeftButton);
                 else
                     clickFile(s, game, QStringLiteral("NOTAG.DAT"));
                 QCOMPARE(qobject_cast<TrackSelector*>(s)->selectedName(), QStringLiteral("No Name"));
                 press(s, "BTN_Details");
             }},
            {QStringLiteral("Drovex6"), [](QWidget* info) {
                 for (const char* name : kTrackValues)
                     QCOMPARE(text(info, name), QStringLiteral("-"));
                 press(info, "BTN_OK");
             }},
            {QStringLiteral("Drovex5"), [](QWidget* s) { press(s, "BTN_Cancel"); }},
        });
        w.showTrackManager();
        QVERIFY(script.completed());
    }

    // File-Info shown again after another track was chosen reports on that track.
    void fileInfoFollowsTheSelection()
    {
        Fixture f;
        makeGame(f);
        MainWindow& w = f.open();
        w.show();
        const QString game = f.gameFolder();
        QStringList names;
        auto chooseAndLook = [&](const QString& file) {
            return QList<test::ModalStep>{
                {QStringLiteral("Drovex5"), [&, file](QWidget* s) {
                     clickFile(s, game, file);
                     press(s, "BTN_Details");
                 }},
                {QStringLiteral("Drovex6"), [](QWidget* info) { press(info, "BTN_System"); }},
                {QStringLiteral("Drovex7"), [&](QWidget* info) {
                     names << text(info, "LBL_TrackName");
                     press(info, "BTN_OK");
                 }},
            };
        };
        ModalScript script(chooseAndLook(QStringLiteral("MONACO.DAT")) + chooseAndLook(QStringLiteral("BOLD.DAT")) +
                           QList<test::ModalStep>{{QStringLiteral("Drovex5"), [](QWidget* s) { press(s, "BTN_Cancel"); }}});
        w.showTrackManager();
        QVERIFY(script.completed());
        QCOMPARE(names, (QStringList{QStringLiteral("Monaco  (MONACO.DAT)"), QStringLiteral("<b>x</b>  (BOLD.DAT)")}));
    }

    // Long values wrap: the windows stay within the screen, their buttons on it, and every frame
    // starts its value column at the same x.
    void longValuesWrapAndColumnsLineUp()
    {
        Fixture f;
        makeGame(f);
        const QByteArray word = QByteArray("Valle").repeated(80);
        const QByteArray words = QByteArray("Circuito Panoramico di Valle Lunga ").repeated(8);
        QVERIFY(test::writeFile(f.gameFolder() + QStringLiteral("/CIRCUITS/LONG.DAT"),
                                tag(words, "Country|" + word + "|Author|A. Trackmaker|Event|" + word + "|Desc|" + words + "|")));
        MainWindow& w = f.open();
        w.show();
        const QString game = f.gameFolder();
        auto fitsTheScreen = [](QWidget* window) {
            const QRect screen = window->screen()->availableGeometry();
            QVERIFY2(window->frameGeometry().width() <= screen.width(), qPrintable(QString::number(window->width())));
            for (auto* b : window->findChildren<QPushButton*>())
                QVERIFY(window->rect().contains(b->geometry()));
            // No value is cut off at the bottom.
            for (auto* label : window->findChildren<QLabel*>())
                if (label->wordWrap())
                    QVERIFY2(label->height() >= label->heightForWidth(label->width()), qPrintable(label->objectName()));
        };
        ModalScript script({
            {QStringLiteral("Drovex5"), [&](QWidget* s) {
                 clickFile(s, game, QStringLiteral("LONG.DAT"));
                 press(s, "BTN_Details");
             }},
            {QStringLiteral("Drovex6"), [&](QWidget* info) {
                 fitsTheScreen(info);
                 QCOMPARE(text(info, "LBL_Name"), QString::fromLatin1(words));
                 QCOMPARE(text(info, "LBL_Country"), QString::fromLatin1(word));
                 auto* country = info->findChild<QLabel*>(QStringLiteral("LBL_Country"));
                 QVERIFY(country->height() > 2 * country->fontMetrics().height()); // wrapped
                 QCOMPARE(valueColumns(info, QList<const char*>(std::begin(kTrackValues), std::end(kTrackValues))).size(), 1);
                 press(info, "BTN_System");
             }},
            {QStringLiteral("Drovex7"), [&](QWidget* file) {
                 fitsTheScreen(file);
                 QCOMPARE(text(file, "LBL_TrackName"), QString::fromLatin1(words) + QStringLiteral("  (LONG.DAT)"));
                 QCOMPARE(valueColumns(file, QList<const char*>(std::begin(kFileValues), std::end(kFileValues))).size(), 1);
                 press(file, "BTN_OK");
             }},
            {QStringLiteral("Drovex5"), [](QWidget* s) { press(s, "BTN_Cancel"); }},
        });
        w.showTrackManager();
        QVERIFY(script.completed());
    }

    void exitClosesEveryWindowWithoutSaving()
    {
        Fixture f;
        f.seed(QStringLiteral("Path-GP2"), f.gameFolder());
        MainWindow& w = f.open();
        w.tracks().selector(true)->fileInfo(true);
        w.startOptions(true);
        const QByteArray before = test::readFile(f.storeFile);
        w.close();
        QVERIFY(!w.findChild<TrackSelector*>());
        QVERIFY(!w.findChild<FileInfoWindow*>());
        QVERIFY(!w.findChild<QDialog*>());
        // Only the windows' size and place are kept.
        QStringList after = QString::fromLatin1(test::readFile(f.storeFile)).split(QLatin1Char('\n'));
        after.removeIf([](const QString& line) { return line.contains(QLatin1String("Geometry=")); });
        QCOMPARE(after.join(QLatin1Char('\n')).toLatin1(), before);
        QVERIFY(!QFileInfo::exists(f.gameFolder() + QStringLiteral("/Drovex.cfg")));
    }
};

QTEST_MAIN(TestTrackWindows)
#include "tst_trackwindows.moc"
