#pragma once

#include <QDialog>
#include <QStringList>

#include <array>

class QPlainTextEdit;

namespace drovex {

// "Drovex Info": three pages of text, one shown at a time. Page 1 names where the user's files
// are: the settings file and the game folder, which receives Drovex.cfg ("" when none is chosen),
// and lists the lines kept from the user's own Drovex.cfg, if any. It opens no larger than its
// screen; the pages scroll, and their buttons and Close stay in view.
class InfoBox : public QDialog {
    Q_OBJECT
public:
    InfoBox(const QString& settingsFile, const QString& gameFolder, const QStringList& keptLines, QWidget* parent);
    void showPage(int page); // 1..3
    int currentPage() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::array<QPlainTextEdit*, 3> m_page{};
};

} // namespace drovex
