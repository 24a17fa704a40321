#pragma once

#include <QDialog>

namespace drovex {

class Session;
class SlotTable;

// "Drovex Folder-Info": the file of every slot and the folders the front-end works with. Filled
// when created; both of its buttons unload it.
class FolderInfoWindow : public QDialog {
    Q_OBJECT
public:
    FolderInfoWindow(const Session& session, const SlotTable& table, QWidget* parent);
    void reject() override; // Escape acts as OK
};

} // namespace drovex
