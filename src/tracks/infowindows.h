#pragma once

#include <QDialog>

#include <array>

class QLabel;

namespace drovex {

struct Session;
class SlotTable;

// "Drovex File-Info": the game's executable and the selected track file. Filled when created.
class FileInfoWindow : public QDialog {
    Q_OBJECT
public:
    // trackName and trackPath: the track selected in the track selector.
    FileInfoWindow(const Session& session, const QString& trackName, const QString& trackPath, QWidget* parent);
    void reject() override; // Escape acts as OK
};

// "Drovex Folder-Info": the file of every slot and the three folders. Filled when created.
class FolderInfoWindow : public QDialog {
    Q_OBJECT
public:
    FolderInfoWindow(const Session& session, const SlotTable& table, QWidget* parent);
    void reject() override; // Escape acts as OK
};

} // namespace drovex
