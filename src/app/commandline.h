#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace drovex {

// What the command line asks for. It is read before any window or settings file exists, so
// that --help and --version work without a display and leave nothing behind.
struct CommandLineAnswer {
    bool startWindow = true; // false: print and end with exitCode
    int exitCode = 0;        // 0, 1 when no display can be found, 2 for a command line the program cannot take
    QString output;          // for standard output
    QString errors;          // for standard error
};

// arguments[0] is the program. Besides --help and --version the program takes Qt's own options
// (-platform, -style, -session, ...), which the application object reads later; nothing else.
CommandLineAnswer readCommandLine(const QStringList& arguments);

// Qt aborts the program when the platform it starts on finds no display. Whether the window can
// open, from the platforms Qt would try (-platform, else QT_QPA_PLATFORM, else X11 or Wayland)
// and the displays they would use (-display, DISPLAY, WAYLAND_DISPLAY): an answer that starts the
// window, or one that says what to set and ends with status 1.
CommandLineAnswer checkDisplay(const QStringList& arguments, const QProcessEnvironment& environment);

} // namespace drovex
