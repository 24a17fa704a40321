#pragma once

#include <QColor>
#include <QString>
#include <Qt>

#include <optional>

class QCheckBox;
class QHBoxLayout;
class QObject;
class QPushButton;
class QValidator;
class QWidget;

namespace drovex {

// Small helpers shared by the windows' controls.

// A check box state as the store and Drovex.cfg count it: 0 off, 1 on, 2 greyed.
int checkNumber(const QCheckBox* box);
Qt::CheckState checkStateOf(int number);
// Puts a stored state 0, 1 or 2 into a check box; anything else, or none, is refused.
bool setCheckNumber(QCheckBox* box, std::optional<int> number);
// A greyed check box (a stored "2") becomes a plain on/off switch once it is clicked.
void leaveGreyOnClick(QCheckBox* box);

// The background of a swatch, or the text colour of a label.
void setBackground(QWidget* widget, const QColor& colour);
void setTextColour(QWidget* widget, const QColor& colour);

// A row of two buttons at the two ends of a window.
QHBoxLayout* buttonRow(QWidget* left, QWidget* right);

// A validator that lets only the digits 0-9 into a field: an edit that brings in anything else
// is undone. Text the program sets stays as it is until the user edits it.
QValidator* digitsOnly(QObject* parent);

// A command button with its object name, caption and tooltip, showing the hand pointer.
QPushButton* makeButton(const char* name, const char* caption, const char* tip);

} // namespace drovex
