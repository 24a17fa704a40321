// Which emulator a program is, asked with stand-ins that answer --version as the real ones do,
// and the settings written for each kind.
#include "launch/emulatorkind.h"
#include "launch/emulatorsettings.h"
#include "support/coresupport.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace drovex;

namespace {

// The banners as the emulators print them for --version (the first lines are what counts).
const QByteArray kDosbox074 = "\nDOSBox version 0.74-3, copyright 2002-2019 DOSBox Team.\n\n"
                              "DOSBox is written by the DOSBox Team (See AUTHORS file))\n";
const QByteArray kDosboxX = "DOSBox-X version 2024.03.01 SDL2, copyright 2011-2024 The DOSBox-X Team.\n"
                            "DOSBox-X project maintainer: joncampbell123 (The Great Codeholio)\n";
const QByteArray kStaging081 = "dosbox-staging, version 0.81.1\n\nCopyright (C) 2020-2024 The DOSBox Staging Team\n"
                               "License: GNU GPL-2.0-or-later <https://www.gnu.org/licenses/gpl-2.0.html>\n";
const QByteArray kStaging082 = "dosbox-staging, version 0.82.0\n\nCopyright (C) 2020-2024 The DOSBox Staging Team\n";

// A stand-in emulator in a folder whose name a shell would run.
QString standIn(const QTemporaryDir& dir, const QString& name, const QByteArray& banner, int seconds = 0,
                int status = 0)
{
    const QString path = dir.filePath(QStringLiteral("bin $(touch PWNED)/") + name);
    return test::writeStandInEmulator(path, banner, seconds, status) ? path : QString();
}

int startsOf(const QString& program)
{
    return static_cast<int>(test::readFile(program + QStringLiteral(".starts")).count('\n'));
}

// Texts as a list, each read as UTF-8.
QStringList strings(std::initializer_list<const char*> texts)
{
    QStringList out;
    for (const char* t : texts)
        out << QString::fromUtf8(t);
    return out;
}

// "section/key=value" of every setting in an emulator settings file.
QStringList settingsIn(const QByteArray& conf)
{
    QStringList out;
    QString section;
    for (const QByteArray& raw : conf.split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.startsWith(QLatin1Char('[')))
            section = line.mid(1, line.size() - 2);
        else if (!line.isEmpty() && !line.startsWith(QLatin1Char('#')))
            out << section + QLatin1Char('/') + line;
    }
    return out;
}

} // namespace

class TestEmulatorKind : public QObject {
    Q_OBJECT
private slots:
    void kindsFromTheirAnswers_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("banner");
        QTest::addColumn<int>("seconds");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("cpuCycles");
        QTest::newRow("Debian's DOSBox") << "dosbox" << kDosbox074 << 0 << 0 << "DOSBox 0.74" << false;
        QTest::newRow("DOSBox-X under the common name") << "dosbox" << kDosboxX << 0 << 0 << "DOSBox-X 2024.03.01"
                                                        << false;
        QTest::newRow("Staging before cpu_cycles") << "dosbox" << kStaging081 << 0 << 0 << "DOSBox Staging 0.81.1"
                                                   << false;
        QTest::newRow("Staging with cpu_cycles") << "dosbox-staging" << kStaging082 << 0 << 0
                                                 << "DOSBox Staging 0.82.0" << true;
        QTest::newRow("another DOSBox") << "dosbox-svn"
                                        << QByteArray("DOSBox version SVN-r4482, copyright 2002-2021 DOSBox Team.")
                                        << 0 << 0 << "other, DOSBox-compatible" << false;
        QTest::newRow("no answer: known by name") << "dosbox-staging" << QByteArray() << 0 << 1 << "DOSBox Staging"
                                                  << true;
        QTest::newRow("too slow: known by name") << "dosbox-x" << kStaging082 << 5 << 0 << "DOSBox-X" << false;
    }
    void kindsFromTheirAnswers()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, banner);
        QFETCH(int, seconds);
        QFETCH(int, status);
        QFETCH(QString, kind);
        QFETCH(bool, cpuCycles);
        QTemporaryDir dir;
        const QString program = standIn(dir, name, banner, seconds, status);
        QVERIFY(!program.isEmpty());
        QElapsedTimer clock;
        clock.start();
        const EmulatorIdentity id = detectEmulator(program);
        QVERIFY2(clock.elapsed() < kDetectTimeoutMs + 500, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(identityText(id), kind);
        QCOMPARE(takesCpuCycles(id), cpuCycles);
        QCOMPARE(startsOf(program), 1);
        QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("PWNED"))));
    }

    void askedAgainOnlyWhenTheProgramChanged()
    {
        QTemporaryDir dir;
        const QString program = standIn(dir, QStringLiteral("dosbox"), kDosbox074);
        QCOMPARE(identityText(detectEmulator(program)), QStringLiteral("DOSBox 0.74"));
        QCOMPARE(identityText(detectEmulator(program)), QStringLiteral("DOSBox 0.74"));
        QCOMPARE(startsOf(program), 1);
        // An update replaces the program.
        QVERIFY(!standIn(dir, QStringLiteral("dosbox"), kStaging082).isEmpty());
        QCOMPARE(identityText(detectEmulator(program)), QStringLiteral("DOSBox Staging 0.82.0"));
        QCOMPARE(startsOf(program), 2);
    }

    void settingsWrittenForTheKind_data()
    {
        QTest::addColumn<QByteArray>("banner");
        QTest::addColumn<QString>("speed"); // as stored
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("DOSBox 0.74, a hand-edited speed") << kDosbox074 << "fixed 90000"
                                     << strings({"dosbox/memsize=31", "cpu/core=auto", "cpu/cycles=fixed 100000"});
        QTest::newRow("DOSBox-X as fast as it goes") << kDosboxX << " MAX"
                                                     << strings({"dosbox/memsize=31", "cpu/core=auto", "cpu/cycles=max"});
        QTest::newRow("Staging: no legacy cycles line")
            << kStaging082 << "150000"
            << strings({"dosbox/memsize=31", "cpu/core=auto", "cpu/cpu_cycles=150000", "cpu/cpu_cycles_protected=150000"});
        QTest::newRow("Staging before cpu_cycles, below the limits")
            << kStaging081 << "2000" << strings({"dosbox/memsize=31", "cpu/core=auto", "cpu/cycles=fixed 10000"});
    }
    void settingsWrittenForTheKind()
    {
        QFETCH(QByteArray, banner);
        QFETCH(QString, speed);
        QFETCH(QStringList, expected);
        const std::optional<EmulatorIdentity> id = identityFromBanner(banner);
        QVERIFY(id);
        QCOMPARE(settingsIn(ownEmulatorConfig(*id, CpuSpeed::fromStored(speed))), expected);
    }

    void speedInThePlayersOwnFile_data()
    {
        QTest::addColumn<QByteArray>("banner");
        QTest::addColumn<QByteArray>("config");
        QTest::addColumn<QString>("speed");
        QTest::newRow("fixed") << kDosbox074 << QByteArray("[cpu]\r\ncycles = fixed 50000\r\n") << "50000";
        QTest::newRow("last one counts, not comments or other sections")
            << kDosboxX << QByteArray("[CPU]\ncycles=20000\n# cycles=1\ncycles=max 80%\n[sdl]\ncycles=1\n") << "max 80%";
        QTest::newRow("Staging counts the protected mode") << kStaging082
                                                           << QByteArray("[cpu]\ncpu_cycles_protected=70000\ncpu_cycles=30000\n")
                                                           << "70000";
        QTest::newRow("Staging: real mode only") << kStaging082 << QByteArray("[cpu]\ncpu_cycles=30000\n") << "";
    }
    void speedInThePlayersOwnFile()
    {
        QFETCH(QByteArray, banner);
        QFETCH(QByteArray, config);
        QFETCH(QString, speed);
        QCOMPARE(configuredSpeed(config, *identityFromBanner(banner)), speed);
    }
};

QTEST_GUILESS_MAIN(TestEmulatorKind)
#include "tst_emulatorkind.moc"
