// The main window's start-up, the paths it asks for and the files it lets the user pick; what
// the commands do with them is Commands' work.
#include "app/mainwindow.h"

#include "app/commands.h"
#include "app/emulatorwindow.h"
#include "app/settingspanel.h"
#include "cfgfile/configfile.h"
#include "common/text.h"
#include "launch/emulatorsettings.h"
#include "launch/launcher.h"
#include "settings/settingsstore.h"
#include "settings/snapshot.h"
#include "system/session.h"
#include "tracks/trackmanager.h"
#include "widgets/screenfit.h"
#include "widgets/services.h"

#include <QDir>
#include <QFileInfo>

namespace drovex {

void MainWindow::startUp()
{
    SettingsStore& store = m_session.store();
    restoreGeometryText(this, store.get(QString::fromLatin1(kGeometryKey)));
    // How DOS programs will start: directly, or in which emulator, of which kind, at which speed.
    showStatus(emulatorStartNotice(store));
    if (const QString why = store.lockInTheWay(); !why.isEmpty())
        m_services.message(this, MessageIcon::Warning, QStringLiteral("Drovex Front-End"),
                           capitalised(why) + QLatin1Char('.'));
    m_session.setGameFolder(store.get(QString::fromLatin1(kPathGp2)));
    // Settings stored before, even without a game folder: they are loaded, never overwritten.
    if (holdsAnySetting(store)) {
        m_commands->LoadSettings();
        if (m_session.gameFolder().isEmpty())
            askForGameFolder();
        return;
    }
    // First run. A settings file that is there but cannot be read as settings is kept aside.
    if (!store.unreadable().isEmpty()) {
        const QString file = store.location();
        const QString why = store.unreadable();
        const QString aside = store.moveAside();
        m_services.message(this, MessageIcon::Warning, QStringLiteral("Drovex Front-End"),
                           aside.isEmpty()
                               ? QStringLiteral("The settings file %1 cannot be read as settings (%2), and it could not be "
                                                "moved aside. It is left as it is, and nothing is saved over it.")
                                     .arg(QDir::toNativeSeparators(file), why)
                               : QStringLiteral("The settings file %1 could not be read as settings (%2). It was kept as "
                                                "%3, and the program starts with its initial values.")
                                     .arg(QDir::toNativeSeparators(file), why, QDir::toNativeSeparators(aside)));
    }
    m_panel->paintSwatches();
    const WriteResult r = m_commands->SaveSettings();
    if (!r.ok)
        tellStoreFailure(r);
    if (m_session.gameFolder().isEmpty())
        askForGameFolder();
}

void MainWindow::askForGameFolder()
{
    BrowseGameFolder();
    m_services.message(this, MessageIcon::Information, QStringLiteral("Drovex Information"),
                       QStringLiteral("Choose 'Mode' and set 'Path' before you start !!"));
}

void MainWindow::tellStoreFailure(const WriteResult& r) { m_commands->tellStoreFailure(QStringLiteral("The settings"), r); }

void MainWindow::importConfigCommand()
{
    const QString file = m_services.openFile(this, {QStringLiteral("Drovex.cfg (drovex.cfg)|drovex.cfg|All Files (*)|*"),
                                                    m_session.gameFolder(), QStringLiteral("Import Drovex.cfg ..."),
                                                    QString::fromLatin1(kConfigFileName)});
    if (!file.isEmpty())
        importConfig(file);
}

bool MainWindow::importConfig(const QString& file) { return m_commands->importFile(file); }

void MainWindow::BrowseGameFolder()
{
    // With no game folder yet the dialog opens in the home folder, not wherever the program was started.
    const QString start = m_session.gameFolder().isEmpty() ? QDir::homePath() : m_session.gameFolder();
    const QString file = m_services.openFile(this, {QStringLiteral("GP2 (GP2.EXE)|gp2.exe"), start,
                                                    QStringLiteral("Browse For Grand Prix 2 ..."), QStringLiteral("GP2.EXE")});
    if (file.isEmpty())
        return;
    const QString folder = QDir::toNativeSeparators(QFileInfo(file).absolutePath());
    // Track choices not accepted yet are relative to the old folder: they are settled first.
    if (folder != m_session.gameFolder() && !m_tracks->settlePendingChoices())
        return;
    const WriteResult r = m_session.store().put(QString::fromLatin1(kPathGp2), folder);
    if (!r.ok) {
        tellStoreFailure(r);
        return;
    }
    m_session.setGameFolder(folder);
    showStatus(QStringLiteral("Game folder set to %1").arg(folder));
}

void MainWindow::BrowseBatchFile()
{
    const QString file = m_services.openFile(this, {QStringLiteral("Batch-Files (*.BAT)|*.bat"), m_session.gameFolder(),
                                                    QStringLiteral("Browse For Batch-File ..."), QString()});
    if (!file.isEmpty())
        storePath(kPathBatch, file);
}

void MainWindow::BrowseDrovexExe()
{
    const QString file = m_services.openFile(this, {QStringLiteral("Drovex (Drovex.EXE)|drovex.exe"), m_session.gameFolder(),
                                                    QStringLiteral("Browse For Drovex ..."), QStringLiteral("Drovex.EXE")});
    if (!file.isEmpty())
        storePath(kPathDrovex, file);
}

void MainWindow::showEmulatorWindow()
{
    EmulatorWindow window(m_session, m_services, this);
    if (window.exec() == QDialog::Accepted)
        showStatus(emulatorStartNotice(m_session.store()));
}

void MainWindow::storePath(const char* key, const QString& file)
{
    const WriteResult r = m_session.store().put(QString::fromLatin1(key), QDir::toNativeSeparators(file));
    if (!r.ok) {
        tellStoreFailure(r);
        return;
    }
    const QString what = QString::fromLatin1(key) == QLatin1String(kPathDrovex) ? QStringLiteral("Drovex path") : QStringLiteral("Batch path");
    showStatus(QStringLiteral("%1 set to %2").arg(what, QDir::toNativeSeparators(file)));
}

} // namespace drovex
