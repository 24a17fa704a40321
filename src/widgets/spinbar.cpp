#include "widgets/spinbar.h"

#include <QKeyEvent>
#include <QWheelEvent>

namespace drovex {

SpinBar::SpinBar(int lowerLimit, int upperLimit, QWidget* parent)
    : QScrollBar(Qt::Vertical, parent)
{
    setRange(lowerLimit, upperLimit);
    setSingleStep(1);
    setPageStep(1);
    setValue(lowerLimit);
    setInvertedAppearance(true);
    setFixedWidth(17);
    connect(this, &QAbstractSlider::actionTriggered, this, &SpinBar::turnRound);
}

// The arrows and the trough step toward the end they point at: up raises the value.
void SpinBar::turnRound(int action)
{
    switch (action) {
    case SliderSingleStepAdd:
        setSliderPosition(value() - singleStep());
        break;
    case SliderSingleStepSub:
        setSliderPosition(value() + singleStep());
        break;
    case SliderPageStepAdd:
        setSliderPosition(value() - pageStep());
        break;
    case SliderPageStepSub:
        setSliderPosition(value() + pageStep());
        break;
    default:
        break;
    }
}

void SpinBar::stepBy(int steps) { setValue(value() + steps); }

void SpinBar::wheelEvent(QWheelEvent* event)
{
    m_wheel += event->angleDelta().y();
    const int steps = m_wheel / 120; // one notch of a wheel is one step
    m_wheel -= steps * 120;
    if (steps != 0)
        stepBy(steps);
    event->accept();
}

void SpinBar::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_PageUp:
        stepBy(1);
        break;
    case Qt::Key_Down:
    case Qt::Key_PageDown:
        stepBy(-1);
        break;
    default:
        QScrollBar::keyPressEvent(event);
        return;
    }
    event->accept();
}

} // namespace drovex
