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

bool near(const QPointF& a, const QPointF& b, double within = 0.01) { return QLineF(a, b).length() <= within; }

} // namespace

class TestTrackFile : public QObject {
    Q_OBJECT
private slots:
    // The recipe's square and its two variants give the same outline; the figure of eight closes
    // without turning.
    void outlines_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<qint64>("size");
        QTest::addColumn<quint32>("checksum");
        QTest::addColumn<int>("header");
        QTest::addColumn<qint64>("turning");
        QTest::addColumn<qint64>("lap");
        TrackRecipe c5x8;
        c5x8.c5x8 = true;
        TrackRecipe hdr36;
        hdr36.hdr36 = true;
        TrackRecipe eight;
        eight.sections = TrackRecipe::figureOfEight();
        eight.startHeading = 8192;
        QTest::newRow("square") << test::buildTrack() << qint64(4300) << 0x6DA726ADu << 28 << qint64(65536) << qint64(464);
        QTest::newRow("c5x8") << test::buildTrack(c5x8) << qint64(4302) << 0xB6C926B5u << 28 << qint64(65536) << qint64(464);
        QTest::newRow("hdr36") << test::buildTrack(hdr36) << qint64(4308) << 0x493628A4u << 36 << qint64(65536) << qint64(464);
        QTest::newRow("figure of eight") << test::buildTrack(eight) << qint64(-1) << 0u << 28 << qint64(0) << qint64(548);
    }
    void outlines()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(qint64, size);
        QFETCH(quint32, checksum);
        QFETCH(int, header);
        QFETCH(qint64, turning);
        QFETCH(qint64, lap);
        QTemporaryDir dir;
        const TrackFileFacts facts = readTrackFile(written(dir, bytes));
        if (size >= 0) {
            QCOMPARE(facts.size, size);
            QCOMPARE(facts.checksum->stored.value(), checksum);
        }
        QVERIFY(facts.checksum->correct());
        QVERIFY(!facts.original);
        QCOMPARE(notATrackReason(facts), QString());
        QVERIFY2(facts.data.outline, qPrintable(facts.data.problem));
        const TrackOutline& o = *facts.data.outline;
        QCOMPARE(o.headerLength, header);
        QCOMPARE(o.turning, turning);
        QCOMPARE(o.lapUnits, lap);
        QVERIFY(o.closureGap < 0.01 * static_cast<double>(lap));
        // Bends are drawn in steps of at most one unit; only straights are longer.
        for (qsizetype i = 1; i < o.points.size(); ++i) {
            const double step = QLineF(o.points[i - 1], o.points[i]).length();
            QVERIFY2(step <= 1.0 + 1e-9 || qAbs(step - 100) < 1e-6 || qAbs(step - 41) < 1e-6 || qAbs(step - 82) < 1e-6,
                     qPrintable(QString::number(step)));
        }
        if (lap != 464)
            return;
        QCOMPARE(o.sectionCount, 8);
        QCOMPARE(qRound(o.lapMetres() * 10), 22628);
        QVERIFY(o.closureGap < 1e-9);
        const QSizeF box = extent(o.points);
        QCOMPARE(qRound(box.width() * 100), 12037);
        QCOMPARE(qRound(box.height() * 100), 12037);
        const QList<QPointF> ends = {{0, 0}, {100, 0}, {110.19, 10.19}, {110.19, 110.19}, {100, 120.37},
                                     {0, 120.37}, {-10.19, 110.19}, {-10.19, 10.19}};
        for (const QPointF& end : ends)
            QVERIFY2(std::any_of(o.points.begin(), o.points.end(), [&](const QPointF& p) { return near(p, end); }),
                     qPrintable(QStringLiteral("%1,%2").arg(end.x()).arg(end.y())));
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

    // One changed byte makes the checksum wrong; the fix makes it right again and keeps the
    // changed file as <name>.bak, then a dated copy, never overwriting one.
    void fixChecksum()
    {
        QTemporaryDir dir;
        QByteArray bytes = test::buildTrack();
        bytes[20] = 'X';
        const QString path = written(dir, bytes);
        TrackFileFacts facts = readTrackFile(path);
        QVERIFY(!facts.checksum->correct());
        QCOMPARE(checksumLine(*facts.checksum), QStringLiteral("Checksum: wrong (the file was changed after its checksum was made)"));
        QCOMPARE(checksumDetails(*facts.checksum), QStringLiteral("Stored: 0x6DA726AD (sum 0x26AD, cycle 0x6DA7)\n"
                                                                  "Computed: 0xFDA726E5 (sum 0x26E5, cycle 0xFDA7)"));
        QVERIFY(canFixChecksum(facts));

        const ChecksumFix fix = drovex::fixChecksum(path);
        QVERIFY2(fix.ok, qPrintable(fix.reason));
        QCOMPARE(fix.backup, path + QStringLiteral(".bak"));
        QCOMPARE(test::readFile(fix.backup), bytes);
        const QByteArray fixed = test::readFile(path);
        QCOMPARE(fixed.left(bytes.size() - 4), bytes.left(bytes.size() - 4));
        facts = readTrackFile(path);
        QCOMPARE(checksumLine(*facts.checksum), QStringLiteral("Checksum: correct"));

        // Changed again: the first copy stays, the second gets a dated name.
        QVERIFY(test::writeFile(path, bytes));
        const ChecksumFix again = drovex::fixChecksum(path);
        QVERIFY(again.ok);
        QVERIFY(again.backup.endsWith(QStringLiteral(".%1.bak").arg(QDate::currentDate().toString(Qt::ISODate))));
        QCOMPARE(test::readFile(path + QStringLiteral(".bak")), bytes);
        QCOMPARE(test::readFile(path), fixed);
    }

    void fixRefusedWhereItCannotBeDone()
    {
        if (!test::makePermissionsBite())
            QSKIP("file permissions do not apply");
        QTemporaryDir dir;
        QByteArray bytes = test::buildTrack();
        bytes[20] = 'X';
        // A read-only file is not changed.
        const QString locked = written(dir, bytes, QStringLiteral("LOCKED.DAT"));
        QVERIFY(QFile::setPermissions(locked, QFile::ReadOwner));
        ChecksumFix fix = drovex::fixChecksum(locked);
        QVERIFY(!fix.ok);
        QCOMPARE(fix.reason, QStringLiteral("the file is read-only"));
        QVERIFY(!QFileInfo::exists(locked + QStringLiteral(".bak")));
        // In a read-only folder no copy can be made, so nothing is written.
        const QString path = written(dir, bytes, QStringLiteral("RO/TRACK.DAT"));
        QVERIFY(QFile::setPermissions(dir.filePath(QStringLiteral("RO")), QFile::ReadOwner | QFile::ExeOwner));
        fix = drovex::fixChecksum(path);
        QVERIFY(!fix.ok);
        QVERIFY2(fix.reason.startsWith(QStringLiteral("no copy of it could be made beside it")), qPrintable(fix.reason));
        QCOMPARE(test::readFile(path), bytes);
        QVERIFY(QFile::setPermissions(dir.filePath(QStringLiteral("RO")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        // A file that is no track is never "fixed".
        const QString text = written(dir, QByteArray(5000, 'a'), QStringLiteral("TEXT.DAT"));
        QVERIFY(!drovex::fixChecksum(text).ok);
        QCOMPARE(test::readFile(text), QByteArray(5000, 'a'));
    }

    // The game's sixteen circuits are known by checksum and size.
    void originalTracks_data()
    {
        QTest::addColumn<quint32>("checksum");
        QTest::addColumn<qint64>("size");
        QTest::addColumn<QString>("line");
        const struct {
            quint32 checksum;
            qint64 size;
            const char* line;
        } rows[] = {
            {0xFB84D4A0, 32406, "slot 1: Brazil (Interlagos)"},
            {0xF0BD9661, 32506, "slot 2: Pacific (TI Circuit Aida)"},
            {0x875C0066, 37678, "slot 3: San Marino (Imola)"},
            {0x25531329, 58290, "slot 4: Monaco (Monte Carlo)"},
            {0x23C26589, 34061, "slot 5: Spain (Catalunya, Barcelona)"},
            {0xD9779BEF, 34392, "slot 6: Canada (Gilles Villeneuve, Montreal)"},
            {0x6CAA1499, 31767, "slot 7: France (Magny-Cours)"},
            {0x883CAFD9, 38617, "slot 8: Britain (Silverstone)"},
            {0x6DCEB94B, 31876, "slot 9: Germany (Hockenheim)"},
            {0xE28ED299, 34956, "slot 10: Hungary (Hungaroring)"},
            {0xBEEEF45F, 45598, "slot 11: Belgium (Spa-Francorchamps)"},
            {0x453E95A3, 41038, "slot 12: Italy (Monza)"},
            {0x1B26E5D8, 37263, "slot 13: Portugal (Estoril)"},
            {0xBBC5995D, 33059, "slot 14: Europe (Jerez)"},
            {0x42CB8229, 35730, "slot 15: Japan (Suzuka)"},
            {0x9F1F4008, 44586, "slot 16: Australia (Adelaide)"},
        };
        for (const auto& r : rows)
            QTest::newRow(r.line) << r.checksum << r.size << QStringLiteral("Original track of ") + QLatin1String(r.line);
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
