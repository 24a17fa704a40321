#include "widgets/statusline.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPainter>
#include <QPlainTextEdit>
#include <QStyleOption>
#include <QVBoxLayout>

namespace drovex {

StatusLine::StatusLine(QWidget* parent)
    : QStatusBar(parent)
{
    setObjectName(QStringLiteral("StatusLine"));
    setSizeGripEnabled(false);
    setAccessibleName(QStringLiteral("Status"));
    connect(this, &QStatusBar::messageChanged, this, &StatusLine::took);
}

void StatusLine::took(const QString& text)
{
    if (!text.isEmpty()) {
        m_log.append({QDateTime::currentDateTime(), text});
        if (m_log.size() > kLogSize)
            m_log.removeFirst();
    }
    setAccessibleDescription(text);
    updateTip();
    update();
}

QString StatusLine::logText() const
{
    QString out;
    for (const Entry& e : m_log)
        out += e.time.toString(QStringLiteral("HH:mm:ss")) + QStringLiteral("  ") + e.text + QLatin1Char('\n');
    return out;
}

QRect StatusLine::textRect() const { return rect().adjusted(6, 0, -6, 0); }

// A message the bar cannot show whole is shown whole in the tooltip.
void StatusLine::updateTip()
{
    const QString text = currentMessage();
    setToolTip(fontMetrics().horizontalAdvance(text) > textRect().width() ? text : QString());
}

void StatusLine::resizeEvent(QResizeEvent* event)
{
    QStatusBar::resizeEvent(event);
    updateTip();
}

void StatusLine::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    QStyleOption option;
    option.initFrom(this);
    style()->drawPrimitive(QStyle::PE_PanelStatusBar, &option, &p, this);
    const QRect r = textRect();
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(r, Qt::AlignLeading | Qt::AlignVCenter | Qt::TextSingleLine,
               fontMetrics().elidedText(currentMessage(), Qt::ElideRight, r.width()));
}

void showMessageLog(QWidget* owner, const StatusLine& line)
{
    QDialog box(owner);
    box.setObjectName(QStringLiteral("MessageLog"));
    box.setWindowTitle(QStringLiteral("Messages"));
    auto* text = new QPlainTextEdit(line.logText());
    text->setObjectName(QStringLiteral("MessageLogText"));
    text->setAccessibleName(QStringLiteral("The last %1 messages").arg(StatusLine::kLogSize));
    text->setReadOnly(true);
    text->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &box, &QDialog::reject);
    auto* layout = new QVBoxLayout(&box);
    layout->addWidget(text);
    layout->addWidget(buttons);
    box.resize(640, 320);
    box.exec();
}

} // namespace drovex
