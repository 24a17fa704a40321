#pragma once

#include <QLabel>

namespace drovex {

// A one-line plain-text label that shows as much of its text as fits, ending in "…" when cut; the
// whole text stays its accessible name.
class ElidingLabel : public QLabel {
    Q_OBJECT
public:
    explicit ElidingLabel(QWidget* parent = nullptr);
    void setFullText(const QString& text);
    const QString& fullText() const { return m_full; }
    bool isElided() const { return text() != m_full; }
    QSize minimumSizeHint() const override;

signals:
    void elisionChanged();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void elide();
    QString m_full;
};

} // namespace drovex
