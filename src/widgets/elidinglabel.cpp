#include "widgets/elidinglabel.h"

#include <QResizeEvent>

namespace drovex {

ElidingLabel::ElidingLabel(QWidget* parent)
    : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

void ElidingLabel::setFullText(const QString& text)
{
    m_full = text;
    setAccessibleName(text);
    elide();
}

QSize ElidingLabel::minimumSizeHint() const { return {fontMetrics().horizontalAdvance(QStringLiteral("MMMM…")), QLabel::minimumSizeHint().height()}; }

void ElidingLabel::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    elide();
}

void ElidingLabel::elide()
{
    const bool was = isElided();
    // Before the first layout the label has no width yet: show the whole text.
    const int room = contentsRect().width();
    setText(room > 0 ? fontMetrics().elidedText(m_full, Qt::ElideRight, room) : m_full);
    if (was != isElided())
        emit elisionChanged();
}

} // namespace drovex
