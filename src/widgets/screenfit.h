#pragma once

#include <QSize>

class QWidget;

namespace drovex {

// Windows fit the screen they open on, the screen of their parent window, whatever its size and
// scale: the window and the frame the window manager draws around it lie within the screen's
// available area (free of panels and docks).

// The largest size a window may take there: the available area less the frame (until the
// window has been shown once its frame is not known, and a title bar's worth is kept free).
QSize roomOnScreen(const QWidget* window);

// Moves a window just far enough that its frame lies within the available area. Call it as
// the window is shown, after it has been placed.
void keepOnScreen(QWidget* window);

} // namespace drovex
