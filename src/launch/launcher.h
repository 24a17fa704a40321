#pragma once

#include <QString>
#include <QStringList>

namespace drovex {

enum class StartMode { Drovex = 0, Batch = 1, Game = 2 };

// What "Save and Play" starts: the program taken whole, its arguments, and the folder it runs in.
struct LaunchPlan {
    QString what;        // "Drovex", "the batch file", "Grand Prix 2"
    QString program;
    QStringList arguments;
    QString folder;
};

// The game's executable in a game folder, found ignoring letter case; the plain join when absent.
QString gameExecutable(const QString& gameFolder);

// Builds the launch of a start mode from the stored paths and the option string (words that
// each bring a leading blank). The option string counts only when optionsOn is set, and never
// for the batch file.
LaunchPlan planLaunch(StartMode mode, bool optionsOn, const QString& optionString, const QString& pathGp2,
                      const QString& pathDrovex, const QString& pathBatch);

} // namespace drovex
