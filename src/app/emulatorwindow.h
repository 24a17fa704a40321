#pragma once

#include "launch/emulator.h"
#include "launch/emulatorsettings.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace drovex {

class Session;
class Services;

// "Emulator": the DOS emulator that runs Drovex and the game, its kind as detected, the game's
// speed in it, the game CD image and the player's own emulator settings file. It shows the
// stored settings when it opens; Accept stores them all or none, Cancel drops them.
class EmulatorWindow : public QDialog {
    Q_OBJECT
public:
    EmulatorWindow(Session& session, Services& services, QWidget* parent);

    // The settings as the window shows them, as Accept would store them.
    EmulatorSettings settings() const;

private:
    void browseProgram();
    void browseCdImage();
    void browseConfig();
    // Says what an empty program field means, and which emulator the field names.
    void showWhatStarts();
    void showPlaceholder(const EmulatorSettings& s, const EmulatorChoice& choice);
    void detectKind();
    void acceptClicked();

    Session& m_session;
    Services& m_services;
    bool m_programHeld = false; // "Path-Emulator" stored when the window opened
    QLineEdit* m_program = nullptr;
    QLabel* m_kind = nullptr;
    QSpinBox* m_cycles = nullptr;
    QCheckBox* m_max = nullptr;
    QLineEdit* m_cdImage = nullptr;
    QLineEdit* m_config = nullptr;
};

} // namespace drovex
