#include "widgets/spinbar.h"

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

} // namespace drovex
