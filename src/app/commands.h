#pragma once

#include "common/safefile.h"
#include "settings/snapshot.h"
#include "tracks/slottable.h"

#include <QHash>
#include <QObject>
#include <QStringList>

#include <functional>
#include <optional>

namespace drovex {

class EmulatorChoice;
class EmulatorWatch;
class Session;
class StartOptionsModel;
struct LaunchPlan;

// What the commands ask of the user and tell them. The main window answers through its dialogs;
// tests answer from a list.
class Prompts {
public:
    enum class Tone { Information, Warning, Critical };
    virtual ~Prompts() = default;
    // The index of the button pressed (the last one cancels), or -1 when the question was closed.
    virtual int ask(const QString& title, const QString& text, const QStringList& buttons) = 0;
    virtual void tell(Tone tone, const QString& title, const QString& text) = 0;
};

// The parts of the main window the commands read and change.
struct WindowHooks {
    std::function<SettingsSnapshot()> capture;          // the settings as shown, typing finished
    std::function<void(const SettingsSnapshot&)> apply; // puts settings into the controls
    std::function<bool()> showsDefaults;                // "Default Values" is on
    std::function<bool()> settleTrackChoices;           // Track Manager choices not accepted yet
                                                        // stored or dropped; false: cancelled
    std::function<void()> readSlots;                    // the slot table reloaded and shown
    std::function<void()> slotsChanged;                 // an import changed the slot table
};

// Save, Save Settings, Save and Play and Import: what is written in which order, what is asked,
// what stops a launch, and what is not saved yet. Every result is said through status(); a
// failure that what follows would hide is also told through the prompts.
class Commands : public QObject {
    Q_OBJECT
public:
    Commands(Session& session, SlotTable& slotTable, StartOptionsModel& startOptions, Prompts& prompts,
             WindowHooks hooks, QObject* parent = nullptr);
    ~Commands() override;

    // The stored settings into the window; they count as saved from now on.
    void LoadSettings();
    // The window's settings into the store, all or none, with the slots and lines an import
    // brought in.
    WriteResult SaveSettings();
    // Drovex.cfg from what the window shows; says where, or why it could not be written.
    bool WriteConfigFile();
    // Starts the program of the chosen start mode; says what started, or why nothing did.
    bool LaunchGame();

    // The commands of the buttons and menus.
    void save();                 // Save: the settings unless the defaults show, then Drovex.cfg
    void saveSettingsAndWrite(); // Save Settings: the settings always, then Drovex.cfg
    void saveAndPlay();          // only what was saved is played, one game at a time
    bool importFile(const QString& file);
    void forgetKeptLines();

    // What is not saved yet, and the questions that keep it.
    bool hasUnsavedChanges();
    bool confirmExit();          // false: the program stays open
    void enterDefaults();        // the user's own values wait aside while the defaults show
    bool leaveDefaults();        // false: the defaults stay on show

    // Lines of an imported Drovex.cfg that name keys the window has no control for: written after
    // the window's own in every Drovex.cfg and stored with the settings, until forgotten.
    const QStringList& keptLines() const { return m_keptLines; }
    // What Save and Play started and is still running ("Grand Prix 2"), or "".
    const QString& running() const { return m_running; }
    // Says, in a message and the status bar, that the store refused a write.
    void tellStoreFailure(const QString& what, const WriteResult& result);

signals:
    void status(const QString& text);
    void keptLinesChanged(bool any);
    void playAvailable(bool available); // false while a program Save and Play started runs

private:
    struct Outcome {
        bool ok = false;
        QString message;
    };
    Outcome writeConfig();
    Outcome launch();
    Outcome launchInEmulator(const LaunchPlan& plan, const EmulatorChoice& emulator);
    bool writeConfigOrTell(const QString& consequence);
    void tellWriteFailure(const QString& message, const QString& consequence);
    bool saveIfAllowed(bool always);
    static const QString& title();
    bool storeUserValues(const SettingsSnapshot& snapshot);
    WriteResult storeSettings(const SettingsSnapshot& snapshot, const SlotTable* slotTable);
    SettingsSnapshot userValues();
    void programsRunning(int count);
    // Import and the foreign Drovex.cfg (commands_import.cpp).
    bool confirmForeignConfig();
    bool applyImport(const QString& file, const QByteArray& bytes, QString& message);
    void setKeptLines(const QStringList& lines);
    QString withSaveNote(const QString& text);

    Session& m_session;
    SlotTable& m_slots;
    StartOptionsModel& m_startOptions;
    Prompts& m_prompts;
    WindowHooks m_hooks;
    EmulatorWatch* m_watch = nullptr;
    SettingsSnapshot m_saved;     // the user's settings as the store holds them
    bool m_slotsImported = false; // an import changed the slots: the next save stores them too
    // While "Default Values" shows Drovex's defaults: the user's own values and imported slots.
    std::optional<SettingsSnapshot> m_userValues;
    std::optional<SlotTable> m_userSlots;
    QStringList m_keptLines;
    QStringList m_savedKeptLines;                // as the store holds them
    QHash<QByteArray, QString> m_settledConfigs; // foreign Drovex.cfg files settled in this run, and their copies
    QString m_saveNote;                          // what the next save's message adds
    QString m_running;                           // what Save and Play started and is still running
};

} // namespace drovex
