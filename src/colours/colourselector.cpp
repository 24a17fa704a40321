#include "colours/colourselector.h"

#include "settings/palette.h"
#include "widgets/controls.h"
#include "widgets/handcursor.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QToolTip>
#include <QVBoxLayout>

namespace drovex {
namespace {

// Cells are 255 twips square and 300 twips apart, the first 180 twips from the left and 240
// from the top of the frame: at 15 twips a pixel, 17-pixel cells 20 pixels apart.
constexpr int kCell = 17;
constexpr int kPitch = 20;
constexpr int kLeft = 12;
constexpr int kTop = 16;

QColor colourOf(int index) { return paletteQColor(QString::number(index)).value_or(Qt::black); }

} // namespace

std::optional<QColor> paletteQColor(const QString& text)
{
    const auto c = paletteColour(text);
    if (!c)
        return std::nullopt;
    return QColor(c->r, c->g, c->b);
}

PaletteGrid::PaletteGrid(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Colors"));
    setMouseTracking(true);
    setFixedSize(sizeHint());
}

QSize PaletteGrid::sizeHint() const { return {kLeft * 2 + 15 * kPitch + kCell, kTop + 15 * kPitch + kCell + kLeft}; }

QRect PaletteGrid::cellRect(int index)
{
    return {kLeft + (index % 16) * kPitch, kTop + (index / 16) * kPitch, kCell, kCell};
}

int PaletteGrid::cellAt(const QPoint& pos) const
{
    const int column = (pos.x() - kLeft) / kPitch;
    const int row = (pos.y() - kTop) / kPitch;
    if (pos.x() < kLeft || pos.y() < kTop || column > 15 || row > 15)
        return -1;
    const int index = row * 16 + column;
    return cellRect(index).contains(pos) ? index : -1;
}

void PaletteGrid::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    for (int n = 0; n < 256; ++n) {
        p.fillRect(cellRect(n), colourOf(n));
        p.setPen(palette().color(QPalette::Dark));
        p.drawRect(cellRect(n).adjusted(0, 0, -1, -1));
    }
}

bool PaletteGrid::event(QEvent* e)
{
    if (e->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(e);
        const int n = cellAt(help->pos());
        if (n >= 0)
            QToolTip::showText(help->globalPos(), QStringLiteral("Palette-Index: %1").arg(n), this, cellRect(n));
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(e);
}

void PaletteGrid::mouseMoveEvent(QMouseEvent* e)
{
    if (cellAt(e->position().toPoint()) >= 0)
        setCursor(handCursor());
    else
        unsetCursor();
}

void PaletteGrid::mouseReleaseEvent(QMouseEvent* e)
{
    const int n = cellAt(e->position().toPoint());
    if (e->button() == Qt::LeftButton && n >= 0)
        emit cellClicked(n);
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
    connect(m_grid, &PaletteGrid::cellClicked, this, &ColourSelector::cellClicked);

    m_selected = new QLabel;
    m_selected->setObjectName(QStringLiteral("SelectedColor"));
    m_selected->setAutoFillBackground(true);
    m_selected->setFrameShape(QFrame::Box);
    m_selected->setFixedSize(60, 24);
    auto* accept = makeButton("BTN_Accept", "Accept", "Accept selected color");
    accept->setDefault(true);
    auto* cancel = makeButton("BTN_Cancel", "Cancel", "Cancel Selection");
    connect(accept, &QPushButton::clicked, this, &ColourSelector::accept);
    connect(cancel, &QPushButton::clicked, this, &ColourSelector::reject);

    auto* row = new QHBoxLayout;
    row->addWidget(m_selected);
    row->addStretch(1);
    row->addWidget(accept);
    row->addWidget(cancel);
    auto* top = new QVBoxLayout(this);
    top->addWidget(frame);
    top->addLayout(row);
    setFixedSize(sizeHint());
}

void ColourSelector::setSelectedColour(const QColor& colour)
{
    setBackground(m_selected, colour);
}

QColor ColourSelector::selectedColour() const { return m_selected->palette().color(QPalette::Window); }

void ColourSelector::cellClicked(int index)
{
    setSelectedColour(colourOf(index));
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
