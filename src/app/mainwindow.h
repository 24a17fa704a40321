#pragma once

#include "common/safefile.h"
#include "settings/snapshot.h"
#include "startopts/startoptions.h"
#include "tracks/slottable.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <QStringList>

#include <optional>

class QAction;
class QPushButton;

namespace drovex {

class Session;
class Services;
class SettingsPanel;
class StartOptionsDialog;
class TrackManager;
class ColourSelector;
class InfoBox;
class AboutWindow;
class EmulatorChoice;
class EmulatorWatch;
class StatusLine;
struct LaunchPlan;

// The main window: every Drovex setting, the commands and the start-up sequence. It keeps the
// slot table and the start-up options; their windows show and edit them.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(Session& session, Services& services, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Runs before the window is first shown: loads the stored settings, or at a first run stores
    // the initial values; asks for the game folder while none is known.
    void startUp();

    // Moving the catalogue between the store and the controls.
    void LoadSettings();
    WriteResult SaveSettings();
    // Writes Drovex.cfg from what the window shows; says where, or why it could not.
    bool WriteConfigFile();
    // Starts the program of the chosen start mode.
    bool LaunchGame();
    void BrowseGameFolder();
    void BrowseBatchFile();
    void BrowseDrovexExe();
    // The Emulator window: the DOS emulator, the game's speed in it, the CD image and the
    // player's own emulator settings.
    void showEmulatorWindow();
    // Brings a Drovex.cfg's settings into the window, as Drovex reads them; nothing is stored
    // until the user saves.
    void importConfigCommand();
    bool importConfig(const QString& file);
    // Lines of an imported Drovex.cfg that name keys the window has no control for: written after
    // the window's own in every Drovex.cfg and stored with the settings, until forgotten.
    const QStringList& keptLines() const { return m_keptLines; }
    void forgetKeptLines();

    // Commands.
    void save();
    void saveSettingsCommand();
    void saveAndPlay();
    void showMessages();
    void chooseColour(int k);
    void showStartOptions();
    void showTrackManager();
    void showInfo();
    void showAbout();

    int ColorIndex() const { return m_colorIndex; } // which colour setting the colour selector edits
    SettingsPanel& panel() const { return *m_panel; }
    TrackManager& tracks() const { return *m_tracks; }
    StartOptionsDialog* startOptions(bool create);
    void showStatus(const QString& text);
    // Whether the user's settings differ from what is stored (including slots an import brought
    // in); in defaults mode the user's own values, which the window does not show, count.
    bool hasUnsavedChanges();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // What writing Drovex.cfg came to, and the sentence that says so.
    struct Outcome {
        bool ok = false;
        QString message;
    };
    Outcome writeConfig();
    Outcome launch();
    Outcome launchInEmulator(const LaunchPlan& plan, const EmulatorChoice& emulator);
    // Writes Drovex.cfg for a command that must not go on without it: a failure is also said in a
    // message box, since what follows (the game, the end of the program) would hide the status bar.
    bool writeConfigOrTell(const QString& consequence);
    bool storeSettings(const SettingsSnapshot& snapshot);
    SettingsSnapshot userValues();
    bool askToSaveChanges();
    bool leaveDefaultsMode();
    bool settleTrackChoices();
    void programsRunning(int count);
    void openMenuBar();
    void rememberGeometry();
    void buildMenus();
    QWidget* buildButtons();
    void setDefaultsMode(bool on);
    bool saveIfAllowed(bool always);
    void tellStoreFailure(const WriteResult& r);
    void askForGameFolder();
    bool confirmForeignConfig();
    bool applyImport(const QString& file, const QByteArray& bytes, QString& message);
    void setKeptLines(const QStringList& lines);
    QString withSaveNote(const QString& text);
    void storePath(const char* key, const QString& file);
    void endProgram();

    Session& m_session;
    Services& m_services;
    SlotTable m_slots;
    StartOptionsModel m_startOptionsModel;
    SettingsPanel* m_panel = nullptr;
    TrackManager* m_tracks = nullptr;
    int m_colorIndex = 0;
    bool m_slotsImported = false; // an import changed the slots: the next save stores them too
    SettingsSnapshot m_saved;     // the user's settings as the store holds them
    // While "Default Values" shows Drovex's defaults: the user's own values and imported slots.
    std::optional<SettingsSnapshot> m_userValues;
    std::optional<SlotTable> m_userSlots;
    QString m_running;            // what Save and Play started and is still running
    QPushButton* m_btnSave = nullptr;
    QPushButton* m_btnPlay = nullptr;
    QAction* m_playAction = nullptr;
    StatusLine* m_statusLine = nullptr;
    QPushButton* m_btnGp2 = nullptr;
    EmulatorWatch* m_emulatorWatch = nullptr;
    QAction* m_importAction = nullptr;
    QAction* m_forgetKeptAction = nullptr;
    QStringList m_keptLines;
    QStringList m_savedKeptLines; // as the store holds them
    QHash<QByteArray, QString> m_settledConfigs; // foreign Drovex.cfg files settled in this run, and their copies
    QString m_saveNote;                          // what the next save's message adds

    QPointer<StartOptionsDialog> m_startOptions;
    QPointer<ColourSelector> m_colourSelector;
    QPointer<InfoBox> m_infoBox;
    QPointer<AboutWindow> m_about;
};

} // namespace drovex
