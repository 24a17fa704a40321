#include "about/infobox.h"

#include "about/aboutwindow.h"
#include "common/indexing.h"
#include "version.h"
#include "widgets/controls.h"
#include "widgets/screenfit.h"

#include <QDir>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace drovex {

namespace {

// Page 1 with the places of the user's files filled in, and the lines kept from their own
// Drovex.cfg under the game folder.
QString frontEndPage(const QString& settingsFile, const QString& gameFolder, const QStringList& keptLines)
{
    QString folder = gameFolder.isEmpty() ? QStringLiteral("(none chosen yet: Choose Path, GP2 Path)")
                                          : QDir::toNativeSeparators(gameFolder);
    if (!keptLines.isEmpty())
        folder += QStringLiteral("\n  Lines kept from your own Drovex.cfg, written after the window's own\n"
                                 "  (File, Forget Kept Drovex.cfg Lines leaves them out):\n    ") +
                  keptLines.join(QStringLiteral("\n    "));
    return aboutText(QStringLiteral("page1.txt"))
        .replace(QLatin1String("@SETTINGS_FILE@"), QDir::toNativeSeparators(settingsFile))
        .replace(QLatin1String("@GAME_FOLDER@"), folder);
}

} // namespace

InfoBox::InfoBox(const QString& settingsFile, const QString& gameFolder, const QStringList& keptLines, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("Drovex2"));
    setWindowTitle(QStringLiteral("Drovex Info") + QString(82, QLatin1Char(' ')) + QStringLiteral("[Version ") +
                   QLatin1String(kVersion) + QStringLiteral(" by Quennel]"));
    // Screen readers read the title without the blanks that push the version to the right.
    setAccessibleName(windowTitle().simplified());
    setModal(true);
    setAttribute(Qt::WA_DeleteOnClose);

    auto* frame = new QGroupBox;
    frame->setObjectName(QStringLiteral("Frame1"));
    auto* pages = new QGridLayout(frame);
    QFont fixed(QStringLiteral("Courier New"));
    fixed.setStyleHint(QFont::TypeWriter);
    fixed.setFixedPitch(true);
    fixed.setPointSize(9);
    for (int i = 1; i <= 3; ++i) {
        auto* text = new QPlainTextEdit(i == 1 ? frontEndPage(settingsFile, gameFolder, keptLines)
                                               : aboutText(QStringLiteral("page%1.txt").arg(i)));
        text->setObjectName(QStringLiteral("Text(%1)").arg(i));
        text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        // Every page is laid out for a fixed-width font; page 2 stays editable.
        text->setFont(i == 2 ? QFontDatabase::systemFont(QFontDatabase::FixedFont) : fixed);
        text->setLineWrapMode(QPlainTextEdit::NoWrap);
        text->setReadOnly(i != 2);
        pages->addWidget(text, 0, 0); // all three at the same place
        at(m_page, i - 1) = text;
    }

    auto* buttons = new QHBoxLayout;
    const char* const captions[3] = {"Drovex Front-End", "Drovex Info", "Drovex FAQ"};
    const char* const tips[3] = {"Drovex Front-End Info", "Drovex Info", "Drovex FAQ"};
    for (int i = 1; i <= 3; ++i) {
        at(m_page, i - 1)->setAccessibleName(QString::fromLatin1(tips[i - 1]));
        auto* b = makeButton(qPrintable(QStringLiteral("Button(%1)").arg(i)), captions[i - 1], tips[i - 1]);
        connect(b, &QPushButton::clicked, this, [this, i] { showPage(i); });
        buttons->addWidget(b);
    }
    buttons->addStretch(1);
    auto* close = makeButton("Close", "Close", "Close window");
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    buttons->addWidget(close);

    auto* top = new QVBoxLayout(this);
    top->addWidget(frame, 1);
    top->addLayout(buttons);
    showPage(1);
}

void InfoBox::showEvent(QShowEvent* event)
{
    const bool opening = !event->spontaneous(); // not shown again by the window system
    if (opening)
        resize(QSize(720, 520).boundedTo(roomOnScreen(this)));
    QDialog::showEvent(event);
    if (opening)
        keepOnScreen(this);
}

void InfoBox::showPage(int page)
{
    for (QPlainTextEdit* p : m_page)
        p->hide();
    at(m_page, page - 1)->show();
}

int InfoBox::currentPage() const
{
    for (int i = 0; i < 3; ++i)
        if (!at(m_page, i)->isHidden())
            return i + 1;
    return 0;
}

} // namespace drovex
