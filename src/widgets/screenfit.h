#pragma once

#include <QSize>
#include <QString>

class QWidget;

namespace drovex {

// Windows fit the screen they open on, the screen of their parent window, whatever its size and
// scale: the window and the frame the window manager draws around it lie within the screen's
// available area (free of panels and docks). Windows whose content can be larger than a small
// screen hold it in a scroll area, so that shrinking them loses nothing.

// The largest size a window may take there: the available area less the frame (until the
// window has been shown once its frame is not known, and a title bar's worth is kept free).
QSize roomOnScreen(const QWidget* window);

// Moves a window just far enough that its frame lies within the available area. Call it as
// the window is shown, after it has been placed.
void keepOnScreen(QWidget* window);

// Makes a window no larger than its room on the screen (its minimum size too) and, once it has
// a place of its own, keeps it on the screen.
void fitToScreen(QWidget* window);

// A window's place and size as the settings file keeps them ("x,y,width,height"), and back. A
// stored place that no screen shows any more is not taken.
QString geometryText(const QWidget* window);
bool restoreGeometryText(QWidget* window, const QString& text);

} // namespace drovex
