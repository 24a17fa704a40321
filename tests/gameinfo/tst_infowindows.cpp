#include "about/aboutwindow.h"
#include "app/mainwindow.h"
#include "about/infobox.h"
#include "tracks/fileinfowindow.h"
#include "tracks/trackmanager.h"
#include "support/coresupport.h"
#include "support/testsupport.h"
#include "tracks/trackinfowindow.h"
#include "tracks/trackselector.h"
#include "version.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace drovex;
using drovex::test::Fixture;

namespace {

// Runs the steps one event-loop turn apart, each inside whichever modal window is open then.
void runSteps(QList<std::function<void()>> steps)
{
    if (steps.isEmpty())
        return;
    QTimer::singleShot(0, qApp, [steps]() mutable {
        auto step = steps.takeFirst();
        step();
        runSteps(steps);
    });
}

QWidget* modal() { return QApplication::activeModalWidget(); }
void enter(QWidget* w)
{
    QEvent e(QEvent::Enter);
    QCoreApplication::sendEvent(w, &e);
}
QString labelText(const char* name)
{
    return modal()->findChild<QLabel*>(QString::fromLatin1(name))->text().remove(QChar(0x200B));
}
void press(const char* name) { modal()->findChild<QPushButton*>(QString::fromLatin1(name))->click(); }

void makeGame(Fixture& f, bool knownEdition)
{
    const QString game = f.gameFolder();
    QFile exe(game + QStringLiteral("/GP2.EXE"));
    QVERIFY(exe.open(QIODevice::WriteOnly) && exe.resize(5859328));
    if (knownEdition)
        QVERIFY(exe.seek(5674543) && exe.write("Deutsche Ausgabe 1.0b") == 21);
    exe.close();
    QVERIFY(test::writeFile(game + QStringLiteral("/CIRCUITS/MONACO.DAT"),
                            "#GP2INFO|Name|Monaco|" + QByteArray(123456 - 21, '\0')));
    f.seed(QStringLiteral("Path-GP2"), game);
    f.seed(QStringLiteral("Path-Drovex"), game + QStringLiteral("/Drovex.EXE"));
    f.seed(QStringLiteral("Path-Emulator"), QStringLiteral("/opt/emulators/dosbox-x"));
}

} // namespace

class TestInfoWindows : public QObject {
    Q_OBJECT
private slots:
    void fileAndFolderInfoHandOvers()
    {
        Fixture f;
        makeGame(f, false);
        MainWindow& w = f.open();
        w.show();
        QStringList seen;
        runSteps({
            [&] {
                TrackSelector* s = w.tracks().selector(false);
                s->changeFolder(f.gameFolder() + QStringLiteral("/CIRCUITS"));
                s->fileClicked(QStringLiteral("MONACO.DAT"));
                press("BTN_Details");
            },
            [&] { press("BTN_System"); },
            [&] {
                seen << modal()->objectName() << labelText("LBL_GP2Version") << labelText("LBL_GP2FileSize")
                     << labelText("LBL_GP2Folder") << labelText("LBL_TrackName") << labelText("LBL_TrackFileSize")
                     << labelText("LBL_TrackFolder");
                const QColor c = modal()->findChild<QLabel*>(QStringLiteral("LBL_GP2Version"))->palette().color(QPalette::WindowText);
                seen << c.name();
                press("BTN_Track");
            },
            [&] {
                seen << modal()->objectName();
                press("BTN_System");
            },
            [&] {
                seen << modal()->objectName();
                QTest::keyClick(modal(), Qt::Key_Escape); // as OK: back to the selector
            },
            [&] {
                seen << modal()->objectName();
                press("BTN_List");
            },
            [&] {
                seen << modal()->objectName() << labelText("LBL_Track(1)") << labelText("LBL_Folder(0)")
                     << labelText("LBL_Folder(1)") << labelText("LBL_Folder(2)") << labelText("LBL_Folder(3)");
                press("BTN_Main");
            },
        });
        w.showTrackManager();
        QCOMPARE(seen, (QStringList{QStringLiteral("Drovex7"), QStringLiteral("Unknown Version"),
                                    QLocale().toString(5.59, 'f', 2).prepend(QStringLiteral("5859328 Bytes  (")) +
                                        QStringLiteral(" MB)"),
                                    f.gameFolder(), QStringLiteral("Monaco  (MONACO.DAT)"),
                                    QLocale().toString(120.6, 'f', 1).prepend(QStringLiteral("123456 Bytes  (")) +
                                        QStringLiteral(" KB)"),
                                    QStringLiteral("...\\CIRCUITS"), QStringLiteral("#ff0000"),
                                    QStringLiteral("Drovex6"), QStringLiteral("Drovex7"), QStringLiteral("Drovex5"),
                                    QStringLiteral("Drovex8"), QStringLiteral("CIRCUITS\\F1CT01.DAT"), f.gameFolder(),
                                    f.gameFolder(), QString(), QStringLiteral("/opt/emulators/dosbox-x")}));
        // "Main Screen" leaves the selector loaded but hidden.
        QVERIFY(w.tracks().selector(false));
        QVERIFY(!w.tracks().selector(false)->isVisible());
        QVERIFY(w.tracks().selector(false)->fileInfo(false));

        // Accept and Cancel end the File-Info window with the selector; it is filled afresh next time.
        w.tracks().selector(false)->reject();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!w.findChild<FileInfoWindow*>());
        QVERIFY(!w.findChild<TrackInfoWindow*>());
    }

    void knownEditionInBlack()
    {
        Fixture f;
        makeGame(f, true);
        MainWindow& w = f.open();
        FileInfoWindow* info = w.tracks().selector(true)->fileInfo(true);
        info->fill(QString(), QString());
        auto* version = info->findChild<QLabel*>(QStringLiteral("LBL_GP2Version"));
        QCOMPARE(version->text(), QStringLiteral("Deutsche Ausgabe 1.0b"));
        QCOMPARE(version->palette().color(QPalette::WindowText), QColor(Qt::black));
        // Nothing selected: the track's facts are "-".
        QCOMPARE(info->findChild<QLabel*>(QStringLiteral("LBL_TrackFileSize"))->text(), QStringLiteral("-"));
        QCOMPARE(info->findChild<QLabel*>(QStringLiteral("LBL_TrackName"))->text(), QStringLiteral("-"));
    }

    void aboutLinksAndHover()
    {
        Fixture f;
        f.seed(QStringLiteral("Path-GP2"), f.gameFolder());
        MainWindow& w = f.open();
        AboutWindow* about = nullptr;
        QColor mailColour, webColour, afterColour;
        runSteps({[&] {
            about = qobject_cast<AboutWindow*>(modal());
            QVERIFY(about);
            auto* mail = about->findChild<QLabel*>(QStringLiteral("txtEMail"));
            auto* web = about->findChild<QLabel*>(QStringLiteral("txtURL"));
            enter(mail);
            mailColour = mail->palette().color(QPalette::WindowText);
            enter(web);
            webColour = web->palette().color(QPalette::WindowText);
            QCOMPARE(mail->palette().color(QPalette::WindowText), QColor(Qt::black));
            enter(about->findChild<QLabel*>(QStringLiteral("About(8)")));
            afterColour = web->palette().color(QPalette::WindowText);
            QTest::mouseClick(mail, Qt::LeftButton);
            QTest::mouseClick(web, Qt::LeftButton);
            press("Ok");
        }});
        w.showAbout();
        QCOMPARE(mailColour, QColor(0, 0, 192));
        QCOMPARE(webColour, QColor(0, 0, 192));
        QCOMPARE(afterColour, QColor(Qt::black));
        QCOMPARE(f.services.urls, (QList<QUrl>{QUrl(QStringLiteral("mailto:quennel@example.org")),
                                              QUrl(QStringLiteral("https://drovex.example.org/"))}));
        QVERIFY(w.findChild<AboutWindow*>() == about); // Ok only hides it
        QCOMPARE(about->windowTitle(), QStringLiteral("About Drovex"));
    }

    void infoBoxPages()
    {
        Fixture f;
        f.seed(QStringLiteral("Path-GP2"), f.gameFolder());
        MainWindow& w = f.open();
        int first = 0, afterTwice = 0, reopened = 0;
        QString title, frontEndPage;
        bool fixedPitch = false;
        runSteps({[&] {
                      auto* box = qobject_cast<InfoBox*>(modal());
                      first = box->currentPage();
                      frontEndPage = box->findChild<QPlainTextEdit*>(QStringLiteral("Text(1)"))->toPlainText();
                      title = box->windowTitle();
                      fixedPitch = QFontInfo(box->findChild<QPlainTextEdit*>(QStringLiteral("Text(1)"))->font()).fixedPitch();
                      QVERIFY(box->findChild<QPlainTextEdit*>(QStringLiteral("Text(2)"))->toPlainText().contains(
                          QLatin1String("mapDotSizeVGA")));
                      press("Button(3)");
                      press("Button(3)");
                      afterTwice = box->currentPage();
                      press("Close");
                  },
                  [&] { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }});
        w.showInfo();
        runSteps({[&] {
            reopened = qobject_cast<InfoBox*>(modal())->currentPage();
            press("Close");
        }});
        w.showInfo();
        QCOMPARE(first, 1);
        QCOMPARE(afterTwice, 3);
        QCOMPARE(reopened, 1);
        QVERIFY(fixedPitch);
        QCOMPARE(title, QStringLiteral("Drovex Info") + QString(82, QLatin1Char(' ')) +
                            QStringLiteral("[Version 1.14 by Quennel]"));
        // Page 1 names where the user's files are, and the version the program is.
        QVERIFY2(frontEndPage.contains(QStringLiteral("\n    %1\n").arg(f.storeFile)), qPrintable(frontEndPage));
        QVERIFY2(frontEndPage.contains(QStringLiteral("\n    %1\n").arg(f.gameFolder())), qPrintable(frontEndPage));
        QVERIFY(frontEndPage.contains(QStringLiteral("Version %1\n").arg(QLatin1String(kVersion))));
    }

    void infoBoxBeforeAGameFolder()
    {
        InfoBox box(QStringLiteral("/home/player/.config/Drovex Windows Front-End.ini"), QString(), nullptr);
        const QString page = box.findChild<QPlainTextEdit*>(QStringLiteral("Text(1)"))->toPlainText();
        QVERIFY(page.contains(QLatin1String("\n    /home/player/.config/Drovex Windows Front-End.ini\n")));
        QVERIFY(page.contains(QLatin1String("\n    (none chosen yet: Choose Path, GP2 Path)\n")));
    }

    void exitClosesEveryWindowWithoutSaving()
    {
        Fixture f;
        f.seed(QStringLiteral("Path-GP2"), f.gameFolder());
        MainWindow& w = f.open();
        w.tracks().selector(true)->fileInfo(true);
        w.startOptions(true);
        const QByteArray before = test::readFile(f.storeFile);
        w.close();
        QVERIFY(!w.findChild<TrackSelector*>());
        QVERIFY(!w.findChild<FileInfoWindow*>());
        QVERIFY(!w.findChild<QDialog*>());
        QCOMPARE(test::readFile(f.storeFile), before);
        QVERIFY(!QFileInfo::exists(f.gameFolder() + QStringLiteral("/Drovex.cfg")));
    }
};

QTEST_MAIN(TestInfoWindows)
#include "tst_infowindows.moc"
