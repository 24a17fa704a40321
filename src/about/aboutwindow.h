#pragma once

#include <QDialog>

namespace drovex {

class LinkLabel;
class Services;

// The author's contact addresses (documentation addresses, example.org).
inline constexpr const char* kAuthorMail = "quennel@example.org";
inline constexpr const char* kAuthorWeb = "https://drovex.example.org/";

// A text of the program's own, kept as a resource.
QString aboutText(const QString& name);

// "About Drovex": who made it, the terms, and links to write or visit. Its OK only hides it.
// Its texts scroll when the screen is too small for them; Ok stays in view.
class AboutWindow : public QDialog {
    Q_OBJECT
public:
    AboutWindow(Services& services, QWidget* parent);

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Opens a link's address; when no program does, says so and offers to copy the address.
    void openLink(LinkLabel* link, const QUrl& url, const QString& address);
    Services& m_services;
    QWidget* m_content = nullptr; // everything but Ok, in a scroll area
    bool m_sized = false; // sized to its content once; later openings keep the user's size
};

} // namespace drovex
