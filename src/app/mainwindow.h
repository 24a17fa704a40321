#pragma once

#include "common/safefile.h"
#include "startopts/startoptions.h"
#include "tracks/slottable.h"

#include <QMainWindow>
#include <QPointer>
#include <QStringList>

#include <memory>

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
class Commands;
class Prompts;
class StatusLine;

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

    // Save, Save Settings, Save and Play and Import, and what is not saved yet.
    Commands& commands() const { return *m_commands; }

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

    // Commands of the buttons and menus.
    void save();
    void saveSettingsAndWrite();
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

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Where the settings file keeps the window's size and place.
    static constexpr const char* kGeometryKey = "Main Window Geometry";
    void playAvailable(bool available);
    void openMenuBar();
    void rememberGeometry();
    void buildMenus();
    QWidget* buildButtons();
    void setDefaultsMode(bool on);
    void tellStoreFailure(const WriteResult& r);
    void askForGameFolder();
    void storePath(const char* key, const QString& file);
    void endProgram();

    Session& m_session;
    Services& m_services;
    SlotTable m_slots;
    StartOptionsModel m_startOptionsModel;
    std::unique_ptr<Prompts> m_prompts;
    SettingsPanel* m_panel = nullptr;
    TrackManager* m_tracks = nullptr;
    Commands* m_commands = nullptr;
    int m_colorIndex = 0;
    QPushButton* m_btnSave = nullptr;
    QPushButton* m_btnPlay = nullptr;
    QPushButton* m_btnGp2 = nullptr;
    QAction* m_playAction = nullptr;
    QAction* m_importAction = nullptr;
    QAction* m_forgetKeptAction = nullptr;
    StatusLine* m_statusLine = nullptr;

    QPointer<StartOptionsDialog> m_startOptions;
    QPointer<ColourSelector> m_colourSelector;
    QPointer<InfoBox> m_infoBox;
    QPointer<AboutWindow> m_about;
};

} // namespace drovex
