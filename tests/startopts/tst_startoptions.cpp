#include "startopts/startoptions.h"

#include <QTest>

using namespace drovex;

Q_DECLARE_METATYPE(drovex::StartOptionsState)

namespace {
StartOptionsState state(std::initializer_list<int> on, int video = 0, int log = 0, const QString& cd = QStringLiteral("D"))
{
    StartOptionsState s;
    for (int i : on)
        s.switches[static_cast<size_t>(i)] = 1;
    s.video[static_cast<size_t>(video)] = true;
    s.log[static_cast<size_t>(log)] = true;
    s.cdLetter = cd;
    return s;
}
} // namespace

class TestStartOptions : public QObject {
    Q_OBJECT
private slots:
    void optionString_data()
    {
        QTest::addColumn<StartOptionsState>("options");
        QTest::addColumn<QString>("expected");
        QTest::newRow("nothing") << state({}) << "";
        StartOptionsState all = state({});
        all.switches.fill(1);
        QTest::newRow("everything") << all
                                    << " help video:vesa nostateload log:on cd:D noenvironment nortscts menukeys:udlr "
                                       "nosound nointro setmanualdetail linkonmouseport use16550 nomouse minram echo nomusic";
        QTest::newRow("video mode") << state({1}, 3) << " video:para";
        QTest::newRow("log mode") << state({3}, 0, 2) << " log:safe";
        QTest::newRow("cd letter as typed") << state({4}, 0, 0, QStringLiteral("E:")) << " cd:E:";
        QTest::newRow("cd empty") << state({4}, 0, 0, QString()) << " cd:";
        QTest::newRow("index order, not click order") << state({16, 8, 0}) << " help nosound nomusic";
        QTest::newRow("unchecked switch ignores its mode") << state({9}, 2, 1) << " nointro";
        StartOptionsState grey = state({8});
        grey.switches[9] = 2; // greyed counts as not checked
        QTest::newRow("greyed") << grey << " nosound";
    }
    void optionString()
    {
        QFETCH(StartOptionsState, options);
        QFETCH(QString, expected);
        QCOMPARE(buildOptionString(options), expected);
    }

    void switchKeys()
    {
        QCOMPARE(QString::fromLatin1(startSwitches()[14].key), QStringLiteral("Mini Ram"));
        QCOMPARE(QString::fromLatin1(startSwitches()[14].caption), QStringLiteral("Min Ram"));
    }
};


QTEST_GUILESS_MAIN(TestStartOptions)
#include "tst_startoptions.moc"
