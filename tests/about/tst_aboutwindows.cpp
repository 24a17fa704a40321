#include "about/aboutwindow.h"
#include "about/infobox.h"
#include "app/mainwindow.h"
#include "support/testsupport.h"
#include "version.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

using namespace drovex;
using drovex::test::Fixture;
using drovex::test::ModalScript;

namespace {

QColor textColour(QWidget* w) { return w->palette().color(QPalette::WindowText); }
void press(QWidget* window, const char* name)
{
    QTest::mouseClick(window->findChild<QPushButton*>(QString::fromLatin1(name)), Qt::LeftButton);
}

} // namespace

class TestAboutWindows : public QObject {
    Q_OBJECT
private slots:
    // The mouse, moved over the real window, lights the link under it and darkens the other. (Each
    // first check waits: on an X server the move arrives a little later.)
    void aboutLinksAndHover()
    {
        Fixture f;
        f.seed(QStringLiteral("Path-GP2"), f.gameFolder());
        MainWindow& w = f.open();
        const QColor blue(0, 0, 192);
        const QColor black(Qt::black);
        ModalScript script({{QStringLiteral("Drovex9"), [&](QWidget* about) {
            QVERIFY(QTest::qWaitForWindowExposed(about));
            auto* mail = about->findChild<QLabel*>(QStringLiteral("txtEMail"));
            auto* web = about->findChild<QLabel*>(QStringLiteral("txtURL"));
            auto* disclaimer = about->findChild<QLabel*>(QStringLiteral("About(8)"));
            QTest::mouseMove(mail, QPoint(4, mail->height() / 2));
            QTRY_COMPARE(textColour(mail), blue);
            QCOMPARE(textColour(web), black);
            QTest::mouseMove(mail, QPoint(8, mail->height() / 2)); // moving on over the same link
            QTRY_COMPARE(textColour(mail), blue);
            QCOMPARE(mail->cursor().shape(), Qt::BitmapCursor); // the hand
            QTest::mouseMove(web, QPoint(4, web->height() / 2));
            QTRY_COMPARE(textColour(web), blue);
            QCOMPARE(textColour(mail), black);
            QTest::mouseMove(disclaimer, QPoint(4, 4));
            QTRY_COMPARE(textColour(web), black);
            QCOMPARE(textColour(mail), black);
            QTest::mouseMove(mail, QPoint(4, mail->height() / 2));
            QTest::mouseMove(about, QPoint(2, 2)); // the window's background
            QTRY_COMPARE(textColour(mail), black);
            QTest::mouseClick(mail, Qt::LeftButton);
            QTest::mouseClick(web, Qt::LeftButton);
            press(about, "Ok");
        }}});
        w.showAbout();
        QVERIFY(script.completed());
        QCOMPARE(f.services.urls, (QList<QUrl>{QUrl(QStringLiteral("mailto:quennel@example.org")),
                                              QUrl(QStringLiteral("https://drovex.example.org/"))}));
        auto* about = w.findChild<AboutWindow*>();
        QVERIFY(about); // Ok only hides it
        QCOMPARE(about->windowTitle(), QStringLiteral("About Drovex"));
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
            // Every page is laid out in columns of characters: all three show a font whose
            // characters are equally wide.
            for (int page = 1; page <= 3; ++page) {
                auto* text = box->findChild<QPlainTextEdit*>(QStringLiteral("Text(%1)").arg(page));
                const QFontMetrics metrics(text->font());
                QVERIFY2(metrics.horizontalAdvance(QStringLiteral("iiiiiiiiii")) ==
                             metrics.horizontalAdvance(QStringLiteral("WWWWWWWWWW")),
                         qPrintable(QFontInfo(text->font()).family()));
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
