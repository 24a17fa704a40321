#pragma once

#include "tracks/infoframes.h"

#include <array>

namespace drovex {

class Session;

// "Drovex File-Info": the game's executable and the selected track file.
class FileInfoWindow : public InfoWindow {
    Q_OBJECT
public:
    FileInfoWindow(const Session& session, QWidget* parent);
    // Refilled at every showing, so it reports on the track selected now.
    void fill(const QString& trackName, const QString& trackPath);
    QString value(const char* name) const;
    void reject() override; // Escape acts as OK

private:
    const Session& m_session;
    std::array<ValueLabel*, 9> m_value{};
};

} // namespace drovex
