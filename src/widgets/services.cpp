#include "widgets/services.h"

#include "common/paths.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>

namespace drovex {
namespace {

QStringList runFileDialog(QWidget* owner, const FileRequest& request, QFileDialog::FileMode mode)
{
    QFileDialog dialog(owner, request.title);
    dialog.setFileMode(mode);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilter(qtFilter(request.filter));
    // The patterns match any letter case; the list shows the description alone.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    if (!request.initialFolder.isEmpty())
        dialog.setDirectory(request.initialFolder);
    if (!request.defaultName.isEmpty())
        dialog.selectFile(defaultNameOnDisk(request));
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles();
}

class DesktopServices final : public Services {
public:
    QString openFile(QWidget* owner, const FileRequest& request) override
    {
        return runFileDialog(owner, request, QFileDialog::ExistingFile).value(0);
    }

    QStringList openFiles(QWidget* owner, const FileRequest& request) override
    {
        return runFileDialog(owner, request, QFileDialog::ExistingFiles);
    }

    void message(QWidget* owner, MessageIcon icon, const QString& title, const QString& text) override
    {
        QMessageBox box(owner);
        box.setIcon(icon == MessageIcon::Information ? QMessageBox::Information
                    : icon == MessageIcon::Warning   ? QMessageBox::Warning
                                                     : QMessageBox::Critical);
        box.setWindowTitle(title);
        box.setText(text);
        box.setTextFormat(Qt::PlainText);
        box.setStandardButtons(QMessageBox::Ok);
        box.exec();
    }

    int question(QWidget* owner, const QString& title, const QString& text, const QStringList& buttons) override
    {
        QMessageBox box(owner);
        box.setIcon(QMessageBox::Question);
        box.setWindowTitle(title);
        box.setText(text);
        box.setTextFormat(Qt::PlainText);
        QList<QAbstractButton*> pressed;
        for (qsizetype i = 0; i < buttons.size(); ++i)
            pressed << box.addButton(buttons[i], i + 1 == buttons.size() ? QMessageBox::RejectRole : QMessageBox::AcceptRole);
        if (!pressed.isEmpty())
            box.setEscapeButton(pressed.last());
        box.exec();
        return static_cast<int>(pressed.indexOf(box.clickedButton()));
    }

    bool openUrl(const QUrl& url) override { return QDesktopServices::openUrl(url); }
};

QString caseInsensitiveGlob(const QString& pattern)
{
    QString out;
    for (const QChar c : pattern) {
        if (c.isLetter() && c.toLower() != c.toUpper())
            out += QLatin1Char('[') + c.toUpper() + c.toLower() + QLatin1Char(']');
        else
            out += c;
    }
    return out;
}

} // namespace

QStringList Services::openFiles(QWidget* owner, const FileRequest& request)
{
    const QString file = openFile(owner, request);
    return file.isEmpty() ? QStringList() : QStringList{file};
}

QString defaultNameOnDisk(const FileRequest& request)
{
    if (request.initialFolder.isEmpty() || request.defaultName.isEmpty())
        return request.defaultName;
    const QString found = resolveIgnoringCase(joinPath(request.initialFolder, request.defaultName));
    return found.isEmpty() ? request.defaultName : QFileInfo(found).fileName();
}

Services& desktopServices()
{
    static DesktopServices services;
    return services;
}

QString reportStoreFailure(Services& services, QWidget* owner, const QString& what, const WriteResult& result)
{
    const QString text = QStringLiteral("%1 could not be saved to %2: %3.")
                             .arg(what, QDir::toNativeSeparators(result.file), result.reason);
    services.message(owner, MessageIcon::Critical, QStringLiteral("Drovex Front-End"), text);
    return text;
}

bool reportStoreResult(Services& services, QWidget* owner, const QString& what, const WriteResult& result)
{
    if (!result.ok)
        reportStoreFailure(services, owner, what, result);
    else if (!result.notice.isEmpty())
        services.message(owner, MessageIcon::Warning, QStringLiteral("Drovex Front-End"), result.notice);
    return result.ok;
}

QString qtFilter(const QString& filterText)
{
    const QStringList parts = filterText.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString& p : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts))
            patterns << caseInsensitiveGlob(p.trimmed());
        filters << parts[i] + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return filters.join(QStringLiteral(";;"));
}

} // namespace drovex
