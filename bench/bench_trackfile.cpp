// Times reading the checksum and outline of 500 track files of a real track's size (about 40 KB,
// built from the tests' recipe) against plainly reading each file. Prints the medians of
// repeated runs. The goal: the checksum and outline cost at most 1.3 times the plain read.
#include "benchutil.h"
#include "support/trackrecipe.h"
#include "tracks/trackfile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

using namespace drovex;

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(3, atoi(argv[1])) : 9;
    constexpr int kFiles = 500;
    QTemporaryDir dir;
    // A circuit of 56 sections and 664 units, and 36 KB of objects: 40.6 KB, as real tracks are.
    test::TrackRecipe recipe;
    recipe.sections.clear();
    for (int side = 0; side < 4; ++side) {
        for (int i = 0; i < 10; ++i)
            recipe.sections.append({15, 0});
        for (int i = 0; i < 4; ++i)
            recipe.sections.append({4, 1024});
    }
    recipe.objectBytes = 36000;
    QStringList paths;
    for (int i = 0; i < kFiles; ++i) {
        recipe.tag = "#GP2INFO|Name|Track " + QByteArray::number(i) + "|Laps|60|#";
        const QByteArray bytes = test::buildTrack(recipe);
        const QString path = dir.filePath(QStringLiteral("T%1.DAT").arg(i));
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            return 2;
        paths << path;
    }
    if (!readTrackFile(paths.first()).data.outline)
        return 2;

    qint64 sink = 0;
    auto plain = [&] {
        for (const QString& p : paths)
            sink += readTrackBytes(p)->size();
    };
    auto facts = [&] {
        for (const QString& p : paths)
            sink += readTrackFile(p).data.outline->points.size();
    };
    plain();
    facts(); // warm the page cache
    std::vector<double> a, b;
    for (int i = 0; i < runs; ++i) {
        a.push_back(bench::medianMs(1, plain));
        b.push_back(bench::medianMs(1, facts));
    }
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    const double plainMs = a[a.size() / 2];
    const double factsMs = b[b.size() / 2];

    std::printf("%d track files of %lld bytes, %d runs (medians)\n", kFiles,
                static_cast<long long>(QFileInfo(paths.first()).size()), runs);
    bench::report("plain read of each file", plainMs);
    bench::report("checksum and outline of each (readTrackFile)", factsMs);
    std::printf("%-58s %10.2f x\n", "  ratio (the goal: at most 1.3)", factsMs / plainMs);
    if (sink == 42) // keeps the reads from being optimised away
        std::printf("\n");
    bench::Goals goals;
    goals.atMost("readTrackFile, times a plain read", factsMs / plainMs, 1.3);
    return goals.finish();
}
