// Track-Info and File-Info on real track files: the circuit's map, its length, the checksum and
// its fix, the original-track line and the tag warnings, reached through the Track Manager with
// the mouse.
#include "app/mainwindow.h"
#include "support/coresupport.h"
#include "support/testsupport.h"
#include "support/trackrecipe.h"
#include "tracks/trackmanager.h"
#include "tracks/trackmap.h"
#include "tracks/trackselector.h"

#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QTest>

using namespace drovex;
using drovex::test::Fixture;
using drovex::test::ModalScript;
using drovex::test::TrackRecipe;

namespace {

QString text(QWidget* window, const char* name)
{
    auto* label = window->findChild<QLabel*>(QString::fromLatin1(name));
    return label ? label->text().remove(QChar(0x200B)) : QStringLiteral("(no %1)").arg(QLatin1String(name));
}

void press(QWidget* window, const char* name)
{
    QTest::mouseClick(window->findChild<QPushButton*>(QString::fromLatin1(name)), Qt::LeftButton);
}

// Picks a file of the CIRCUITS folder with the mouse, or a slot by its label, and opens Track-Info.
void chooseAndOpen(QWidget* window, const QString& game, const QString& file, int slot)
{
    auto* s = qobject_cast<TrackSelector*>(window);
    QVERIFY(s);
    if (slot > 0) {
        QTest::mouseClick(s->findChild<QLabel*>(QStringLiteral("LBL_Track(%1)").arg(slot)), Qt::LeftButton);
    } else {
        s->changeFolder(game + QStringLiteral("/CIRCUITS"));
        QTRY_VERIFY(s->isFileListComplete());
        auto* view = s->findChild<QListView*>(QStringLiteral("BX_File"));
        const QModelIndexList found = view->model()->match(view->model()->index(0, 0), Qt::DisplayRole, file);
        QVERIFY2(found.size() == 1, qPrintable(file));
        view->scrollTo(found.first());
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(found.first()).center());
    }
    press(s, "BTN_Details");
}

// Pixels of the map drawn in the text colour: the whole map, and a square around its middle.
struct Ink {
    int total = 0;
    int middle = 0;
};
Ink inkOf(TrackMap* map)
{
    const QImage image = map->grab().toImage();
    const QColor ink = map->palette().color(QPalette::WindowText);
    Ink found;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (qAbs(c.red() - ink.red()) + qAbs(c.green() - ink.green()) + qAbs(c.blue() - ink.blue()) > 60)
                continue;
            ++found.total;
            if (qAbs(x - image.width() / 2) < image.width() / 4 && qAbs(y - image.height() / 2) < image.height() / 4)
                ++found.middle;
        }
    }
    return found;
}

QByteArray changedTrack()
{
    QByteArray bytes = test::buildTrack();
    bytes[20] = 'X';
    return bytes;
}

} // namespace

class TestTrackInfoWindow : public QObject {
    Q_OBJECT
private slots:
    void showsWhatTheFileSays_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("slot"); // the slot that holds the file and is clicked; 0: picked in the file list
        QTest::addColumn<QString>("length");
        QTest::addColumn<QString>("checksum");
        QTest::addColumn<QString>("warnings");
        QTest::addColumn<bool>("inkInTheMiddle");
        TrackRecipe eight;
        eight.sections = TrackRecipe::figureOfEight();
        eight.startHeading = 8192;
        eight.tag = "#GP2INFO|Name|Eight|Laps|5|Tyre|1|LengthMeters|2672|Slot|4|";
        const QString correct = QStringLiteral("correct");
        const QString wrong = QStringLiteral("wrong (the file was changed after its checksum was made)");
        QLocale locale;
        locale.setNumberOptions(QLocale::OmitGroupSeparator);
        const QString square = locale.toString(2262.8, 'f', 1);
        QTest::newRow("square") << test::buildTrack() << 0 << square << correct
                                << "No Tyre tag: Drovex uses its own value" << false;
        QTest::newRow("figure of eight in slot 7") << test::buildTrack(eight) << 7 << locale.toString(2672.5, 'f', 1)
                                                   << correct << "The Slot tag says \"4\", but the track is in slot 7" << true;
        QTest::newRow("one byte changed") << changedTrack() << 0 << square << wrong
                                          << "No Tyre tag: Drovex uses its own value" << false;
        QTest::newRow("truncated") << test::buildTrack().left(3000) << 0 << "-" << "-"
                                   << "No Tyre tag: Drovex uses its own value" << false;
        QByteArray random(30000, '\0');
        for (int i = 0; i < random.size(); ++i)
            random[i] = static_cast<char>((i * 2654435761u) >> 11);
        QTest::newRow("random bytes") << random << 0 << "-" << wrong
                                      << "No Laps tag: Drovex uses its own value\nNo LengthMeters tag: Drovex uses its own value\n"
                                         "No Tyre tag: Drovex uses its own value"
                                      << false;
    }
    void showsWhatTheFileSays()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, slot);
        QFETCH(QString, length);
        QFETCH(QString, checksum);
        QFETCH(QString, warnings);
        QFETCH(bool, inkInTheMiddle);
        Fixture f;
        const QString game = f.gameFolder();
        QVERIFY(test::writeFile(game + QStringLiteral("/CIRCUITS/TRACK.DAT"), bytes));
        f.seed(QStringLiteral("Path-GP2"), game);
        if (slot > 0)
            f.seed(SlotTable::key(slot), QStringLiteral("CIRCUITS\\TRACK.DAT"));
        MainWindow& w = f.open();
        w.show();
        const bool readable = length != QLatin1String("-");
        ModalScript script({
            {QStringLiteral("Drovex5"), [&](QWidget* s) { chooseAndOpen(s, game, QStringLiteral("TRACK.DAT"), slot); }},
            {QStringLiteral("Drovex6"), [&](QWidget* info) {
                 QCOMPARE(text(info, "LBL_TrackLen"), length);
                 QCOMPARE(text(info, "LBL_Checksum"), checksum);
                 QCOMPARE(text(info, "LBL_Warnings"), warnings);
                 QVERIFY(info->findChild<QLabel*>(QStringLiteral("LBL_Original"))->isHidden());
                 QCOMPARE(info->findChild<QPushButton*>(QStringLiteral("BTN_FixChecksum"))->isVisible(), checksum.startsWith(QLatin1String("wrong")) && readable);
                 auto* noMap = info->findChild<QLabel*>(QStringLiteral("LBL_NoMap"));
                 QCOMPARE(noMap->isVisible(), !readable);
                 if (!readable)
                     QVERIFY(noMap->text().startsWith(QStringLiteral("No map: the track data cannot be read (")));
                 // The outline is drawn as a line, never filled: the square's middle stays empty,
                 // the figure of eight crosses there.
                 auto* map = info->findChild<TrackMap*>(QStringLiteral("MAP_Track"));
                 QCOMPARE(map->hasMap(), readable);
                 const Ink ink = inkOf(map);
                 QCOMPARE(ink.total > 0, readable);
                 QCOMPARE(ink.middle > 0, inkInTheMiddle);
                 press(info, "BTN_System");
             }},
            {QStringLiteral("Drovex7"), [&](QWidget* file) {
                 QCOMPARE(text(file, "LBL_TrackChecksum"), checksum);
                 press(file, "BTN_OK");
             }},
            {QStringLiteral("Drovex5"), [](QWidget* s) { press(s, "BTN_Cancel"); }},
        });
        w.showTrackManager();
        QVERIFY(script.completed());
    }

    // "Fix Checksum…" asks first; Cancel changes nothing; the fix keeps the file as it was in
    // TRACK.DAT.bak and says so, and the window and the Track Manager show the checksum correct.
    void fixChecksumAsksAndReports()
    {
        Fixture f;
        const QString game = f.gameFolder();
        const QString path = game + QStringLiteral("/CIRCUITS/TRACK.DAT");
        QVERIFY(test::writeFile(path, changedTrack()));
        f.seed(QStringLiteral("Path-GP2"), game);
        MainWindow& w = f.open();
        w.show();
        f.services.choices = {1, 0}; // Cancel, then Fix Checksum
        ModalScript script({
            {QStringLiteral("Drovex5"), [&](QWidget* s) { chooseAndOpen(s, game, QStringLiteral("TRACK.DAT"), 0); }},
            {QStringLiteral("Drovex6"), [&](QWidget* info) {
                 auto* fix = info->findChild<QPushButton*>(QStringLiteral("BTN_FixChecksum"));
                 QCOMPARE(fix->text(), QStringLiteral("Fix Checksum\u2026"));
                 QTest::mouseClick(fix, Qt::LeftButton);
                 QCOMPARE(test::readFile(path), changedTrack());
                 QVERIFY(f.services.messages.isEmpty());
                 QTest::mouseClick(fix, Qt::LeftButton);
                 QCOMPARE(f.services.questions.size(), 2);
                 QVERIFY(f.services.questions.last().startsWith(QStringLiteral("Fix Checksum|Write the right checksum into TRACK.DAT?")));
                 QCOMPARE(f.services.messages, QStringList{QStringLiteral("Fix Checksum|The checksum of TRACK.DAT is correct now.\n"
                                                                          "The file as it was is kept as TRACK.DAT.bak.")});
                 QCOMPARE(test::readFile(path + QStringLiteral(".bak")), changedTrack());
                 QCOMPARE(text(info, "LBL_Checksum"), QStringLiteral("correct"));
                 QVERIFY(!fix->isVisible());
                 press(info, "BTN_OK");
             }},
            {QStringLiteral("Drovex5"), [](QWidget* s) {
                 // The Track Manager's details of the file say so too.
                 QVERIFY(text(s, "LBL_Facts").startsWith(QStringLiteral("Checksum: correct")));
                 press(s, "BTN_Cancel");
             }},
        });
        w.showTrackManager();
        QVERIFY(script.completed());
    }
};

QTEST_MAIN(TestTrackInfoWindow)
#include "tst_trackinfowindow.moc"
