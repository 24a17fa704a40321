// Shows the main window with a throw-away settings store and saves a picture of it.
// Usage: snapshot <store.ini> <picture.png>
// The window shows the default settings, stored through the program's own "Save Settings".
#include "app/mainwindow.h"
#include "launch/platform.h"
#include "launch/session.h"
#include "widgets/services.h"
#include "settings/settingsstore.h"

#include <QApplication>
#include <QCheckBox>
#include <QStatusBar>
#include <QScreen>
#include <QTimer>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc < 3)
        return 2;
    drovex::IniSettingsStore store(QString::fromLocal8Bit(argv[1]));
    drovex::Session session{store, drovex::systemPlatform()};
    drovex::SilentServices services;
    drovex::MainWindow window(session, services);
    window.startUp();
    auto* defaults = window.findChild<QCheckBox*>(QStringLiteral("SetToDefault"));
    defaults->setChecked(true);
    window.saveSettingsCommand();
    defaults->setChecked(false);
    window.statusBar()->clearMessage();
    window.show();
    const QString out = QString::fromLocal8Bit(argv[2]);
    QTimer::singleShot(800, &app, [&] {
        QPixmap shot = window.screen()->grabWindow(0);
        if (shot.isNull() || QGuiApplication::platformName() == QLatin1String("offscreen"))
            shot = window.grab();
        else
            shot = shot.copy(window.frameGeometry());
        shot.save(out);
        app.quit();
    });
    return QApplication::exec();
}
