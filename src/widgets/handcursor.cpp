#include "widgets/handcursor.h"

#include <QCursor>
#include <QPixmap>
#include <QWidget>

#include "widgets/handcursor.xpm"

namespace drovex {

const QCursor& handCursor()
{
    static const QCursor cursor(QPixmap(hand_cursor_xpm), 12, 1);
    return cursor;
}

void useHandCursor(QWidget* widget)
{
    if (widget)
        widget->setCursor(handCursor());
}

} // namespace drovex
