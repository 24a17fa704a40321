#pragma once

#include <QDateTime>
#include <QList>
#include <QStatusBar>

class QWidget;

namespace drovex {

// The main window's status bar: it shows the result of the last command until the next one
// replaces it. A message too long for the bar ends in "…" and shows whole in its tooltip; the
// last messages are kept with their times for the message log.
class StatusLine : public QStatusBar {
    Q_OBJECT
public:
    static constexpr int kLogSize = 50;

    explicit StatusLine(QWidget* parent = nullptr);
    // The log as lines of text, oldest first: "hh:mm:ss  message".
    QString logText() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Entry {
        QDateTime time;
        QString text;
    };
    void took(const QString& text);
    void updateTip();
    QRect textRect() const;
    QList<Entry> m_log;
};

// Shows the message log in a window of its own.
void showMessageLog(QWidget* owner, const StatusLine& line);

} // namespace drovex
