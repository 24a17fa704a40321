#pragma once

#include "settings/palette.h"

#include <QColor>
#include <Qt>

class QCheckBox;
class QWidget;

namespace drovex {

// Small helpers shared by the windows' controls.

// A check box state as the store and Drovex.cfg count it: 0 off, 1 on, 2 greyed.
int checkNumber(const QCheckBox* box);
Qt::CheckState checkStateOf(int number);
// Puts a stored state ("0", "1", "2") into a check box; anything else is refused.
bool setStoredCheck(QCheckBox* box, const QString& stored);

QColor toQColor(const Rgb& rgb);
// The background of a swatch, or the text colour of a label.
void setBackground(QWidget* widget, const QColor& colour);
void setTextColour(QWidget* widget, const QColor& colour);

} // namespace drovex
