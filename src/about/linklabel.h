#pragma once

#include <QLabel>

namespace drovex {

// A mail or web address that opens when clicked. It is drawn in the palette's link colour (its
// visited colour once opened), so it stays readable on light and dark themes, and underlined
// while the mouse is over it; Tab reaches it, Enter or Space opens it, and screen readers see
// a link.
class LinkLabel : public QLabel {
    Q_OBJECT
public:
    explicit LinkLabel(const QString& text, QWidget* parent = nullptr);
    void setVisited(bool visited);
    bool isVisited() const { return foregroundRole() == QPalette::LinkVisited; }
    bool isUnderlined() const { return font().underline(); }

signals:
    void activated();

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void setUnderlined(bool on);
};

} // namespace drovex
