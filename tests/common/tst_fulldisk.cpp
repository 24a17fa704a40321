// A full disk never costs the player a file: Drovex.cfg and the settings file stay whole, and the
// failure is reported. Runs on a real small file system (a tmpfs mounted here, which needs root);
// where none can be mounted, the same cases run with the largest file size lowered instead.
#include "cfgfile/configfile.h"
#include "system/platform.h"
#include "settings/settingsstore.h"
#include "settings/snapshot.h"
#include "support/coresupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <sys/mount.h>
#include <sys/resource.h>

using namespace drovex;

namespace {

QByteArray drovexCfg(const QString& linkName)
{
    return renderConfig(test::defaultConfigValues(linkName)).bytes;
}

} // namespace

class TestFullDisk : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    QString m_disk;
    bool m_mounted = false;
    rlimit m_limit{};

    // Leaves about `left` bytes free on the disk, or lets no file grow past `left` bytes.
    void fill(qint64 left)
    {
        if (!m_mounted) {
            rlimit lowered = m_limit;
            lowered.rlim_cur = static_cast<rlim_t>(std::max<qint64>(left, 1));
            QVERIFY(setrlimit(RLIMIT_FSIZE, &lowered) == 0);
            return;
        }
        QFile filler(m_disk + QStringLiteral("/filler"));
        QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Truncate));
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size())
            ;
        filler.close();
        // Give back what the case wants left (tmpfs counts in pages of 4096 bytes).
        QVERIFY(filler.resize(std::max<qint64>(0, filler.size() - left)));
    }

    void unfill()
    {
        if (m_mounted)
            QFile::remove(m_disk + QStringLiteral("/filler"));
        else
            setrlimit(RLIMIT_FSIZE, &m_limit);
    }

    QStringList leftovers(const QString& folder, const QString& keep)
    {
        QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden);
        names.removeAll(keep);
        names.removeAll(QStringLiteral("filler"));
        return names;
    }

private slots:
    void initTestCase()
    {
        getrlimit(RLIMIT_FSIZE, &m_limit);
        std::signal(SIGXFSZ, SIG_IGN); // a write past the limit then fails with EFBIG
        m_disk = m_dir.filePath(QStringLiteral("disk"));
        QVERIFY(QDir().mkpath(m_disk));
        m_mounted = !qEnvironmentVariableIsSet("DROVEX_NO_TMPFS") && ::mount("tmpfs", QFile::encodeName(m_disk).constData(), "tmpfs", 0, "size=64k") == 0;
        if (!m_mounted)
            qWarning("No tmpfs could be mounted here (%s): the full-disk cases run with RLIMIT_FSIZE lowered instead, "
                     "and the tmpfs cases are skipped.",
                     std::strerror(errno));
    }

    void cleanupTestCase()
    {
        if (m_mounted)
            ::umount2(QFile::encodeName(m_disk).constData(), MNT_DETACH);
    }

    void cleanup() { unfill(); }

    void drovexCfgStaysWhole_data()
    {
        QTest::addColumn<qint64>("left");
        QTest::newRow("no space left") << qint64(0);
        QTest::newRow("4 KB left") << qint64(4096);
    }
    void drovexCfgStaysWhole()
    {
        QFETCH(qint64, left);
        const QString game = m_disk + QStringLiteral("/GP2");
        QVERIFY(QDir().mkpath(game));
        const QByteArray old = drovexCfg(QStringLiteral("Old Name"));
        ConfigWriteResult r = replaceConfigFile(game, old, systemPlatform());
        QVERIFY2(r.written, qPrintable(r.reason));

        fill(left);
        r = replaceConfigFile(game, drovexCfg(QStringLiteral("New Name")), systemPlatform());
        unfill();
        QVERIFY(!r.written);
        QVERIFY2(r.reason.contains(QLatin1String(m_mounted ? "disk is full" : "too large")), qPrintable(r.reason));
        QVERIFY(configSaveMessage(r, {}).startsWith(QLatin1String("Drovex.cfg could not be written")));
        QCOMPARE(test::readFile(game + QStringLiteral("/Drovex.cfg")), old);
        QCOMPARE(leftovers(game, QStringLiteral("Drovex.cfg")), QStringList());
        QVERIFY(!(QFile::permissions(game + QStringLiteral("/Drovex.cfg")) & QFileDevice::WriteOwner));
        QFile::setPermissions(game + QStringLiteral("/Drovex.cfg"), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QDir(game).removeRecursively();
    }

    void settingsFileStaysWhole_data()
    {
        QTest::addColumn<qint64>("left");
        QTest::newRow("no space left") << qint64(0);
        QTest::newRow("4 KB left") << qint64(4096);
    }
    void settingsFileStaysWhole()
    {
        QFETCH(qint64, left);
        const QString folder = m_disk + QStringLiteral("/config");
        QVERIFY(QDir().mkpath(folder));
        const QString file = folder + QStringLiteral("/Drovex Windows Front-End.ini");
        SettingsSnapshot before = defaultSnapshot();
        before.text[6] = QString(150, QLatin1Char('d'));
        {
            IniSettingsStore store(file);
            QVERIFY(store.putAll(snapshotEntries(before)).ok);
            // A long value of another key makes the file larger than what is left.
            QVERIFY(store.put(QStringLiteral("Notes"), QString(6000, QLatin1Char('n'))).ok);
        }
        const QByteArray old = test::readFile(file);

        IniSettingsStore store(file);
        fill(left);
        SettingsSnapshot after = before;
        after.text[14] = QStringLiteral("5");
        const WriteResult r = store.putAll(snapshotEntries(after));
        unfill();
        QVERIFY(!r.ok);
        QCOMPARE(r.file, file);
        QVERIFY2(r.reason.contains(QLatin1String(m_mounted ? "disk is full" : "too large")), qPrintable(r.reason));
        QCOMPARE(test::readFile(file), old);
        QCOMPARE(readSnapshot(store), before); // the program sees what the disk holds
        QCOMPARE(leftovers(folder, QFileInfo(file).fileName()), QStringList());
        // As soon as there is room again, the save goes through.
        QVERIFY(store.putAll(snapshotEntries(after)).ok);
        QCOMPARE(readSnapshot(IniSettingsStore(file)), after);
        QDir(folder).removeRecursively();
    }
};

QTEST_GUILESS_MAIN(TestFullDisk)
#include "tst_fulldisk.moc"
