// What the main window's commands do with the store, the files and the programs: start-up,
// loading and saving the settings, writing Drovex.cfg, choosing paths and starting the game.
#include "app/mainwindow.h"

#include "app/settingspanel.h"
#include "cfgfile/configfile.h"
#include "launch/emulator.h"
#include "launch/emulatorwatch.h"
#include "launch/launcher.h"
#include "launch/platform.h"
#include "launch/session.h"
#include "settings/settingsstore.h"
#include "settings/snapshot.h"
#include "tracks/trackmanager.h"
#include "widgets/services.h"

#include <QDir>
#include <QFileInfo>

namespace drovex {
namespace {

// The folder of a stored file, else the game folder: where its dialog opens.
QString dialogFolder(const QString& stored, const QString& gameFolder)
{
    const QFileInfo fi(stored);
    return !stored.isEmpty() && fi.absoluteDir().exists() ? fi.absolutePath() : gameFolder;
}

} // namespace

void MainWindow::startUp()
{
    SettingsStore& store = m_session.store();
    // Which emulator DOS programs will run in, when the user has not chosen one.
    showStatus(emulatorNotice(storedEmulator(store)));
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
}

WriteResult MainWindow::SaveSettings()
{
    QList<StoreEntry> entries = snapshotEntries(m_panel->capture());
    if (m_slotsImported)
        for (int n = 1; n <= kSlotCount; ++n)
            entries.append({SlotTable::key(n), m_slots.path(n)});
    if (!m_keptLines.isEmpty() || m_session.store().has(QString::fromLatin1(kKeptLinesKey)))
        entries.append({QString::fromLatin1(kKeptLinesKey), keptLinesForStore(m_keptLines)});
    const WriteResult r = m_session.store().putAll(entries);
    if (r.ok)
        m_slotsImported = false;
    return r;
}

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
    if (confirmForeignConfig() && saveIfAllowed(false))
        WriteConfigFile();
}

void MainWindow::saveSettingsCommand()
{
    if (confirmForeignConfig() && saveIfAllowed(true))
        WriteConfigFile();
}

void MainWindow::saveAndPlay()
{
    if (!confirmForeignConfig() || !saveIfAllowed(false))
        return;
    WriteConfigFile();
    LaunchGame();
}

bool MainWindow::WriteConfigFile()
{
    m_session.setGameFolder(m_session.store().get(QString::fromLatin1(kPathGp2)));
    m_tracks->readSlots();
    ConfigValues values;
    values.settings = m_panel->capture();
    for (int n = 1; n <= kSlotCount; ++n)
        values.slotValues[static_cast<size_t>(n - 1)] =
            slotLineValue(m_session.gameFolder(), m_slots.path(n), m_session.platform());
    values.keptLines = m_keptLines;
    const RenderedConfig rendered = renderConfig(values);
    const ConfigWriteResult r = replaceConfigFile(m_session.gameFolder(), rendered.bytes, m_session.platform());
    showStatus(withSaveNote(configSaveMessage(r, rendered)));
    return r.written;
}

bool MainWindow::LaunchGame()
{
    const SettingsStore& store = m_session.store();
    m_startOptionsModel.AcceptChanges(m_startOptionsModel.load(store));
    const int mode = m_panel->selectedStartMode();
    if (mode < 0)
        return false;
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

    const StartResult r = m_session.platform().startDetached(plan.program, plan.arguments, plan.folder);
    QString what = plan.what;
    what[0] = what[0].toUpper();
    if (r.ok)
        showStatus(QStringLiteral("Started %1: %2").arg(plan.what, QDir::toNativeSeparators(plan.program)));
    else if (plan.program.isEmpty())
        showStatus(QStringLiteral("%1 could not be started: %2 (Choose Path).").arg(what, r.reason));
    else
        showStatus(QStringLiteral("%1 could not be started from %2: %3.").arg(what, QDir::toNativeSeparators(plan.program), r.reason));
    return r.ok;
}

bool MainWindow::launchInEmulator(const LaunchPlan& plan, const EmulatorChoice& emulator)
{
    QString what = plan.what;
    what[0] = what[0].toUpper();
    auto refuse = [&](const QString& why) {
        showStatus(QStringLiteral("%1 could not be started: %2.").arg(what, why));
        return false;
    };
    if (const QString why = emulatorProblem(emulator); !why.isEmpty())
        return refuse(why);
    const QString ownConfig = ownEmulatorFile("dosbox.conf");
    const EmulatorLaunch run =
        EmulatorLaunch::plan(plan, m_session.store().get(QString::fromLatin1(kPathEmulatorConfig)), ownConfig);
    if (!run.ok())
        return refuse(run.problem());
    if (run.usesOwnConfig())
        if (const QString why = writeOwnEmulatorConfig(ownConfig); !why.isEmpty())
            return refuse(why);
    // The emulator's output goes beside its settings; nowhere when that folder cannot be made.
    const QString log = QDir().mkpath(QFileInfo(ownConfig).absolutePath()) ? ownEmulatorFile("emulator.log") : QString();
    const StartResult r = m_session.platform().startWatched(emulator.program(), run.arguments(), plan.folder, log);
    if (!r.ok)
        return refuse(QStringLiteral("the DOS emulator %1 did not start: %2; set it with %3")
                          .arg(QDir::toNativeSeparators(emulator.program()), r.reason, QString::fromUtf8(kEmulatorMenuHint)));
    m_emulatorWatch->watch(r.pid, emulator.program(), log);
    showStatus(QStringLiteral("Started %1 in %2: %3").arg(plan.what, QDir::toNativeSeparators(emulator.program()), run.dosCommand()));
    return true;
}

void MainWindow::BrowseGameFolder()
{
    const QString file = m_services.openFile(this, {QStringLiteral("GP2 (GP2.EXE)|gp2.exe"), m_session.gameFolder(),
                                                    QStringLiteral("Browse For Grand Prix 2 ..."), QStringLiteral("GP2.EXE")});
    if (file.isEmpty())
        return;
    const QString folder = QDir::toNativeSeparators(QFileInfo(file).absolutePath());
    m_session.setGameFolder(folder);
    const WriteResult r = m_session.store().put(QString::fromLatin1(kPathGp2), folder);
    if (!r.ok)
        tellStoreFailure(r);
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

void MainWindow::browseEmulator()
{
    const EmulatorChoice current = storedEmulator(m_session.store());
    const QString file = m_services.openFile(
        this, {QStringLiteral("DOS Emulator (dosbox*)|dosbox*|All Files (*)|*"),
               dialogFolder(current.program(), m_session.gameFolder()), QStringLiteral("Browse For DOS Emulator ..."),
               current.program().isEmpty() ? QStringLiteral("dosbox") : QFileInfo(current.program()).fileName()});
    if (!file.isEmpty())
        storePath(kPathEmulator, file);
}

void MainWindow::browseEmulatorConfig()
{
    const QString stored = m_session.store().get(QString::fromLatin1(kPathEmulatorConfig));
    const QString file = m_services.openFile(
        this, {QStringLiteral("DOS Emulator Settings (*.conf)|*.conf|All Files (*)|*"),
               dialogFolder(stored, m_session.gameFolder()), QStringLiteral("Browse For DOS Emulator Settings ..."),
               QFileInfo(stored).fileName()});
    if (!file.isEmpty())
        storePath(kPathEmulatorConfig, file);
}

void MainWindow::storePath(const char* key, const QString& file)
{
    const WriteResult r = m_session.store().put(QString::fromLatin1(key), QDir::toNativeSeparators(file));
    if (!r.ok)
        tellStoreFailure(r);
}

} // namespace drovex
