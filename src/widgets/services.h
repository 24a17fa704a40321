#pragma once

#include "common/safefile.h"

#include <QString>
#include <QStringList>
#include <QUrl>

class QWidget;

namespace drovex {

// What the open-file dialog is asked for.
struct FileRequest {
    QString filter;        // "description|pattern" pairs joined by "|"
    QString initialFolder;
    QString title;
    QString defaultName;
};

enum class MessageIcon { Information, Warning, Critical };

// The modal and outside-world parts of the windows, behind one seam so that tests never block:
// the open-file dialog, message boxes and opening a mail or web address.
class Services {
public:
    virtual ~Services() = default;
    // Full path of the chosen file, or "" on cancel.
    virtual QString openFile(QWidget* owner, const FileRequest& request) = 0;
    // Full paths of one or more chosen files, none on cancel. Without a dialog of its own, a
    // seam offers one file.
    virtual QStringList openFiles(QWidget* owner, const FileRequest& request);
    virtual void message(QWidget* owner, MessageIcon icon, const QString& title, const QString& text) = 0;
    // Asks the user to press one of the buttons (the last one cancels); the index of the one
    // pressed, or -1 when the box was closed otherwise.
    virtual int question(QWidget* owner, const QString& title, const QString& text, const QStringList& buttons) = 0;
    virtual bool openUrl(const QUrl& url) = 0;
};

// The real dialogs and the desktop's handlers.
Services& desktopServices();

// Answers every dialog with Cancel and shows nothing: for tools and benchmarks that run unattended.
class SilentServices final : public Services {
public:
    QString openFile(QWidget*, const FileRequest&) override { return {}; }
    void message(QWidget*, MessageIcon, const QString&, const QString&) override {}
    int question(QWidget*, const QString&, const QString&, const QStringList&) override { return -1; }
    bool openUrl(const QUrl&) override { return false; }
};

// Tells the user that something could not be saved to the settings store, naming the file and
// why; returns the sentence shown.
QString reportStoreFailure(Services& services, QWidget* owner, const QString& what, const WriteResult& result);
// Says a store write's result where the user must hear it: a failure as reportStoreFailure does,
// and after a good write the notice of a file kept aside or a value left out. True when stored.
bool reportStoreResult(Services& services, QWidget* owner, const QString& what, const WriteResult& result);

// The name the open-file dialog is filled in with: the default name as the initial folder spells
// it ("GP2.EXE" finds gp2.exe), or the default name itself when no such file is there.
QString defaultNameOnDisk(const FileRequest& request);

// Qt's filter string for a "description|pattern|..." filter; patterns match whatever the letter case.
QString qtFilter(const QString& filterText);

} // namespace drovex
