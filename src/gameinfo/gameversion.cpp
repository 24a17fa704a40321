#include "gameinfo/gameversion.h"

#include "common/safefile.h"
#include "launch/launcher.h"

#include <QFile>

namespace drovex {
namespace {

struct Edition {
    qint64 offset;
    const char* bytes; // as the game stores them (code page 437)
    const char* shown; // UTF-8
};

// Tested in this order; the first match decides.
const Edition kEditions[] = {
    {5671741, "US English Version 1.0b", "US English Version 1.0b"},
    {5671742, "UK English Version 1.0b", "UK English Version 1.0b"},
    {5673613, "Nederlandse versie 1.0b", "Nederlandse versie 1.0b"},
    {5675457, "Versi\xa2n en espa\xa4ol 1.0b", "Versi\xc3\xb3n en espa\xc3\xb1ol 1.0b"},
    {5674989, "Version fran\x87" "aise 1.0b", "Version fran\xc3\xa7" "aise 1.0b"},
    {5674330, "Versione Italiana 1.0b", "Versione Italiana 1.0b"},
    {5674543, "Deutsche Ausgabe 1.0b", "Deutsche Ausgabe 1.0b"},
};

} // namespace

GameVersion detectGameVersionInFile(const QString& exePath)
{
    QFile exe;
    if (!openRegularFile(exe, exePath)) // a named pipe named GP2.EXE must not stop the program
        return {QStringLiteral("Unknown Version"), false};
    for (const Edition& e : kEditions) {
        const QByteArray expected(e.bytes);
        // A range past the end of the file does not match.
        if (!exe.seek(e.offset))
            continue;
        if (exe.read(expected.size()) == expected)
            return {QString::fromUtf8(e.shown), true};
    }
    return {QStringLiteral("Unknown Version"), false};
}

GameVersion DetectGameVersion(const QString& gameFolder)
{
    if (gameFolder.isEmpty())
        return {QStringLiteral("Unknown Version"), false};
    return detectGameVersionInFile(gameExecutable(gameFolder));
}

} // namespace drovex
