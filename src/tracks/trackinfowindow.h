#pragma once

#include "tracks/trackinfo.h"

#include <QDialog>
#include <QLabel>
#include <QList>

#include <array>

class QBoxLayout;
class QPushButton;

namespace drovex {

class Services;
class TrackMap;

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

// "Drovex Track-Info": the #GP2INFO values of the track last read, and what its file says beyond
// them: the circuit's map and length, its checksum, whether it is an original track, and what
// Drovex will make of its tag.
class TrackInfoWindow : public QDialog {
    Q_OBJECT
public:
    TrackInfoWindow(Services& services, QWidget* parent);
    // Fills the twelve value labels; a file without a tag shows "-" in every one.
    void showInfo(const TrackInfo& info);
    // Reads the file of the track last shown: map, length, checksum, original track and the
    // warnings about its tag (held: the slots it is assigned to). An empty path clears them.
    void showTrackFile(const QString& path, const QList<int>& held);
    QString value(int key) const { return m_value[static_cast<size_t>(key)]->value(); }

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
    QLabel* m_original = nullptr;
    QLabel* m_warnings = nullptr;
    QLabel* m_noMap = nullptr;
    TrackMap* m_map = nullptr;
    QPushButton* m_fix = nullptr;
};

// One row of an information window: its caption-less frame, its caption and its value label.
struct InfoRow {
    int frame;
    const char* caption;
    const char* name;
    int maxWidth = 0;        // 0: the widest the screen allows
    bool fixedWidth = false; // keeps its width and grows downwards
};
// Lays the rows out in their frames under top, every frame's value column starting at the same
// x; the value labels in the order of the rows.
QList<ValueLabel*> buildInfoFrames(QWidget* window, QBoxLayout* top, const QList<InfoRow>& rows, int minValueWidth = 0);

// The widest a value column may grow on this screen.
int valueColumnLimit(const QWidget* window);

} // namespace drovex
