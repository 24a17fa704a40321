#include "support/coresupport.h"
#include "tracks/trackinfo.h"

#include <QTemporaryDir>
#include <QTest>

using namespace drovex;

namespace {
QByteArray binary(int size, char fill = '\x07') { return QByteArray(size, fill); }
} // namespace

class TestTrackInfo : public QObject {
    Q_OBJECT
private slots:
    void tags_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("found");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("value");

        const QByteArray monza = "#GP2INFO|Name|Monza|Country|Italy|Laps|53|" + binary(3000, '\0');
        QTest::newRow("monza name") << monza << true << "Monza" << int(Name) << "Monza";
        QTest::newRow("monza country") << monza << true << "Monza" << int(Country) << "Italy";
        QTest::newRow("monza laps") << monza << true << "Monza" << int(Laps) << "53";
        QTest::newRow("monza absent year") << monza << true << "Monza" << int(Year) << "-";
        QTest::newRow("monza absent desc") << monza << true << "Monza" << int(Desc) << "-";

        const QByteArray records = "#GP2INFO|LapRecord|None Entered|LapRecordQualify|1:23.456|";
        QTest::newRow("none entered") << records << true << "-" << int(LapRecord) << "-";
        QTest::newRow("qualify record") << records << true << "-" << int(LapRecordQualify) << "1:23.456";
        QTest::newRow("lap record not inside qualify key")
            << QByteArray("#GP2INFO|LapRecordQualify|1:20.000|") << true << "-" << int(LapRecord) << "-";
        QTest::newRow("case-sensitive none entered")
            << QByteArray("#GP2INFO|LapRecord|none entered|") << true << "-" << int(LapRecord) << "none entered";
        QTest::newRow("empty name") << QByteArray("#GP2INFO|Name||Country|X|") << true << "" << int(Name) << "";
        QTest::newRow("lower-case marker") << QByteArray("#gp2info|Name|Spa|") << false << "No Name" << int(Name) << "";
        QTest::newRow("keys before the marker")
            << QByteArray("|Name|Imola|junk #GP2INFO") << true << "Imola" << int(Name) << "Imola";
        QTest::newRow("second occurrence ignored")
            << QByteArray("#GP2INFO|Name|First|Name|Second|") << true << "First" << int(Name) << "First";
        QTest::newRow("zero bytes before the tag")
            << binary(500, '\0') + "#GP2INFO|Name|Hockenheim|" << true << "Hockenheim" << int(Name) << "Hockenheim";
        QTest::newRow("tag past byte 4000") << binary(4001) + "#GP2INFO|Name|Late|" << false << "No Name" << int(Name) << "";
        QTest::newRow("desc past byte 4000")
            << "#GP2INFO|Name|Spa|" + binary(4000) + "|Desc|Long|" << true << "Spa" << int(Desc) << "-";
        QTest::newRow("value without closing bar")
            << "#GP2INFO|Country|Fr|Name|Magny" + binary(100) << true << "-" << int(Name) << "-";
        QTest::newRow("closing bar just past the window")
            << "#GP2INFO|Name|" + binary(3985) + "x|" << true << "-" << int(Name) << "-";
        QTest::newRow("spaces kept, not parsed")
            << QByteArray("#GP2INFO|Laps| abc |") << true << "-" << int(Laps) << " abc ";
        QTest::newRow("8-bit text") << QByteArray("#GP2INFO|Country|Espa\xf1" "a|") << true << "-" << int(Country)
                                    << QStringLiteral("Espa\u00f1a");
        // UTF-8 when every value is valid UTF-8 and one holds more than ASCII; else Windows-1252.
        QTest::newRow("utf-8 tag") << QByteArray("#GP2INFO|Name|S\xc3\xa3o Paulo|") << true << QStringLiteral("S\u00e3o Paulo")
                                   << int(Name) << QStringLiteral("S\u00e3o Paulo");
        QTest::newRow("utf-8 beyond the first plane")
            << QByteArray("#GP2INFO|Country|x|Desc|\xf0\x9f\x8f\x81 \xe2\x82\xac|") << true << "-" << int(Desc)
            << QStringLiteral("\U0001F3C1 \u20ac");
        QTest::newRow("one value not utf-8 makes the tag windows-1252")
            << QByteArray("#GP2INFO|Name|S\xc3\xa3o|Country|Espa\xf1" "a|") << true << QStringLiteral("S\u00c3\u00a3o")
            << int(Country) << QStringLiteral("Espa\u00f1" "a");
        QTest::newRow("cut utf-8 sequence") << QByteArray("#GP2INFO|Name|Caf\xc3|") << true << QStringLiteral("Caf\u00c3")
                                            << int(Name) << QStringLiteral("Caf\u00c3");
        QTest::newRow("overlong utf-8 is no utf-8") << QByteArray("#GP2INFO|Name|\xc0\xafx|") << true
                                                    << QStringLiteral("\u00c0\u00afx") << int(Name) << QStringLiteral("\u00c0\u00afx");
        QTest::newRow("markup stays text") << QByteArray("#GP2INFO|Name|<b>x</b>|") << true << "<b>x</b>" << int(Name)
                                           << "<b>x</b>";
        QTest::newRow("empty file") << QByteArray() << false << "No Name" << int(Name) << "";
    }
    void tags()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, found);
        QFETCH(QString, name);
        QFETCH(int, key);
        QFETCH(QString, value);
        const TrackInfo info = parseTrackInfo(bytes);
        QCOMPARE(info.tagFound, found);
        QCOMPARE(info.name, name);
        if (found)
            QCOMPARE(info.values[static_cast<size_t>(key)], value);
    }

    void readsOnlyTheFirstBytesOfARealFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("monaco.dat"));
        QVERIFY(test::writeFile(path, binary(10) + "#GP2INFO|Name|Monaco|Slot|6|" + binary(100000) + "|Desc|x|"));
        const TrackInfo info = ReadTrackInfo(path);
        QCOMPARE(info.name, QStringLiteral("Monaco"));
        QCOMPARE(info.values[Slot], QStringLiteral("6"));
        QCOMPARE(info.values[Desc], QStringLiteral("-"));
    }

    void unreadableFilesReadAsEmpty()
    {
        QTemporaryDir dir;
        QCOMPARE(ReadTrackInfo(dir.filePath(QStringLiteral("missing.dat"))).name, QStringLiteral("No Name"));
        QCOMPARE(ReadTrackInfo(dir.path()).name, QStringLiteral("No Name"));
        QCOMPARE(ReadTrackInfo(QString()).name, QStringLiteral("No Name"));
        QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("missing.dat"))));
    }

    void namedPipesReadAsEmpty()
    {
        QTemporaryDir dir;
        const QString pipe = dir.filePath(QStringLiteral("pipe.dat"));
        const QString link = dir.filePath(QStringLiteral("link.dat"));
        test::PipeGuard pipes({pipe});
        QVERIFY(pipes.made());
        QVERIFY(QFile::link(pipe, link));
        QCOMPARE(ReadTrackInfo(pipe).name, QStringLiteral("No Name"));
        QCOMPARE(ReadTrackInfo(link).name, QStringLiteral("No Name"));
        QVERIFY(!pipes.blocked());
    }
};

QTEST_GUILESS_MAIN(TestTrackInfo)
#include "tst_trackinfo.moc"
