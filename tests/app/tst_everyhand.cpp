// Every screen and every hand: the windows fit the screen they open on at any scale, keep their
// size and place, and work by keyboard alone. CTest runs this program once more for each screen
// setup (tests/CMakeLists.txt).
#include "app/mainwindow.h"
#include "support/coresupport.h"
#include "support/testsupport.h"
#include "tracks/trackmanager.h"
#include "tracks/trackselector.h"

#include <QAccessible>
#include <QDir>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStatusBar>
#include <QTest>
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
