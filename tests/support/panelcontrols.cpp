#include "support/panelcontrols.h"

#include "settings/catalogue.h"
#include "settings/palette.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>

namespace drovex::test {

QLineEdit* field(QWidget& w, int i) { return child<QLineEdit>(w, fieldName(i)); }
QScrollBar* bar(QWidget& w, int i) { return child<QScrollBar>(w, barName(i)); }
QCheckBox* box(QWidget& w, const QString& name) { return child<QCheckBox>(w, name); }
QRadioButton* radio(QWidget& w, const QString& name) { return child<QRadioButton>(w, name); }

QColor swatchColour(QWidget& w, int k)
{
    return child<QLabel>(w, QStringLiteral("LBL_Color(%1)").arg(k))->palette().color(QPalette::Window);
}

QColor paletteQColour(int index)
{
    const Rgb c = *paletteColour(index);
    return QColor(c.r, c.g, c.b);
}

} // namespace drovex::test
