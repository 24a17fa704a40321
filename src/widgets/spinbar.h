#pragma once

#include <QScrollBar>

namespace drovex {

// A small vertical scroll bar used as a spin button: its upper limit stands at the top, so the
// upper arrow raises the value by one and the lower arrow lowers it.
class SpinBar : public QScrollBar {
    Q_OBJECT
public:
    SpinBar(int lowerLimit, int upperLimit, QWidget* parent = nullptr);

private:
    void turnRound(int action);
};

} // namespace drovex
