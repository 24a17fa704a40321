// The Track Manager's way into the game for downloaded tracks: Add Tracks, the copy offered for
// a file refused for its name, and the details of the highlighted file (its map and what its
// bytes say).
#include "tracks/trackselector.h"

#include "common/paths.h"
#include "system/session.h"
#include "tracks/infoframes.h"
#include "tracks/originaltracks.h"
#include "tracks/tracklibrary.h"
#include "tracks/tracklists.h"
#include "tracks/trackmap.h"
#include "widgets/services.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QStandardPaths>

namespace drovex {

bool TrackSelector::addTracks(QWidget* owner)
{
    if (m_session.gameFolder().isEmpty()) {
        emit statusMessage(QStringLiteral("Tracks are added to the game folder: choose GP2.EXE first (GP2 Path)."));
        return false;
    }
    // Downloads are where new tracks usually are.
    const QString downloads = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    const FileRequest request{QStringLiteral("Track Files (*.dat)|*.dat|All Files (*)|*"),
                              QFileInfo(downloads).isDir() ? downloads : QDir::homePath(),
                              QStringLiteral("Add Tracks to the Game"), {}};
    return addFiles(m_services.openFiles(owner, request));
}

bool TrackSelector::addFiles(const QStringList& files)
{
    if (files.isEmpty())
        return false;
    const AddedTracks added = addTrackFiles(files, m_session.gameFolder(), m_folder);
    emit statusMessage(added.text);
    // The file list shows the track folder with the first new file chosen; while the defaults
    // show, files are not chosen, and the status bar alone says what was added.
    if (!added.firstPath.isEmpty() && !m_defaultsMode) {
        changeFolder(QFileInfo(added.firstPath).absolutePath());
        m_pendingFile = QFileInfo(added.firstPath).fileName();
    }
    // Said here too, where the player is looking.
    m_hint->setValue(added.text);
    return !added.firstPath.isEmpty();
}

void TrackSelector::choosePendingFile()
{
    const QString name = std::exchange(m_pendingFile, QString());
    for (int row = 0; !name.isEmpty() && row < m_fileModel->rowCount(); ++row) {
        if (m_fileModel->fileName(row) == name) {
            // Chosen as a click chooses it: the slot buttons are ready.
            const QModelIndex index = m_fileModel->index(row, 0);
            m_files->setCurrentIndex(index);
            m_files->scrollTo(index);
            return;
        }
    }
}

// Only a track can be copied into the game; its DOS name is the one the copy would get now.
void TrackSelector::offerCopy(const TrackFileFacts& facts)
{
    if (m_defaultsMode || !notATrackReason(facts).isEmpty())
        return;
    const QString name = nameForTrack(m_selectedPath, m_session.gameFolder(), m_folder);
    if (name.isEmpty())
        return;
    m_copy->setText(QStringLiteral("Copy into the game as %1").arg(name));
    m_copy->show();
}

void TrackSelector::refreshDetails()
{
    if (m_details->isEnabled() && !m_selectedPath.isEmpty())
        showDetails(m_selectedPath);
}

TrackFileFacts TrackSelector::showDetails(const QString& path)
{
    const TrackFileFacts facts = path.isEmpty() ? TrackFileFacts{} : readTrackFile(path);
    const std::optional<TrackOutline>& outline = facts.data.outline;
    m_map->setOutline(outline ? outline->points : QList<QPointF>());
    QStringList lines;
    if (facts.original)
        lines << originalTrackLine(*facts.original);
    if (facts.checksum)
        lines << checksumLine(*facts.checksum);
    if (outline)
        lines << QStringLiteral("Track data: %1 m").arg(lapLengthText(*outline));
    else if (!path.isEmpty())
        lines << noMapText(facts);
    m_facts->setValue(lines.join(QLatin1Char('\n')));
    m_facts->setToolTip(facts.checksum ? checksumDetails(*facts.checksum) : QString());
    m_facts->setVisible(!lines.isEmpty());
    return facts;
}

} // namespace drovex
