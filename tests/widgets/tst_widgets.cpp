#include "support/coresupport.h"
#include "support/testsupport.h"
#include "widgets/services.h"
#include "widgets/spinbar.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

using namespace drovex;
using drovex::test::ModalScript;

namespace {

void turnWheel(QWidget* w, int angle)
{
    const QPointF at(w->width() / 2.0, w->height() / 2.0);
    QWheelEvent wheel(at, w->mapToGlobal(at), QPoint(), QPoint(0, angle), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &wheel);
}

} // namespace

class TestWidgets : public QObject {
    Q_OBJECT
private slots:
    // The bar's upper limit stands at the top: whatever moves up raises the value, as the upper
    // arrow does (the main window's tests click the arrows).
    void spinBarMovesAsItPoints_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("expected");
        QTest::newRow("wheel up") << "wheel 120" << 5 << 6;
        QTest::newRow("wheel down") << "wheel -120" << 5 << 4;
        QTest::newRow("two notches at once") << "wheel 240" << 5 << 7;
        QTest::newRow("half notches add up") << "wheel 60 60" << 5 << 6;
        QTest::newRow("half a notch does nothing yet") << "wheel 60" << 5 << 5;
        QTest::newRow("wheel up at the upper limit") << "wheel 120" << 10 << 10;
        QTest::newRow("wheel down at the lower limit") << "wheel -120" << 0 << 0;
        QTest::newRow("Up key") << "key up" << 5 << 6;
        QTest::newRow("Down key") << "key down" << 5 << 4;
        QTest::newRow("Page Up key") << "key pageup" << 5 << 6;
    }
    void spinBarMovesAsItPoints()
    {
        QFETCH(QString, input);
        QFETCH(int, start);
        QFETCH(int, expected);
        SpinBar bar(0, 10);
        bar.resize(17, 80);
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        bar.setValue(start);
        QStringList words = input.split(QLatin1Char(' '));
        const QString kind = words.takeFirst();
        if (kind == QLatin1String("wheel")) {
            for (const QString& w : words)
                turnWheel(&bar, w.toInt());
        } else {
            const QMap<QString, Qt::Key> keys{{QStringLiteral("up"), Qt::Key_Up}, {QStringLiteral("down"), Qt::Key_Down},
                                              {QStringLiteral("pageup"), Qt::Key_PageUp}};
            QTest::keyClick(&bar, keys.value(words.first()));
        }
        QCOMPARE(bar.value(), expected);
    }

    // The name the file dialog is filled in with, as the folder spells it.
    void defaultNameOnDisk_data()
    {
        QTest::addColumn<QString>("onDisk"); // "" for no file
        QTest::addColumn<QString>("defaultName");
        QTest::addColumn<bool>("inFolder"); // the dialog opens in the folder
        QTest::addColumn<QString>("expected");
        QTest::newRow("lower case on disk") << "gp2.exe" << "GP2.EXE" << true << "gp2.exe";
        QTest::newRow("no such file") << "" << "GP2.EXE" << true << "GP2.EXE";
        QTest::newRow("another file only") << "gp2.bak" << "GP2.EXE" << true << "GP2.EXE";
        QTest::newRow("no initial folder") << "gp2.exe" << "GP2.EXE" << false << "GP2.EXE";
        QTest::newRow("no default name") << "gp2.exe" << "" << true << "";
    }
    void defaultNameOnDisk()
    {
        QFETCH(QString, onDisk);
        QFETCH(QString, defaultName);
        QFETCH(bool, inFolder);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        if (!onDisk.isEmpty())
            QVERIFY(test::writeFile(dir.filePath(onDisk), "MZ"));
        const FileRequest request{QStringLiteral("GP2 (GP2.EXE)|gp2.exe"), inFolder ? dir.path() : QString(),
                                  QStringLiteral("Browse For Grand Prix 2 ..."), defaultName};
        QCOMPARE(drovex::defaultNameOnDisk(request), expected);
    }

    // The real open-file dialog: the filter list shows the descriptions without the patterns that
    // match any letter case, and the name field holds the file as the folder spells it.
    void realFileDialog()
    {
        QTemporaryDir dir;
        QVERIFY(test::writeFile(dir.filePath(QStringLiteral("gp2.exe")), "MZ"));
        ModalScript script({{QStringLiteral("QFileDialog"), [&](QWidget* window) {
            auto* dialog = qobject_cast<QFileDialog*>(window);
            QVERIFY(dialog);
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Browse For Grand Prix 2 ..."));
            auto* filters = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
            QVERIFY(filters);
            QCOMPARE(filters->itemText(0), QStringLiteral("GP2 (GP2.EXE)"));
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            QVERIFY(name);
            QCOMPARE(name->text(), QStringLiteral("gp2.exe"));
            QTest::keyClick(name, Qt::Key_Return);
        }}});
        const QString chosen = desktopServices().openFile(
            nullptr, {QStringLiteral("GP2 (GP2.EXE)|gp2.exe"), dir.path(), QStringLiteral("Browse For Grand Prix 2 ..."),
                      QStringLiteral("GP2.EXE")});
        QVERIFY(script.completed());
        QCOMPARE(chosen, dir.filePath(QStringLiteral("gp2.exe")));
    }
};

QTEST_MAIN(TestWidgets)
#include "tst_widgets.moc"
