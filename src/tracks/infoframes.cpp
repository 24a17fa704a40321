#include "tracks/infoframes.h"

#include "widgets/screenfit.h"

#include <QBoxLayout>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontMetricsF>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QResizeEvent>
#include <QStyle>

#include <algorithm>
#include <cmath>

namespace drovex {
namespace {

// The narrowest a value's text is laid out: words up to this width wrap whole.
constexpr int kNarrowest = 140;
constexpr QChar kBreak(0x200B); // a zero-width break opportunity

// The text with break opportunities between the characters of every word wider than `width`, so
// that such a word is broken where the line ends; other words wrap whole. A character is never
// parted from its accents, nor a surrogate pair split.
QString breakable(const QString& text, const QFontMetricsF& metrics, qreal width)
{
    QString out;
    qsizetype start = 0;
    while (start < text.size()) {
        if (text[start].isSpace()) {
            out += text[start++];
            continue;
        }
        qsizetype end = start;
        while (end < text.size() && !text[end].isSpace())
            ++end;
        const QString word = text.mid(start, end - start);
        if (metrics.horizontalAdvance(word) <= width) {
            out += word;
        } else {
            for (qsizetype i = 0; i < word.size(); ++i) {
                const QChar c = word[i];
                if (i > 0 && !c.isLowSurrogate() && c.category() != QChar::Mark_NonSpacing &&
                    c.category() != QChar::Mark_Enclosing && c.category() != QChar::Mark_SpacingCombining)
                    out += kBreak;
                out += c;
            }
        }
        start = end;
    }
    return out;
}

void alignValueColumns(const QList<QGridLayout*>& grids, const QList<QLabel*>& captions)
{
    // The widest caption as its label lays it out (a few pixels more than the text's advance).
    int width = 0;
    for (const QLabel* caption : captions)
        width = std::max(width, caption->sizeHint().width());
    for (QGridLayout* grid : grids)
        grid->setColumnMinimumWidth(0, width);
}

} // namespace

ValueLabel::ValueLabel(const char* name)
    : QLabel(QStringLiteral("-"))
    , m_value(QStringLiteral("-"))
{
    setObjectName(QString::fromLatin1(name));
    setTextFormat(Qt::PlainText);
    setTextInteractionFlags(Qt::TextSelectableByMouse);
    setWordWrap(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void ValueLabel::setValue(const QString& text)
{
    m_value = text;
    setText(breakable(text, QFontMetricsF(font()), kNarrowest));
    setAccessibleName(text);
    updateGeometry();
}

// What is copied is the value as the file has it, without the breaks put into long words.
void ValueLabel::copySelection() const
{
    if (hasSelectedText())
        QGuiApplication::clipboard()->setText(selectedText().remove(kBreak));
}

void ValueLabel::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Copy)) {
        copySelection();
        event->accept();
        return;
    }
    QLabel::keyPressEvent(event);
}

void ValueLabel::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    QAction* copy = menu.addAction(QStringLiteral("&Copy"), this, &ValueLabel::copySelection);
    copy->setShortcut(QKeySequence::Copy);
    copy->setEnabled(hasSelectedText());
    menu.addAction(QStringLiteral("Select All"), this, [this] { setSelection(0, static_cast<int>(text().size())); });
    menu.exec(event->globalPos());
}

void ValueLabel::setPreferredWidth(int width)
{
    m_preferred = width;
    updateGeometry();
}

QSize ValueLabel::minimumSizeHint() const
{
    const QMargins m = contentsMargins();
    const QSize one = QLabel::minimumSizeHint();
    return {kNarrowest + m.left() + m.right() + 2 * margin(), one.height()};
}

QSize ValueLabel::sizeHint() const
{
    // The longest line of the text as one line, with a pixel or two for rounding.
    const QFontMetricsF metrics(font());
    qreal line = 0;
    for (const QString& l : m_value.split(QLatin1Char('\n')))
        line = std::max(line, metrics.horizontalAdvance(l));
    const QMargins m = contentsMargins();
    const int least = minimumSizeHint().width();
    const int width = std::clamp(static_cast<int>(std::ceil(line)) + 2 + m.left() + m.right() + 2 * margin(), least,
                                 std::max(least, m_preferred));
    return {width, heightForWidth(width)};
}

int valueColumnLimit(const QWidget* window)
{
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    const int width = screen ? screen->availableGeometry().width() : 1024;
    return qBound(kNarrowest * 3 / 2, width / 3, 460);
}

QList<ValueLabel*> buildInfoFrames(QBoxLayout* frames, const QList<InfoRow>& rows, int preferredValueWidth)
{
    QList<QGridLayout*> grids;
    QList<QLabel*> captions;
    QList<ValueLabel*> values;
    QGridLayout* grid = nullptr;
    int frame = -1;
    for (const InfoRow& r : rows) {
        if (r.frame != frame) {
            frame = r.frame;
            auto* box = new QGroupBox;
            box->setObjectName(QStringLiteral("Frame(%1)").arg(frame));
            grid = new QGridLayout(box);
            grids << grid;
            // The values take the room the window has; their captions stay beside them.
            grid->setColumnStretch(1, 1);
            frames->addWidget(box);
        }
        auto* caption = new QLabel(QString::fromLatin1(r.caption));
        auto* value = new ValueLabel(r.name);
        value->setPreferredWidth(preferredValueWidth);
        caption->setBuddy(value);
        const int row = grid->rowCount();
        grid->addWidget(caption, row, 0, Qt::AlignTop);
        grid->addWidget(value, row, 1);
        captions << caption;
        values << value;
    }
    alignValueColumns(grids, captions);
    // A window made taller keeps its frames together at the top.
    frames->addStretch(1);
    return values;
}

InfoWindow::InfoWindow(QWidget* parent)
    : QDialog(parent)
{
}

void InfoWindow::setBody(QWidget* body, QLayout* buttons)
{
    m_scroll = new QScrollArea;
    m_scroll->setObjectName(QStringLiteral("InfoScroll"));
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setWidgetResizable(true);
    m_scroll->setWidget(body);
    auto* top = new QVBoxLayout(this);
    top->addWidget(m_scroll, 1);
    top->addLayout(buttons);
}

void InfoWindow::resizeEvent(QResizeEvent* event)
{
    // The window system's resizes of a shown window are the user's.
    if (!m_fitting && isVisible() && event->spontaneous())
        m_userSized = true;
    QDialog::resizeEvent(event);
}

void InfoWindow::fitToContent()
{
    if (m_userSized)
        return;
    m_fitting = true;
    QWidget* body = m_scroll->widget();
    // The values changed while the window may be hidden, where no change of a size reaches the
    // layouts above: every size is asked afresh.
    for (QWidget* w : body->findChildren<QWidget*>())
        w->updateGeometry();
    for (QLayout* l : body->findChildren<QLayout*>())
        l->invalidate();
    body->layout()->invalidate();
    QSize wanted = body->sizeHint();
    if (body->hasHeightForWidth())
        wanted.setHeight(std::max(wanted.height(), body->heightForWidth(wanted.width())));
    // What the window holds beside its body: margins, spacing and the buttons.
    const QSize around = layout()->sizeHint() - m_scroll->sizeHint();
    QSize size(std::max(wanted.width() + around.width(), layout()->minimumSize().width()), wanted.height() + around.height());
    const QSize room = roomOnScreen(this).expandedTo(QSize(200, 150));
    // Never narrower than the body needs where the screen has the room: a value is never
    // scrolled sideways.
    int least = body->minimumSizeHint().width() + around.width();
    if (size.height() > room.height())
        least += style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_scroll);
    setMinimumWidth(std::min(least, room.width()));
    if (size.height() > room.height()) {
        // Too tall for the screen: longer lines take fewer, as far as the screen is wide; what
        // still does not fit scrolls, beside a scroll bar.
        const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_scroll);
        while (size.width() < room.width() && body->heightForWidth(size.width() - around.width()) + around.height() > room.height())
            size.rwidth() += 20;
        size.rwidth() += bar;
    }
    resize(size.boundedTo(room));
    fitToScreen(this);
    m_fitting = false;
}

} // namespace drovex
