#pragma once

#include <QDialog>

#include <array>

class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace drovex {

struct Session;
class Services;

// "Grand Prix 2 Options": the game's own start-up switches and the option string built from them.
class StartOptionsDialog : public QDialog {
    Q_OBJECT
public:
    // Creating the window loads it: the stored choices fill the controls.
    StartOptionsDialog(Session& session, Services& services, QWidget* parent);

    QString OptionsGP2; // the option string, empty until AcceptChanges runs

    void AcceptChanges();
    void LoadStartOptions();
    bool SaveStartOptions();

    // Cancel, Escape and the close box drop every change and unload the window.
    void reject() override;

private:
    void switchClicked(int index);
    void acceptClicked();

    Session& m_session;
    Services& m_services;
    std::array<QCheckBox*, 17> m_switch{};
    std::array<QRadioButton*, 4> m_video{};
    std::array<QRadioButton*, 3> m_log{};
    QLineEdit* m_cd = nullptr;
};

} // namespace drovex
