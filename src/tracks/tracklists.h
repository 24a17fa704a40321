#pragma once

#include <QAbstractListModel>
#include <QDirIterator>
#include <QStringList>

#include <memory>

namespace drovex {

// The "*.dat" files of one folder, listed a chunk at a time between event-loop turns so that
// the window stays responsive in a folder of thousands of tracks; kept sorted as they arrive.
class TrackFileModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit TrackFileModel(QObject* parent = nullptr);
    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    void setFolder(const QString& folder); // starts listing; the old list is dropped at once
    bool isComplete() const { return !m_iterator; }
    QString fileName(int row) const { return m_names.value(row); }
    static constexpr int kChunk = 1000;

signals:
    void completed();

private:
    void nextChunk();
    QStringList m_names;
    std::unique_ptr<QDirIterator> m_iterator;
    quint64 m_generation = 0;
};

// Rows of a classic folder list: the folders from the root down to the current one, then the
// folders inside it.
struct FolderRow {
    QString path;
    QString label;
    int depth;
    bool current;
};
QList<FolderRow> folderRows(const QString& folder);

} // namespace drovex
