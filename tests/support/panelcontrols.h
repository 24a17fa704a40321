#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

class QCheckBox;
class QLineEdit;
class QRadioButton;
class QScrollBar;

namespace drovex::test {

// The main window's controls, found by their object names; a missing one ends the test program.
template <typename T> T* child(QWidget& w, const QString& name)
{
    T* c = w.findChild<T*>(name);
    if (!c)
        qFatal("no control %s", qPrintable(name));
    return c;
}

QLineEdit* field(QWidget& w, int i); // Text(i) or TextC(i)
QScrollBar* bar(QWidget& w, int i);  // Scroll(i) or ScrollC(i)
QCheckBox* box(QWidget& w, const QString& name);
QRadioButton* radio(QWidget& w, const QString& name);
// The same for a window at hand as a pointer.
template <typename T> T* child(QWidget* w, const QString& name) { return child<T>(*w, name); }
inline QLineEdit* field(QWidget* w, int i) { return field(*w, i); }
inline QCheckBox* box(QWidget* w, const QString& name) { return box(*w, name); }

// The colour the swatch LBL_Color(k) shows, and the palette's colour of an index.
QColor swatchColour(QWidget& w, int k);
QColor paletteQColour(int index);

} // namespace drovex::test
