#include "widgets/controls.h"

#include "settings/fieldrules.h"

#include <QCheckBox>

namespace drovex {

int checkNumber(const QCheckBox* box)
{
    const Qt::CheckState s = box->checkState();
    return s == Qt::Checked ? 1 : s == Qt::PartiallyChecked ? 2 : 0;
}

Qt::CheckState checkStateOf(int number)
{
    return number == 1 ? Qt::Checked : number == 2 ? Qt::PartiallyChecked : Qt::Unchecked;
}

bool setStoredCheck(QCheckBox* box, const QString& stored)
{
    const auto n = toWholeNumber(stored);
    if (!n || *n < 0 || *n > 2)
        return false;
    box->setCheckState(checkStateOf(*n));
    return true;
}

QColor toQColor(const Rgb& rgb) { return QColor(rgb.r, rgb.g, rgb.b); }

static void setRole(QWidget* widget, QPalette::ColorRole role, const QColor& colour)
{
    QPalette p = widget->palette();
    p.setColor(role, colour);
    widget->setPalette(p);
}

void setBackground(QWidget* widget, const QColor& colour) { setRole(widget, QPalette::Window, colour); }
void setTextColour(QWidget* widget, const QColor& colour) { setRole(widget, QPalette::WindowText, colour); }

} // namespace drovex
