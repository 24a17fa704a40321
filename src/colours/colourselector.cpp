#include "colours/colourselector.h"

#include "settings/fieldrules.h"
#include "settings/palette.h"
#include "widgets/controls.h"
#include "widgets/screenfit.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace drovex {

std::optional<QColor> paletteQColour(const QString& text)
{
    const auto c = paletteColour(text);
    if (!c)
        return std::nullopt;
    return QColor(c->r, c->g, c->b);
}

ColourSelector::ColourSelector(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("Drovex3"));
    setWindowTitle(QStringLiteral("Drovex Color-Selector"));
    setModal(true);

    auto* frame = new QGroupBox;
    frame->setObjectName(QStringLiteral("Frame1"));
    auto* frameLayout = new QVBoxLayout(frame);
    frameLayout->setContentsMargins(0, 0, 0, 0);
    m_grid = new PaletteGrid;
    frameLayout->addWidget(m_grid);
    connect(m_grid, &PaletteGrid::cellChosen, this, &ColourSelector::cellChosen);

    m_selected = new QLabel;
    m_selected->setObjectName(QStringLiteral("SelectedColor"));
    m_selected->setAccessibleName(QStringLiteral("Chosen colour"));
    m_selected->setAutoFillBackground(true);
    m_selected->setFrameShape(QFrame::Box);
    m_selected->setFixedSize(60, 24);
    // The number of the chosen cell, beside its colour.
    m_number = new QLabel;
    m_number->setObjectName(QStringLiteral("SelectedIndex"));
    m_number->setTextFormat(Qt::PlainText);
    auto* accept = makeButton("BTN_Accept", "Accept", "Accept selected color");
    accept->setDefault(true);
    auto* cancel = makeButton("BTN_Cancel", "Cancel", "Cancel Selection");
    connect(accept, &QPushButton::clicked, this, &ColourSelector::accept);
    connect(cancel, &QPushButton::clicked, this, &ColourSelector::reject);

    auto* row = new QHBoxLayout;
    row->addWidget(m_selected);
    row->addWidget(m_number);
    row->addStretch(1);
    row->addWidget(accept);
    row->addWidget(cancel);
    auto* top = new QVBoxLayout(this);
    top->addWidget(frame);
    top->addLayout(row);
    showNumber(-1);
    setFixedSize(sizeHint());
    m_grid->setFocus(); // the keyboard works the grid as soon as the window opens
}

void ColourSelector::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        keepOnScreen(this);
}

void ColourSelector::setSelectedColour(const QColor& colour)
{
    setBackground(m_selected, colour);
}

QColor ColourSelector::selectedColour() const { return m_selected->palette().color(QPalette::Window); }

void ColourSelector::editSetting(const QString& settingName, const QString& valueText)
{
    setWindowTitle(QStringLiteral("Drovex Color-Selector: ") + settingName.trimmed());
    const auto value = toWholeNumber(valueText);
    const int index = value && paletteColour(*value) ? *value : -1;
    m_grid->setMarkedCell(index);
    showNumber(index);
}

void ColourSelector::showNumber(int index)
{
    m_number->setText(paletteIndexText(index));
    // The swatch's name carries the number too, for screen readers that pass over the label.
    m_selected->setAccessibleDescription(index >= 0 ? QStringLiteral("colour %1").arg(index) : QString());
}

void ColourSelector::cellChosen(int index)
{
    if (const auto c = paletteColour(index))
        setSelectedColour(QColor(c->r, c->g, c->b));
    showNumber(index);
    m_pending = index;
}

void ColourSelector::accept()
{
    if (m_pending)
        emit colourChosen(*m_pending);
    QDialog::accept();
    deleteLater();
}

void ColourSelector::reject()
{
    QDialog::reject();
    deleteLater();
}

} // namespace drovex
