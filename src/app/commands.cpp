// What Save, Save Settings and Save and Play write, in which order, what they ask first, and what
// stops a launch.
#include "app/commands.h"

#include "cfgfile/configfile.h"
#include "common/indexing.h"
#include "common/text.h"
#include "launch/emulator.h"
#include "launch/emulatorsettings.h"
#include "launch/emulatorwatch.h"
#include "launch/launcher.h"
#include "settings/fieldrules.h"
#include "settings/settingsstore.h"
#include "startopts/startoptions.h"
#include "system/platform.h"
#include "system/session.h"

#include <QDir>
#include <QFileInfo>

#include <utility>

namespace drovex {
namespace {

const QStringList& saveDiscardCancel()
{
    static const QStringList buttons{QStringLiteral("Save"), QStringLiteral("Discard"), QStringLiteral("Cancel")};
    return buttons;
}

} // namespace

// The title of every question and message.
const QString& Commands::title()
{
    static const QString t = QStringLiteral("Drovex Front-End");
    return t;
}

Commands::Commands(Session& session, SlotTable& slotTable, StartOptionsModel& startOptions, Prompts& prompts,
                   WindowHooks hooks, QObject* parent)
    : QObject(parent)
    , m_session(session)
    , m_slots(slotTable)
    , m_startOptions(startOptions)
    , m_prompts(prompts)
    , m_hooks(std::move(hooks))
{
    m_watch = new EmulatorWatch(m_session.platform(), this);
    connect(m_watch, &EmulatorWatch::failed, this, &Commands::status);
    connect(m_watch, &EmulatorWatch::runningChanged, this, &Commands::programsRunning);
}

Commands::~Commands() = default;

void Commands::LoadSettings()
{
    m_hooks.apply(readSnapshot(m_session.store()));
    setKeptLines(keptLinesFromStore(m_session.store().get(QString::fromLatin1(kKeptLinesKey))));
    m_savedKeptLines = m_keptLines;
    m_saved = m_hooks.capture();
}

// Stores a snapshot, the slots when given (an import's) and the kept Drovex.cfg lines, all or
// none; what was stored counts as saved from then on.
WriteResult Commands::storeSettings(const SettingsSnapshot& snapshot, const SlotTable* slotTable)
{
    QList<StoreEntry> entries = snapshotEntries(snapshot);
    if (slotTable)
        for (int n = 1; n <= kSlotCount; ++n)
            entries.append({SlotTable::key(n), slotTable->path(n)});
    if (!m_keptLines.isEmpty() || m_session.store().has(QString::fromLatin1(kKeptLinesKey)))
        entries.append({QString::fromLatin1(kKeptLinesKey), keptLinesForStore(m_keptLines)});
    const WriteResult r = m_session.store().putAll(entries);
    if (!r.ok)
        return r;
    m_saved = snapshot;
    m_savedKeptLines = m_keptLines;
    if (!r.notice.isEmpty()) // saved, with a file kept aside or a value left out
        m_prompts.tell(Prompts::Tone::Warning, title(), r.notice);
    return r;
}

WriteResult Commands::SaveSettings()
{
    const SettingsSnapshot shown = m_hooks.capture();
    const WriteResult r = storeSettings(shown, m_slotsImported ? &m_slots : nullptr);
    if (!r.ok)
        return r;
    m_slotsImported = false;
    // "Save Settings" in defaults mode stores the defaults: they are the user's values now.
    if (m_userValues) {
        m_userValues = shown;
        m_userSlots.reset();
    }
    return r;
}

void Commands::tellStoreFailure(const QString& what, const WriteResult& result)
{
    const QString text =
        QStringLiteral("%1 could not be saved to %2: %3.").arg(what, QDir::toNativeSeparators(result.file), result.reason);
    m_prompts.tell(Prompts::Tone::Critical, title(), text);
    emit status(text);
}

// Stores the user's own values while the window shows the defaults; false when refused (said).
bool Commands::storeUserValues(const SettingsSnapshot& snapshot)
{
    const WriteResult r = storeSettings(snapshot, m_userSlots ? &*m_userSlots : nullptr);
    if (!r.ok) {
        tellStoreFailure(QStringLiteral("The settings"), r);
        return false;
    }
    m_userSlots.reset();
    emit status(QStringLiteral("Your settings were stored in %1.").arg(QDir::toNativeSeparators(r.file)));
    return true;
}

SettingsSnapshot Commands::userValues() { return m_userValues ? *m_userValues : m_hooks.capture(); }

bool Commands::hasUnsavedChanges()
{
    return userValues() != m_saved || m_slotsImported || m_userSlots || m_keptLines != m_savedKeptLines;
}

// Exit and the close box: Track Manager choices and unsaved settings are saved, dropped or kept
// open, as the user says.
bool Commands::confirmExit()
{
    if (!m_hooks.settleTrackChoices())
        return false;
    if (!hasUnsavedChanges())
        return true;
    const int answer =
        m_prompts.ask(title(),
                      QStringLiteral("Save changes?\n\nYour settings have changed since they were last saved. Save stores "
                                     "them and writes Drovex.cfg; Discard ends without them."),
                      saveDiscardCancel());
    if (answer == 1)
        return true;
    if (answer != 0)
        return false;
    if (m_userValues)
        return storeUserValues(*m_userValues);
    return confirmForeignConfig() && saveIfAllowed(true) && writeConfigOrTell(QStringLiteral("The program stays open."));
}

void Commands::enterDefaults()
{
    m_userValues = m_hooks.capture();
    if (m_slotsImported)
        m_userSlots = m_slots;
    m_slotsImported = false;
}

// Turning "Default Values" off shows the stored settings again: changes made before it was turned
// on are saved or dropped as the user says.
bool Commands::leaveDefaults()
{
    if (m_userValues && (*m_userValues != m_saved || m_userSlots || m_keptLines != m_savedKeptLines)) {
        const int answer = m_prompts.ask(
            title(),
            QStringLiteral("Save changes?\n\nYour settings had changed before \"Default Values\" was turned on. Save "
                           "stores them; Discard shows the settings stored before."),
            saveDiscardCancel());
        if (answer != 0 && answer != 1)
            return false;
        if (answer == 0 && !storeUserValues(*m_userValues))
            return false;
    }
    m_userValues.reset();
    m_userSlots.reset();
    return true;
}

// Runs the save part of a command; false when the settings could not be stored (said).
bool Commands::saveIfAllowed(bool always)
{
    if (!always && m_hooks.showsDefaults())
        return true;
    const WriteResult r = SaveSettings();
    if (!r.ok)
        tellStoreFailure(QStringLiteral("The settings"), r);
    return r.ok;
}

void Commands::save()
{
    if (m_hooks.settleTrackChoices() && confirmForeignConfig() && saveIfAllowed(false))
        WriteConfigFile();
}

void Commands::saveSettingsAndWrite()
{
    if (m_hooks.settleTrackChoices() && confirmForeignConfig() && saveIfAllowed(true))
        WriteConfigFile();
}

void Commands::saveAndPlay()
{
    if (!m_running.isEmpty()) {
        emit status(QStringLiteral("%1 is still running: Save and Play comes back when it ends.").arg(m_running));
        return;
    }
    if (!m_hooks.settleTrackChoices() || !confirmForeignConfig() || !saveIfAllowed(false))
        return;
    const Outcome written = writeConfig();
    if (!written.ok) {
        tellWriteFailure(written.message, QStringLiteral("Nothing was started: the game would have read the old Drovex.cfg."));
        return;
    }
    const Outcome started = launch();
    // The save's own notes stay beside the start message.
    emit status(started.message + QStringLiteral(" \u2014 ") + written.message);
}

// A Drovex.cfg that could not be written, for a command that does not go on without it: said in
// a message too, since what follows (the game, the end of the program) would hide the status bar.
void Commands::tellWriteFailure(const QString& message, const QString& consequence)
{
    emit status(message + QLatin1Char(' ') + consequence);
    m_prompts.tell(Prompts::Tone::Critical, title(), message + QStringLiteral("\n\n") + consequence);
}

bool Commands::writeConfigOrTell(const QString& consequence)
{
    const Outcome written = writeConfig();
    if (!written.ok) {
        tellWriteFailure(written.message, consequence);
        return false;
    }
    emit status(written.message);
    return true;
}

bool Commands::WriteConfigFile()
{
    const Outcome written = writeConfig();
    emit status(written.message);
    return written.ok;
}

Commands::Outcome Commands::writeConfig()
{
    m_session.setGameFolder(m_session.store().get(QString::fromLatin1(kPathGp2)));
    m_hooks.readSlots();
    ConfigValues values;
    values.settings = m_hooks.capture();
    QStringList missing;
    for (int n = 1; n <= kSlotCount; ++n) {
        const QString slot = m_slots.path(n);
        QString& value = at(values.slotValues, n - 1);
        value = slotLineValue(m_session.gameFolder(), slot, m_session.platform());
        // A chosen track that has gone is named; the game's own tracks are the game's business.
        if (value.isEmpty() && !slot.isEmpty() && slot != SlotTable::defaultPath(n) && !m_session.gameFolder().isEmpty())
            missing << missingSlotNote(n, slot);
    }
    // Drovex's default values have no lines of the player's own.
    const bool defaults = m_hooks.showsDefaults();
    if (!defaults)
        values.keptLines = m_keptLines;
    const RenderedConfig rendered = renderConfig(values);
    const ConfigWriteResult r = replaceConfigFile(m_session.gameFolder(), rendered.bytes, m_session.platform());
    QString message = configSaveMessage(r, rendered, defaults);
    if (r.written && !missing.isEmpty())
        message += QStringLiteral("; ") + missing.join(QStringLiteral("; "));
    return {r.written, withSaveNote(message)};
}

bool Commands::LaunchGame()
{
    const Outcome started = launch();
    emit status(started.message);
    return started.ok;
}

Commands::Outcome Commands::launch()
{
    const SettingsStore& store = m_session.store();
    m_startOptions.AcceptChanges(m_startOptions.load(store));
    const SettingsSnapshot shown = m_hooks.capture();
    const auto mode = toWholeNumber(shown.startMode);
    if (!mode || *mode < 0 || *mode > 2)
        return {false, QStringLiteral("Nothing was started: choose a Mode first.")};
    const bool optionsOn = at(shown.check, kGp2OptionsSwitch) == QLatin1String("1");
    if (*mode != 1 && !optionsOn)
        m_startOptions.clearOptions();
    // The game folder is the started program's working folder; this program's own stays as it is.
    const LaunchPlan plan =
        planLaunch(static_cast<StartMode>(*mode), optionsOn, m_startOptions.OptionsGP2(),
                   store.get(QString::fromLatin1(kPathGp2)), store.get(QString::fromLatin1(kPathDrovex)),
                   store.get(QString::fromLatin1(kPathBatch)));
    const EmulatorChoice emulator = storedEmulator(store);
    if (emulator.runsDosPrograms() && isDosProgram(plan.program))
        return launchInEmulator(plan, emulator);

    // Started as a child that is watched, so that Save and Play waits for it to end.
    const QString log = ownEmulatorFile("program.log");
    const StartResult r = m_session.platform().startWatched(plan.program, plan.arguments, plan.folder, log);
    const QString what = capitalised(plan.what);
    if (!r.ok) {
        if (plan.program.isEmpty())
            return {false, QStringLiteral("%1 could not be started: %2 (Choose Path).").arg(what, r.reason)};
        return {false, QStringLiteral("%1 could not be started from %2: %3.").arg(what, QDir::toNativeSeparators(plan.program), r.reason)};
    }
    m_running = plan.what;
    m_watch->watch(r.pid, plan.program, log, false);
    return {true, QStringLiteral("Started %1: %2").arg(plan.what, QDir::toNativeSeparators(plan.program))};
}

Commands::Outcome Commands::launchInEmulator(const LaunchPlan& plan, const EmulatorChoice& emulator)
{
    const QString what = capitalised(plan.what);
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
    m_watch->watch(r.pid, emulator.program(), log, true);
    QString started = QStringLiteral("Started %1 in %2: %3").arg(plan.what, QDir::toNativeSeparators(emulator.program()), run.dosCommand());
    for (const QString& note : run.notes())
        started += QStringLiteral("; ") + note;
    return {true, started};
}

// While a started program runs, Save and Play waits for it: one game at a time.
void Commands::programsRunning(int count)
{
    const bool idle = count == 0;
    emit playAvailable(idle);
    if (idle && !m_running.isEmpty()) {
        const QString ended = std::exchange(m_running, QString());
        emit status(QStringLiteral("%1 has ended; Save and Play is ready again.").arg(ended));
    }
}

} // namespace drovex
