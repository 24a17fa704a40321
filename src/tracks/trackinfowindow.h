#pragma once

#include "tracks/trackinfo.h"

#include <QDialog>

#include <array>

class QLabel;

namespace drovex {

// "Drovex Track-Info": the #GP2INFO values of the track last read.
class TrackInfoWindow : public QDialog {
    Q_OBJECT
public:
    explicit TrackInfoWindow(QWidget* parent);
    void showInfo(const TrackInfo& info); // fills the twelve value labels
    QString value(int key) const;

    void reject() override; // Escape acts as OK

private:
    std::array<QLabel*, kTrackKeyCount> m_value{};
};

} // namespace drovex
