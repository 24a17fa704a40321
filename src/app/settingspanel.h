#pragma once

#include "common/indexing.h"
#include "settings/catalogue.h"
#include "settings/snapshot.h"

#include <QWidget>

#include <array>

class QCheckBox;
class QGroupBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QRadioButton;
class QToolButton;

namespace drovex {

class SpinBar;

// Every setting of the catalogue as controls in their frames, with the rules that keep them
// valid: fields and bars in step within their limits, dot sizes split across 32767, swatches
// following their numbers, switches enabling what they govern, and the start mode.
class SettingsPanel : public QWidget {
    Q_OBJECT
public:
    explicit SettingsPanel(QWidget* parent = nullptr);

    // Puts a snapshot into the controls in the order of a load, each change running its control's
    // rules; a text a control cannot take leaves that control as it is.
    void apply(const SettingsSnapshot& snapshot);
    // The controls as the store keeps them. A number still being typed gets its field's rule
    // first; the alignment and start-mode indices follow the selected buttons (a group without a
    // selected button keeps its index).
    SettingsSnapshot capture();
    // Gives every number the user is still typing its field's rule, as leaving the field would.
    void commitEdits();
    // The defaults switch: frames of Drovex's settings disabled and the Default column shown.
    void showDefaults();
    void setSettingsFramesEnabled(bool enabled);
    void paintSwatches();

    bool inDefaultsMode() const;
    // Sets the defaults switch without running what its click runs.
    void setDefaultsSwitch(bool on);
    int HAlignIndex() const { return m_alignIndex[0]; }
    int VAlignIndex() const { return m_alignIndex[1]; }
    qint64 dotQuotient(int i) const { return at(m_dotQuotient, i); }

    // The colour setting k is given the palette index (the colour selector's Accept).
    void setColour(int k, int paletteIndex);
    QColor swatchColour(int k) const;

signals:
    void colourRequested(int k);        // BTN_Color(k) or LBL_Color(k) clicked
    void startModeChosen(int mode);     // the user chose another start mode
    void defaultsToggled(bool on);
    void gp2OptionsAvailable(bool on);  // the start mode allows the game's start-up options

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QGroupBox* frameBox(Frame f) const { return at(m_frame, static_cast<int>(f)); }
    QGridLayout* grid(Frame f) const;
    QCheckBox* makeSwitch(const Setting& s, const QString& name);
    void placePlain(const Setting& s);
    void placeValued(const Setting& s);
    void placeColour(const Setting& s, int row);
    void placeAlignment(const Setting& s);
    void placeStartMode(const Setting& s);
    void arrangeFrames();

    void setFieldText(int k, const QString& text);
    void commitField(int k);
    bool steerField(int k, QEvent* event);
    void fieldChanged(int k);
    void barMoved(int k, int value);
    void dotFieldChanged(int i);
    void dotBarMoved(int i, int value);
    void rebuildDotSplit(int i);
    void paintSwatch(int k);
    void enableRule(int i);
    void alignRule(int group);
    void loggingCoupling();
    void startModeEffect(int mode);

    std::array<QGroupBox*, kFrameCount> m_frame{};
    std::array<QCheckBox*, kPlainCount> m_check{};
    std::array<QCheckBox*, kValuedCount> m_enable{};
    std::array<QLineEdit*, kValuedCount> m_field{};
    std::array<SpinBar*, kValuedCount> m_bar{};
    std::array<QCheckBox*, kAlignCount> m_checkO{};
    std::array<std::array<QRadioButton*, kOptionCount>, kAlignCount> m_align{};
    std::array<QRadioButton*, kOptionCount> m_startMode{};
    std::array<QLabel*, kColourCount> m_swatch{};
    std::array<QToolButton*, kColourCount> m_colourButton{};
    QCheckBox* m_setToDefault = nullptr;
    std::array<qint16, kAlignCount> m_alignIndex{}; // HAlignIndex, VAlignIndex
    qint16 m_startModeIndex = 0;
    std::array<qint64, kValuedCount> m_dotQuotient{}; // a dot size's quotient by 32767
    // Numbers typed but not yet finished (Enter, Tab, a click elsewhere): their rule waits.
    std::array<bool, kValuedCount> m_typing{};
};

} // namespace drovex
