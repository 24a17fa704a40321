#include "app/commandline.h"

#include "settings/settingsstore.h"
#include "version.h"

#include <QCommandLineParser>
#include <QFileInfo>

namespace drovex {
namespace {

// Options of Qt's application objects, which read and remove them themselves. The parser must
// know them only to let them pass: a desktop session restores the program with -session, and a
// user may choose -platform or -style.
const char* const kQtOptionsWithValue[] = {"platform", "platformpluginpath", "platformtheme", "plugin",
                                           "qmljsdebugger", "qwindowgeometry", "geometry", "qwindowicon",
                                           "icon", "qwindowtitle", "title", "display", "name",
                                           "session", "style", "stylesheet"};
const char* const kQtFlags[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

} // namespace

CommandLineAnswer readCommandLine(const QStringList& arguments)
{
    const QString program = QFileInfo(arguments.value(0, QStringLiteral("drovex"))).fileName();
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        QStringLiteral("Drovex Front-End %1: sets up Drovex, the DOS add-on of Grand Prix 2, and starts the game.\n"
                       "It takes no arguments besides the options below and Qt's own (such as -platform).\n"
                       "Settings file: %2")
            .arg(QLatin1String(kVersion), IniSettingsStore::userFileName()));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Displays this help and ends."));
    parser.addOption(help);
    const QCommandLineOption version = parser.addVersionOption();
    for (const char* name : kQtOptionsWithValue) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char* name : kQtFlags) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }

    CommandLineAnswer answer;
    const QString tryHelp = QStringLiteral("Try '%1 --help' for its options.\n").arg(program);
    if (!parser.parse(arguments)) {
        answer = {false, 2, {}, QStringLiteral("%1: %2\n").arg(program, parser.errorText()) + tryHelp};
    } else if (parser.isSet(help)) {
        // Qt names the program as it was called, path and all; the usage line names it plainly.
        QString text = parser.helpText();
        text.replace(0, text.indexOf(QLatin1Char('\n')), QStringLiteral("Usage: %1 [options]").arg(program));
        answer = {false, 0, text, {}};
    } else if (parser.isSet(version)) {
        answer = {false, 0, QStringLiteral("Drovex Front-End %1\n").arg(QLatin1String(kVersion)), {}};
    } else if (!parser.positionalArguments().isEmpty()) {
        answer = {false, 2, {},
                  QStringLiteral("%1: takes no arguments, but was given '%2'.\n")
                          .arg(program, parser.positionalArguments().join(QStringLiteral("' '"))) +
                      tryHelp};
    }
    return answer;
}

CommandLineAnswer checkDisplay(const QStringList& arguments, const QProcessEnvironment& environment)
{
    QString platforms = environment.value(QStringLiteral("QT_QPA_PLATFORM"));
    QString x11 = environment.value(QStringLiteral("DISPLAY"));
    const QString wayland = environment.value(QStringLiteral("WAYLAND_DISPLAY"));
    // Read as Qt reads them: the option with one or two dashes, its value the next argument.
    for (qsizetype i = 1; i + 1 < arguments.size(); ++i) {
        const QString option = arguments[i].startsWith(QLatin1String("--")) ? arguments[i].mid(1) : arguments[i];
        if (option == QLatin1String("-platform"))
            platforms = arguments[i + 1];
        else if (option == QLatin1String("-display"))
            x11 = arguments[i + 1];
    }
    if (platforms.isEmpty())
        platforms = QStringLiteral("xcb;wayland");
    // Qt tries the platforms in turn ("name:options"); the window opens if one of them can.
    for (const QString& platform : platforms.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString name = platform.section(QLatin1Char(':'), 0, 0);
        const bool needsX11 = name == QLatin1String("xcb");
        const bool needsWayland = name.startsWith(QLatin1String("wayland"));
        if ((!needsX11 || !x11.isEmpty()) && (!needsWayland || !wayland.isEmpty()))
            return {}; // offscreen, vnc, eglfs and the like need no display
    }
    const QString program = QFileInfo(arguments.value(0, QStringLiteral("drovex"))).fileName();
    return {false, 1, {},
            program +
                QStringLiteral(": no display: set DISPLAY or WAYLAND_DISPLAY, or use QT_QPA_PLATFORM=offscreen\n")};
}

} // namespace drovex
