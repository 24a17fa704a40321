#include "widgets/plaintext.h"

#include <QEvent>
#include <QHelpEvent>
#include <QTextDocument>
#include <QToolTip>
#include <QWidget>

namespace drovex {
namespace {

class PlainToolTipFilter final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::ToolTip)
            return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        const QString tip = widget ? widget->toolTip() : QString();
        if (!widget || tip.isEmpty() || !Qt::mightBeRichText(tip))
            return false;
        // Escaped markup renders as the very characters it holds.
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(),
                           QStringLiteral("<p style='white-space:pre'>") + tip.toHtmlEscaped() + QStringLiteral("</p>"),
                           widget);
        return true;
    }
};

} // namespace

void usePlainToolTip(QWidget* widget)
{
    static PlainToolTipFilter* filter = new PlainToolTipFilter;
    if (widget)
        widget->installEventFilter(filter);
}

} // namespace drovex
