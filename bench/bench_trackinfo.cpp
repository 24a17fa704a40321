// Times ReadTrackInfo over 10,000 generated track files against plainly reading the first 4000
// bytes of each, and one WriteConfigFile with sixteen slots. Prints the medians of repeated runs.
// The goal: reading the tags takes at most 1.3 times as long as the plain reads.
#include "benchutil.h"
#include "cfgfile/configfile.h"
#include "common/paths.h"
#include "system/platform.h"
#include "settings/catalogue.h"
#include "tracks/slottable.h"
#include "tracks/trackinfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

using namespace drovex;

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(3, atoi(argv[1])) : 9;
    constexpr int kFiles = 10000;
    QTemporaryDir dir;
    QStringList paths;
    QRandomGenerator rng(42);
    for (int i = 0; i < kFiles; ++i) {
        QByteArray bytes(20000, '\0');
        for (auto& b : bytes)
            b = static_cast<char>(rng.bounded(256));
        bytes.replace('|', '\x01');
        const QByteArray tag = "#GP2INFO|Name|Track " + QByteArray::number(i) +
                               "|Country|Somewhere|Year|1998|Author|Someone|Laps|60|Tyre|2|LengthMeters|5000|"
                               "LapRecord|None Entered|LapRecordQualify|1:20.000|Slot|3|Event|GP|Desc|A fast one|";
        bytes.replace(rng.bounded(3000), tag.size(), tag);
        const QString path = dir.filePath(QStringLiteral("t%1.dat").arg(i));
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            return 1;
        paths << path;
    }

    qint64 sink = 0;
    auto plain = [&] {
        for (const QString& p : paths)
            sink += readTagWindow(p).size();
    };
    auto tags = [&] {
        for (const QString& p : paths)
            sink += ReadTrackInfo(p).name.size();
    };
    plain();
    tags(); // warm the page cache
    std::vector<double> a, b;
    for (int i = 0; i < runs; ++i) {
        a.push_back(bench::medianMs(1, plain));
        b.push_back(bench::medianMs(1, tags));
    }
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    const double plainMs = a[a.size() / 2];
    const double tagMs = b[b.size() / 2];

    // One Drovex.cfg with sixteen slot files on disk.
    const QString game = dir.filePath(QStringLiteral("GP2"));
    QDir().mkpath(game + QStringLiteral("/CIRCUITS"));
    ConfigValues values;
    values.settings = defaultSnapshot();
    for (int n = 1; n <= kSlotCount; ++n) {
        QFile f(game + QLatin1Char('/') + dosToNative(SlotTable::defaultPath(n)));
        (void)f.open(QIODevice::WriteOnly);
    }
    const double writeMs = bench::medianMs(runs * 10, [&] {
        for (int n = 1; n <= kSlotCount; ++n)
            values.slotValues[static_cast<size_t>(n - 1)] =
                slotLineValue(game, SlotTable::defaultPath(n), systemPlatform());
        (void)replaceConfigFile(game, renderConfig(values).bytes, systemPlatform());
    });

    std::printf("%d track files, %d runs (medians)\n", kFiles, runs);
    bench::report("plain read of the first 4000 bytes of each", plainMs);
    bench::report("ReadTrackInfo of each", tagMs);
    std::printf("%-58s %10.2f x\n", "  ratio (the goal: at most 1.3)", tagMs / plainMs);
    bench::report("WriteConfigFile with sixteen slots", writeMs);
    if (sink == 42) // keeps the reads from being optimised away
        std::printf("\n");
    bench::Goals goals;
    goals.atMost("ReadTrackInfo, times a plain read", tagMs / plainMs, 1.3);
    return goals.finish();
}
