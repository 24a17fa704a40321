// Adding downloaded tracks to the game: DOS names, the track folder, refusals; real files.
#include "common/dosname.h"
#include "common/paths.h"
#include "support/coresupport.h"
#include "support/trackrecipe.h"
#include "tracks/tracklibrary.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace drovex;
using drovex::test::TrackRecipe;

namespace {

QByteArray trackNamed(const QByteArray& name)
{
    TrackRecipe recipe;
    recipe.tag = name.isNull() ? QByteArray() : "#GP2INFO|Name|" + name + "|Laps|10|#";
    return test::buildTrack(recipe);
}

// The file's path below the game folder as a slot keeps it.
QString slotPath(const QString& game, const QString& path) { return nativeToDos(QDir(game).relativeFilePath(path)); }

} // namespace

class TestTrackLibrary : public QObject {
    Q_OBJECT
private slots:
    void dosNames_data()
    {
        QTest::addColumn<QString>("tagName");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QStringList>("taken");
        QTest::addColumn<QString>("name");
        const QStringList none;
        QStringList hockenheim{QStringLiteral("HOCKENHE.DAT")};
        for (int n = 2; n <= 9; ++n)
            hockenheim << QStringLiteral("HOCKENH%1.DAT").arg(n);
        QTest::newRow("tag name") << "Phoenix 1989-1990" << "Phoenix_USA_1989-1990" << none << "PHOENIX.DAT";
        QTest::newRow("file name without a tag name") << "" << "Phoenix_USA_1989-1990" << none << "PHOENIX.DAT";
        QTest::newRow("clash, any letter case") << "Phoenix" << "" << QStringList{QStringLiteral("phoenix.dat")} << "PHOENIX2.DAT";
        QTest::newRow("long word cut, tenth clash")
            << "Hockenheimring" << "" << hockenheim << "HOCKEN10.DAT";
        QTest::newRow("words while they fit") << "A1 Ring 2003" << "" << none << "A1RING.DAT";
        QTest::newRow("accents dropped") << QStringLiteral("S\u00e3o Paulo") << "" << none << "SAOPAULO.DAT";
        QTest::newRow("umlaut") << QStringLiteral("N\u00fcrburgring") << "" << none << "NURBURGR.DAT";
        QTest::newRow("letters spelled out") << QStringLiteral("Stra\u00dfe \u0141\u00f3d\u017a") << "" << none << "STRASSE.DAT";
        QTest::newRow("no latin letters") << QStringLiteral("\u041c\u043e\u0441\u043a\u0432\u0430") << "moscow_2001"
                                          << none << "MOSCOW.DAT";
        QTest::newRow("nothing usable") << "" << "___" << none << "TRACK.DAT";
        QTest::newRow("a DOS device") << "Con" << "" << none << "CON2.DAT";
    }
    void dosNames()
    {
        QFETCH(QString, tagName);
        QFETCH(QString, fileName);
        QFETCH(QStringList, taken);
        QFETCH(QString, name);
        QCOMPARE(dosTrackName(tagName, fileName, taken), name);
        QCOMPARE(dosNameProblem(name), QString());
    }

    // A download is copied into CIRCUITS (made when missing) under a DOS name a slot can take;
    // the download stays as it was, and a second copy gets the next name.
    void addsCopiesUnderDosNames()
    {
        QTemporaryDir dir;
        const QString game = dir.filePath(QStringLiteral("GP2"));
        QVERIFY(QDir().mkpath(game));
        const QString download = dir.filePath(QStringLiteral("downloads/Phoenix_USA_1989-1990.dat"));
        const QByteArray bytes = trackNamed("Phoenix");
        QVERIFY(test::writeFile(download, bytes));
        const QDateTime date = QDateTime::currentDateTime().addDays(-400);
        {
            QFile f(download);
            QVERIFY(f.open(QIODevice::ReadWrite) && f.setFileTime(date, QFileDevice::FileModificationTime));
        }

        QCOMPARE(nameForTrack(download, game), QStringLiteral("PHOENIX.DAT"));
        const AddedTrack first = addTrack(download, game);
        QVERIFY2(first.ok, qPrintable(first.reason));
        QCOMPARE(first.name, QStringLiteral("PHOENIX.DAT"));
        QCOMPARE(slotPath(game, first.path), QStringLiteral("CIRCUITS\\PHOENIX.DAT"));
        QCOMPARE(dosPathProblem(slotPath(game, first.path), kDosPathMax), QString());
        QCOMPARE(test::readFile(first.path), bytes);
        QCOMPARE(QFileInfo(first.path).lastModified().toSecsSinceEpoch(), date.toSecsSinceEpoch());

        QCOMPARE(nameForTrack(download, game), QStringLiteral("PHOENIX2.DAT"));
        const AddedTrack second = addTrack(download, game);
        QCOMPARE(second.name, QStringLiteral("PHOENIX2.DAT"));
        QCOMPARE(test::readFile(first.path), bytes);
        QCOMPARE(test::readFile(download), bytes);
        QCOMPARE(QFileInfo(download).lastModified().toSecsSinceEpoch(), date.toSecsSinceEpoch());

        // A track already in the folder under a DOS name is not copied again.
        const AddedTrack again = addTrack(first.path, game);
        QVERIFY(again.ok && again.already);
        QCOMPARE(QDir(game + QStringLiteral("/CIRCUITS")).entryList(QDir::Files).size(), 2);
    }

    // Where the copy goes: a folder shown inside the game folder that DOS can reach, else
    // CIRCUITS in whatever letter case it has.
    void trackFolder_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("slot");
        QTest::addRow("none") << "" << "circuits\\SQUARE.DAT";
        QTest::addRow("inside") << "circuits/NEW" << "circuits\\NEW\\SQUARE.DAT";
        QTest::addRow("the game folder") << "." << "circuits\\SQUARE.DAT"; // not beside GP2.EXE
        QTest::addRow("no DOS name") << "circuits/My Tracks" << "circuits\\SQUARE.DAT";
        QTest::addRow("outside") << "../elsewhere" << "circuits\\SQUARE.DAT";
    }
    void trackFolder()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, slot);
        QTemporaryDir dir;
        const QString game = dir.filePath(QStringLiteral("GP2"));
        for (const char* folder : {"GP2/circuits/NEW", "GP2/circuits/My Tracks", "elsewhere"})
            QVERIFY(QDir().mkpath(dir.filePath(QLatin1String(folder))));
        const QString download = dir.filePath(QStringLiteral("square.dat"));
        QVERIFY(test::writeFile(download, trackNamed("Square")));
        const AddedTrack added = addTrack(download, game, chosen.isEmpty() ? QString() : game + QLatin1Char('/') + chosen);
        QVERIFY2(added.ok, qPrintable(added.reason));
        QCOMPARE(slotPath(game, added.path), slot);
    }

    // Refused files and folders: nothing is made in the track folder, and the reason is said.
    void refusals_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<QString>("reason");
        QByteArray random(40000, '\0');
        QRandomGenerator rng(3);
        for (char& c : random)
            c = static_cast<char>(rng.bounded(256));
        const QByteArray track = trackNamed("Phoenix");
        QTest::newRow("too small") << track.left(3000) << false
                                   << "x.dat is not a track: it is too small for a track file (3000 bytes, a track has at least 4132)";
        QTest::newRow("no track data") << random << false << "x.dat is not a track: it holds no readable track data: ";
        QTest::newRow("missing") << QByteArray() << false << "x.dat cannot be read";
        QTest::newRow("read-only track folder") << track << true << "";
    }
    void refusals()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, readOnly);
        QFETCH(QString, reason);
        if (readOnly && !test::makePermissionsBite())
            QSKIP("file permissions do not apply");
        QTemporaryDir dir;
        const QString game = dir.filePath(QStringLiteral("GP2"));
        const QString circuits = game + QStringLiteral("/CIRCUITS");
        QVERIFY(QDir().mkpath(circuits));
        const QString file = dir.filePath(QStringLiteral("x.dat"));
        if (!bytes.isEmpty())
            QVERIFY(test::writeFile(file, bytes));
        if (readOnly)
            QVERIFY(QFile::setPermissions(circuits, QFile::ReadOwner | QFile::ExeOwner));
        const AddedTrack added = addTrack(file, game);
        QVERIFY(!added.ok);
        QVERIFY2(added.reason.startsWith(reason), qPrintable(added.reason));
        if (readOnly)
            QVERIFY2(added.reason.endsWith(QStringLiteral("is not writable")), qPrintable(added.reason));
        QVERIFY(QDir(circuits).isEmpty());
        QVERIFY(QFile::setPermissions(circuits, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QCOMPARE(addTrack(file, QString()).reason, QStringLiteral("no game folder is chosen (GP2 Path)"));
        QVERIFY(addTrack(file, dir.filePath(QStringLiteral("gone"))).reason.endsWith(QStringLiteral("gone is missing")));
    }
};

QTEST_GUILESS_MAIN(TestTrackLibrary)
#include "tst_tracklibrary.moc"
