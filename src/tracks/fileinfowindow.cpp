#include "tracks/fileinfowindow.h"

#include "common/indexing.h"
#include "gameinfo/filefacts.h"
#include "gameinfo/gameversion.h"
#include "launch/launcher.h"
#include "system/session.h"
#include "tracks/infoframes.h"
#include "tracks/navigation.h"
#include "tracks/trackfile.h"
#include "widgets/controls.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace drovex {
namespace {

// Four caption-less frames: caption, value label; the track's checksum closes the last one.
constexpr int kRowCount = 9;
const char* const kRows[kRowCount][2] = {
    {"GP2 Version:", "LBL_GP2Version"}, {"File Size:", "LBL_GP2FileSize"},
    {"GP2 Folder:", "LBL_GP2Folder"},   {"File Date:", "LBL_GP2FileDate"},
    {"Track Name:", "LBL_TrackName"},   {"File Size:", "LBL_TrackFileSize"},
    {"Track Folder:", "LBL_TrackFolder"}, {"File Date:", "LBL_TrackFileDate"},
    {"Checksum:", "LBL_TrackChecksum"},
};
enum Row { VersionRow, GameSizeRow, GameFolderRow, GameDateRow, TrackNameRow, TrackSizeRow, TrackFolderRow, TrackDateRow,
           TrackChecksumRow };

} // namespace

FileInfoWindow::FileInfoWindow(const Session& session, QWidget* parent)
    : InfoWindow(parent)
    , m_session(session)
{
    setObjectName(QStringLiteral("Drovex7"));
    setWindowTitle(QStringLiteral("Drovex File-Info"));
    setModal(true);
    auto* body = new QWidget;
    auto* frames = new QVBoxLayout(body);
    frames->setContentsMargins(0, 0, 0, 0);
    QList<InfoRow> rows;
    for (int i = 0; i < kRowCount; ++i)
        rows.append({std::min(i / 2, 3), kRows[i][0], kRows[i][1]});
    const QList<ValueLabel*> values = buildInfoFrames(frames, rows, valueColumnLimit(this));
    for (int i = 0; i < kRowCount; ++i)
        at(m_value, i) = values[i];
    auto* ok = makeButton("BTN_OK", "OK", "OK ... enough");
    ok->setDefault(true);
    auto* track = makeButton("BTN_Track", "Track Info", "View Folder Infos");
    connect(ok, &QPushButton::clicked, this, [this] { done(NextSelector); });
    connect(track, &QPushButton::clicked, this, [this] { done(NextTrackInfo); });
    setBody(body, buttonRow(track, ok));
}

void FileInfoWindow::fill(const QString& trackName, const QString& trackPath)
{
    const QString game = m_session.gameFolder();
    const GameVersion version = DetectGameVersion(game);
    const FileFacts exe = factsOf(game.isEmpty() ? QString() : gameExecutable(game));
    const FileFacts track = factsOf(trackPath);
    const TrackFileFacts file = trackPath.isEmpty() ? TrackFileFacts{} : readTrackFile(trackPath);
    const QString texts[kRowCount] = {
        version.text,
        exe.sizeMb,
        game.isEmpty() ? QStringLiteral("-") : game,
        exe.date,
        trackPath.isEmpty() ? QStringLiteral("-") : trackNameText(trackName, trackPath),
        track.sizeKb,
        trackPath.isEmpty() ? QStringLiteral("-") : trackFolderText(game, trackPath),
        track.date,
        file.checksum ? checksumVerdict(*file.checksum) : QStringLiteral("-"),
    };
    for (int i = 0; i < kRowCount; ++i)
        at(m_value, i)->setValue(texts[i]);
    m_value[TrackChecksumRow]->setToolTip(file.checksum ? checksumDetails(*file.checksum) : QString());
    setTextColour(m_value[VersionRow], version.known ? palette().color(QPalette::WindowText) : QColor(255, 0, 0));
    fitToContent();
}

QString FileInfoWindow::value(const char* name) const
{
    for (const ValueLabel* l : m_value)
        if (l->objectName() == QLatin1String(name))
            return l->value();
    return {};
}

void FileInfoWindow::reject() { done(NextSelector); }

} // namespace drovex
