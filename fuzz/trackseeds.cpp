// Writes the synthetic track files the tests build into a folder, as seeds for fuzz_trackfile.
#include "support/trackrecipe.h"

#include <QFile>

#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: trackseeds <folder>\n");
        return 2;
    }
    using drovex::test::TrackRecipe;
    TrackRecipe c5x8;
    c5x8.c5x8 = true;
    TrackRecipe hdr36;
    hdr36.hdr36 = true;
    TrackRecipe eight;
    eight.sections = TrackRecipe::figureOfEight();
    const TrackRecipe recipes[] = {{}, c5x8, hdr36, eight};
    int n = 0;
    for (const TrackRecipe& r : recipes) {
        QFile f(QString::fromLocal8Bit(argv[1]) + QStringLiteral("/track%1.dat").arg(++n));
        const QByteArray bytes = drovex::test::buildTrack(r);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            return 1;
    }
    return 0;
}
