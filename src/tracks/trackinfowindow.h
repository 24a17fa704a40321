#pragma once

#include "tracks/trackinfo.h"

#include <QDialog>
#include <QLabel>
#include <QList>

#include <array>

class QGridLayout;

namespace drovex {

// A value of the Track-Info and File-Info windows: plain text that the mouse can select, one line
// when it fits, else wrapped within the label's maximum width (words longer than a line too).
class ValueLabel : public QLabel {
public:
    ValueLabel(const char* name, int maxWidth, bool fixedWidth = false);
    void setValue(const QString& text);
    const QString& value() const { return m_value; }
    // The label never grows past its maximum width, so a wider cell gives it no fewer lines.
    int heightForWidth(int width) const override;

private:
    QString m_value;
    bool m_fixed;
};

// "Drovex Track-Info": the #GP2INFO values of the track last read.
class TrackInfoWindow : public QDialog {
    Q_OBJECT
public:
    explicit TrackInfoWindow(QWidget* parent);
    // Fills the twelve value labels; a file without a tag shows "-" in every one.
    void showInfo(const TrackInfo& info);
    QString value(int key) const { return m_value[static_cast<size_t>(key)]->value(); }

    void reject() override; // Escape acts as OK

private:
    std::array<ValueLabel*, kTrackKeyCount> m_value{};
};

// Every frame starts its value column at the same x: the caption columns (column 0 of each grid)
// are as wide as the widest caption.
void alignValueColumns(const QList<QGridLayout*>& grids, const QList<QLabel*>& captions);

// The widest a value column may grow on this screen.
int valueColumnLimit(const QWidget* window);

} // namespace drovex
