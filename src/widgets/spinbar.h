#pragma once

#include <QScrollBar>

namespace drovex {

// A small vertical scroll bar used as a spin button: its upper limit stands at the top, so the
// upper arrow, the Up key and the mouse wheel turned up raise the value by one, and the lower
// arrow, the Down key and the wheel turned down lower it.
class SpinBar : public QScrollBar {
    Q_OBJECT
public:
    SpinBar(int lowerLimit, int upperLimit, QWidget* parent = nullptr);
    // Steps the value as the arrows do: positive steps raise it.
    void stepBy(int steps);

protected:
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void turnRound(int action);
    int m_wheel = 0; // wheel turn not yet worth a step
};

} // namespace drovex
