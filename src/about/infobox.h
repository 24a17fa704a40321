#pragma once

#include <QDialog>

#include <array>

class QPlainTextEdit;

namespace drovex {

// "Drovex Info": three pages of text, one shown at a time. Page 1 names where the user's files
// are: the settings file and the game folder, which receives Drovex.cfg ("" when none is chosen).
// It opens no larger than its screen; the pages scroll, and their buttons and Close stay in view.
class InfoBox : public QDialog {
    Q_OBJECT
public:
    InfoBox(const QString& settingsFile, const QString& gameFolder, QWidget* parent);
    void showPage(int page); // 1..3
    int currentPage() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::array<QPlainTextEdit*, 3> m_page{};
};

} // namespace drovex
