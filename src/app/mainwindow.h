#pragma once

#include "settings/session.h"
#include "settings/settingsstore.h"

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <memory>

class QAction;
class QDialog;
class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QToolButton;

namespace drovex {

class Services;
class SpinBar;
class StartOptionsDialog;
class TrackSelector;
class ColourSelector;
class InfoBox;
class SlotTable;
class AboutWindow;
class EmulatorChoice;
class EmulatorWatch;
struct ConfigValues;
struct LaunchPlan;

// The main window: every Drovex setting, the commands and the start-up sequence.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(Session& session, Services& services, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Runs before the window is first shown: loads the stored settings, or at a first run
    // stores the initial values and asks for the game folder.
    void startUp();

    // Moving the catalogue between the store and the controls.
    void LoadSettings();
    StoreResult SaveSettings();

    // Writes Drovex.cfg from what the window shows; says where, or why it could not.
    bool WriteConfigFile();
    // Starts the program of the chosen start mode.
    bool LaunchGame();

    // Commands.
    void save();
    void saveSettingsCommand();
    void saveAndPlay();
    void browseGameFolder();
    void browseBatchFile();
    void browseDrovexExe();
    void browseEmulator();
    void browseEmulatorConfig();
    void chooseColour(int k);
    void showStartOptions();
    void showTrackManager();
    void showInfo();
    void showAbout();

    bool inDefaultsMode() const;
    int ColorIndex = 0; // which colour setting the colour selector edits

    // For the other windows.
    StartOptionsDialog* startOptions(bool create);
    TrackSelector* trackSelector(bool create);
    void discardTrackWindows();
    SlotTable& slotTable(); // created (and read) on first use
    void showStatus(const QString& text);

    // What the window shows, as Drovex.cfg is written from it.
    ConfigValues configValues() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildUi();
    void buildMenus();
    QWidget* buildButtons();
    void placeSetting(const struct Setting& s);

    void fieldChanged(int k);
    void barMoved(int k, int value);
    void dotFieldChanged(int i);
    void dotBarMoved(int i, int value);
    void enableRule(int i);
    void alignRule(int group);
    void loggingCoupling();
    void startModeEffect(int mode);
    void paintSwatch(int k);
    void setDefaultsMode(bool on);
    void enterDefaults();
    void leaveDefaults();
    void enterTrackDefaults();
    void leaveTrackDefaults();
    void rebuildDotSplit(int i);
    bool saveIfAllowed(bool always);
    void reportStoreFailure(const StoreResult& r);
    bool launchInEmulator(const LaunchPlan& plan, const EmulatorChoice& emulator);
    void storePath(const char* key, const QString& file);
    void endProgram();

    Session& m_session;
    Services& m_services;

    std::array<QGroupBox*, 15> m_frame{};
    std::array<QCheckBox*, 18> m_check{};
    std::array<QCheckBox*, 21> m_enable{};
    std::array<QLineEdit*, 21> m_field{};
    std::array<SpinBar*, 21> m_bar{};
    std::array<QCheckBox*, 2> m_checkO{};
    std::array<std::array<QRadioButton*, 3>, 2> m_align{};
    std::array<QRadioButton*, 3> m_startMode{};
    std::array<QLabel*, 4> m_swatch{};
    std::array<QToolButton*, 4> m_colourButton{};
    QCheckBox* m_setToDefault = nullptr;
    QPushButton* m_btnSave = nullptr;
    QPushButton* m_btnPlay = nullptr;
    QPushButton* m_btnGp2 = nullptr;
    QPushButton* m_btnTrack = nullptr;
    QPushButton* m_btnInfo = nullptr;
    QPushButton* m_btnAbout = nullptr;
    QPushButton* m_btnClose = nullptr;
    QLabel* m_mouseCursor = nullptr;

    QPointer<StartOptionsDialog> m_startOptions;
    QPointer<TrackSelector> m_trackSelector;
    QPointer<ColourSelector> m_colourSelector;
    QPointer<InfoBox> m_infoBox;
    QPointer<AboutWindow> m_about;
    EmulatorWatch* m_emulatorWatch = nullptr;
};

} // namespace drovex
