#include "about/aboutwindow.h"
#include "about/infobox.h"
#include "about/linklabel.h"
#include "app/mainwindow.h"
#include "support/testsupport.h"
#include "version.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QTest>

using namespace drovex;
using drovex::test::Fixture;
using drovex::test::ModalScript;

namespace {

void press(QWidget* window, const char* name)
{
    QTest::mouseClick(window->findChild<QPushButton*>(QString::fromLatin1(name)), Qt::LeftButton);
}

// Whether a widget shows, whole, inside its window.
bool wholeInWindow(const QWidget* w)
{
    return w->isVisible() && w->window()->rect().contains(QRect(w->mapTo(w->window(), QPoint()), w->size()));
}

// Whether a colour is drawn somewhere in a widget (at scale 1).
bool drawsColour(QWidget* w, const QColor& colour)
{
    const QImage image = w->grab().toImage();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (qAbs(c.red() - colour.red()) + qAbs(c.green() - colour.green()) + qAbs(c.blue() - colour.blue()) < 12)
                return true;
        }
    return false;
}

} // namespace

class TestAboutWindows : public QObject {
    Q_OBJECT
private slots:
    // Links are drawn in the theme's link colour, light or dark, and in its visited colour once
    // opened; the mouse over one underlines it alone; Tab reaches them, a click, Enter or Space
    // opens them, and screen readers see links. (Checks of the mouse wait: on an X server a move
    // arrives a little later.)
    void linksOpen_data()
    {
        QTest::addColumn<QString>("link");
        QTest::addColumn<int>("key"); // 0: a click
        QTest::addColumn<bool>("dark");
        QTest::addColumn<QUrl>("url");
        const QUrl mail(QStringLiteral("mailto:quennel@example.org"));
        const QUrl web(QStringLiteral("https://drovex.example.org/"));
        QTest::newRow("mail, click") << "txtEMail" << 0 << false << mail;
        QTest::newRow("web, Enter, dark") << "txtURL" << int(Qt::Key_Return) << true << web;
        QTest::newRow("mail, Space, dark") << "txtEMail" << int(Qt::Key_Space) << true << mail;
    }
    void linksOpen()
    {
        QFETCH(QString, link);
        QFETCH(int, key);
        QFETCH(bool, dark);
        QFETCH(QUrl, url);
        const auto restore = qScopeGuard([light = QApplication::palette()] { QApplication::setPalette(light); });
        if (dark) { // a dark theme, as a desktop gives it: light texts on dark grey
            QPalette theme(QColor(45, 45, 48));
            theme.setColor(QPalette::Link, QColor(110, 170, 255));
            theme.setColor(QPalette::LinkVisited, QColor(200, 150, 255));
            QApplication::setPalette(theme);
        }
        Fixture f;
        f.seed(QStringLiteral("Path-GP2"), f.gameFolder());
        MainWindow& w = f.open();
        ModalScript script({{QStringLiteral("Drovex9"), [&](QWidget* about) {
            QVERIFY(QTest::qWaitForWindowExposed(about));
            auto* label = about->findChild<LinkLabel*>(link);
            QAccessibleInterface* access = QAccessible::queryAccessibleInterface(label);
            QCOMPARE(access->role(), QAccessible::Link);
            QCOMPARE(access->text(QAccessible::Name), label->text());
            QTest::mouseMove(label, QPoint(4, label->height() / 2)); // the underline shows the colour
            QTRY_VERIFY(label->isUnderlined());
            QCOMPARE(label->cursor().shape(), Qt::BitmapCursor); // the hand
            const QString other = link == QLatin1String("txtURL") ? QStringLiteral("txtEMail") : QStringLiteral("txtURL");
            QVERIFY(!about->findChild<LinkLabel*>(other)->isUnderlined());
            QVERIFY(drawsColour(label, QApplication::palette().color(QPalette::Link)));
            if (key) {
                for (int tabs = 0; tabs < 4 && QApplication::focusWidget() != label; ++tabs)
                    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                QCOMPARE(QApplication::focusWidget(), label);
                QVERIFY(access->state().focused);
                QTest::keyClick(label, Qt::Key(key));
            } else {
                QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(4, label->height() / 2));
            }
            QTest::mouseMove(label, QPoint(6, label->height() / 2)); // Tab may have scrolled it away
            QTRY_VERIFY(label->isUnderlined());
            QTRY_VERIFY(drawsColour(label, QApplication::palette().color(QPalette::LinkVisited)));
            QVERIFY(about->isVisible()); // Enter opened the link, it did not press Ok
            QTest::mouseMove(about->findChild<QLabel*>(QStringLiteral("About(8)")), QPoint(4, 4));
            QTRY_VERIFY(!label->isUnderlined());
            press(about, "Ok");
        }}});
        w.showAbout();
        QVERIFY(script.completed());
        QCOMPARE(f.services.urls, QList<QUrl>{url});
        QVERIFY(w.findChild<AboutWindow*>()); // Ok only hides it
    }

    // With no program to open a link, a message says so and offers to copy the address.
    void noProgramOpensTheLink_data()
    {
        QTest::addColumn<QString>("link");
        QTest::addColumn<int>("choice");
        QTest::addColumn<QString>("clipboard");
        QTest::newRow("mail, copied") << "txtEMail" << 0 << "quennel@example.org";
        QTest::newRow("web, closed") << "txtURL" << 1 << "before";
    }
    void noProgramOpensTheLink()
    {
        QFETCH(QString, link);
        QFETCH(int, choice);
        QFETCH(QString, clipboard);
        QApplication::clipboard()->setText(QStringLiteral("before"));
        Fixture f;
        f.seed(QStringLiteral("Path-GP2"), f.gameFolder());
        f.services.urlsOpen = false;
        f.services.choices = {choice};
        MainWindow& w = f.open();
        ModalScript script({{QStringLiteral("Drovex9"), [&](QWidget* about) {
            QTest::mouseClick(about->findChild<QLabel*>(link), Qt::LeftButton, {}, QPoint(4, 4));
            press(about, "Ok");
        }}});
        w.showAbout();
        QVERIFY(script.completed());
        QCOMPARE(f.services.questions.size(), 1);
        QVERIFY(f.services.questions[0].contains(QStringLiteral("No program on this computer opened ") +
                                                 f.services.urls.value(0).toString() + QLatin1Char('.')));
        QCOMPARE(QApplication::clipboard()->text(), clipboard);
    }

    // Both windows fit the screen they open on, Ok, Close and the page buttons stay in view, the
    // About texts never overlap or get cut, and every page and picture has a name for screen readers.
    void fitsTheScreen_data()
    {
        QTest::addColumn<QString>("window");
        QTest::newRow("About") << "Drovex9";
        QTest::newRow("Info") << "Drovex2";
    }
    void fitsTheScreen()
    {
        QFETCH(QString, window);
        QVERIFY(test::onTestScreen());
        Fixture f;
        f.seed(QStringLiteral("Path-GP2"), f.gameFolder());
        MainWindow& w = f.open();
        w.show();
        ModalScript script({{window, [](QWidget* shown) {
            QVERIFY(QTest::qWaitForWindowExposed(shown));
            QVERIFY(shown->screen()->availableGeometry().contains(shown->frameGeometry()));
            QVERIFY(!shown->accessibleName().contains(QStringLiteral("  ")));
            if (shown->objectName() == QLatin1String("Drovex9")) {
                QVERIFY(wholeInWindow(shown->findChild<QPushButton*>(QStringLiteral("Ok"))));
                const QList<QLabel*> texts = shown->findChildren<QLabel*>();
                auto place = [shown](QLabel* l) { return QRect(l->mapTo(shown, QPoint()), l->size()); };
                for (QLabel* a : texts) {
                    QVERIFY2(a->height() >= (a->wordWrap() ? a->heightForWidth(a->width()) : a->sizeHint().height()),
                             qPrintable(a->objectName()));
                    for (QLabel* b : texts)
                        QVERIFY2(a == b || !place(a).intersects(place(b)), qPrintable(a->objectName() + b->objectName()));
                }
                for (const char* picture : {"Picture1", "Image1"})
                    QVERIFY(!shown->findChild<QLabel*>(QLatin1String(picture))->accessibleName().isEmpty());
                // A link reached by Tab is scrolled into view.
                auto* web = shown->findChild<QLabel*>(QStringLiteral("txtURL"));
                for (int tabs = 0; tabs < 4 && QApplication::focusWidget() != web; ++tabs)
                    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                QVERIFY(!web->visibleRegion().isEmpty());
                press(shown, "Ok");
                return;
            }
            for (int page = 1; page <= 3; ++page) {
                press(shown, qPrintable(QStringLiteral("Button(%1)").arg(page)));
                auto* text = shown->findChild<QPlainTextEdit*>(QStringLiteral("Text(%1)").arg(page));
                QVERIFY(wholeInWindow(text));
                QVERIFY(!text->accessibleName().isEmpty());
                for (const char* name : {"Button(1)", "Button(2)", "Button(3)", "Close"})
                    QVERIFY(wholeInWindow(shown->findChild<QPushButton*>(QLatin1String(name))));
            }
            press(shown, "Close");
        }}});
        if (window == QLatin1String("Drovex9"))
            w.showAbout();
        else
            w.showInfo();
        QVERIFY(script.completed());
    }

    void infoBoxPages()
    {
        Fixture f;
        f.seed(QStringLiteral("Path-GP2"), f.gameFolder());
        MainWindow& w = f.open();
        ModalScript first({{QStringLiteral("Drovex2"), [&f](QWidget* window) {
            auto* box = qobject_cast<InfoBox*>(window);
            QCOMPARE(box->currentPage(), 1);
            // Page 1 names where the user's files are, and the version the program is.
            const QString frontEndPage = box->findChild<QPlainTextEdit*>(QStringLiteral("Text(1)"))->toPlainText();
            QVERIFY2(frontEndPage.contains(QStringLiteral("\n    %1\n").arg(f.storeFile)), qPrintable(frontEndPage));
            QVERIFY2(frontEndPage.contains(QStringLiteral("\n    %1\n").arg(f.gameFolder())), qPrintable(frontEndPage));
            QVERIFY(frontEndPage.contains(QStringLiteral("Version %1\n").arg(QLatin1String(kVersion))));
            QCOMPARE(box->windowTitle(), QStringLiteral("Drovex Info") + QString(82, QLatin1Char(' ')) +
                                             QStringLiteral("[Version 1.14 by Quennel]"));
            QCOMPARE(QAccessible::queryAccessibleInterface(box)->text(QAccessible::Name),
                     QStringLiteral("Drovex Info [Version 1.14 by Quennel]"));
            // Every page is laid out in columns of characters: all three show a fixed-width font.
            for (int page = 1; page <= 3; ++page) {
                auto* text = box->findChild<QPlainTextEdit*>(QStringLiteral("Text(%1)").arg(page));
                const QFontMetrics columns(text->font()); // whatever the font says of itself
                QCOMPARE(columns.horizontalAdvance(QStringLiteral("iiii")), columns.horizontalAdvance(QStringLiteral("WWWW")));
            }
            QVERIFY(box->findChild<QPlainTextEdit*>(QStringLiteral("Text(2)"))->toPlainText().contains(QLatin1String("mapDotSizeVGA")));
            press(box, "Button(3)");
            press(box, "Button(3)");
            QCOMPARE(box->currentPage(), 3);
            press(box, "Close");
        }}});
        w.showInfo();
        QVERIFY(first.completed());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ModalScript reopened({{QStringLiteral("Drovex2"), [](QWidget* box) {
            QCOMPARE(qobject_cast<InfoBox*>(box)->currentPage(), 1);
            press(box, "Close");
        }}});
        w.showInfo();
        QVERIFY(reopened.completed());
    }

    void infoBoxBeforeAGameFolder()
    {
        InfoBox box(QStringLiteral("/home/player/.config/Drovex Windows Front-End.ini"), QString(), {}, nullptr);
        const QString page = box.findChild<QPlainTextEdit*>(QStringLiteral("Text(1)"))->toPlainText();
        QVERIFY(page.contains(QLatin1String("\n    /home/player/.config/Drovex Windows Front-End.ini\n")));
        QVERIFY(page.contains(QLatin1String("\n    (none chosen yet: Choose Path, GP2 Path)\n")));
    }
};

QTEST_MAIN(TestAboutWindows)
#include "tst_aboutwindows.moc"
