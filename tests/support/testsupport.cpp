#include "support/testsupport.h"

#include "app/mainwindow.h"
#include "system/session.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QScreen>
#include <QTest>

namespace drovex::test {

QString RecordingServices::openFile(QWidget*, const FileRequest& request)
{
    requests << request;
    return answers.isEmpty() ? QString() : answers.takeFirst();
}

QStringList RecordingServices::openFiles(QWidget*, const FileRequest& request)
{
    requests << request;
    return answers.isEmpty() ? QStringList() : answers.takeFirst().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

void RecordingServices::message(QWidget*, MessageIcon, const QString& title, const QString& text)
{
    messages << title + QLatin1Char('|') + text;
}

int RecordingServices::question(QWidget*, const QString& title, const QString& text, const QStringList&)
{
    questions << title + QLatin1Char('|') + text;
    return choices.isEmpty() ? -1 : choices.takeFirst();
}

bool RecordingServices::openUrl(const QUrl& url)
{
    urls << url;
    return urlsOpen;
}

Fixture::Fixture()
    : storeFile(dir.filePath(QStringLiteral("store/Drovex Windows Front-End.ini")))
{
    QDir().mkpath(dir.filePath(QStringLiteral("store")));
    QDir().mkpath(gameFolder());
    // Files the program keeps beside its settings (the emulator's) stay in the test's folder.
    qputenv("XDG_CONFIG_HOME", dir.filePath(QStringLiteral("config")).toLocal8Bit());
}

Fixture::~Fixture()
{
    window.reset();
}

QString Fixture::stored(const QString& key) const
{
    IniSettingsStore fresh(storeFile);
    return fresh.get(key);
}

void Fixture::seed(const QString& key, const QString& value)
{
    IniSettingsStore s(storeFile);
    if (!s.put(key, value).ok)
        qFatal("cannot seed the store");
}

MainWindow& Fixture::open(bool runStartUp)
{
    store = std::make_unique<IniSettingsStore>(storeFile);
    session = std::make_unique<Session>(*store, systemPlatform());
    window = std::make_unique<MainWindow>(*session, services);
    if (runStartUp)
        window->startUp();
    return *window;
}

ModalScript::ModalScript(QList<ModalStep> steps, int timeoutMs)
    : m_steps(std::move(steps))
    , m_timeout(timeoutMs)
{
    m_waiting.start();
    connect(&m_timer, &QTimer::timeout, this, &ModalScript::poll);
    m_timer.start(5);
}

void ModalScript::fail(const QString& why)
{
    if (!m_failed && !QTest::currentTestFailed())
        QTest::qFail(qPrintable(why), __FILE__, __LINE__);
    m_failed = true;
}

void ModalScript::poll()
{
    if (m_running) // a step that waits (QTRY_...) turns the event loop itself
        return;
    QWidget* modal = QApplication::activeModalWidget();
    if (m_failed) {
        // Closes whatever modal window is open, however many the walk still shows.
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->done(QDialog::Rejected);
        else if (modal)
            modal->close();
        return;
    }
    if (!m_steps.isEmpty() && modal && modal->isVisible() && modal->objectName() == m_steps.constFirst().window) {
        const ModalStep step = m_steps.takeFirst();
        m_running = true;
        step.action(modal);
        m_running = false;
        ++m_done;
        m_waiting.restart();
        if (QTest::currentTestFailed())
            fail(QString());
        return;
    }
    if (m_waiting.elapsed() < m_timeout)
        return;
    if (!m_steps.isEmpty())
        fail(QStringLiteral("step %1 waited in vain for the window %2; the active modal window is %3")
                 .arg(m_done + 1)
                 .arg(m_steps.constFirst().window, modal ? modal->objectName() : QStringLiteral("none")));
    else if (modal)
        fail(QStringLiteral("the window %1 is still open after the last step").arg(modal->objectName()));
    else
        m_timer.stop(); // done, and nothing left open
}

QString Fixture::gameFolder() const { return dir.filePath(QStringLiteral("GP2")); }

bool onTestScreen()
{
    const QString setup = qEnvironmentVariable("DROVEX_TEST_SCREEN");
    const QScreen* screen = QGuiApplication::primaryScreen();
    const qreal scale = screen->devicePixelRatio();
    const QSize pixels = (QSizeF(screen->geometry().size()) * scale).toSize();
    return setup.isEmpty() || setup == QStringLiteral("%1x%2@%3").arg(pixels.width()).arg(pixels.height()).arg(scale);
}

} // namespace drovex::test
