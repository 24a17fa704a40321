// Replacing a file never takes another save's temporary file away, and a link stays a link.
#include "cfgfile/configfile.h"
#include "common/safefile.h"
#include "launch/platform.h"
#include "support/coresupport.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace drovex;

namespace {

void setWritable(const QString& folder, bool writable)
{
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                      (writable ? QFileDevice::WriteOwner : QFileDevice::Permissions()));
}

} // namespace

class TestSafeFile : public QObject {
    Q_OBJECT
private slots:
    // Which temporary files a save clears: only those no running save owns.
    void leftoversOfOtherSaves_data()
    {
        QTest::addColumn<QString>("owner"); // the process id in the name, or none
        QTest::addColumn<int>("ageSeconds");
        QTest::addColumn<bool>("removed");
        QTest::newRow("this process") << "self" << 0 << true;
        QTest::newRow("a process that is gone") << "gone" << 0 << true;
        QTest::newRow("a running process") << "running" << 0 << false;
        QTest::newRow("a running process, two minutes old") << "running" << 120 << true;
        QTest::newRow("no process id") << "" << 0 << false;
        QTest::newRow("no process id, two minutes old") << "" << 120 << true;
    }
    void leftoversOfOtherSaves()
    {
        QFETCH(QString, owner);
        QFETCH(int, ageSeconds);
        QFETCH(bool, removed);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("Drovex.cfg"));
        QProcess sleeper; // a process that runs while the save does
        qint64 pid = 0;
        if (owner == QLatin1String("self")) {
            pid = QCoreApplication::applicationPid();
        } else if (!owner.isEmpty()) {
            sleeper.start(QStringLiteral("sleep"), {QStringLiteral("30")});
            QVERIFY(sleeper.waitForStarted());
            pid = sleeper.processId();
            if (owner == QLatin1String("gone")) {
                sleeper.kill();
                QVERIFY(sleeper.waitForFinished());
            }
        }
        const QString leftover = file + QStringLiteral(".drovex-save-") +
                                 (pid ? QString::number(pid) + QLatin1Char('-') : QString()) + QStringLiteral("aB3dE9");
        QVERIFY(test::writeFile(leftover, "half"));
        QFile f(leftover);
        QVERIFY(f.open(QIODevice::ReadWrite) &&
                f.setFileTime(QDateTime::currentDateTime().addSecs(-ageSeconds), QFileDevice::FileModificationTime));
        f.close();
        QVERIFY(replaceFile(file, "new").ok);
        QCOMPARE(QFileInfo::exists(leftover), !removed);
        QCOMPARE(test::readFile(file), QByteArray("new"));
        sleeper.kill();
        sleeper.waitForFinished();
    }

    // Drovex.cfg as a link to a file elsewhere: the link stays, the file it leads to gets the new
    // content and is made read-only; a folder that takes no temporary file gets it in place.
    void drovexCfgLinkIsWrittenThrough_data()
    {
        QTest::addColumn<bool>("gameFolderWritable");
        QTest::addColumn<bool>("targetFolderWritable");
        QTest::newRow("writable folders") << true << true;
        QTest::newRow("read-only game folder") << false << true;
        QTest::newRow("read-only folder of the file") << true << false;
    }
    void drovexCfgLinkIsWrittenThrough()
    {
        QFETCH(bool, gameFolderWritable);
        QFETCH(bool, targetFolderWritable);
        if (!(gameFolderWritable && targetFolderWritable) && !test::makePermissionsBite())
            QSKIP("file permissions cannot be made to apply here");
        QTemporaryDir dir;
        const QString game = dir.filePath(QStringLiteral("GP2"));
        const QString shared = dir.filePath(QStringLiteral("shared"));
        const QString target = shared + QStringLiteral("/drovex-mine.cfg");
        QVERIFY(test::writeFile(target, "old"));
        QVERIFY(QDir().mkpath(game));
        QVERIFY(QFile::link(target, game + QStringLiteral("/Drovex.cfg")));
        setWritable(game, gameFolderWritable);
        setWritable(shared, targetFolderWritable);
        const ConfigWriteResult r = replaceConfigFile(game, "new", systemPlatform());
        setWritable(game, true);
        setWritable(shared, true);
        QVERIFY2(r.written, qPrintable(r.reason));
        QCOMPARE(r.direct, !targetFolderWritable);
        QVERIFY(QFileInfo(game + QStringLiteral("/Drovex.cfg")).isSymLink());
        QCOMPARE(QFileInfo(game + QStringLiteral("/Drovex.cfg")).symLinkTarget(), target);
        QCOMPARE(test::readFile(target), QByteArray("new"));
        QVERIFY(!(QFile::permissions(target) & QFileDevice::WriteOwner));
        QCOMPARE(QDir(shared).entryList(QDir::Files), QStringList{QStringLiteral("drovex-mine.cfg")});
        QCOMPARE(QDir(game).entryList(QDir::Files | QDir::System), QStringList{QStringLiteral("Drovex.cfg")});
        QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }
};

QTEST_GUILESS_MAIN(TestSafeFile)
#include "tst_safefile.moc"
