#pragma once

#include "system/platform.h"
#include "system/session.h"
#include "settings/settingsstore.h"
#include "widgets/services.h"

#include <QElapsedTimer>
#include <QObject>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>
#include <memory>

namespace drovex {
class MainWindow;
}

namespace drovex::test {

// Answers the open-file dialog from a queue and records every dialog and message.
class RecordingServices final : public Services {
public:
    QStringList answers;             // next file paths to return ("" = cancel; several files: one a line)
    QList<FileRequest> requests;     // every dialog asked for
    QStringList messages;            // "title|text" of every message box
    QList<int> choices;              // the buttons to press in the next questions (-1 when none is left)
    QStringList questions;           // "title|text" of every question
    QList<QUrl> urls;
    bool urlsOpen = true;            // what openUrl answers: false as if no program opened it

    QString openFile(QWidget* owner, const FileRequest& request) override;
    QStringList openFiles(QWidget* owner, const FileRequest& request) override;
    void message(QWidget* owner, MessageIcon icon, const QString& title, const QString& text) override;
    int question(QWidget* owner, const QString& title, const QString& text, const QStringList& buttons) override;
    bool openUrl(const QUrl& url) override;
};

// A main window on a real INI store in a temporary folder.
struct Fixture {
    QTemporaryDir dir;
    QString storeFile;
    std::unique_ptr<IniSettingsStore> store;
    std::unique_ptr<Session> session;
    RecordingServices services;
    std::unique_ptr<MainWindow> window;

    Fixture();
    ~Fixture();
    // A fresh store object reading the same file (what the next run would see).
    QString stored(const QString& key) const;
    void seed(const QString& key, const QString& value); // written to the file directly
    MainWindow& open(bool runStartUp = true);             // creates the window (and runs start-up)
    QString gameFolder() const;                           // a game folder in the temporary folder
};

// Whether the screen is the one DROVEX_TEST_SCREEN names ("1366x768@1.25": its size in pixels
// and the scale); true when it names none. A screen set up wrongly would let fit tests pass.
bool onTestScreen();

// One step of a script for modal windows: the object name of the window it runs in, and what it
// does there.
struct ModalStep {
    QString window;
    std::function<void(QWidget* window)> action;
};

// Runs steps inside the modal windows that the test's own exec() (or a command that calls one)
// opens: each step waits until its window is the active modal window, then runs. A step whose
// check fails, a window that does not come, or a window still open when the script is done,
// ends the script at once: it closes every modal window, so the exec() returns, and completed()
// is false. Check completed() after the command returns.
class ModalScript : public QObject {
public:
    explicit ModalScript(QList<ModalStep> steps, int timeoutMs = 10000);
    bool completed() const { return m_steps.isEmpty() && !m_failed; }

private:
    void poll();
    void fail(const QString& why);
    QList<ModalStep> m_steps;
    QTimer m_timer;
    QElapsedTimer m_waiting; // since the last step ran
    int m_timeout;
    int m_done = 0;
    bool m_failed = false;
    bool m_running = false;
};

} // namespace drovex::test
