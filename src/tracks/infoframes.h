#pragma once

#include <QDialog>
#include <QLabel>
#include <QList>
#include <QSize>

class QBoxLayout;
class QLayout;
class QContextMenuEvent;
class QKeyEvent;
class QResizeEvent;
class QScrollArea;

namespace drovex {

// A value of the Track-Info and File-Info windows: plain text that the mouse can select, on one
// line when it fits, else wrapped at word boundaries within the width its window gives it. A word
// wider than the narrowest line the label can have is broken, never cut.
class ValueLabel : public QLabel {
public:
    explicit ValueLabel(const char* name);
    void setValue(const QString& text);
    const QString& value() const { return m_value; }
    // The widest the label asks to be: its text on one line up to this width, wrapped beyond.
    void setPreferredWidth(int width);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void copySelection() const;
    QString m_value;
    int m_preferred = 0;
};

// One row of an information window: its caption-less frame, its caption and its value label.
struct InfoRow {
    int frame;
    const char* caption;
    const char* name;
};
// Lays the rows out in their frames, one under the other in `frames`, every frame's value column
// starting at the same x and taking the width the window has; the value labels in the order of
// the rows.
QList<ValueLabel*> buildInfoFrames(QBoxLayout* frames, const QList<InfoRow>& rows, int preferredValueWidth);

// The widest a value asks to be on the window's screen before it wraps.
int valueColumnLimit(const QWidget* window);

// An information window (Track-Info, File-Info): its body scrolls where the screen is too small
// for it while its buttons stay in sight, and it is sized to what it shows, as far as the screen
// allows, until the user gives it a size of their own.
class InfoWindow : public QDialog {
public:
    explicit InfoWindow(QWidget* parent);

protected:
    // The body in a scroll area, the buttons under it.
    void setBody(QWidget* body, QLayout* buttons);
    void fitToContent();
    void resizeEvent(QResizeEvent* event) override;

private:
    QScrollArea* m_scroll = nullptr;
    bool m_fitting = false;
    bool m_userSized = false;
};

} // namespace drovex
