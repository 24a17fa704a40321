#include "widgets/screenfit.h"

#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace drovex {
namespace {

const QScreen* screenOf(const QWidget* window)
{
    const QWidget* anchor = window->parentWidget() ? window->parentWidget()->window() : window;
    return anchor->screen();
}

QMargins frameOf(const QWidget* window)
{
    return window->windowHandle() ? window->windowHandle()->frameMargins() : QMargins();
}

} // namespace

QSize roomOnScreen(const QWidget* window)
{
    QMargins frame = frameOf(window);
    if (frame.isNull())
        frame = QMargins(4, 32, 4, 4); // a title bar and thin borders
    return screenOf(window)->availableGeometry().size().shrunkBy(frame).expandedTo(QSize(1, 1));
}

void keepOnScreen(QWidget* window)
{
    const QRect area = screenOf(window)->availableGeometry();
    const QRect frame = window->geometry() + frameOf(window);
    // The top left corner wins when the window is larger than the area: its title bar stays reachable.
    const int dx = qMax(area.left() - frame.left(), qMin(0, area.right() - frame.right()));
    const int dy = qMax(area.top() - frame.top(), qMin(0, area.bottom() - frame.bottom()));
    if (dx != 0 || dy != 0)
        window->move(window->pos() + QPoint(dx, dy));
}

} // namespace drovex
