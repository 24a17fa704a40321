// What the main window's commands do with the store, the files and the programs: start-up,
// loading and saving the settings, writing Drovex.cfg, choosing paths and starting the game.
#include "app/mainwindow.h"

#include "app/emulatorwindow.h"
#include "app/settingspanel.h"
#include "cfgfile/configfile.h"
#include "launch/emulator.h"
#include "launch/emulatorsettings.h"
#include "launch/emulatorwatch.h"
#include "launch/launcher.h"
#include "system/platform.h"
#include "system/session.h"
#include "settings/settingsstore.h"
#include "settings/snapshot.h"
#include "tracks/trackmanager.h"
#include "widgets/screenfit.h"
#include "widgets/services.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QPushButton>

namespace drovex {

void MainWindow::startUp()
{
    SettingsStore& store = m_session.store();
    restoreGeometryText(this, store.get(QStringLiteral("Main Window Geometry")));
    // How DOS programs will start: directly, or in which emulator, of which kind, at which speed.
    showStatus(emulatorStartNotice(store));
    if (const QString why = store.lockInTheWay(); !why.isEmpty())
        m_services.message(this, MessageIcon::Warning, QStringLiteral("Drovex Front-End"),
                           why.left(1).toUpper() + why.mid(1) + QLatin1Char('.'));
    m_session.setGameFolder(store.get(QString::fromLatin1(kPathGp2)));
    // Settings stored before, even without a game folder: they are loaded, never overwritten.
    if (holdsAnySetting(store)) {
        LoadSettings();
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
    const WriteResult r = SaveSettings();
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

void MainWindow::LoadSettings()
{
    m_panel->apply(readSnapshot(m_session.store()));
    setKeptLines(keptLinesFromStore(m_session.store().get(QString::fromLatin1(kKeptLinesKey))));
    m_savedKeptLines = m_keptLines;
    m_saved = m_panel->capture();
}

WriteResult MainWindow::SaveSettings()
{
    const SettingsSnapshot shown = m_panel->capture();
    QList<StoreEntry> entries = snapshotEntries(shown);
    if (m_slotsImported)
        for (int n = 1; n <= kSlotCount; ++n)
            entries.append({SlotTable::key(n), m_slots.path(n)});
    if (!m_keptLines.isEmpty() || m_session.store().has(QString::fromLatin1(kKeptLinesKey)))
        entries.append({QString::fromLatin1(kKeptLinesKey), keptLinesForStore(m_keptLines)});
    const WriteResult r = m_session.store().putAll(entries);
    if (r.ok) {
        m_slotsImported = false;
        m_saved = shown;
        m_savedKeptLines = m_keptLines;
        // "Save Settings" in defaults mode stores the defaults: they are the user's values now.
        if (m_userValues) {
            m_userValues = shown;
            m_userSlots.reset();
        }
        if (!r.notice.isEmpty()) // saved, with a file kept aside or a value left out
            m_services.message(this, MessageIcon::Warning, QStringLiteral("Drovex Front-End"), r.notice);
    }
    return r;
}

// Stores the user's own values while the window shows the defaults; false when refused (said).
bool MainWindow::storeSettings(const SettingsSnapshot& snapshot)
{
    QList<StoreEntry> entries = snapshotEntries(snapshot);
    if (m_userSlots)
        for (int n = 1; n <= kSlotCount; ++n)
            entries.append({SlotTable::key(n), m_userSlots->path(n)});
    const WriteResult r = m_session.store().putAll(entries);
    if (!r.ok) {
        tellStoreFailure(r);
        return false;
    }
    m_saved = snapshot;
    m_userSlots.reset();
    showStatus(QStringLiteral("Your settings were stored in %1.").arg(QDir::toNativeSeparators(r.file)));
    if (!r.notice.isEmpty())
        m_services.message(this, MessageIcon::Warning, QStringLiteral("Drovex Front-End"), r.notice);
    return true;
}

SettingsSnapshot MainWindow::userValues() { return m_userValues ? *m_userValues : m_panel->capture(); }

bool MainWindow::hasUnsavedChanges()
{
    return userValues() != m_saved || m_slotsImported || m_userSlots || m_keptLines != m_savedKeptLines;
}

namespace {
const QStringList& saveDiscardCancel()
{
    static const QStringList buttons{QStringLiteral("Save"), QStringLiteral("Discard"), QStringLiteral("Cancel")};
    return buttons;
}
} // namespace

// Exit and the close box: unsaved settings are saved, dropped or kept open, as the user says.
bool MainWindow::askToSaveChanges()
{
    if (!hasUnsavedChanges())
        return true;
    const int answer = m_services.question(
        this, QStringLiteral("Drovex Front-End"),
        QStringLiteral("Save changes?\n\nYour settings have changed since they were last saved. Save stores them "
                       "and writes Drovex.cfg; Discard ends without them."),
        saveDiscardCancel());
    if (answer == 1)
        return true;
    if (answer != 0)
        return false;
    if (m_userValues)
        return storeSettings(*m_userValues);
    return confirmForeignConfig() && saveIfAllowed(true) && writeConfigOrTell(QStringLiteral("The program stays open."));
}

// Turning "Default Values" off shows the user's settings again: changes made before it was turned
// on are saved or dropped as the user says. False when the user cancelled.
bool MainWindow::leaveDefaultsMode()
{
    if (!m_userValues || (*m_userValues == m_saved && !m_userSlots))
        return true;
    const int answer = m_services.question(
        this, QStringLiteral("Drovex Front-End"),
        QStringLiteral("Save changes?\n\nYour settings had changed before \"Default Values\" was turned on. Save "
                       "stores them; Discard shows the settings stored before."),
        saveDiscardCancel());
    if (answer == 1) {
        m_userSlots.reset();
        return true;
    }
    return answer == 0 && storeSettings(*m_userValues);
}

// Track choices made in the Track Manager and not accepted yet are stored or dropped before a
// command that reads the slots or moves the game folder. False when the user cancelled.
bool MainWindow::settleTrackChoices() { return m_tracks->settlePendingChoices(); }

void MainWindow::tellStoreFailure(const WriteResult& r)
{
    showStatus(reportStoreFailure(m_services, this, QStringLiteral("The settings"), r));
}

// Runs the save part of a command; false when the settings could not be stored.
bool MainWindow::saveIfAllowed(bool always)
{
    if (!always && m_panel->inDefaultsMode())
        return true;
    const WriteResult r = SaveSettings();
    if (!r.ok)
        tellStoreFailure(r);
    return r.ok;
}

void MainWindow::save()
{
    if (settleTrackChoices() && confirmForeignConfig() && saveIfAllowed(false))
        WriteConfigFile();
}

void MainWindow::saveSettingsCommand()
{
    if (settleTrackChoices() && confirmForeignConfig() && saveIfAllowed(true))
        WriteConfigFile();
}

// Plays only what was saved: nothing starts when the settings or Drovex.cfg could not be written,
// and only one game runs at a time.
void MainWindow::saveAndPlay()
{
    if (!m_running.isEmpty()) {
        showStatus(QStringLiteral("%1 is still running: Save and Play comes back when it ends.").arg(m_running));
        return;
    }
    if (!settleTrackChoices() || !confirmForeignConfig() || !saveIfAllowed(false))
        return;
    const Outcome written = writeConfig();
    if (!written.ok) {
        showStatus(written.message + QStringLiteral(" Nothing was started."));
        m_services.message(this, MessageIcon::Critical, QStringLiteral("Drovex Front-End"),
                           written.message + QStringLiteral("\n\nNothing was started: the game would have read the "
                                                           "old Drovex.cfg."));
        return;
    }
    const Outcome started = launch();
    // The save's own notes stay beside the start message.
    showStatus(started.message + QStringLiteral(" \u2014 ") + written.message);
}

bool MainWindow::writeConfigOrTell(const QString& consequence)
{
    const Outcome written = writeConfig();
    showStatus(written.message);
    if (!written.ok)
        m_services.message(this, MessageIcon::Critical, QStringLiteral("Drovex Front-End"),
                           written.message + QStringLiteral("\n\n") + consequence);
    return written.ok;
}

bool MainWindow::WriteConfigFile()
{
    const Outcome written = writeConfig();
    showStatus(written.message);
    return written.ok;
}

MainWindow::Outcome MainWindow::writeConfig()
{
    m_session.setGameFolder(m_session.store().get(QString::fromLatin1(kPathGp2)));
    m_tracks->readSlots();
    ConfigValues values;
    values.settings = m_panel->capture();
    QStringList missing;
    for (int n = 1; n <= kSlotCount; ++n) {
        const QString slot = m_slots.path(n);
        QString& value = values.slotValues[static_cast<size_t>(n - 1)];
        value = slotLineValue(m_session.gameFolder(), slot, m_session.platform());
        // A chosen track that has gone is named; the game's own tracks are the game's business.
        if (value.isEmpty() && !slot.isEmpty() && slot != SlotTable::defaultPath(n) && !m_session.gameFolder().isEmpty())
            missing << missingSlotNote(n, slot);
    }
    // Drovex's default values have no lines of the player's own.
    if (!m_panel->inDefaultsMode())
        values.keptLines = m_keptLines;
    const RenderedConfig rendered = renderConfig(values);
    const ConfigWriteResult r = replaceConfigFile(m_session.gameFolder(), rendered.bytes, m_session.platform());
    QString message = configSaveMessage(r, rendered);
    if (r.written && m_panel->inDefaultsMode())
        message.replace(QStringLiteral("Drovex.cfg written"), QStringLiteral("Drovex.cfg written with Drovex's default values"));
    if (r.written && !missing.isEmpty())
        message += QStringLiteral("; ") + missing.join(QStringLiteral("; "));
    return {r.written, withSaveNote(message)};
}

bool MainWindow::LaunchGame()
{
    const Outcome started = launch();
    showStatus(started.message);
    return started.ok;
}

MainWindow::Outcome MainWindow::launch()
{
    const SettingsStore& store = m_session.store();
    m_startOptionsModel.AcceptChanges(m_startOptionsModel.load(store));
    const int mode = m_panel->selectedStartMode();
    if (mode < 0)
        return {false, QStringLiteral("Nothing was started: choose a Mode first.")};
    const bool optionsOn = m_panel->gp2OptionsOn();
    if (mode != 1 && !optionsOn)
        m_startOptionsModel.clearOptions();
    // The game folder is the started program's working folder; this program's own stays as it is.
    const LaunchPlan plan =
        planLaunch(static_cast<StartMode>(mode), optionsOn, m_startOptionsModel.OptionsGP2(),
                   store.get(QString::fromLatin1(kPathGp2)), store.get(QString::fromLatin1(kPathDrovex)),
                   store.get(QString::fromLatin1(kPathBatch)));
    const EmulatorChoice emulator = storedEmulator(store);
    if (emulator.runsDosPrograms() && isDosProgram(plan.program))
        return launchInEmulator(plan, emulator);

    // Started as a child that is watched, so that Save and Play waits for it to end.
    const QString log = QDir().mkpath(QFileInfo(ownEmulatorFile("program.log")).absolutePath()) ? ownEmulatorFile("program.log") : QString();
    const StartResult r = m_session.platform().startWatched(plan.program, plan.arguments, plan.folder, log);
    QString what = plan.what;
    what[0] = what[0].toUpper();
    if (!r.ok) {
        if (plan.program.isEmpty())
            return {false, QStringLiteral("%1 could not be started: %2 (Choose Path).").arg(what, r.reason)};
        return {false, QStringLiteral("%1 could not be started from %2: %3.").arg(what, QDir::toNativeSeparators(plan.program), r.reason)};
    }
    m_running = plan.what;
    m_emulatorWatch->watch(r.pid, plan.program, log, false);
    return {true, QStringLiteral("Started %1: %2").arg(plan.what, QDir::toNativeSeparators(plan.program))};
}

MainWindow::Outcome MainWindow::launchInEmulator(const LaunchPlan& plan, const EmulatorChoice& emulator)
{
    QString what = plan.what;
    what[0] = what[0].toUpper();
    auto refuse = [&](const QString& why) { return Outcome{false, QStringLiteral("%1 could not be started: %2.").arg(what, why)}; };
    if (const QString why = emulatorProblem(emulator); !why.isEmpty())
        return refuse(why);
    const EmulatorLaunch run = prepareEmulatorLaunch(plan, m_session.store(), emulator.program());
    if (!run.ok())
        return refuse(run.problem());
    // The emulator's output goes beside its settings, which are written by now.
    const QString log = ownEmulatorFile("emulator.log");
    const StartResult r = m_session.platform().startWatched(emulator.program(), run.arguments(), plan.folder, log);
    if (!r.ok)
        return refuse(QStringLiteral("the DOS emulator %1 did not start: %2; set it with %3")
                          .arg(QDir::toNativeSeparators(emulator.program()), r.reason, QString::fromUtf8(kEmulatorMenuHint)));
    m_running = plan.what;
    m_emulatorWatch->watch(r.pid, emulator.program(), log, true);
    QString started = QStringLiteral("Started %1 in %2: %3").arg(plan.what, QDir::toNativeSeparators(emulator.program()), run.dosCommand());
    for (const QString& note : run.notes())
        started += QStringLiteral("; ") + note;
    return {true, started};
}

// While a started program runs, Save and Play waits for it: one game at a time.
void MainWindow::programsRunning(int count)
{
    const bool idle = count == 0;
    m_btnPlay->setEnabled(idle);
    m_playAction->setEnabled(idle);
    if (idle && !m_running.isEmpty()) {
        showStatus(QStringLiteral("%1 has ended; Save and Play is ready again.").arg(m_running));
        m_running.clear();
    }
    m_btnPlay->setToolTip(idle ? QStringLiteral("Save the settings and play Grand Prix 2")
                               : QStringLiteral("%1 is running: Save and Play comes back when it ends").arg(m_running));
}

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
    if (folder != m_session.gameFolder() && !settleTrackChoices())
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
