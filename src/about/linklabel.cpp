#include "about/linklabel.h"

#include "widgets/handcursor.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace drovex {
namespace {

// A link as screen readers see it: named by its text, described by its tooltip, and opened by
// their press action.
class LinkAccess final : public QAccessibleWidget {
public:
    explicit LinkAccess(LinkLabel* link)
        : QAccessibleWidget(link, QAccessible::Link)
    {
    }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return link()->text();
        if (t == QAccessible::Value)
            return link()->text();
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.linked = true;
        s.traversed = link()->isVisited();
        return s;
    }
    QStringList actionNames() const override { return QStringList(pressAction()) + QAccessibleWidget::actionNames(); }
    void doAction(const QString& action) override
    {
        if (action == pressAction())
            emit link()->activated();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    LinkLabel* link() const { return static_cast<LinkLabel*>(widget()); }
};

QAccessibleInterface* linkAccess(const QString& className, QObject* object)
{
    if (className == QLatin1String(LinkLabel::staticMetaObject.className()))
        if (auto* link = qobject_cast<LinkLabel*>(object))
            return new LinkAccess(link);
    return nullptr;
}

} // namespace

LinkLabel::LinkLabel(const QString& text, QWidget* parent)
    : QLabel(text, parent)
{
    static const bool accessible = (QAccessible::installFactory(linkAccess), true);
    Q_UNUSED(accessible);
    setTextFormat(Qt::PlainText);
    setForegroundRole(QPalette::Link);
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
    useHandCursor(this);
}

void LinkLabel::setVisited(bool visited)
{
    setForegroundRole(visited ? QPalette::LinkVisited : QPalette::Link);
    update();
}

void LinkLabel::setUnderlined(bool on)
{
    QFont f = font();
    f.setUnderline(on);
    setFont(f);
}

void LinkLabel::enterEvent(QEnterEvent* event)
{
    setUnderlined(true);
    QLabel::enterEvent(event);
}

void LinkLabel::leaveEvent(QEvent* event)
{
    setUnderlined(false);
    QLabel::leaveEvent(event);
}

void LinkLabel::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        emit activated();
        break;
    default:
        QLabel::keyPressEvent(event);
    }
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit activated();
    else
        QLabel::mouseReleaseEvent(event);
}

// The style's focus frame while it has the focus, under the text, so that a style which tints
// the frame's inside leaves the text in the link colour.
void LinkLabel::paintEvent(QPaintEvent* event)
{
    if (hasFocus()) {
        QStylePainter p(this);
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.backgroundColor = palette().color(backgroundRole());
        p.drawPrimitive(QStyle::PE_FrameFocusRect, option);
    }
    QLabel::paintEvent(event);
}

} // namespace drovex
