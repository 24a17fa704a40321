// Replacing a file never takes another save's temporary file away, a link stays a link, and a
// new file never replaces one.
#include "cfgfile/configfile.h"
#include "common/safefile.h"
#include "system/platform.h"
#include "settings/settingsstore.h"
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

    // Drovex.cfg or the settings file as a link to a file elsewhere: the link stays, the file it
    // leads to gets the new content (Drovex.cfg's made read-only); a folder that takes no temporary
    // file gets it in place.
    void linkIsWrittenThrough_data()
    {
        QTest::addColumn<bool>("settings");
        QTest::addColumn<bool>("linkFolderWritable");
        QTest::addColumn<bool>("targetFolderWritable");
        QTest::newRow("Drovex.cfg") << false << true << true;
        QTest::newRow("Drovex.cfg, read-only game folder") << false << false << true;
        QTest::newRow("Drovex.cfg, read-only folder of the file") << false << true << false;
        QTest::newRow("settings file") << true << true << true;
        QTest::newRow("settings file, read-only folder of the file") << true << true << false;
    }
    void linkIsWrittenThrough()
    {
        QFETCH(bool, settings);
        QFETCH(bool, linkFolderWritable);
        QFETCH(bool, targetFolderWritable);
        if (!(linkFolderWritable && targetFolderWritable) && !test::makePermissionsBite())
            QSKIP("file permissions cannot be made to apply here");
        QTemporaryDir dir;
        const QString game = dir.filePath(QStringLiteral("GP2"));
        const QString shared = dir.filePath(QStringLiteral("shared"));
        const QString target = shared + QStringLiteral("/mine");
        const QString link = game + (settings ? QStringLiteral("/s.ini") : QStringLiteral("/Drovex.cfg"));
        QVERIFY(test::writeFile(target, "[Settings]\nZoom=0\n"));
        QVERIFY(QDir().mkpath(game));
        QVERIFY(QFile::link(QStringLiteral("../shared/mine"), link));
        setWritable(game, linkFolderWritable);
        setWritable(shared, targetFolderWritable);
        const WriteResult w = settings ? IniSettingsStore(link).put(QStringLiteral("Zoom"), QStringLiteral("1")) : WriteResult{};
        const ConfigWriteResult r = settings ? ConfigWriteResult{w.ok, w.direct, w.file, w.reason}
                                             : replaceConfigFile(game, "new", systemPlatform());
        setWritable(game, true);
        setWritable(shared, true);
        QVERIFY2(r.written, qPrintable(r.reason));
        QCOMPARE(r.direct, !targetFolderWritable);
        QCOMPARE(QFileInfo(link).symLinkTarget(), target);
        if (settings)
            QCOMPARE(IniSettingsStore(target).get(QStringLiteral("Zoom")), QStringLiteral("1"));
        else
            QCOMPARE(test::readFile(target), QByteArray("new"));
        QCOMPARE(!(QFile::permissions(target) & QFileDevice::WriteOwner), !settings);
        QCOMPARE(QDir(shared).entryList(QDir::Files), QStringList{QStringLiteral("mine")});
        QCOMPARE(QDir(game).entryList(QDir::Files | QDir::System), QStringList{QFileInfo(link).fileName()});
        QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }

    // A new file appears whole under a free name or not at all: a taken name (a file, or a link
    // to nothing) is never replaced, and no temporary file is left either way.
    void newFileNeverReplaces()
    {
        QTemporaryDir dir;
        const QString fresh = dir.filePath(QStringLiteral("NEW.DAT"));
        const QDateTime date = QDateTime::currentDateTime().addDays(-30);
        bool exists = true;
        QVERIFY(createNewFile(fresh, "track", date, &exists).ok && !exists);
        QCOMPARE(test::readFile(fresh), QByteArray("track"));
        QCOMPARE(QFileInfo(fresh).lastModified().toSecsSinceEpoch(), date.toSecsSinceEpoch());
        QVERIFY(!createNewFile(fresh, "other", {}, &exists).ok && exists);
        QCOMPARE(test::readFile(fresh), QByteArray("track"));
        const QString dangling = dir.filePath(QStringLiteral("LINK.DAT"));
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("nowhere")), dangling));
        QVERIFY(!createNewFile(dangling, "other", {}, &exists).ok && exists);
        QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("nowhere"))));
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot),
                 (QStringList{QStringLiteral("LINK.DAT"), QStringLiteral("NEW.DAT")}));
    }
};

QTEST_GUILESS_MAIN(TestSafeFile)
#include "tst_safefile.moc"
