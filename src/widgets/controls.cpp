#include "widgets/controls.h"

#include "widgets/handcursor.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QValidator>

#include <utility>

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

bool setCheckNumber(QCheckBox* box, std::optional<int> number)
{
    if (!number || *number < 0 || *number > 2)
        return false;
    box->setCheckState(checkStateOf(*number));
    return true;
}

void leaveGreyOnClick(QCheckBox* box)
{
    QObject::connect(box, &QCheckBox::stateChanged, box, [box](int state) {
        if (state != Qt::PartiallyChecked)
            box->setTristate(false);
    });
}

static void setRole(QWidget* widget, QPalette::ColorRole role, const QColor& colour)
{
    QPalette p = widget->palette();
    p.setColor(role, colour);
    widget->setPalette(p);
}

void setBackground(QWidget* widget, const QColor& colour) { setRole(widget, QPalette::Window, colour); }
void setTextColour(QWidget* widget, const QColor& colour) { setRole(widget, QPalette::WindowText, colour); }

namespace {

class DigitsOnly final : public QValidator {
public:
    using QValidator::QValidator;
    // An edit that would bring in anything but digits is undone. Text the program set (a
    // hand-edited store's "12.6") stays until the user edits it.
    State validate(QString& input, int&) const override
    {
        for (const QChar c : std::as_const(input))
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return Invalid;
        return Acceptable;
    }
    // Enter or leaving the field keeps the digits of such a text.
    void fixup(QString& input) const override
    {
        QString digits;
        for (const QChar c : std::as_const(input))
            if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
                digits += c;
        input = digits;
    }
};

} // namespace

QValidator* digitsOnly(QObject* parent) { return new DigitsOnly(parent); }

QHBoxLayout* buttonRow(QWidget* left, QWidget* right)
{
    auto* row = new QHBoxLayout;
    row->addWidget(left);
    row->addStretch(1);
    row->addWidget(right);
    return row;
}

QPushButton* makeButton(const char* name, const char* caption, const char* tip)
{
    auto* b = new QPushButton(QString::fromLatin1(caption));
    b->setObjectName(QString::fromLatin1(name));
    b->setToolTip(QString::fromLatin1(tip));
    useHandCursor(b);
    return b;
}

} // namespace drovex
