#include "settings/fieldrules.h"

#include <QTest>

using namespace drovex;

class TestFieldRules : public QObject {
    Q_OBJECT
private slots:
    void wholeNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("value");
        QTest::newRow("plain") << "135" << true << 135;
        QTest::newRow("leading zero is decimal") << "0194" << true << 194;
        QTest::newRow("half to even down") << "2.5" << true << 2;
        QTest::newRow("half to even up") << "3.5" << true << 4;
        QTest::newRow("fraction") << "12.6" << true << 13;
        QTest::newRow("negative half") << "-2.5" << true << -2;
        QTest::newRow("blanks") << " 7 " << true << 7;
        QTest::newRow("upper end") << "32767" << true << 32767;
        QTest::newRow("lower end") << "-32768" << true << -32768;
        QTest::newRow("too large") << "32768" << false << 0;
        QTest::newRow("rounds past the end") << "32767.5" << false << 0;
        QTest::newRow("empty") << "" << false << 0;
        QTest::newRow("letters") << "abc" << false << 0;
        QTest::newRow("lone minus") << "-" << false << 0;
        QTest::newRow("trailing letters") << "12x" << false << 0;
        QTest::newRow("two points") << "1.2.3" << false << 0;
        QTest::newRow("line break") << "1\n2" << false << 0;
    }
    void wholeNumber()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(int, value);
        const auto n = toWholeNumber(text);
        QCOMPARE(n.has_value(), ok);
        if (ok)
            QCOMPARE(*n, value);
    }

    void fieldRule_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("lo");
        QTest::addColumn<int>("hi");
        QTest::addColumn<QString>("expectText");
        QTest::addColumn<qint64>("expectBar"); // -99999 = bar untouched
        QTest::newRow("within") << "100" << 0 << 255 << "100" << qint64(100);
        QTest::newRow("above") << "300" << 0 << 255 << "255" << qint64(255);
        QTest::newRow("first digit below lower limit") << "2" << 64 << 7936 << "64" << qint64(64);
        QTest::newRow("pasted 25 into 3..20") << "25" << 3 << 20 << "20" << qint64(20);
        QTest::newRow("pasted 1 into 3..20") << "1" << 3 << 20 << "3" << qint64(3);
        QTest::newRow("fraction keeps text") << "12.6" << 3 << 20 << "12.6" << qint64(13);
        QTest::newRow("empty untouched") << "" << 0 << 5 << "" << qint64(-99999);
        QTest::newRow("not a number untouched") << "abc" << 0 << 5 << "abc" << qint64(-99999);
        QTest::newRow("huge") << "99999999999999999999999" << 0 << 5 << "5" << qint64(5);
        QTest::newRow("negative") << "-4" << 0 << 5 << "0" << qint64(0);
        QTest::newRow("dot size digit") << "1" << kDotMin << kDotMax << "111111" << qint64(111111);
    }
    void fieldRule()
    {
        QFETCH(QString, text);
        QFETCH(int, lo);
        QFETCH(int, hi);
        QFETCH(QString, expectText);
        QFETCH(qint64, expectBar);
        const FieldOutcome out = applyFieldRule(text, lo, hi);
        QCOMPARE(out.text, expectText);
        QCOMPARE(out.number.value_or(-99999), expectBar);
    }

    void dotSplit_data()
    {
        QTest::addColumn<qint64>("number");
        QTest::addColumn<qint64>("quotient");
        QTest::addColumn<qint64>("remainder");
        QTest::newRow("smallest") << qint64(111111) << qint64(3) << qint64(12810);
        QTest::newRow("svga default") << qint64(122358) << qint64(3) << qint64(24057);
        QTest::newRow("vga default") << qint64(111235) << qint64(3) << qint64(12934);
        QTest::newRow("largest") << qint64(999999) << qint64(30) << qint64(16989);
        QTest::newRow("four times divisor") << qint64(131068) << qint64(4) << qint64(0);
    }
    void dotSplit()
    {
        QFETCH(qint64, number);
        QFETCH(qint64, quotient);
        QFETCH(qint64, remainder);
        const DotSplit s = splitDotSize(number);
        QCOMPARE(s.quotient, quotient);
        QCOMPARE(s.remainder, remainder);
    }

    void dotStepCarriesAndBorrows_data()
    {
        QTest::addColumn<qint64>("quotient");
        QTest::addColumn<int>("position");
        QTest::addColumn<qint64>("number");
        QTest::addColumn<int>("newPosition");
        QTest::newRow("down across zero") << qint64(4) << -1 << qint64(131067) << 32766;
        QTest::newRow("up across the top") << qint64(4) << 32767 << qint64(163835) << 0;
        QTest::newRow("plain step") << qint64(3) << 24058 << qint64(122359) << 24058;
    }
    void dotStepCarriesAndBorrows()
    {
        QFETCH(qint64, quotient);
        QFETCH(int, position);
        QFETCH(qint64, number);
        QFETCH(int, newPosition);
        const DotStep s = stepDotSize(quotient, position);
        QCOMPARE(s.number, number);
        QCOMPARE(s.position, newPosition);
    }

    void plainWholeNumberForDrovex_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("plain");
        QTest::newRow("octal trap") << "0194" << "194";
        QTest::newRow("decimal point") << "12.6" << "13";
        QTest::newRow("half to even") << "12.5" << "12";
        QTest::newRow("empty") << "" << "";
        QTest::newRow("blanks") << " 7" << "7";
    }
    void plainWholeNumberForDrovex()
    {
        QFETCH(QString, text);
        QFETCH(QString, plain);
        QCOMPARE(plainWholeNumber(text), plain);
    }
};

QTEST_GUILESS_MAIN(TestFieldRules)
#include "tst_fieldrules.moc"
