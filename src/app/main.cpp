#include "app/mainwindow.h"
#include "launch/platform.h"
#include "launch/session.h"
#include "settings/settingsstore.h"
#include "version.h"
#include "widgets/services.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Drovex Windows Front-End"));
    QApplication::setApplicationVersion(QString::fromLatin1(drovex::kVersion));

    drovex::IniSettingsStore store;
    drovex::Session session{store, drovex::systemPlatform()};
    drovex::MainWindow window(session, drovex::desktopServices());
    window.startUp();
    window.show();
    return QApplication::exec();
}
