#include "common/dosname.h"

#include <QTest>

using namespace drovex;

class TestDosName : public QObject {
    Q_OBJECT
private slots:
    void names_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("problem"); // a word the reason holds; "" when the name is fine
        QTest::newRow("plain") << "MONACO.DAT" << "";
        QTest::newRow("lower case") << "monaco.dat" << "";
        QTest::newRow("eight and three") << "ABCDEFGH.ABC" << "";
        QTest::newRow("no extension") << "CIRCUITS" << "";
        QTest::newRow("dot at the end") << "TRACK." << "";
        QTest::newRow("tilde and digits") << "MONACO~1.DAT" << "";
        QTest::newRow("blank") << "MY TRACK.DAT" << "blank";
        QTest::newRow("second dot") << "A.B.DAT" << "more than one dot";
        QTest::newRow("nine-character stem") << "ABCDEFGHI.DAT" << "more than 8";
        QTest::newRow("four-character extension") << "TRACK.DATA" << "more than 3";
        QTest::newRow("line feed") << "TRA\nCK.DAT" << "control character";
        QTest::newRow("plus") << "A+B.DAT" << "\"+\"";
        QTest::newRow("non-ASCII") << QStringLiteral("K\u00f6ln.DAT") << "character";
        QTest::newRow("only an extension") << ".DAT" << "no name before";
        QTest::newRow("dot dot") << ".." << "not a file name";
        QTest::newRow("empty") << "" << "empty";
    }
    void names()
    {
        QFETCH(QString, name);
        QFETCH(QString, problem);
        const QString got = dosNameProblem(name);
        if (problem.isEmpty())
            QCOMPARE(got, QString());
        else
            QVERIFY2(got.contains(problem), qPrintable(got));
        QVERIFY(!got.contains(QLatin1Char('\n')));
    }

    void paths_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("fine");
        // A path of n characters made of 8.3 folders: "ABCDEFGH\" repeated, then a file name.
        auto path = [](int length) {
            const int folders = (length - 4) / 9;
            return QStringLiteral("ABCDEFGH\\").repeated(folders) +
                   QStringLiteral("ABCDEFGH.DAT").left(length - 9 * folders);
        };
        QTest::newRow("188") << path(188) << true;
        QTest::newRow("189") << path(189) << false;
        QTest::newRow("300") << path(300) << false;
        QTest::newRow("sub-folder") << "CIRCUITS\\NEW\\MONACO.DAT" << true;
        QTest::newRow("long folder") << "CIRCUITS\\New Tracks\\MONACO.DAT" << false;
        QTest::newRow("empty component") << "CIRCUITS\\\\MONACO.DAT" << false;
        QTest::newRow("empty") << "" << false;
    }
    void paths()
    {
        QFETCH(QString, path);
        QFETCH(bool, fine);
        bool isLength = false;
        const int length = QString::fromLatin1(QTest::currentDataTag()).toInt(&isLength);
        if (isLength)
            QCOMPARE(path.size(), length);
        QCOMPARE(dosPathProblem(path, kDosPathMax).isEmpty(), fine);
    }
};

QTEST_GUILESS_MAIN(TestDosName)
#include "tst_dosname.moc"
