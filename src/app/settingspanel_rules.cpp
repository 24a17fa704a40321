// The settings panel's rules: fields and bars in step within their limits, dot sizes split
// across 32767, swatches following their numbers, switches enabling what they govern, and the
// start mode.
#include "app/settingspanel.h"

#include "colours/colourselector.h"
#include "common/indexing.h"
#include "settings/fieldrules.h"
#include "widgets/controls.h"
#include "widgets/spinbar.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>

namespace drovex {

// ---------------------------------------------------------------------------------------------
// Entry rules: fields and bars keep in step

// Up and Down and the mouse wheel over a number field step it as its bar's arrows do.
bool SettingsPanel::steerField(int k, QEvent* event)
{
    SpinBar* bar = at(m_bar, k);
    if (event->type() == QEvent::Wheel) {
        commitField(k);
        QCoreApplication::sendEvent(bar, event);
        return true;
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    const int steps = key == Qt::Key_Up || key == Qt::Key_PageUp ? 1 : key == Qt::Key_Down || key == Qt::Key_PageDown ? -1 : 0;
    if (steps == 0)
        return false;
    commitField(k);
    bar->stepBy(steps);
    return true;
}

void SettingsPanel::setFieldText(int k, const QString& text)
{
    at(m_typing, k) = false;
    at(m_field, k)->setText(text);
}

void SettingsPanel::commitField(int k)
{
    if (!at(m_typing, k))
        return;
    at(m_typing, k) = false;
    valuedSetting(k).isDotSize() ? dotFieldChanged(k) : fieldChanged(k);
}

void SettingsPanel::commitEdits()
{
    for (int k = 0; k < kValuedCount; ++k)
        commitField(k);
}

void SettingsPanel::fieldChanged(int k)
{
    const Setting& s = valuedSetting(k);
    QLineEdit* field = at(m_field, k);
    const FieldOutcome out = applyFieldRule(field->text(), s.limits->lo, s.limits->hi);
    if (out.text != field->text()) {
        setFieldText(k, out.text); // runs this rule again with the clamped text
        return;
    }
    if (out.number)
        at(m_bar, k)->setValue(static_cast<int>(*out.number));
}

void SettingsPanel::barMoved(int k, int value)
{
    setFieldText(k, QString::number(value));
    if (k < kColourCount)
        paintSwatch(k);
}

void SettingsPanel::dotFieldChanged(int i)
{
    QLineEdit* field = at(m_field, i);
    const FieldOutcome out = applyFieldRule(field->text(), kDotMin, kDotMax);
    if (out.text != field->text()) {
        setFieldText(i, out.text);
        return;
    }
    if (!out.number)
        return;
    const DotSplit split = splitDotSize(*out.number);
    at(m_dotQuotient, i) = split.quotient;
    at(m_bar, i)->setValue(static_cast<int>(split.remainder));
}

void SettingsPanel::dotBarMoved(int i, int value)
{
    QLineEdit* field = at(m_field, i);
    const auto x = parseNumber(field->text());
    const qint64 quotient = x ? roundHalfEven(*x) / kDotDivisor : at(m_dotQuotient, i);
    const DotStep step = stepDotSize(quotient, value);
    if (step.position != value) {
        const QSignalBlocker block(at(m_bar, i));
        at(m_bar, i)->setValue(step.position);
    }
    setFieldText(i, QString::number(step.number));
}

void SettingsPanel::rebuildDotSplit(int i)
{
    QLineEdit* field = at(m_field, i);
    const auto n = toLongNumber(field->text());
    if (!n)
        return;
    const qint64 quotient = *n / kDotDivisor;
    at(m_dotQuotient, i) = quotient;
    const qint64 position = roundHalfEven(*parseNumber(field->text()) - static_cast<double>(quotient) * kDotDivisor);
    if (position >= kDotBarBottom && position <= kDotBarTop)
        at(m_bar, i)->setValue(static_cast<int>(position));
}

void SettingsPanel::paintSwatch(int k)
{
    // Not a palette index: the swatch keeps its colour.
    if (const auto c = paletteQColour(at(m_field, k)->text()))
        setBackground(at(m_swatch, k), *c);
}

void SettingsPanel::paintSwatches()
{
    for (int k = 0; k < kColourCount; ++k)
        paintSwatch(k);
}

void SettingsPanel::setColour(int k, int paletteIndex)
{
    if (const auto c = paletteQColour(QString::number(paletteIndex)))
        setBackground(at(m_swatch, k), *c);
    setFieldText(k, QString::number(paletteIndex));
}

QColor SettingsPanel::swatchColour(int k) const
{
    return at(m_swatch, k)->palette().color(QPalette::Window);
}

// ---------------------------------------------------------------------------------------------
// Enable rules and the start mode

void SettingsPanel::enableRule(int i)
{
    at(m_field, i)->setEnabled(at(m_enable, i)->checkState() != Qt::Unchecked);
}

void SettingsPanel::alignRule(int group)
{
    const bool on = at(m_checkO, group)->checkState() != Qt::Unchecked;
    for (QRadioButton* b : at(m_align, group))
        b->setEnabled(on);
}

void SettingsPanel::loggingCoupling()
{
    if (m_check[kLogCc]->checkState() == Qt::Checked)
        m_check[kLogGlx]->setCheckState(Qt::Checked);
}

void SettingsPanel::startModeEffect(int mode)
{
    const bool options = mode != 1; // a batch file gets no start-up options
    frameBox(Frame::Gp2Options)->setEnabled(options);
    if (!options)
        m_check[kGp2OptionsSwitch]->setCheckState(Qt::Unchecked);
    emit gp2OptionsAvailable(options);
}

bool SettingsPanel::inDefaultsMode() const { return m_setToDefault->isChecked(); }

void SettingsPanel::setDefaultsSwitch(bool on)
{
    const QSignalBlocker block(m_setToDefault);
    m_setToDefault->setChecked(on);
}

void SettingsPanel::setSettingsFramesEnabled(bool enabled)
{
    for (int f = 0; f <= static_cast<int>(kLastSettingsFrame); ++f)
        at(m_frame, f)->setEnabled(enabled);
}

} // namespace drovex
