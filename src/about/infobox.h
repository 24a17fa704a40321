#pragma once

#include <QDialog>

#include <array>

class QPlainTextEdit;

namespace drovex {

// "Drovex Info": three pages of text, one shown at a time.
class InfoBox : public QDialog {
    Q_OBJECT
public:
    explicit InfoBox(QWidget* parent);
    void showPage(int page); // 1..3
    int currentPage() const;

private:
    std::array<QPlainTextEdit*, 3> m_page{};
};

} // namespace drovex
