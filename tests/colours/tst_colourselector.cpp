#include "app/mainwindow.h"
#include "colours/colourselector.h"
#include "settings/catalogue.h"
#include "settings/palette.h"
#include "support/testsupport.h"

#include <QAccessible>
#include <QApplication>
#include <QFileInfo>
#include <QKeySequence>
#include <QScreen>
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

// The colour drawn at a point of a widget, whatever the scale.
QColor shownAt(QWidget* w, QPoint at)
{
    const QImage image = w->grab().toImage();
    return image.pixelColor((QPointF(at) * image.devicePixelRatio()).toPoint());
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
        // Screen readers see a named list of 256 named cells.
        QAccessibleInterface* list = QAccessible::queryAccessibleInterface(&grid);
        QCOMPARE(list->role(), QAccessible::List);
        QCOMPARE(list->text(QAccessible::Name), QStringLiteral("GP2 palette"));
        QCOMPARE(list->childCount(), 256);
        QAccessibleInterface* cell = list->child(135);
        QCOMPARE(cell->role(), QAccessible::ListItem);
        QCOMPARE(cell->text(QAccessible::Name), QStringLiteral("colour 135"));
        QCOMPARE(list->indexOfChild(cell), 135);
        QCOMPARE(cell->parent(), list);
        const QPoint cell17 = grid.mapToGlobal(PaletteGrid::cellRect(17).center());
        QCOMPARE(list->childAt(cell17.x(), cell17.y())->text(QAccessible::Name), QStringLiteral("colour 17"));
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

    // By the keyboard alone: Enter on the colour button opens the selector on the setting's
    // value, marked, with the grid focused; keys move the chosen cell, whose number and colour
    // show beside the swatch; Enter applies it and Escape drops it. The window fits its screen.
    void keysAlone_data()
    {
        QTest::addColumn<int>("k");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<int>("chosen");
        QTest::addColumn<bool>("accept");
        QTest::newRow("arrows") << 0 << 135 << "Right, Down, Down, Left" << 167 << true;
        QTest::newRow("row end, row start") << 1 << 125 << "End, Home, Right" << 113 << true;
        QTest::newRow("column top") << 2 << 151 << "PgUp, Down" << 23 << true;
        QTest::newRow("column bottom") << 2 << 151 << "PgDown, Up" << 231 << true;
        QTest::newRow("last, first") << 3 << 9 << "Ctrl+End, Ctrl+Home, Right" << 1 << true;
        QTest::newRow("right goes on to the next row") << 0 << 15 << "Right" << 16 << true;
        QTest::newRow("first cell holds") << 0 << 0 << "Left, Up, PgUp" << 0 << true;
        QTest::newRow("last cell holds") << 0 << 255 << "Right, Down, PgDown" << 255 << true;
        QTest::newRow("escape") << 0 << 135 << "Right" << 136 << false;
    }
    void keysAlone()
    {
        QFETCH(int, k);
        QFETCH(int, value);
        QFETCH(QString, keys);
        QFETCH(int, chosen);
        QFETCH(bool, accept);
        QVERIFY(test::onTestScreen());
        Fixture f;
        f.seed(QStringLiteral("Path-GP2"), f.gameFolder());
        f.seed(QLatin1String(valuedSetting(k).valueKey), QString::number(value));
        MainWindow& w = f.open();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        test::ModalScript script({{QStringLiteral("Drovex3"), [&](QWidget* selector) {
            QVERIFY(QTest::qWaitForWindowExposed(selector));
            QVERIFY(selector->screen()->availableGeometry().contains(selector->frameGeometry()));
            QCOMPARE(selector->windowTitle(), QStringLiteral("Drovex Color-Selector: ") + QLatin1String(valuedSetting(k).caption));
            auto* grid = selector->findChild<PaletteGrid*>(QStringLiteral("Colors"));
            auto* number = selector->findChild<QLabel*>(QStringLiteral("SelectedIndex"));
            QCOMPARE(QApplication::focusWidget(), grid);
            QCOMPARE(number->text(), QStringLiteral("Palette-Index: %1").arg(value));
            // The value's cell carries a dot that stands out from its colour.
            QVERIFY(shownAt(grid, PaletteGrid::cellRect(value).center()) != colour(value));
            const QKeySequence sequence = QKeySequence::fromString(keys);
            for (int i = 0; i < sequence.count(); ++i)
                QTest::keyClick(QApplication::focusWidget(), sequence[i].key(), sequence[i].keyboardModifiers());
            QCOMPARE(number->text(), QStringLiteral("Palette-Index: %1").arg(chosen));
            QCOMPARE(qobject_cast<ColourSelector*>(selector)->selectedColour(), colour(chosen));
            // The chosen cell is framed in the highlight colour, and screen readers are on it.
            QCOMPARE(shownAt(grid, PaletteGrid::cellRect(chosen).topLeft() - QPoint(1, 1)),
                     grid->palette().color(QPalette::Highlight));
            QAccessibleInterface* focused = QAccessible::queryAccessibleInterface(grid)->focusChild();
            QVERIFY(focused);
            QCOMPARE(focused->text(QAccessible::Name), QStringLiteral("colour %1").arg(chosen));
            QVERIFY(focused->state().focused);
            QTest::keyClick(QApplication::focusWidget(), accept ? Qt::Key_Return : Qt::Key_Escape);
        }}});
        auto* button = w.findChild<QToolButton*>(QStringLiteral("BTN_Color(%1)").arg(k));
        button->setFocus();
        QTest::keyClick(button, Qt::Key_Return);
        QVERIFY(script.completed());
        const int applied = accept ? chosen : value;
        QCOMPARE(w.findChild<QLineEdit*>(QStringLiteral("Text(%1)").arg(k))->text(), QString::number(applied));
        QCOMPARE(swatch(w, k), colour(applied));
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
