#include "launch/launcher.h"

#include "common/paths.h"

namespace drovex {

QString gameExecutable(const QString& gameFolder)
{
    const QString plain = joinPath(gameFolder, QStringLiteral("GP2.exe"));
    if (gameFolder.isEmpty())
        return {};
    const QString found = resolveIgnoringCase(plain);
    return found.isEmpty() ? plain : found;
}

LaunchPlan planLaunch(StartMode mode, bool optionsOn, const QString& optionString, const QString& pathGp2,
                      const QString& pathDrovex, const QString& pathBatch)
{
    LaunchPlan plan;
    plan.folder = pathGp2;
    const QStringList words = optionsOn ? optionString.split(QLatin1Char(' '), Qt::SkipEmptyParts) : QStringList();
    switch (mode) {
    case StartMode::Drovex:
        plan.what = QStringLiteral("Drovex");
        plan.program = pathDrovex;
        plan.arguments = words;
        break;
    case StartMode::Batch:
        plan.what = QStringLiteral("the batch file");
        plan.program = pathBatch;
        break;
    case StartMode::Game:
        plan.what = QStringLiteral("Grand Prix 2");
        plan.program = gameExecutable(pathGp2);
        plan.arguments = words;
        break;
    }
    return plan;
}

} // namespace drovex
