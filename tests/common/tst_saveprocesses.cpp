// Saves in real processes, as the program makes them: two copies saving into one game folder at
// once, a file size limit, and a disk that reports an input/output error when flushed.
#include "cfgfile/configfile.h"
#include "settings/settingsstore.h"
#include "settings/snapshot.h"
#include "support/coresupport.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sys/resource.h>

using namespace drovex;

namespace {

// The Drovex.cfg a saver with this driver name writes.
QByteArray drovexCfgOf(const QString& name)
{
    return renderConfig(test::defaultConfigValues(name)).bytes;
}

void startSaver(QProcess& p, const QString& store, const QString& game, int rounds, const QString& name, int extra = 0)
{
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QStringLiteral(DROVEX_SAVER),
            {store, game, QString::number(rounds), name, QString::number(extra)});
}

// Files in folder other than the ones named: leftovers of a save.
QStringList othersIn(const QString& folder, const QStringList& names)
{
    QStringList all = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& n : names)
        all.removeAll(n);
    return all;
}

} // namespace

class TestSaveProcesses : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    QString game() const { return m_dir.filePath(QStringLiteral("GP2")); }
    QString store(const QString& who) const { return m_dir.filePath(who + QStringLiteral("/s.ini")); }

private slots:
    void init()
    {
        QDir(game()).removeRecursively();
        QVERIFY(QDir().mkpath(game()));
    }

    // Two players' copies (two settings files, one game folder) save 20 times at once: neither
    // reports a failure, and Drovex.cfg is the whole file of one of them.
    void twoCopiesSaveAtOnce()
    {
        QProcess alpha;
        QProcess bravo;
        startSaver(alpha, store(QStringLiteral("alpha")), game(), 20, QStringLiteral("Alpha"));
        startSaver(bravo, store(QStringLiteral("bravo")), game(), 20, QStringLiteral("Bravo"));
        QVERIFY(alpha.waitForFinished(60000) && bravo.waitForFinished(60000));
        QCOMPARE(QString::fromLocal8Bit(alpha.readAll()), QString());
        QCOMPARE(QString::fromLocal8Bit(bravo.readAll()), QString());
        QCOMPARE(alpha.exitCode(), 0);
        QCOMPARE(bravo.exitCode(), 0);
        const QByteArray written = test::readFile(game() + QStringLiteral("/Drovex.cfg"));
        QVERIFY(written == drovexCfgOf(QStringLiteral("Alpha")) || written == drovexCfgOf(QStringLiteral("Bravo")));
        QCOMPARE(othersIn(game(), {QStringLiteral("Drovex.cfg")}), QStringList());
        QCOMPARE(readSnapshot(IniSettingsStore(store(QStringLiteral("alpha")))).text[7], QStringLiteral("Alpha"));
        QCOMPARE(readSnapshot(IniSettingsStore(store(QStringLiteral("bravo")))).text[7], QStringLiteral("Bravo"));
    }

    // A failure the system injects into a real saving process is said, the process lives on, the
    // file stays as it was and nothing is left beside it: a limit on file sizes of 4 KB (which
    // Drovex.cfg always passes), and an input/output error when the settings file's bytes are
    // written or flushed.
    void failuresAreSaid_data()
    {
        QTest::addColumn<int>("extra"); // length of an extra stored value
        QTest::addColumn<QString>("eioCall");
        QTest::addColumn<QString>("output");
        const QString tooLarge = QStringLiteral(": the file would grow past the system's limit on file sizes (file too large)\n");
        const QString eio = QStringLiteral("settings: the disk reported an input/output error\n");
        QTest::newRow("size limit, Drovex.cfg") << 0 << "" << QStringLiteral("Drovex.cfg") + tooLarge;
        QTest::newRow("size limit, both") << 6000 << "" << QStringLiteral("settings") + tooLarge + QStringLiteral("Drovex.cfg") + tooLarge;
        QTest::newRow("error on flush") << 0 << "fsync" << eio;
        QTest::newRow("error on write") << 0 << "write" << eio;
    }
    void failuresAreSaid()
    {
        QFETCH(int, extra);
        QFETCH(QString, eioCall);
        QFETCH(QString, output);
        const QString file = store(QStringLiteral("failing"));
        QFile::remove(file);
        QProcess first;
        startSaver(first, file, game(), 1, QStringLiteral("Old"), extra);
        QVERIFY(first.waitForFinished(30000) && first.exitCode() == 0);
        const QByteArray oldCfg = test::readFile(game() + QStringLiteral("/Drovex.cfg"));
        const QByteArray oldStore = test::readFile(file);

        QProcess failing;
        if (eioCall.isEmpty()) {
            failing.setChildProcessModifier([] {
                const rlimit limit{4096, 4096};
                ::setrlimit(RLIMIT_FSIZE, &limit);
            });
        } else {
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(DROVEX_EIO_SHIM));
            env.insert(QStringLiteral("DROVEX_EIO_PATH"), QStringLiteral("s.ini.drovex-save-"));
            env.insert(QStringLiteral("DROVEX_EIO_CALL"), eioCall);
            // A sanitizer's runtime wants to be loaded first; the shim only passes calls on.
            env.insert(QStringLiteral("ASAN_OPTIONS"),
                       env.value(QStringLiteral("ASAN_OPTIONS")) + QStringLiteral(":verify_asan_link_order=0"));
            failing.setProcessEnvironment(env);
        }
        startSaver(failing, file, game(), 1, QStringLiteral("New"), extra);
        QVERIFY(failing.waitForFinished(30000));
        QCOMPARE(failing.exitStatus(), QProcess::NormalExit);
        QCOMPARE(QString::fromLocal8Bit(failing.readAll()), output);
        QCOMPARE(failing.exitCode(), 1);
        QCOMPARE(test::readFile(game() + QStringLiteral("/Drovex.cfg")) == oldCfg, output.contains(QLatin1String("Drovex.cfg")));
        QCOMPARE(test::readFile(file) == oldStore, output.startsWith(QLatin1String("settings")));
        QCOMPARE(othersIn(game(), {QStringLiteral("Drovex.cfg")}), QStringList());
        QCOMPARE(othersIn(QFileInfo(file).absolutePath(), {QStringLiteral("s.ini")}), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestSaveProcesses)
#include "tst_saveprocesses.moc"
