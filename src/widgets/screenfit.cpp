#include "widgets/screenfit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStringList>
#include <QWidget>

namespace drovex {
namespace {

QScreen* screenOf(const QWidget* window)
{
    QScreen* screen = window->screen();
    return screen ? screen : QGuiApplication::primaryScreen();
}

// What the window manager adds around a window; a guess before the window was first shown.
QSize frameOf(const QWidget* window)
{
    const QSize frame = window->frameGeometry().size() - window->geometry().size();
    return frame.isEmpty() ? QSize(8, 32) : frame;
}

} // namespace

QSize screenRoom(const QWidget* window)
{
    const QScreen* screen = screenOf(window);
    if (!screen)
        return {QWIDGETSIZE_MAX, QWIDGETSIZE_MAX};
    return (screen->availableGeometry().size() - frameOf(window)).expandedTo(QSize(200, 150));
}

void fitToScreen(QWidget* window)
{
    const QScreen* screen = screenOf(window);
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QSize room = screenRoom(window);
    window->setMinimumSize(window->minimumSize().boundedTo(room));
    window->resize(window->size().boundedTo(room));
    if (window->isWindow() && window->testAttribute(Qt::WA_Moved)) {
        QPoint p = window->pos();
        p.setX(qBound(area.left(), p.x(), area.right() - window->width() - frameOf(window).width() + 1));
        p.setY(qBound(area.top(), p.y(), area.bottom() - window->height() - frameOf(window).height() + 1));
        window->move(p);
    }
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
