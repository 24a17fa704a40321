// Track files read whole: checksum and its fix, the original tracks, the outline and its length,
// and the tag warnings, on synthetic tracks written to real files.
#include "support/coresupport.h"
#include "support/trackrecipe.h"
#include "tracks/tagwarnings.h"
#include "tracks/trackfile.h"

#include <QDir>
#include <QFile>
#include <QLineF>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace drovex;
using drovex::test::TrackRecipe;

namespace {

QString written(const QTemporaryDir& dir, const QByteArray& bytes, const QString& name = QStringLiteral("TRACK.DAT"))
{
    const QString path = dir.filePath(name);
    return test::writeFile(path, bytes) ? path : QString();
}

QSizeF extent(const QList<QPointF>& points)
{
    const auto [left, right] = std::minmax_element(points.begin(), points.end(), [](auto a, auto b) { return a.x() < b.x(); });
    const auto [top, bottom] = std::minmax_element(points.begin(), points.end(), [](auto a, auto b) { return a.y() < b.y(); });
    return {right->x() - left->x(), bottom->y() - top->y()};
}

} // namespace

class TestTrackFile : public QObject {
    Q_OBJECT
private slots:
    // The recipe's square and its two variants give the same outline; the figure of eight closes
    // without turning.
    void outlines_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<quint32>("checksum");
        QTest::addColumn<int>("header");
        QTest::addColumn<qint64>("turning");
        QTest::addColumn<qint64>("lap");
        TrackRecipe c5x8, hdr36, eight;
        c5x8.c5x8 = true;
        hdr36.hdr36 = true;
        eight.sections = TrackRecipe::figureOfEight();
        QTest::newRow("square") << test::buildTrack() << 0x6DA726ADu << 28 << qint64(65536) << qint64(464);
        QTest::newRow("c5x8") << test::buildTrack(c5x8) << 0xB6C926B5u << 28 << qint64(65536) << qint64(464);
        QTest::newRow("hdr36") << test::buildTrack(hdr36) << 0x493628A4u << 36 << qint64(65536) << qint64(464);
        QTest::newRow("figure of eight") << test::buildTrack(eight) << 0u << 28 << qint64(0) << qint64(548);
    }
    void outlines()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(quint32, checksum);
        QFETCH(int, header);
        QFETCH(qint64, turning);
        QFETCH(qint64, lap);
        QTemporaryDir dir;
        const TrackFileFacts facts = readTrackFile(written(dir, bytes));
        QVERIFY(facts.checksum->correct() && !facts.original && notATrackReason(facts).isEmpty());
        if (checksum)
            QCOMPARE(facts.checksum->stored.value(), checksum);
        const TrackOutline& o = *facts.data.outline;
        QCOMPARE(o.headerLength, header);
        QCOMPARE(o.turning, turning);
        QCOMPARE(o.lapUnits, lap);
        QVERIFY(o.closureGap < 0.01 * static_cast<double>(lap));
        if (lap == 464)
            QCOMPARE(o.points, readTrackData(test::buildTrack()).outline->points);
    }

    // The square as the recipe draws it: lap, extent, the ends of its sections, and bends drawn
    // in steps of at most one unit.
    void squareOutline()
    {
        const TrackOutline o = *readTrackData(test::buildTrack()).outline;
        QCOMPARE(o.sectionCount, 8);
        QCOMPARE(qRound(o.lapMetres() * 10), 22628);
        QVERIFY(o.closureGap < 1e-9);
        const QSizeF box = extent(o.points);
        QCOMPARE(QSize(qRound(box.width() * 100), qRound(box.height() * 100)), QSize(12037, 12037));
        for (const QPointF& end : {QPointF(100, 0), QPointF(110.19, 10.19), QPointF(110.19, 110.19), QPointF(100, 120.37),
                                   QPointF(0, 120.37), QPointF(-10.19, 110.19), QPointF(-10.19, 10.19), QPointF(0, 0)})
            QVERIFY(std::any_of(o.points.begin(), o.points.end(), [&](const QPointF& p) { return QLineF(p, end).length() < 0.01; }));
        for (qsizetype i = 1; i < o.points.size(); ++i) {
            const double step = QLineF(o.points[i - 1], o.points[i]).length();
            QVERIFY(step <= 1 + 1e-9 || qFuzzyCompare(step, 100.0));
        }
    }

    // Files that are no readable track give no outline, say why, and read nothing past their end
    // (each is an allocation of its exact size, so the address sanitizer sees any such read).
    void unreadableTrackData_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("problem");
        const QByteArray square = test::buildTrack();
        auto changed = [&](qsizetype at, QByteArray with) { return QByteArray(square).replace(at, with.size(), with); };
        QByteArray random(50000, '\0');
        QRandomGenerator rng(7);
        for (char& c : random)
            c = static_cast<char>(rng.bounded(256));
        QTest::newRow("truncated to 3000 bytes") << square.left(3000) << "too small";
        QTest::newRow("truncated inside the track data") << square.left(0x1060) << "points past its end";
        QTest::newRow("random bytes") << random << "";
        QTest::newRow("unknown command 0xAD") << changed(0x103D, "\xAD") << "unknown command 0xAD";
        QTest::newRow("unknown record") << changed(0x1059, "\x12") << "unknown record";
        QTest::newRow("no end of the list") << changed(0x109E, QByteArray(2, '\0')) << "does not end";
        QTest::newRow("car setup before the track data") << changed(0x1010, "\x90") << "before its track data";
        QTest::newRow("a quarter turn too many") << changed(0x1096, QByteArray("\x00\x08", 2)) << "1.25 times around";
        QTest::newRow("a straight too long") << changed(0x108A, "\x80") << "do not come back";
        QTest::newRow("no sections") << changed(0x104E, "\xFF\xFF") << "no length";
    }
    void unreadableTrackData()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, problem);
        const auto exact = std::make_unique<char[]>(static_cast<size_t>(bytes.size()));
        std::copy(bytes.cbegin(), bytes.cend(), exact.get());
        const TrackFileFacts facts = examineTrackFile(QByteArrayView(exact.get(), bytes.size()));
        QVERIFY(!facts.data.outline);
        QVERIFY2(facts.data.problem.contains(problem), qPrintable(facts.data.problem));
        QVERIFY(notATrackReason(facts).startsWith(QStringLiteral("it ")));
        QVERIFY(noMapText(facts).startsWith(QStringLiteral("No map: the track data cannot be read (")));
    }

    // Every cut of the square, and the c5x8 file read with 7 words for 0xC5.
    void cutsAndMisreadsAreRejected()
    {
        const QByteArray square = test::buildTrack();
        for (qsizetype n = 0; n < square.size(); ++n) {
            const auto exact = std::make_unique<char[]>(static_cast<size_t>(std::max<qsizetype>(n, 1)));
            std::copy(square.cbegin(), square.cbegin() + n, exact.get());
            QVERIFY(!readTrackData(QByteArrayView(exact.get(), n)).outline);
        }
        TrackRecipe recipe;
        recipe.c5x8 = true;
        const QByteArray c5x8 = test::buildTrack(recipe);
        QString problem;
        QVERIFY(readSectionList(c5x8, 0x103C, 0x10A2, 8, &problem));
        QVERIFY(!readSectionList(c5x8, 0x103C, 0x10A2, 7, &problem));
    }

    // The fix (asked for in Track-Info) writes the right checksum and nothing else; the file as it
    // was goes to <name>.bak, and a later fix to a dated copy, never over the first.
    void fixKeepsEveryCopy()
    {
        QTemporaryDir dir;
        QByteArray bytes = test::buildTrack();
        bytes[20] = 'X';
        const QString path = written(dir, bytes);
        const TrackFileFacts facts = readTrackFile(path);
        QVERIFY(canFixChecksum(facts));
        QCOMPARE(checksumLine(*facts.checksum), QStringLiteral("Checksum: wrong (the file was changed after its checksum was made)"));
        QCOMPARE(checksumDetails(*facts.checksum), QStringLiteral("Stored: 0x6DA726AD (sum 0x26AD, cycle 0x6DA7)\n"
                                                                  "Computed: 0xFDA726E5 (sum 0x26E5, cycle 0xFDA7)"));
        QVERIFY(drovex::fixChecksum(path).ok);
        const QByteArray fixed = test::readFile(path);
        QCOMPARE(fixed.left(bytes.size() - 4), bytes.left(bytes.size() - 4));
        QCOMPARE(checksumLine(*readTrackFile(path).checksum), QStringLiteral("Checksum: correct"));
        QVERIFY(test::writeFile(path, bytes));
        const ChecksumFix again = drovex::fixChecksum(path);
        QCOMPARE(again.backup, path + QStringLiteral(".%1.bak").arg(QDate::currentDate().toString(Qt::ISODate)));
        QCOMPARE(test::readFile(path + QStringLiteral(".bak")), bytes);
        QCOMPARE(test::readFile(again.backup), bytes);
        QCOMPARE(test::readFile(path), fixed);
    }

    // Where the fix cannot be made, nothing is written and the reason is said.
    void fixRefused_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("reason");
        QTest::newRow("read-only file") << "LOCKED.DAT" << "the file is read-only";
        QTest::newRow("read-only folder") << "RO/TRACK.DAT" << "no copy of it could be made beside it: the folder";
        QTest::newRow("no track") << "TEXT.DAT" << "it is not a track file with its checksum at the end";
    }
    void fixRefused()
    {
        QFETCH(QString, file);
        QFETCH(QString, reason);
        if (!test::makePermissionsBite())
            QSKIP("file permissions do not apply");
        QTemporaryDir dir;
        QByteArray bytes = file == QLatin1String("TEXT.DAT") ? QByteArray(5000, 'a') : test::buildTrack();
        bytes[20] = 'X';
        const QString path = written(dir, bytes, file);
        const QString locked = file == QLatin1String("LOCKED.DAT") ? path : QFileInfo(path).absolutePath();
        if (file != QLatin1String("TEXT.DAT"))
            QVERIFY(QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner));
        const ChecksumFix fix = drovex::fixChecksum(path);
        QVERIFY(!fix.ok);
        QVERIFY2(fix.reason.startsWith(reason), qPrintable(fix.reason));
        QCOMPARE(test::readFile(path), bytes);
        QVERIFY(!QFileInfo::exists(path + QStringLiteral(".bak")));
        QVERIFY(QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    }

    // The game's sixteen circuits are known by checksum and size.
    void originalTracks_data()
    {
        QTest::addColumn<quint32>("checksum");
        QTest::addColumn<qint64>("size");
        QTest::addColumn<QString>("line");
        QTest::newRow("slot 1: Brazil (Interlagos)") << 0xFB84D4A0u << qint64(32406) << "Original track of slot 1: Brazil (Interlagos)";
        QTest::newRow("slot 2: Pacific (TI Circuit Aida)") << 0xF0BD9661u << qint64(32506) << "Original track of slot 2: Pacific (TI Circuit Aida)";
        QTest::newRow("slot 3: San Marino (Imola)") << 0x875C0066u << qint64(37678) << "Original track of slot 3: San Marino (Imola)";
        QTest::newRow("slot 4: Monaco (Monte Carlo)") << 0x25531329u << qint64(58290) << "Original track of slot 4: Monaco (Monte Carlo)";
        QTest::newRow("slot 5: Spain (Catalunya, Barcelona)") << 0x23C26589u << qint64(34061) << "Original track of slot 5: Spain (Catalunya, Barcelona)";
        QTest::newRow("slot 6: Canada (Gilles Villeneuve, Montreal)") << 0xD9779BEFu << qint64(34392) << "Original track of slot 6: Canada (Gilles Villeneuve, Montreal)";
        QTest::newRow("slot 7: France (Magny-Cours)") << 0x6CAA1499u << qint64(31767) << "Original track of slot 7: France (Magny-Cours)";
        QTest::newRow("slot 8: Britain (Silverstone)") << 0x883CAFD9u << qint64(38617) << "Original track of slot 8: Britain (Silverstone)";
        QTest::newRow("slot 9: Germany (Hockenheim)") << 0x6DCEB94Bu << qint64(31876) << "Original track of slot 9: Germany (Hockenheim)";
        QTest::newRow("slot 10: Hungary (Hungaroring)") << 0xE28ED299u << qint64(34956) << "Original track of slot 10: Hungary (Hungaroring)";
        QTest::newRow("slot 11: Belgium (Spa-Francorchamps)") << 0xBEEEF45Fu << qint64(45598) << "Original track of slot 11: Belgium (Spa-Francorchamps)";
        QTest::newRow("slot 12: Italy (Monza)") << 0x453E95A3u << qint64(41038) << "Original track of slot 12: Italy (Monza)";
        QTest::newRow("slot 13: Portugal (Estoril)") << 0x1B26E5D8u << qint64(37263) << "Original track of slot 13: Portugal (Estoril)";
        QTest::newRow("slot 14: Europe (Jerez)") << 0xBBC5995Du << qint64(33059) << "Original track of slot 14: Europe (Jerez)";
        QTest::newRow("slot 15: Japan (Suzuka)") << 0x42CB8229u << qint64(35730) << "Original track of slot 15: Japan (Suzuka)";
        QTest::newRow("slot 16: Australia (Adelaide)") << 0x9F1F4008u << qint64(44586) << "Original track of slot 16: Australia (Adelaide)";
        QTest::newRow("right checksum, other size") << 0x25531329u << qint64(58291) << QString();
        QTest::newRow("unknown checksum") << 0x6DA726ADu << qint64(4300) << QString();
    }
    void originalTracks()
    {
        QFETCH(quint32, checksum);
        QFETCH(qint64, size);
        QFETCH(QString, line);
        const TrackChecksum c{static_cast<quint16>(checksum & 0xFFFF), static_cast<quint16>(checksum >> 16)};
        const auto original = originalTrack({c, c}, size);
        QCOMPARE(original ? originalTrackLine(*original) : QString(), line);
        // Only a file whose stored checksum agrees with its bytes is the original.
        QVERIFY(!originalTrack({TrackChecksum{1, 2}, c}, size));
    }

    void tagWarnings_data()
    {
        QTest::addColumn<QByteArray>("tag");
        QTest::addColumn<bool>("original");
        QTest::addColumn<QList<int>>("held");
        QTest::addColumn<QStringList>("warnings");
        const QByteArray full = "#GP2INFO|Laps|53|Tyre|2|LengthMeters|5000|";
        QTest::newRow("all there") << full + "Slot|0x4|" << false << QList<int>{4} << QStringList();
        QTest::newRow("missing values")
            << QByteArray("#GP2INFO|Name|X|Laps|53|") << false << QList<int>()
            << QStringList{QStringLiteral("No LengthMeters tag: Drovex uses its own value"),
                           QStringLiteral("No Tyre tag: Drovex uses its own value")};
        QTest::newRow("original without a tag") << QByteArray(100, '\0') << true << QList<int>{4} << QStringList();
        QTest::newRow("texts over 39 bytes")
            << full + "Name|" + QByteArray(39, 'n') + "|Event|" + QByteArray(40, 'e') + "|Country|" + QByteArray("Espa\xc3\xb1" "a ").repeated(5) + "|"
            << false << QList<int>()
            << QStringList{QStringLiteral("Country is 40 characters long: Drovex shows the first 39"),
                           QStringLiteral("Event is 40 characters long: Drovex shows the first 39")};
        QTest::newRow("slot differs") << full + "Slot|4|" << false << QList<int>{3, 7}
                                      << QStringList{QStringLiteral("The Slot tag says \"4\", but the track is in slots 3, 7")};
        QTest::newRow("slot no number") << full + "Slot|four|" << false << QList<int>{4}
                                        << QStringList{QStringLiteral("The Slot tag says \"four\", but the track is in slot 4")};
        QTest::newRow("in no slot") << full + "Slot|4|" << false << QList<int>() << QStringList();
    }
    void tagWarnings()
    {
        QFETCH(QByteArray, tag);
        QFETCH(bool, original);
        QFETCH(QList<int>, held);
        QFETCH(QStringList, warnings);
        QCOMPARE(drovex::tagWarnings(parseTrackInfo(tag), original, held), warnings);
    }
};

QTEST_GUILESS_MAIN(TestTrackFile)
#include "tst_trackfile.moc"
