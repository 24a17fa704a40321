#pragma once

#include <QString>

namespace drovex {

struct GameVersion {
    QString text;  // the edition, or "Unknown Version"
    bool known = false;
};

// Recognises the language edition of GP2 1.0b from the banner bytes inside the game's executable
// (found in the game folder whatever the letter case of its name).
GameVersion DetectGameVersion(const QString& gameFolder);
// The same for the bytes of an executable already at hand, for files given directly.
GameVersion detectGameVersionInFile(const QString& exePath);

} // namespace drovex
