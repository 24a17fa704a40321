#include "widgets/screenfit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStringList>
#include <QWidget>
#include <QWindow>

namespace drovex {
namespace {

const QScreen* screenOf(const QWidget* window)
{
    const QWidget* anchor = window->parentWidget() ? window->parentWidget()->window() : window;
    const QScreen* screen = anchor->screen();
    return screen ? screen : QGuiApplication::primaryScreen();
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

void fitToScreen(QWidget* window)
{
    const QSize room = roomOnScreen(window).expandedTo(QSize(200, 150));
    window->setMinimumSize(window->minimumSize().boundedTo(room));
    window->resize(window->size().boundedTo(room));
    if (window->testAttribute(Qt::WA_Moved))
        keepOnScreen(window);
}

QString geometryText(const QWidget* window)
{
    // The place of the frame, as move() takes it, and the size inside it.
    return QStringLiteral("%1,%2,%3,%4").arg(window->x()).arg(window->y()).arg(window->width()).arg(window->height());
}

bool restoreGeometryText(QWidget* window, const QString& text)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 4)
        return false;
    int n[4] = {};
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        n[i] = parts.at(i).trimmed().toInt(&ok);
        if (!ok)
            return false;
    }
    const QRect wanted(n[0], n[1], n[2], n[3]);
    if (wanted.width() < 100 || wanted.height() < 80)
        return false;
    window->resize(wanted.size());
    // The place counts only where a screen still shows the window's top left part.
    for (const QScreen* s : QGuiApplication::screens()) {
        if (s->availableGeometry().intersects(QRect(wanted.topLeft(), QSize(100, 40)))) {
            window->move(wanted.topLeft());
            break;
        }
    }
    fitToScreen(window);
    return true;
}

} // namespace drovex
