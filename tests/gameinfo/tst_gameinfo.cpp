#include "gameinfo/filefacts.h"
#include "gameinfo/gameversion.h"
#include "support/coresupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace drovex;

namespace {

// A sparse stand-in for the game's executable with bytes at one offset.
bool makeExe(const QString& path, qint64 size, qint64 offset, const QByteArray& bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || !f.resize(size))
        return false;
    return f.seek(offset) && f.write(bytes) == bytes.size();
}

} // namespace

class TestGameInfo : public QObject {
    Q_OBJECT
private slots:
    void editions_data()
    {
        QTest::addColumn<qint64>("offset");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("known");
        QTest::newRow("US") << qint64(5671741) << QByteArray("US English Version 1.0b") << "US English Version 1.0b" << true;
        QTest::newRow("UK one byte later") << qint64(5671742) << QByteArray("UK English Version 1.0b")
                                           << "UK English Version 1.0b" << true;
        QTest::newRow("Dutch") << qint64(5673613) << QByteArray("Nederlandse versie 1.0b") << "Nederlandse versie 1.0b" << true;
        QTest::newRow("Spanish in code page 437") << qint64(5675457) << QByteArray("Versi\xa2n en espa\xa4ol 1.0b")
                                                  << QStringLiteral("Versi\u00f3n en espa\u00f1ol 1.0b") << true;
        QTest::newRow("Spanish in another code page") << qint64(5675457) << QByteArray("Versi\xf3n en espa\xf1ol 1.0b")
                                                      << "Unknown Version" << false;
        QTest::newRow("French") << qint64(5674989) << QByteArray("Version fran\x87" "aise 1.0b")
                                << QStringLiteral("Version fran\u00e7aise 1.0b") << true;
        QTest::newRow("Italian") << qint64(5674330) << QByteArray("Versione Italiana 1.0b") << "Versione Italiana 1.0b" << true;
        QTest::newRow("German") << qint64(5674543) << QByteArray("Deutsche Ausgabe 1.0b") << "Deutsche Ausgabe 1.0b" << true;
        QTest::newRow("letter case differs") << qint64(5671741) << QByteArray("us english version 1.0b")
                                             << "Unknown Version" << false;
        QTest::newRow("other version") << qint64(5671741) << QByteArray("US English Version 1.0c") << "Unknown Version" << false;
    }
    void editions()
    {
        QFETCH(qint64, offset);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QFETCH(bool, known);
        QTemporaryDir dir;
        QVERIFY(makeExe(dir.filePath(QStringLiteral("GP2.EXE")), 5900000, offset, bytes));
        const GameVersion v = DetectGameVersion(dir.path()); // GP2.exe found whatever its letter case
        QCOMPARE(v.text, text);
        QCOMPARE(v.known, known);
    }

    void shortOrMissingExecutables()
    {
        QTemporaryDir dir;
        QCOMPARE(DetectGameVersion(dir.path()).text, QStringLiteral("Unknown Version"));
        QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("GP2.exe"))));
        QVERIFY(makeExe(dir.filePath(QStringLiteral("gp2.exe")), 5671741 + 10, 5671741, "US English"));
        QCOMPARE(DetectGameVersion(dir.path()).text, QStringLiteral("Unknown Version"));
        QCOMPARE(DetectGameVersion(QString()).known, false);
    }

    void namedPipeIsNoGame()
    {
        QTemporaryDir dir;
        const QString exe = dir.filePath(QStringLiteral("GP2.exe"));
        test::PipeGuard pipes({exe});
        QVERIFY(pipes.made());
        QCOMPARE(DetectGameVersion(dir.path()).text, QStringLiteral("Unknown Version"));
        QCOMPARE(factsOf(exe).sizeKb, QStringLiteral("-"));
        QVERIFY(!pipes.blocked());
    }

    void sizes_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<qint64>("bytes");
        QTest::addColumn<QString>("mb");
        QTest::addColumn<QString>("kb");
        QTest::newRow("game, English") << "en_US" << qint64(5859328) << "5859328 Bytes  (5.59 MB)" << "5859328 Bytes  (5722.0 KB)";
        QTest::newRow("game, German") << "de_DE" << qint64(5859328) << "5859328 Bytes  (5,59 MB)" << "5859328 Bytes  (5722,0 KB)";
        QTest::newRow("track") << "en_US" << qint64(123456) << "123456 Bytes  (0.12 MB)" << "123456 Bytes  (120.6 KB)";
        QTest::newRow("empty") << "en_US" << qint64(0) << "0 Bytes  (0.00 MB)" << "0 Bytes  (0.0 KB)";
    }
    void sizes()
    {
        QFETCH(QString, locale);
        QFETCH(qint64, bytes);
        QFETCH(QString, mb);
        QFETCH(QString, kb);
        const QLocale l(locale);
        QCOMPARE(sizeInMegabytes(bytes, l), mb);
        QCOMPARE(sizeInKilobytes(bytes, l), kb);
    }

    void dates()
    {
        const QLocale l(QStringLiteral("en_US"));
        const QDateTime midnight(QDate(1996, 6, 30), QTime(0, 0));
        QCOMPARE(dateText(midnight, l), l.toString(QDate(1996, 6, 30), QLocale::ShortFormat));
        const QDateTime afternoon(QDate(1996, 6, 30), QTime(14, 5));
        QCOMPARE(dateText(afternoon, l), l.toString(afternoon, QLocale::ShortFormat));
        QVERIFY(dateText(afternoon, l).contains(QLatin1String("2:05")));
    }

    void trackTexts_data()
    {
        QTest::addColumn<QString>("game");
        QTest::addColumn<QString>("track");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("folder");
        QTest::newRow("in a sub-folder") << "/games/GP2" << "/games/GP2/CIRCUITS/MONACO.DAT" << "Monaco  (MONACO.DAT)" << "...\\CIRCUITS";
        QTest::newRow("two levels") << "/games/GP2" << "/games/GP2/CIRCUITS/NEW/Spa.dat" << "Monaco  (Spa.dat)" << "...\\CIRCUITS\\NEW";
        QTest::newRow("in the game folder") << "/games/GP2" << "/games/GP2/MONACO.DAT" << "Monaco  (MONACO.DAT)" << "...\\";
    }
    void trackTexts()
    {
        QFETCH(QString, game);
        QFETCH(QString, track);
        QFETCH(QString, name);
        QFETCH(QString, folder);
        QCOMPARE(trackNameText(QStringLiteral("Monaco"), track), name);
        QCOMPARE(trackFolderText(game, track), folder);
    }

    void foldersOfStoredPaths_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("folder");
        QTest::newRow("windows path") << "C:\\GP2\\Drovex.EXE" << "C:\\GP2";
        QTest::newRow("drive root") << "D:\\Drovex.EXE" << "D:";
        QTest::newRow("posix path") << "/home/p/GP2/Drovex.EXE" << "/home/p/GP2";
        QTest::newRow("posix root") << "/Drovex.EXE" << "/";
        QTest::newRow("no separator") << "Drovex.EXE" << "";
        QTest::newRow("empty") << "" << "";
    }
    void foldersOfStoredPaths()
    {
        QFETCH(QString, path);
        QFETCH(QString, folder);
        QCOMPARE(folderWithoutFile(path), folder);
    }

    void factsOfMissingFilesAreDashes()
    {
        QTemporaryDir dir;
        const FileFacts f = factsOf(dir.filePath(QStringLiteral("none.dat")));
        QCOMPARE(f.sizeMb, QStringLiteral("-"));
        QCOMPARE(f.date, QStringLiteral("-"));
        QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("none.dat"))));
    }
};

QTEST_GUILESS_MAIN(TestGameInfo)
#include "tst_gameinfo.moc"
