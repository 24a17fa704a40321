#include "support/testsupport.h"

#include "app/mainwindow.h"
#include "launch/session.h"

#include <QDir>

namespace drovex::test {

QString RecordingServices::openFile(QWidget*, const FileRequest& request)
{
    requests << request;
    return answers.isEmpty() ? QString() : answers.takeFirst();
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
    return true;
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

QString Fixture::gameFolder() const { return dir.filePath(QStringLiteral("GP2")); }

} // namespace drovex::test
