#include "colours/palettegrid.h"

#include "settings/palette.h"
#include "widgets/handcursor.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QHash>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QToolTip>

namespace drovex {
namespace {

// Cells are 255 twips square and 300 twips apart, the first 180 twips from the left and 240
// from the top of the frame: at 15 twips a pixel, 17-pixel cells 20 pixels apart.
constexpr int kCell = 17;
constexpr int kPitch = 20;
constexpr int kLeft = 12;
constexpr int kTop = 16;
constexpr int kColumns = 16;

QColor colourOf(int index)
{
    const auto c = paletteColour(index);
    return c ? QColor(c->r, c->g, c->b) : QColor(Qt::black);
}

// Black on light cells, white on dark ones: marks drawn on a cell stay visible whatever its colour.
QColor contrastTo(const QColor& colour) { return qGray(colour.rgb()) > 127 ? QColor(Qt::black) : QColor(Qt::white); }

// One cell as screen readers see it: a list item named "colour n".
class PaletteCellAccess final : public QAccessibleInterface {
public:
    PaletteCellAccess(PaletteGrid* grid, int index)
        : m_grid(grid)
        , m_index(index)
    {
    }
    int index() const { return m_index; }
    const PaletteGrid* grid() const { return m_grid; }

    bool isValid() const override { return !m_grid.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_grid ? m_grid->window()->windowHandle() : nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(m_grid.data()); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    void setText(QAccessible::Text, const QString&) override {}
    QAccessible::Role role() const override { return QAccessible::ListItem; }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return QStringLiteral("colour %1").arg(m_index);
        if (t == QAccessible::Description) {
            const QColor c = colourOf(m_index);
            return QStringLiteral("red %1, green %2, blue %3").arg(c.red()).arg(c.green()).arg(c.blue());
        }
        return {};
    }

    QRect rect() const override
    {
        if (!m_grid)
            return {};
        const QRect r = PaletteGrid::cellRect(m_index);
        return {m_grid->mapToGlobal(r.topLeft()), r.size()};
    }

    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.focusable = true;
        s.selectable = true;
        if (!m_grid) {
            s.invalid = true;
            return s;
        }
        s.selected = m_grid->currentCell() == m_index;
        s.focused = s.selected && m_grid->hasFocus();
        return s;
    }

private:
    QPointer<PaletteGrid> m_grid;
    int m_index;
};

// The grid as screen readers see it: a list of 256 cells, the current one focused.
class PaletteGridAccess final : public QAccessibleWidget {
public:
    explicit PaletteGridAccess(PaletteGrid* grid)
        : QAccessibleWidget(grid, QAccessible::List)
    {
    }
    ~PaletteGridAccess() override
    {
        for (const QAccessible::Id id : std::as_const(m_cells))
            QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override { return PaletteGrid::kCells; }

    QAccessibleInterface* child(int index) const override
    {
        if (index < 0 || index >= PaletteGrid::kCells)
            return nullptr;
        if (const auto found = m_cells.constFind(index); found != m_cells.cend())
            return QAccessible::accessibleInterface(*found);
        auto* cell = new PaletteCellAccess(grid(), index);
        m_cells.insert(index, QAccessible::registerAccessibleInterface(cell));
        return cell;
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        const auto* cell = dynamic_cast<const PaletteCellAccess*>(child);
        return cell && cell->grid() == grid() ? cell->index() : -1;
    }

    QAccessibleInterface* childAt(int x, int y) const override
    {
        const int n = grid()->cellAt(grid()->mapFromGlobal(QPoint(x, y)));
        return n >= 0 ? child(n) : nullptr;
    }

    QAccessibleInterface* focusChild() const override
    {
        return grid()->hasFocus() ? child(grid()->currentCell()) : nullptr;
    }

private:
    PaletteGrid* grid() const { return static_cast<PaletteGrid*>(widget()); }
    mutable QHash<int, QAccessible::Id> m_cells;
};

QAccessibleInterface* paletteGridAccess(const QString& className, QObject* object)
{
    if (className == QLatin1String(PaletteGrid::staticMetaObject.className()))
        if (auto* grid = qobject_cast<PaletteGrid*>(object))
            return new PaletteGridAccess(grid);
    return nullptr;
}

// Tells screen readers about a cell of the grid.
void announce(PaletteGrid* grid, QAccessible::Event type, int index)
{
    QAccessibleEvent event(grid, type);
    event.setChild(index);
    QAccessible::updateAccessibility(&event);
}

} // namespace

PaletteGrid::PaletteGrid(QWidget* parent)
    : QWidget(parent)
{
    static const bool accessible = (QAccessible::installFactory(paletteGridAccess), true);
    Q_UNUSED(accessible);
    setObjectName(QStringLiteral("Colors"));
    setAccessibleName(QStringLiteral("GP2 palette"));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setFixedSize(sizeHint());
}

QSize PaletteGrid::sizeHint() const
{
    return {kLeft * 2 + (kColumns - 1) * kPitch + kCell, kTop + (kColumns - 1) * kPitch + kCell + kLeft};
}

QRect PaletteGrid::cellRect(int index)
{
    return {kLeft + (index % kColumns) * kPitch, kTop + (index / kColumns) * kPitch, kCell, kCell};
}

int PaletteGrid::cellAt(const QPoint& pos) const
{
    const int column = (pos.x() - kLeft) / kPitch;
    const int row = (pos.y() - kTop) / kPitch;
    if (pos.x() < kLeft || pos.y() < kTop || column >= kColumns || row >= kColumns)
        return -1;
    const int index = row * kColumns + column;
    return cellRect(index).contains(pos) ? index : -1;
}

void PaletteGrid::setMarkedCell(int index)
{
    m_marked = index >= 0 && index < kCells ? index : -1;
    if (m_marked >= 0)
        m_current = m_marked;
    update();
}

void PaletteGrid::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setPen(palette().color(QPalette::Dark));
    for (int n = 0; n < kCells; ++n) {
        p.fillRect(cellRect(n), colourOf(n));
        p.drawRect(cellRect(n).adjusted(0, 0, -1, -1));
    }
    // The current cell: a ring in the gap around it (the highlight colour while the grid has the
    // focus) and a thin line inside it that stands out from the cell's own colour.
    const QRect current = cellRect(m_current);
    const QColor inside = colourOf(m_current);
    p.fillRect(current.adjusted(-2, -2, 2, 2), palette().color(hasFocus() ? QPalette::Highlight : QPalette::WindowText));
    p.fillRect(current, inside);
    p.setPen(contrastTo(inside));
    p.drawRect(current.adjusted(1, 1, -2, -2));
    // The value being edited: a dot in the middle of its cell.
    if (m_marked >= 0) {
        const QRect cell = cellRect(m_marked);
        p.fillRect(QRect(cell.center() - QPoint(2, 2), QSize(5, 5)), contrastTo(colourOf(m_marked)));
    }
}

QString paletteIndexText(int index)
{
    return QStringLiteral("Palette-Index: ") + (index >= 0 ? QString::number(index) : QStringLiteral("-"));
}

bool PaletteGrid::event(QEvent* e)
{
    if (e->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(e);
        const int n = cellAt(help->pos());
        if (n >= 0)
            QToolTip::showText(help->globalPos(), paletteIndexText(n), this, cellRect(n));
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(e);
}

void PaletteGrid::keyPressEvent(QKeyEvent* e)
{
    const int row = m_current / kColumns;
    const int column = m_current % kColumns;
    const int lastRow = kColumns - 1;
    const bool ctrl = e->modifiers().testFlag(Qt::ControlModifier);
    int next = m_current;
    switch (e->key()) {
    case Qt::Key_Left: next = qMax(m_current - 1, 0); break;
    case Qt::Key_Right: next = qMin(m_current + 1, kCells - 1); break;
    case Qt::Key_Up: next = row > 0 ? m_current - kColumns : m_current; break;
    case Qt::Key_Down: next = row < lastRow ? m_current + kColumns : m_current; break;
    case Qt::Key_Home: next = ctrl ? 0 : row * kColumns; break;
    case Qt::Key_End: next = ctrl ? kCells - 1 : row * kColumns + kColumns - 1; break;
    case Qt::Key_PageUp: next = column; break;
    case Qt::Key_PageDown: next = lastRow * kColumns + column; break;
    case Qt::Key_Space: break;
    default:
        QWidget::keyPressEvent(e); // Enter and Escape belong to the window
        return;
    }
    choose(next);
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
        choose(n);
}

void PaletteGrid::focusInEvent(QFocusEvent* e)
{
    QWidget::focusInEvent(e);
    update();
    announce(this, QAccessible::Focus, m_current);
}

void PaletteGrid::focusOutEvent(QFocusEvent* e)
{
    QWidget::focusOutEvent(e);
    update();
}

void PaletteGrid::choose(int index)
{
    m_current = index;
    update();
    announce(this, QAccessible::Selection, index);
    if (hasFocus())
        announce(this, QAccessible::Focus, index);
    emit cellChosen(index);
}

} // namespace drovex
