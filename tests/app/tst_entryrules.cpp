// What typing, the spin arrows and the switches do in the main window: fields clamped on every
// keystroke, bars and fields that follow each other, dot sizes that carry into the next bar
// step, and the switches that enable fields, frames and commands.
#include "app/mainwindow.h"
#include "app/settingspanel.h"
#include "settings/catalogue.h"
#include "support/panelcontrols.h"
#include "support/testsupport.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>

using namespace drovex;
using namespace drovex::test;

namespace {

// Clicks the upper or lower arrow of a scroll bar with the mouse.
void clickArrow(QScrollBar* bar, bool upper)
{
    QStyleOptionSlider opt;
    opt.initFrom(bar);
    opt.subControls = QStyle::SC_All;
    opt.orientation = bar->orientation();
    opt.minimum = bar->minimum();
    opt.maximum = bar->maximum();
    opt.sliderPosition = bar->sliderPosition();
    opt.sliderValue = bar->value();
    opt.singleStep = bar->singleStep();
    opt.pageStep = bar->pageStep();
    opt.upsideDown = bar->invertedAppearance();
    const QRect r = bar->style()->subControlRect(QStyle::CC_ScrollBar, &opt,
                                                 upper ? QStyle::SC_ScrollBarSubLine : QStyle::SC_ScrollBarAddLine, bar);
    QTest::mouseClick(bar, Qt::LeftButton, {}, r.center());
}

} // namespace

class TestEntryRules : public QObject {
    Q_OBJECT
private slots:
    void fractionStaysWhenTheBarAlreadyStandsThere()
    {
        Fixture f;
        MainWindow& w = f.open(false);
        bar(w, 17)->setValue(13);
        field(w, 17)->setText(QStringLiteral("12.6"));
        QCOMPARE(field(w, 17)->text(), QStringLiteral("12.6"));
        QCOMPARE(bar(w, 17)->value(), 13);
    }

    void upperArrowRaisesTheValue()
    {
        Fixture f;
        MainWindow& w = f.open(false);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QScrollBar* zoom = bar(w, 14);
        QCOMPARE(zoom->value(), 2);
        clickArrow(zoom, true);
        QCOMPARE(field(w, 14)->text(), QStringLiteral("3"));
        clickArrow(zoom, false);
        clickArrow(zoom, false);
        QCOMPARE(field(w, 14)->text(), QStringLiteral("1"));
        zoom->setValue(5);
        clickArrow(zoom, true);
        QCOMPARE(field(w, 14)->text(), QStringLiteral("5"));
        zoom->setValue(0);
        clickArrow(zoom, false);
        QCOMPARE(field(w, 14)->text(), QStringLiteral("0"));
        // The swatch follows its bar.
        bar(w, 2)->setValue(240);
        QCOMPARE(field(w, 2)->text(), QStringLiteral("240"));
        QCOMPARE(swatchColour(w, 2), paletteQColour(240));
    }

    void dotSizeArrowsCarryAndBorrow_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<bool>("upper");
        QTest::addColumn<QString>("result");
        QTest::newRow("borrow") << "131068" << false << "131067";
        QTest::newRow("carry") << "163834" << true << "163835";
        QTest::newRow("upper limit") << "999999" << true << "999999";
        QTest::newRow("lower limit") << "111111" << false << "111111";
        QTest::newRow("plain step") << "122358" << true << "122359";
    }
    void dotSizeArrowsCarryAndBorrow()
    {
        QFETCH(QString, start);
        QFETCH(bool, upper);
        QFETCH(QString, result);
        Fixture f;
        MainWindow& w = f.open(false);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        field(w, 19)->setText(start);
        clickArrow(bar(w, 19), upper);
        QCOMPARE(field(w, 19)->text(), result);
        const qint64 n = result.toLongLong();
        QCOMPARE(bar(w, 19)->value(), int(n % 32767));
        QCOMPARE(w.panel().dotQuotient(19), n / 32767);
    }

    void enableRulesAndTheStartMode()
    {
        Fixture f;
        MainWindow& w = f.open(false);
        QVERIFY(!field(w, 0)->isEnabled());
        QVERIFY(bar(w, 0)->isEnabled());
        box(w, QStringLiteral("CheckT(0)"))->setChecked(true);
        QVERIFY(field(w, 0)->isEnabled());
        box(w, QStringLiteral("CheckO(0)"))->setChecked(true);
        for (int b = 0; b < 3; ++b)
            QVERIFY(radio(w, alignButtonName(0, b))->isEnabled());
        QVERIFY(!radio(w, alignButtonName(1, 0))->isEnabled());

        box(w, QStringLiteral("Check(8)"))->setChecked(true);
        QVERIFY(box(w, QStringLiteral("Check(7)"))->isChecked());
        box(w, QStringLiteral("Check(7)"))->setChecked(false);
        QVERIFY(box(w, QStringLiteral("Check(7)"))->isChecked());
        box(w, QStringLiteral("Check(8)"))->setChecked(false);
        QVERIFY(box(w, QStringLiteral("Check(7)"))->isChecked());

        box(w, QStringLiteral("Check(16)"))->setChecked(true);
        radio(w, QStringLiteral("OPT_StartMode(1)"))->setChecked(true);
        QVERIFY(!box(w, QStringLiteral("Check(16)"))->isChecked());
        QVERIFY(!child<QGroupBox>(w, QStringLiteral("Frame(14)"))->isEnabled());
        QVERIFY(!child<QPushButton>(w, QStringLiteral("BTN_GP2"))->isEnabled());
        QVERIFY(w.findChild<QAction*>(QStringLiteral("MNU_GP2Options"))->isEnabled());
        radio(w, QStringLiteral("OPT_StartMode(2)"))->setChecked(true);
        QVERIFY(child<QGroupBox>(w, QStringLiteral("Frame(14)"))->isEnabled());
        QVERIFY(child<QPushButton>(w, QStringLiteral("BTN_GP2"))->isEnabled());
        QVERIFY(!box(w, QStringLiteral("Check(16)"))->isChecked());
    }
};

QTEST_MAIN(TestEntryRules)
#include "tst_entryrules.moc"
