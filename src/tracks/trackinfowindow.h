#pragma once

#include "tracks/trackinfo.h"

#include <QDialog>

#include <array>

class QFontMetrics;
class QLabel;

namespace drovex {

// "Drovex Track-Info": the #GP2INFO values of the track last read.
class TrackInfoWindow : public QDialog {
    Q_OBJECT
public:
    explicit TrackInfoWindow(QWidget* parent);
    // Fills the twelve value labels; a file without a tag shows "-" in every one.
    void showInfo(const TrackInfo& info);
    QString value(int key) const { return m_text[static_cast<size_t>(key)]; }

    void reject() override; // Escape acts as OK

private:
    std::array<QLabel*, kTrackKeyCount> m_value{};
    std::array<QString, kTrackKeyCount> m_text;
};

// A value as a wrapping label of this width shows it: words longer than a line get break
// opportunities.
QString breakable(const QString& text, const QFontMetrics& metrics, int width);

// The widest a value column may grow on this screen.
int valueColumnLimit(const QWidget* window);

} // namespace drovex
