#include "app/commandline.h"
#include "app/mainwindow.h"
#include "common/safefile.h"
#include "system/platform.h"
#include "system/session.h"
#include "settings/catalogue.h"
#include "settings/settingsstore.h"
#include "version.h"
#include "widgets/appicon.h"
#include "widgets/services.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    // A save beyond the file size limit (ulimit -f) is then refused and said, not fatal.
    drovex::ignoreFileSizeSignal();
    {
        // The command line first, on an application object that needs no display and before the
        // settings store is opened: --help and --version print and end, and leave nothing behind.
        // So does a start without a display, which Qt would end with an abort.
        QCoreApplication probe(argc, argv);
        const QStringList arguments = QCoreApplication::arguments();
        drovex::CommandLineAnswer answer = drovex::readCommandLine(arguments);
        if (answer.startWindow)
            answer = drovex::checkDisplay(arguments, QProcessEnvironment::systemEnvironment());
        if (!answer.startWindow) {
            std::fputs(answer.output.toLocal8Bit().constData(), stdout);
            std::fputs(answer.errors.toLocal8Bit().constData(), stderr);
            return answer.exitCode;
        }
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(drovex::kApplication));
    QApplication::setApplicationVersion(QString::fromLatin1(drovex::kVersion));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(drovex::kAppId)); // the menu entry it belongs to
    QApplication::setWindowIcon(drovex::appIcon());

    drovex::IniSettingsStore store;
    drovex::Session session{store, drovex::systemPlatform()};
    drovex::MainWindow window(session, drovex::desktopServices());
    window.startUp();
    window.show();
    return QApplication::exec();
}
