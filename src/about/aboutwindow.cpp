#include "about/aboutwindow.h"

#include "widgets/appicon.h"
#include "widgets/controls.h"
#include "widgets/handcursor.h"
#include "widgets/services.h"

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
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

QLabel* label(const QString& name, const QString& text, bool wrap = false)
{
    auto* l = new QLabel(text);
    l->setObjectName(name);
    l->setTextFormat(Qt::PlainText);
    l->setWordWrap(wrap);
    QFont f(QStringLiteral("Arial"));
    f.setPointSize(l->font().pointSize());
    l->setFont(f);
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
    setMouseTracking(true);
    installEventFilter(this);

    auto* picture = new QLabel;
    picture->setObjectName(QStringLiteral("Picture1"));
    picture->setPixmap(logo());
    auto* image = new QLabel;
    image->setObjectName(QStringLiteral("Image1"));
    // The small picture: the program's own icon, as drawn once for its windows.
    const QIcon icon = QApplication::windowIcon().isNull() ? appIcon() : QApplication::windowIcon();
    image->setPixmap(icon.pixmap(32, 32));

    auto* title = label(QStringLiteral("About(0)"), QStringLiteral("Drovex Front-End"));
    QFont big = title->font();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    title->setFont(big);
    auto* subtitle = label(QStringLiteral("About(1)"), QStringLiteral("Drovex"));
    auto* letterF = label(QStringLiteral("About(2)"), QStringLiteral("F"));
    auto* letterE = label(QStringLiteral("About(3)"), QStringLiteral("E"));

    m_mail = label(QStringLiteral("txtEMail"), QString::fromLatin1(kAuthorMail));
    m_mail->setToolTip(QStringLiteral("Write me a mail"));
    m_web = label(QStringLiteral("txtURL"), QString::fromLatin1(kAuthorWeb));
    m_web->setToolTip(QStringLiteral("Visit my site"));
    for (QLabel* link : {m_mail, m_web}) {
        useHandCursor(link);
        link->setMouseTracking(true);
        link->installEventFilter(this);
        setTextColour(link, Qt::black);
    }

    auto* contact = new QGridLayout;
    contact->addWidget(label(QStringLiteral("Names"), QStringLiteral("Programed by:")), 0, 0);
    contact->addWidget(label(QStringLiteral("Label1"), QStringLiteral("Quennel")), 0, 1);
    contact->addWidget(label(QStringLiteral("About(5)"), QStringLiteral("E-Mail:")), 1, 0);
    contact->addWidget(m_mail, 1, 1);
    contact->addWidget(label(QStringLiteral("About(6)"), QStringLiteral("ICQ:")), 2, 0);
    contact->addWidget(label(QStringLiteral("About(10)"), QStringLiteral("123-456-789")), 2, 1);
    contact->addWidget(label(QStringLiteral("About(7)"), QStringLiteral("Web:")), 3, 0);
    contact->addWidget(m_web, 3, 1);
    contact->setColumnStretch(1, 1);

    auto* ok = makeButton("Ok", "Ok", "OK ... enought");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::hide);

    auto* head = new QHBoxLayout;
    head->addWidget(image);
    head->addWidget(letterF);
    head->addWidget(letterE);
    head->addWidget(picture);
    head->addStretch(1);
    auto* top = new QVBoxLayout(this);
    top->addLayout(head);
    top->addWidget(title);
    top->addWidget(subtitle);
    top->addLayout(contact);
    for (const auto& [name, file] : {std::pair{"About(8)", "disclaimer.txt"}, std::pair{"About(12)", "terms.txt"},
                                     std::pair{"About(13)", "rights.txt"}, std::pair{"About(14)", "notice.txt"},
                                     std::pair{"Label", "thanks.txt"}}) {
        QLabel* l = label(QString::fromLatin1(name), aboutText(QString::fromLatin1(file)), true);
        l->setMouseTracking(true);
        l->installEventFilter(this);
        top->addWidget(l);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    top->addLayout(buttons);
    setFixedWidth(460);
}

void AboutWindow::highlight(QLabel* link)
{
    const QColor darkBlue(0, 0, 192);
    setTextColour(m_mail, link == m_mail ? darkBlue : QColor(Qt::black));
    setTextColour(m_web, link == m_web ? darkBlue : QColor(Qt::black));
}

bool AboutWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter) {
        if (watched == m_mail || watched == m_web) {
            highlight(static_cast<QLabel*>(watched));
            // Taken here: passed on, the move would reach the window and turn the link black again.
            return event->type() == QEvent::MouseMove;
        }
        highlight(nullptr); // the window's background and its texts
    } else if (event->type() == QEvent::MouseButtonRelease &&
               static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (watched == m_mail) {
            m_services.openUrl(QUrl(QStringLiteral("mailto:") + QString::fromLatin1(kAuthorMail)));
            return true;
        }
        if (watched == m_web) {
            m_services.openUrl(QUrl(QString::fromLatin1(kAuthorWeb)));
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace drovex
