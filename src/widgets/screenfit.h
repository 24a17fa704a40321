#pragma once

#include <QRect>
#include <QSize>
#include <QString>

class QWidget;

namespace drovex {

// Keeps a window within the available area of the screen it opens on, at any scale: never larger
// than that area and placed inside it. Windows whose content can be larger than a small screen
// hold it in a scroll area, so that shrinking them loses nothing.
void fitToScreen(QWidget* window);
// The largest size the window can have there, inside its frame.
QSize screenRoom(const QWidget* window);

// A window's place and size as the settings file keeps them ("x,y,width,height"), and back. A
// stored place that no screen shows any more is not taken.
QString geometryText(const QWidget* window);
bool restoreGeometryText(QWidget* window, const QString& text);

} // namespace drovex
