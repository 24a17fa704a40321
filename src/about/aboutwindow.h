#pragma once

#include <QDialog>

#include <array>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace drovex {

class Services;

// The author's contact addresses (documentation addresses, example.org).
inline constexpr const char* kAuthorMail = "quennel@example.org";
inline constexpr const char* kAuthorWeb = "https://drovex.example.org/";

// A text of the program's own, kept as a resource.
QString aboutText(const QString& name);

// "About Drovex": who made it, the terms, and links to write or visit. Its OK only hides it.
class AboutWindow : public QDialog {
    Q_OBJECT
public:
    AboutWindow(Services& services, QWidget* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void highlight(QLabel* link); // nullptr: both links black
    Services& m_services;
    QLabel* m_mail = nullptr;
    QLabel* m_web = nullptr;
};

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
