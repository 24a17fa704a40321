#pragma once

#include <QDialog>

class QLabel;
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

} // namespace drovex
