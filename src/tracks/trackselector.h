#pragma once

#include "tracks/slottable.h"
#include "tracks/trackfile.h"

#include <QDialog>
#include <QPointer>

#include <array>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListView;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace drovex {

class Session;
class Services;
class TrackFileModel;
class TrackInfoWindow;
class FileInfoWindow;
class ElidingLabel;
class TrackMap;
class ValueLabel;

// "Drovex Track-Selector": puts track files found below the game folder into the sixteen slots.
// It edits a copy of the slot table; Accept stores the copy and makes it the table, Cancel drops it.
class TrackSelector : public QDialog {
    Q_OBJECT
public:
    TrackSelector(Session& session, Services& services, SlotTable& slotTable, bool defaultsMode, QWidget* parent);
    ~TrackSelector() override;

    SlotTable& table() { return m_table; }
    void reload();                     // shows the slot table afresh, dropping edits not accepted
    void followGameFolder();           // the lists move to the new game folder; the slots reload
    void setDefaultsMode(bool on);     // disables the choice of files and Accept

    QString folderPath() const { return m_folder; }
    void changeFolder(const QString& folder);
    void chooseDrive(const QString& root);
    void fileClicked(const QString& fileName);
    void slotLabelClicked(int slot);
    void assignSlot(int slot);
    bool isFileListComplete() const;

    // "Add Tracks…": the player picks track files anywhere, and they are added as addFiles adds
    // them; true when one of them is in the game now.
    bool addTracks(QWidget* owner);
    // Copies track files into the game's track folder (the folder shown when DOS can reach it,
    // else CIRCUITS) under DOS names, says what came of it, and chooses the first one in the
    // file list, ready for a slot's button; true when one of them is in the game now.
    bool addFiles(const QStringList& files);
    // The highlighted file's map and facts read again (after Track-Info fixed its checksum, say).
    void refreshDetails();

    QString selectedName() const;
    QString selectedPath() const { return m_selectedPath; }

    TrackInfoWindow* trackInfo(bool create);
    FileInfoWindow* fileInfo(bool create);

    // Whether a slot holds a track chosen here and not accepted yet.
    bool hasUnacceptedChoices() const;
    enum class Choice { Accept, Discard, Cancel };
    // Asks what becomes of the choices not accepted yet.
    Choice askAboutChoices(QWidget* owner);
    // Stores every slot and makes them the table; false when the store refused (said).
    bool storeChoices();

    // Accept stores every slot; Cancel, Escape and the close box drop every change, after a
    // question when choices would be lost.
    void accept() override;
    void reject() override;

signals:
    void statusMessage(const QString& text); // a result for the main window's status bar
    void finished(); // accepted or cancelled: the track windows are to be discarded

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildSlots(QGroupBox* frame);
    void openStartFolder();
    void enableFileChoice();
    void setRefusal(const QString& why);
    void offerCopy(const TrackFileFacts& facts);
    TrackFileFacts showDetails(const QString& path); // the map and facts of the file; "" clears them
    void choosePendingFile();
    QString standardHint() const;
    QString slotToolTip(int slot);
    void deliver(const TrackInfo& info);
    void setSelectedName(const QString& name);
    void setSlotButtons(bool enabled);
    void refreshSlots();
    void fillFolderList();
    void fillDriveList();
    QString slotPathOf(const QString& path) const; // the file's path relative to the game folder, DOS-style
    QString dosProblem(const QString& path) const; // why DOS cannot open the file; "" when it can

    Session& m_session;
    Services& m_services;
    SlotTable& m_slots;
    SlotTable m_table;
    QString m_folder;
    QString m_selectedPath;
    std::array<QRadioButton*, SlotTable::kSlots> m_option{};
    std::array<ElidingLabel*, SlotTable::kSlots> m_label{};
    QComboBox* m_drive = nullptr;
    QListWidget* m_folders = nullptr;
    QListView* m_files = nullptr;
    TrackFileModel* m_fileModel = nullptr;
    QLineEdit* m_select = nullptr;
    ValueLabel* m_refused = nullptr;
    ValueLabel* m_hint = nullptr;
    QPushButton* m_copy = nullptr;
    QPushButton* m_add = nullptr;
    TrackMap* m_map = nullptr;
    ValueLabel* m_facts = nullptr;
    QString m_pendingFile; // chosen in the file list once the list is complete
    // For each slot, the file its original-track line was read from, and that line.
    QList<QString> m_originalOf = QList<QString>(SlotTable::kSlots);
    QList<QString> m_originalLine = QList<QString>(SlotTable::kSlots);
    bool m_defaultsMode = false;
    QPushButton* m_details = nullptr;
    QPushButton* m_list = nullptr;
    QPushButton* m_accept = nullptr;
    QPointer<TrackInfoWindow> m_info;
    QPointer<FileInfoWindow> m_fileInfo;
    bool m_warning = false;
};

} // namespace drovex
