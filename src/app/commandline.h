#pragma once

#include <QString>
#include <QStringList>

namespace drovex {

// What the command line asks for. It is read before any window or settings file exists, so
// that --help and --version work without a display and leave nothing behind.
struct CommandLineAnswer {
    bool startWindow = true; // false: print and end with exitCode
    int exitCode = 0;        // 0, or 2 for a command line the program cannot take
    QString output;          // for standard output
    QString errors;          // for standard error
};

// arguments[0] is the program. Besides --help and --version the program takes Qt's own options
// (-platform, -style, -session, ...), which the application object reads later; nothing else.
CommandLineAnswer readCommandLine(const QStringList& arguments);

} // namespace drovex
