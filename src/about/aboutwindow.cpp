#include "about/aboutwindow.h"

#include "about/linklabel.h"
#include "widgets/appicon.h"
#include "widgets/controls.h"
#include "widgets/screenfit.h"
#include "widgets/services.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QShowEvent>
#include <QScrollArea>
#include <QUrl>
#include <QVBoxLayout>

// Resources of a static library are registered by hand.
static void initAboutResources() { Q_INIT_RESOURCE(about); }

namespace drovex {
namespace {

// The logo: the program's name in white on a dark red band, 275 by 35 pixels.
QPixmap logo()
{
    QPixmap pm(275, 35);
    pm.fill(QColor(128, 0, 0));
    QPainter p(&pm);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(24);
    f.setBold(true);
    f.setItalic(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(pm.rect(), Qt::AlignCenter, QStringLiteral("Drovex Front-End"));
    return pm;
}

// The About texts are set in Arial, at the size of the widget's own font.
void useArial(QWidget* widget)
{
    QFont f(QStringLiteral("Arial"));
    if (widget->font().pointSizeF() > 0)
        f.setPointSizeF(widget->font().pointSizeF());
    widget->setFont(f);
}

QLabel* label(const QString& name, const QString& text, bool wrap = false)
{
    auto* l = new QLabel(text);
    l->setObjectName(name);
    l->setTextFormat(Qt::PlainText);
    l->setWordWrap(wrap);
    useArial(l);
    return l;
}

} // namespace

QString aboutText(const QString& name)
{
    initAboutResources();
    QFile f(QStringLiteral(":/about/texts/") + name);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll()).trimmed();
}

AboutWindow::AboutWindow(Services& services, QWidget* parent)
    : QDialog(parent)
    , m_services(services)
{
    setObjectName(QStringLiteral("Drovex9"));
    setWindowTitle(QStringLiteral("About Drovex"));
    setModal(true);

    auto* picture = new QLabel;
    picture->setObjectName(QStringLiteral("Picture1"));
    picture->setPixmap(logo());
    picture->setAccessibleName(QStringLiteral("Drovex Front-End logo"));
    auto* image = new QLabel;
    image->setObjectName(QStringLiteral("Image1"));
    // The small picture: the program's own icon, as drawn once for its windows.
    const QIcon icon = QApplication::windowIcon().isNull() ? appIcon() : QApplication::windowIcon();
    image->setPixmap(icon.pixmap(32, 32));
    image->setAccessibleName(QStringLiteral("Drovex Front-End icon"));

    auto* title = label(QStringLiteral("About(0)"), QStringLiteral("Drovex Front-End"));
    QFont big = title->font();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    title->setFont(big);
    auto* subtitle = label(QStringLiteral("About(1)"), QStringLiteral("Drovex"));
    auto* letterF = label(QStringLiteral("About(2)"), QStringLiteral("F"));
    auto* letterE = label(QStringLiteral("About(3)"), QStringLiteral("E"));

    const QString mailAddress = QString::fromLatin1(kAuthorMail);
    const QString webAddress = QString::fromLatin1(kAuthorWeb);
    auto* mail = new LinkLabel(mailAddress);
    mail->setObjectName(QStringLiteral("txtEMail"));
    mail->setToolTip(QStringLiteral("Write me a mail"));
    auto* web = new LinkLabel(webAddress);
    web->setObjectName(QStringLiteral("txtURL"));
    web->setToolTip(QStringLiteral("Visit my site"));
    for (LinkLabel* link : {mail, web})
        useArial(link);
    connect(mail, &LinkLabel::activated, this, [this, mail, mailAddress] {
        openLink(mail, QUrl(QStringLiteral("mailto:") + mailAddress), mailAddress);
    });
    connect(web, &LinkLabel::activated, this, [this, web, webAddress] { openLink(web, QUrl(webAddress), webAddress); });

    auto* contact = new QGridLayout;
    contact->addWidget(label(QStringLiteral("Names"), QStringLiteral("Programed by:")), 0, 0);
    contact->addWidget(label(QStringLiteral("Label1"), QStringLiteral("Quennel")), 0, 1);
    contact->addWidget(label(QStringLiteral("About(5)"), QStringLiteral("E-Mail:")), 1, 0);
    contact->addWidget(mail, 1, 1, Qt::AlignLeft); // only the text is the link
    contact->addWidget(label(QStringLiteral("About(6)"), QStringLiteral("ICQ:")), 2, 0);
    contact->addWidget(label(QStringLiteral("About(10)"), QStringLiteral("123-456-789")), 2, 1);
    contact->addWidget(label(QStringLiteral("About(7)"), QStringLiteral("Web:")), 3, 0);
    contact->addWidget(web, 3, 1, Qt::AlignLeft);
    contact->setColumnStretch(1, 1);

    auto* head = new QHBoxLayout;
    head->addWidget(image);
    head->addWidget(letterF);
    head->addWidget(letterE);
    head->addWidget(picture);
    head->addStretch(1);
    m_content = new QWidget;
    auto* texts = new QVBoxLayout(m_content);
    texts->addLayout(head);
    texts->addWidget(title);
    texts->addWidget(subtitle);
    texts->addLayout(contact);
    for (const auto& [name, file] : {std::pair{"About(8)", "disclaimer.txt"}, std::pair{"About(12)", "terms.txt"},
                                     std::pair{"About(13)", "rights.txt"}, std::pair{"About(14)", "notice.txt"},
                                     std::pair{"Label", "thanks.txt"}})
        texts->addWidget(label(QString::fromLatin1(name), aboutText(QString::fromLatin1(file)), true));
    texts->addStretch(1);
    auto* scroll = new QScrollArea;
    scroll->setObjectName(QStringLiteral("AboutTexts"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setWidgetResizable(true);
    scroll->setWidget(m_content);
    // Tab stops at the texts too, so that the keyboard can scroll them (a focused link is
    // scrolled into view by itself); a click does not take the focus from a link or Ok.
    scroll->setFocusPolicy(Qt::TabFocus);

    auto* ok = makeButton("Ok", "Ok", "OK ... enought");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::hide);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(0, 0, 0, top->contentsMargins().bottom());
    top->addWidget(scroll, 1);
    buttons->setContentsMargins(0, 0, texts->contentsMargins().right(), 0);
    top->addLayout(buttons);
    setTabOrder(scroll, mail);
    setTabOrder(mail, web);
    setTabOrder(web, ok);
    ok->setFocus(); // Enter or Space closes the window, as before
}

void AboutWindow::showEvent(QShowEvent* event)
{
    // 460 pixels wide, as tall as its texts need, within the screen; later openings keep the
    // size the user left it at, within the screen it now opens on.
    const bool opening = !event->spontaneous(); // not shown again by the window system
    if (opening) {
        const QSize room = roomOnScreen(this);
        QSize wanted = size();
        if (!m_sized) {
            const int width = qMin(460, room.width());
            wanted = QSize(width, m_content->heightForWidth(width) + layout()->totalSizeHint().height() -
                                      layout()->itemAt(0)->sizeHint().height());
            m_sized = true;
        }
        resize(wanted.boundedTo(room));
    }
    QDialog::showEvent(event);
    if (opening)
        keepOnScreen(this);
}

void AboutWindow::openLink(LinkLabel* link, const QUrl& url, const QString& address)
{
    if (m_services.openUrl(url)) {
        link->setVisited(true);
        return;
    }
    const QString text = QStringLiteral("No program on this computer opened %1.\n\n"
                                        "You can copy the address and use it in a program of your choice.")
                             .arg(url.toString());
    if (m_services.question(this, QStringLiteral("About Drovex"), text,
                            {QStringLiteral("Copy Address"), QStringLiteral("Close")}) == 0)
        QGuiApplication::clipboard()->setText(address);
}

} // namespace drovex
