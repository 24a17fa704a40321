#pragma once

#include "startopts/startoptions.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace drovex {

class Session;
class Services;

// "Grand Prix 2 Options": the game's own start-up switches and the option string built from them.
class StartOptionsDialog : public QDialog {
    Q_OBJECT
public:
    // Creating the window loads it: the stored choices fill the controls.
    StartOptionsDialog(Session& session, StartOptionsModel& model, Services& services, QWidget* parent);

    // Builds the option string from the controls as they stand.
    void AcceptChanges();
    const QString& OptionsGP2() const { return m_model.OptionsGP2(); }
    void LoadStartOptions();
    // Stores the window's choices, all or none; false (and a message) when the store refused.
    bool SaveStartOptions();

    // Cancel, Escape and the close box drop every change and unload the window.
    void reject() override;

private:
    void switchClicked(int index);
    void acceptClicked();
    StartOptionsState state() const;

    Session& m_session;
    StartOptionsModel& m_model;
    Services& m_services;
    std::array<QCheckBox*, kStartSwitchCount> m_switch{};
    std::array<QRadioButton*, kVideoModes> m_video{};
    std::array<QRadioButton*, kLogModes> m_log{};
    QLineEdit* m_cd = nullptr;
};

} // namespace drovex
