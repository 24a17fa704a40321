#pragma once

class QCursor;
class QWidget;

namespace drovex {

// The program's one custom pointer: a hand with the index finger up, hot spot at the fingertip.
const QCursor& handCursor();

// Shows the hand pointer while the mouse is over this command control.
void useHandCursor(QWidget* widget);

} // namespace drovex
