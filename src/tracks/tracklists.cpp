#include "tracks/tracklists.h"

#include <QDir>
#include <QFileInfo>
#include <QTimer>

#include <algorithm>

namespace drovex {
namespace {
bool lessName(const QString& a, const QString& b)
{
    const int c = a.compare(b, Qt::CaseInsensitive);
    return c != 0 ? c < 0 : a < b;
}
} // namespace

TrackFileModel::TrackFileModel(QObject* parent)
    : QAbstractListModel(parent)
{
}

int TrackFileModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_names.size());
}

QVariant TrackFileModel::data(const QModelIndex& index, int role) const
{
    if (role == Qt::DisplayRole && index.isValid() && index.row() < m_names.size())
        return m_names[index.row()];
    return {};
}

void TrackFileModel::setFolder(const QString& folder)
{
    beginResetModel();
    m_names.clear();
    m_iterator.reset();
    endResetModel();
    ++m_generation;
    if (!QFileInfo(folder).isDir()) {
        emit completed();
        return;
    }
    // Without QDir::CaseSensitive the pattern matches ".DAT" too. Without QDir::System named
    // pipes and devices are left out: they are no tracks, and reading one could wait for good.
    m_iterator = std::make_unique<QDirIterator>(folder, QStringList{QStringLiteral("*.dat")}, QDir::Files);
    const quint64 generation = m_generation;
    QTimer::singleShot(0, this, [this, generation] {
        if (generation == m_generation)
            nextChunk();
    });
}

void TrackFileModel::nextChunk()
{
    if (!m_iterator)
        return;
    QStringList chunk;
    while (chunk.size() < kChunk && m_iterator->hasNext()) {
        m_iterator->next();
        // A link to a named pipe or a device passes the listing's filter; it is no track either.
        if (m_iterator->fileInfo().isFile())
            chunk << m_iterator->fileName();
    }
    std::sort(chunk.begin(), chunk.end(), lessName);
    if (m_names.isEmpty() && !chunk.isEmpty()) {
        beginInsertRows({}, 0, static_cast<int>(chunk.size()) - 1);
        m_names = chunk;
        endInsertRows();
    } else {
        for (const QString& name : chunk) {
            const auto at = std::lower_bound(m_names.begin(), m_names.end(), name, lessName) - m_names.begin();
            beginInsertRows({}, static_cast<int>(at), static_cast<int>(at));
            m_names.insert(at, name);
            endInsertRows();
        }
    }
    if (m_iterator->hasNext()) {
        const quint64 generation = m_generation;
        QTimer::singleShot(0, this, [this, generation] {
            if (generation == m_generation)
                nextChunk();
        });
        return;
    }
    m_iterator.reset();
    emit completed();
}

QList<FolderRow> folderRows(const QString& folder)
{
    QList<FolderRow> rows;
    const QString clean = QDir::cleanPath(QDir(folder).absolutePath());
    QStringList chain;
    for (QDir d(clean);; ) {
        chain.prepend(d.absolutePath());
        if (d.isRoot() || !d.cdUp())
            break;
    }
    int depth = 0;
    for (const QString& p : chain) {
        const QString name = QDir(p).isRoot() ? QDir::toNativeSeparators(p) : QFileInfo(p).fileName();
        rows.append({p, name, depth++, p == chain.last()});
    }
    // Dot-folders stay hidden, as in a file manager.
    QStringList subs = QDir(clean).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    std::sort(subs.begin(), subs.end(), lessName);
    for (const QString& s : subs)
        rows.append({QDir(clean).filePath(s), s, depth, false});
    return rows;
}

} // namespace drovex
