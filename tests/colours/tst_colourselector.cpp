#include "app/mainwindow.h"
#include "colours/colourselector.h"
#include "settings/palette.h"
#include "support/testsupport.h"

#include <QFileInfo>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>
#include <QToolTip>

using namespace drovex;
using drovex::test::Fixture;

namespace {

QColor colour(int index)
{
    const Rgb c = *paletteColour(index);
    return QColor(c.r, c.g, c.b);
}

QColor swatch(QWidget& w, int k)
{
    return w.findChild<QLabel*>(QStringLiteral("LBL_Color(%1)").arg(k))->palette().color(QPalette::Window);
}

// Opens the colour selector for setting k, clicks the given cells and presses the button.
void pick(MainWindow& w, int k, QList<int> cells, const char* button, QColor* shownFirst = nullptr,
          bool viaSwatch = false)
{
    test::ModalScript script({{QStringLiteral("Drovex3"), [cells, button, shownFirst](QWidget* window) {
        auto* selector = qobject_cast<ColourSelector*>(window);
        QVERIFY(selector);
        if (shownFirst)
            *shownFirst = selector->selectedColour();
        auto* grid = selector->findChild<PaletteGrid*>(QStringLiteral("Colors"));
        for (int n : cells) {
            QTest::mouseClick(grid, Qt::LeftButton, {}, PaletteGrid::cellRect(n).center());
            QCOMPARE(selector->selectedColour(), colour(n));
        }
        QTest::mouseClick(selector->findChild<QPushButton*>(QString::fromLatin1(button)), Qt::LeftButton);
    }}});
    if (viaSwatch)
        QTest::mouseClick(w.findChild<QLabel*>(QStringLiteral("LBL_Color(%1)").arg(k)), Qt::LeftButton);
    else
        QTest::mouseClick(w.findChild<QToolButton*>(QStringLiteral("BTN_Color(%1)").arg(k)), Qt::LeftButton);
    QVERIFY(script.completed());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class TestColourSelector : public QObject {
    Q_OBJECT
private slots:
    void gridGeometryAndTooltips()
    {
        QCOMPARE(PaletteGrid::cellRect(0), QRect(12, 16, 17, 17));
        QCOMPARE(PaletteGrid::cellRect(17), QRect(32, 36, 17, 17));
        QCOMPARE(PaletteGrid::cellRect(255), QRect(12 + 15 * 20, 16 + 15 * 20, 17, 17));
        PaletteGrid grid;
        QCOMPARE(grid.cellAt(PaletteGrid::cellRect(135).center()), 135);
        QCOMPARE(grid.cellAt(QPoint(12 + 18, 20)), -1); // the gap between two cells
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        for (int n : {0, 135}) {
            const QPoint at = PaletteGrid::cellRect(n).center();
            QHelpEvent help(QEvent::ToolTip, at, grid.mapToGlobal(at));
            QCoreApplication::sendEvent(&grid, &help);
            QTRY_COMPARE(QToolTip::text(), QStringLiteral("Palette-Index: %1").arg(n));
        }
    }

    void acceptAppliesTheLastClickedCell()
    {
        Fixture f;
        f.seed(QStringLiteral("Path-GP2"), f.gameFolder());
        MainWindow& w = f.open();
        w.findChild<QLineEdit*>(QStringLiteral("Text(1)"))->setText(QStringLiteral("7"));
        QColor shown;
        pick(w, 3, {17, 40}, "BTN_Accept", &shown);
        QCOMPARE(w.ColorIndex(), 3);
        QCOMPARE(w.findChild<QLineEdit*>(QStringLiteral("Text(3)"))->text(), QStringLiteral("40"));
        QCOMPARE(w.findChild<QScrollBar*>(QStringLiteral("Scroll(3)"))->value(), 40);
        QCOMPARE(swatch(w, 3), colour(40));
        QCOMPARE(w.findChild<QLineEdit*>(QStringLiteral("Text(1)"))->text(), QStringLiteral("7")); // nothing else

        pick(w, 0, {125}, "BTN_Accept");
        QCOMPARE(w.findChild<QLineEdit*>(QStringLiteral("Text(0)"))->text(), QStringLiteral("125"));
        QCOMPARE(swatch(w, 0), QColor(95, 127, 183));

        // Cancel changes nothing, whatever was clicked.
        const QString before = w.findChild<QLineEdit*>(QStringLiteral("Text(2)"))->text();
        pick(w, 2, {200, 201}, "BTN_Cancel", &shown);
        QCOMPARE(shown, swatch(w, 2)); // the selector opened with the setting's colour
        QCOMPARE(w.findChild<QLineEdit*>(QStringLiteral("Text(2)"))->text(), before);

        // A cell picked in an earlier opening, even a cancelled one, does not carry over: Accept
        // without a click in this opening keeps the value the window showed.
        pick(w, 1, {}, "BTN_Accept");
        QCOMPARE(w.findChild<QLineEdit*>(QStringLiteral("Text(1)"))->text(), QStringLiteral("7"));
    }

    // Enter on a focused colour button opens the selector for its setting; it does not run Save.
    void enterOnAColourButtonOpensTheSelector_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Return") << int(Qt::Key_Return);
        QTest::newRow("Enter") << int(Qt::Key_Enter);
    }
    void enterOnAColourButtonOpensTheSelector()
    {
        QFETCH(int, key);
        Fixture f;
        f.seed(QStringLiteral("Path-GP2"), f.gameFolder());
        MainWindow& w = f.open();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.findChild<QLineEdit*>(QStringLiteral("Text(14)"))->setText(QStringLiteral("4"));
        const QString stored = f.stored(QStringLiteral("Zoom Value"));
        auto* colourButton = w.findChild<QToolButton*>(QStringLiteral("BTN_Color(2)"));
        colourButton->setFocus();
        test::ModalScript script({{QStringLiteral("Drovex3"), [](QWidget* selector) {
            QTest::mouseClick(selector->findChild<QPushButton*>(QStringLiteral("BTN_Cancel")), Qt::LeftButton);
        }}});
        QTest::keyClick(colourButton, Qt::Key(key));
        QVERIFY(script.completed());
        QCOMPARE(w.ColorIndex(), 2);
        QCOMPARE(f.stored(QStringLiteral("Zoom Value")), stored); // no Save
        QVERIFY(!QFileInfo::exists(f.gameFolder() + QStringLiteral("/Drovex.cfg")));
    }

    void acceptWithoutAnyClickChangesNothing()
    {
        Fixture f;
        f.seed(QStringLiteral("Path-GP2"), f.gameFolder());
        f.seed(QStringLiteral("Track Color Value"), QStringLiteral("9"));
        MainWindow& w = f.open();
        pick(w, 3, {}, "BTN_Accept", nullptr, true); // the swatch opens the selector too
        QCOMPARE(w.ColorIndex(), 3);
        QCOMPARE(w.findChild<QLineEdit*>(QStringLiteral("Text(3)"))->text(), QStringLiteral("9"));
        QCOMPARE(swatch(w, 3), colour(9));
    }
};

QTEST_MAIN(TestColourSelector)
#include "tst_colourselector.moc"
