// Every screen and every hand: the windows fit the screen they open on at any scale, keep their
// size and place, and work by keyboard alone. CTest runs this program once more for each screen
// setup (tests/CMakeLists.txt).
#include "app/mainwindow.h"
#include "support/coresupport.h"
#include "support/testsupport.h"
#include "support/trackrecipe.h"
#include "tracks/trackmanager.h"
#include "tracks/trackselector.h"

#include <QAccessible>
#include <QClipboard>
#include <QDir>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QTest>
#include <QTextDocument>
#include <QTextOption>
#include <QWindow>

using namespace drovex;
using drovex::test::Fixture;
using drovex::test::ModalScript;

namespace {

QPushButton* button(QWidget* w, const char* name) { return w->findChild<QPushButton*>(QString::fromLatin1(name)); }

// The whole of a control can be seen inside its window.
bool inSight(QWidget* control)
{
    QWidget* window = control->window();
    const QRect r(control->mapTo(window, QPoint(0, 0)), control->size());
    return control->isVisible() && window->rect().contains(r) && !control->visibleRegion().isEmpty();
}

bool onScreen(QWidget* window)
{
    return window->screen()->availableGeometry().contains(window->frameGeometry());
}

void makeGame(Fixture& f)
{
    f.seed(QStringLiteral("Path-GP2"), f.gameFolder());
    for (int n = 1; n <= 16; ++n)
        test::writeFile(f.gameFolder() + QStringLiteral("/CIRCUITS/F1CT%1.DAT").arg(n, 2, 10, QLatin1Char('0')),
                        "#GP2INFO|Name|Circuit|#");
    test::writeFile(f.gameFolder() + QStringLiteral("/CIRCUITS/MINE.DAT"), "#GP2INFO|Name|Mine|#");
}

// The whole of a label's text shows: laid out at the label's width as Qt lays out text, no line is
// wider than the label and every line fits its height; scrolling can bring the label into sight.
QString clipped(QLabel* label, QWidget* body)
{
    QTextDocument doc;
    doc.setDefaultFont(label->font());
    doc.setDocumentMargin(0);
    QTextOption option;
    option.setWrapMode(label->wordWrap() ? QTextOption::WordWrap : QTextOption::ManualWrap);
    doc.setDefaultTextOption(option);
    doc.setPlainText(label->text());
    const int m = label->margin();
    const QRect room = label->contentsRect().adjusted(m, m, -m, -m);
    doc.setTextWidth(room.width());
    if (doc.idealWidth() > room.width() + 0.5 || doc.size().height() > room.height() + 0.5 ||
        !body->rect().contains(QRect(label->mapTo(body, QPoint(0, 0)), label->size())))
        return QStringLiteral("%1: %2x%3 in %4x%5").arg(label->objectName()).arg(doc.idealWidth()).arg(doc.size().height())
            .arg(room.width()).arg(room.height());
    return {};
}

// An information window is on the screen with its buttons in sight, every caption and value shows
// whole, and each value starts right after its caption, on the caption's line.
void checkInfoWindow(QWidget* window)
{
    auto* scroll = window->findChild<QScrollArea*>(QStringLiteral("InfoScroll"));
    // The body's width settles once the scroll bar has come or gone.
    QTRY_VERIFY2(scroll->widget()->width() <= scroll->viewport()->width(), qPrintable(QStringLiteral("%1 in %2, window %3").arg(scroll->widget()->width()).arg(scroll->viewport()->width()).arg(window->width())));
    QVERIFY(onScreen(window));
    for (QPushButton* b : window->findChildren<QPushButton*>())
        QVERIFY2(!b->isVisibleTo(window) || inSight(b), qPrintable(b->objectName()));
    for (QLabel* label : window->findChildren<QLabel*>()) {
        if (!label->isVisibleTo(window))
            continue;
        const QString problem = clipped(label, scroll->widget());
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        const auto* value = qobject_cast<QLabel*>(label->buddy());
        if (!value || !value->isVisibleTo(window))
            continue;
        const QPoint c = label->mapTo(window, QPoint(label->width(), 0));
        const QPoint v = value->mapTo(window, QPoint(0, 0));
        QVERIFY2(v.x() >= c.x() && v.x() - c.x() <= 24 && std::abs(v.y() - c.y()) <= 2, qPrintable(value->objectName()));
    }
}

} // namespace

class TestEveryHand : public QObject {
    Q_OBJECT
private slots:
    void mainWindowFitsWithItsCommandsInSight()
    {
        QVERIFY(test::onTestScreen());
        Fixture f;
        makeGame(f);
        MainWindow& w = f.open();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY2(onScreen(&w), qPrintable(QStringLiteral("%1x%2 on %3x%4").arg(w.width()).arg(w.height())
                                              .arg(w.screen()->availableGeometry().width()).arg(w.screen()->availableGeometry().height())));
        for (const char* name : {"BTN_Save", "BTN_Play", "BTN_Close"})
            QVERIFY2(inSight(button(&w, name)), name);
        QVERIFY(inSight(w.statusBar()));
    }

    // Closed and opened again, the windows come back at the size and place they had.
    void sizeAndPlaceAreRemembered()
    {
        Fixture f;
        makeGame(f);
        QRect mainPlace;
        {
            MainWindow& w = f.open();
            w.show();
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            w.resize(w.width() - 30, w.height() - 20);
            w.move(w.screen()->availableGeometry().topLeft() + QPoint(7, 9));
            mainPlace = QRect(w.pos(), w.size());
            QVERIFY(w.close());
        }
        MainWindow& again = f.open();
        QCOMPARE(QRect(again.pos(), again.size()), mainPlace);
    }

    // The Track Manager fits, stays where the user put it when it comes back from Track-Info, and
    // works by keyboard: the list taking the focus chooses nothing, Enter in a list does not
    // accept, Enter elsewhere does.
    void trackManagerByKeyboardStaysPut()
    {
        Fixture f;
        makeGame(f);
        MainWindow& w = f.open();
        w.show();
        QPoint place;
        ModalScript script({{QStringLiteral("Drovex5"),
                             [&](QWidget* s) {
                                 QVERIFY(onScreen(s));
                                 QVERIFY(inSight(button(s, "BTN_Accept")) && inSight(button(s, "BTN_Cancel")));
                                 // The user moves it.
                                 const QPoint centred = s->pos();
                                 s->windowHandle()->setFramePosition(s->screen()->availableGeometry().topLeft() + QPoint(8, 12));
                                 QTRY_VERIFY(s->pos() != centred);
                                 place = s->pos();
                                 auto* files = s->findChild<QListView*>(QStringLiteral("BX_File"));
                                 QTRY_VERIFY(files->model()->rowCount() == 17);
                                 files->setFocus(Qt::TabFocusReason);
                                 QVERIFY(files->selectionModel()->selectedIndexes().isEmpty());
                                 QCOMPARE(static_cast<TrackSelector*>(s)->selectedName(), QString());
                                 QTest::keyClick(files, Qt::Key_End);
                                 QTest::keyClick(files, Qt::Key_Return);
                                 QVERIFY(s->isVisible());
                                 QCOMPARE(static_cast<TrackSelector*>(s)->selectedName(), QStringLiteral("Mine"));
                                 QTest::mouseClick(button(s, "BTN_Details"), Qt::LeftButton);
                             }},
                            {QStringLiteral("Drovex6"), [](QWidget* info) { QTest::mouseClick(button(info, "BTN_OK"), Qt::LeftButton); }},
                            {QStringLiteral("Drovex5"), [&](QWidget* s) {
                                 QCOMPARE(s->pos(), place);
                                 QTest::mouseClick(s->findChild<QRadioButton*>(QStringLiteral("OPT_Track(4)")), Qt::LeftButton);
                                 QWidget* name = s->findChild<QWidget*>(QStringLiteral("BX_Select"));
                                 name->setFocus();
                                 QTest::keyClick(name, Qt::Key_Return);
                             }}});
        QTest::mouseClick(button(&w, "BTN_Track"), Qt::LeftButton);
        QVERIFY(script.completed());
        QCOMPARE(f.stored(QStringLiteral("F1CT04")), QStringLiteral("CIRCUITS\\MINE.DAT"));
    }

    // Track-Info and File-Info fit the screen; every value wraps within the window's width, a
    // 120-character word broken, not cut; captions and values stay together as the window is
    // made narrower and wider; without a map, the map's frame says why.
    void trackWindowsFitAndWrap()
    {
        Fixture f;
        makeGame(f);
        test::TrackRecipe recipe;
        recipe.tag = "#GP2INFO|Name|Circuito Panoramico di Valle Lunga, Long Layout with the Old Chicane and the Lake Hairpin|"
                     "Country|Italy|Event|Gran Premio della Valle Lunga e del Lago di Vico, Ottantesima Edizione|Author|"
                     "A. Trackmaker of the Valle Lunga Track Building Group|Desc|A fast lakeside circuit with two long "
                     "straights, a tight hairpin by the water and a chicane. " + QByteArray(120, 'W') + " Built in 1998.|#";
        QVERIFY(test::writeFile(f.gameFolder() + QStringLiteral("/CIRCUITS/LONG.DAT"), test::buildTrack(recipe)));
        MainWindow& w = f.open();
        w.show();
        auto choose = [](QWidget* s, const QString& name) {
            auto* files = s->findChild<QListView*>(QStringLiteral("BX_File"));
            QTRY_COMPARE(files->model()->rowCount(), 18);
            const QModelIndex index = files->model()->match(files->model()->index(0, 0), Qt::DisplayRole, name).value(0);
            files->scrollTo(index);
            QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, files->visualRect(index).center());
            QTest::mouseClick(button(s, "BTN_Details"), Qt::LeftButton);
        };
        ModalScript script({
            {QStringLiteral("Drovex5"), [&](QWidget* s) { choose(s, QStringLiteral("LONG.DAT")); }},
            {QStringLiteral("Drovex6"), [&](QWidget* info) {
                 checkInfoWindow(info);
                 auto* misc = info->findChild<QLabel*>(QStringLiteral("LBL_Misc"));
                 QCOMPARE(misc->width(), info->findChild<QLabel*>(QStringLiteral("LBL_Name"))->width());
                 // A word broken to fit is copied whole.
                 misc->setSelection(0, static_cast<int>(misc->text().size()));
                 misc->setFocus();
                 QTest::keyClick(misc, Qt::Key_C, Qt::ControlModifier);
                 QVERIFY(QGuiApplication::clipboard()->text().contains(QString(120, QLatin1Char('W'))));
                 // Narrower, then as wide as the screen allows: the values take the room.
                 const QRect area = info->screen()->availableGeometry();
                 const QSize room = area.size() - (info->frameGeometry().size() - info->size());
                 info->move(area.topLeft());
                 info->resize(std::max(info->minimumSizeHint().width(), room.width() * 3 / 5), room.height());
                 QTRY_COMPARE(info->height(), room.height());
                 checkInfoWindow(info);
                 const int narrow = misc->width();
                 const int wider = room.width() - info->width();
                 QVERIFY(wider >= 100);
                 info->resize(room);
                 QTRY_VERIFY(misc->width() >= narrow + wider - 20);
                 checkInfoWindow(info);
                 QTest::mouseClick(button(info, "BTN_System"), Qt::LeftButton);
             }},
            {QStringLiteral("Drovex7"), [&](QWidget* file) {
                 checkInfoWindow(file);
                 QTest::mouseClick(button(file, "BTN_OK"), Qt::LeftButton);
             }},
            // Without a map, the map's frame says why.
            {QStringLiteral("Drovex5"), [&](QWidget* s) { choose(s, QStringLiteral("MINE.DAT")); }},
            {QStringLiteral("Drovex6"), [&](QWidget* info) {
                 auto* noMap = info->findChild<QLabel*>(QStringLiteral("LBL_NoMap"));
                 QVERIFY(noMap->isVisible() && noMap->text().startsWith(QStringLiteral("No map: ")));
                 QVERIFY(info->findChild<QWidget*>(QStringLiteral("Frame(Map)"))->isAncestorOf(noMap));
                 QTest::mouseClick(button(info, "BTN_OK"), Qt::LeftButton);
             }},
            {QStringLiteral("Drovex5"), [](QWidget* s) { QTest::mouseClick(button(s, "BTN_Cancel"), Qt::LeftButton); }},
        });
        w.showTrackManager();
        QVERIFY(script.completed());
    }

    // Screen readers get names without padding and the slot buttons as radio buttons.
    void namesForScreenReaders()
    {
        Fixture f;
        makeGame(f);
        MainWindow& w = f.open();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(QAccessible::queryAccessibleInterface(&w)->text(QAccessible::Name),
                 QStringLiteral("Drovex Front-End [Version 1.14 by Quennel]"));
        for (QWidget* c : w.findChildren<QWidget*>()) {
            const QString name = c->accessibleName();
            QVERIFY2(name == name.trimmed(), qPrintable(c->objectName()));
        }
        TrackSelector* s = w.tracks().selector(true);
        s->show();
        QAccessibleInterface* slot = QAccessible::queryAccessibleInterface(s->findChild<QRadioButton*>(QStringLiteral("OPT_Track(1)")));
        QCOMPARE(slot->role(), QAccessible::RadioButton);
    }
};

QTEST_MAIN(TestEveryHand)
#include "tst_everyhand.moc"
