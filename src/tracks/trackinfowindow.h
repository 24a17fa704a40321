#pragma once

#include "common/indexing.h"
#include "tracks/infoframes.h"
#include "tracks/trackinfo.h"

#include <QLabel>
#include <QList>

#include <array>

class QPushButton;

namespace drovex {

class Services;
class TrackMap;

// "Drovex Track-Info": the #GP2INFO values of the track last read, and what its file says beyond
// them: the circuit's map and length, its checksum, whether it is an original track, and what
// Drovex will make of its tag.
class TrackInfoWindow : public InfoWindow {
    Q_OBJECT
public:
    TrackInfoWindow(Services& services, QWidget* parent);
    // Fills the twelve value labels; a file without a tag shows "-" in every one.
    void showInfo(const TrackInfo& info);
    // Reads the file of the track last shown: map, length, checksum, original track and the
    // warnings about its tag (held: the slots it is assigned to). An empty path clears them.
    void showTrackFile(const QString& path, const QList<int>& held);
    QString value(int key) const { return at(m_value, key)->value(); }

    void reject() override; // Escape acts as OK

private:
    void fixChecksum();

    Services& m_services;
    std::array<ValueLabel*, kTrackKeyCount> m_value{};
    TrackInfo m_info;
    QString m_path;
    QList<int> m_held;
    ValueLabel* m_length = nullptr;
    ValueLabel* m_checksum = nullptr;
    ValueLabel* m_original = nullptr;
    ValueLabel* m_warnings = nullptr;
    QLabel* m_noMap = nullptr;
    TrackMap* m_map = nullptr;
    QPushButton* m_fix = nullptr;
};

} // namespace drovex
