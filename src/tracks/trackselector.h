#pragma once

#include "tracks/slottable.h"

#include <QDialog>
#include <QPointer>

#include <array>
#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QListView;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace drovex {

struct Session;
class Services;
class TrackFileModel;
class TrackInfoWindow;
class FileInfoWindow;

// "Drovex Track-Selector": puts track files found below the game folder into the sixteen slots.
class TrackSelector : public QDialog {
    Q_OBJECT
public:
    // defaultsMode tells whether the main window shows the defaults.
    TrackSelector(Session& session, Services& services, std::function<bool()> defaultsMode, QWidget* parent);
    ~TrackSelector() override;

    SlotTable& table() { return m_table; }
    void Read();                       // reloads the slots (from the store unless in defaults mode)
    void setDefaultsMode(bool on);     // disables the choice of files and Accept
    void refreshSlots();               // slot labels from the table

    QString folderPath() const { return m_folder; }
    void changeFolder(const QString& folder);
    void chooseDrive(const QString& root);
    void fileClicked(const QString& fileName);
    void slotLabelClicked(int slot);
    void assignSlot(int slot);
    bool isFileListComplete() const;

    QString selectedName() const;
    QString selectedPath() const { return m_selectedPath; }

    TrackInfoWindow* trackInfo(bool create);
    FileInfoWindow* fileInfo(bool create); // filled when created, kept until the selector ends

    // Accept stores every slot; Cancel, Escape and the close box drop every change.
    void accept() override;
    void reject() override;

signals:
    void fileListComplete();
    void finished(); // accepted or cancelled: the track windows are to be discarded

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void deliver(const TrackInfo& info);
    QString dosProblem(const QString& path) const; // why DOS cannot open the file; "" when it can
    void setSelectedName(const QString& name);
    void setSlotButtons(bool enabled);
    void fillFolderList();
    void fillDriveList();

    Session& m_session;
    Services& m_services;
    std::function<bool()> m_defaultsMode;
    SlotTable m_table;
    QString m_folder;
    QString m_selectedPath;
    std::array<QRadioButton*, 16> m_option{};
    std::array<QLabel*, 16> m_label{};
    QComboBox* m_drive = nullptr;
    QListWidget* m_folders = nullptr;
    QListView* m_files = nullptr;
    TrackFileModel* m_fileModel = nullptr;
    QLineEdit* m_select = nullptr;
    QPushButton* m_details = nullptr;
    QPushButton* m_list = nullptr;
    QPushButton* m_accept = nullptr;
    QPointer<TrackInfoWindow> m_info;
    QPointer<FileInfoWindow> m_fileInfo;
    bool m_warning = false;
};

} // namespace drovex
