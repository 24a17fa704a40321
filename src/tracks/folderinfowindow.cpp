#include "tracks/folderinfowindow.h"

#include "gameinfo/filefacts.h"
#include "launch/emulator.h"
#include "system/session.h"
#include "settings/settingsstore.h"
#include "tracks/navigation.h"
#include "tracks/slottable.h"
#include "widgets/controls.h"

#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace drovex {

FolderInfoWindow::FolderInfoWindow(const Session& session, const SlotTable& table, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("Drovex8"));
    setWindowTitle(QStringLiteral("Drovex Folder-Info"));
    setModal(true);

    auto* top = new QVBoxLayout(this);
    top->setSizeConstraint(QLayout::SetFixedSize);
    auto* slotBox = new QGroupBox;
    auto* slotGrid = new QGridLayout(slotBox);
    for (int n = 1; n <= SlotTable::kSlots; ++n) {
        slotGrid->addWidget(new QLabel(QStringLiteral("%1 - ").arg(n, 2, 10, QLatin1Char('0'))), n - 1, 0);
        auto* label = new QLabel(table.path(n));
        label->setObjectName(QStringLiteral("LBL_Track(%1)").arg(n));
        label->setTextFormat(Qt::PlainText);
        slotGrid->addWidget(label, n - 1, 1);
    }
    top->addWidget(slotBox);

    auto* folderBox = new QGroupBox;
    auto* folderGrid = new QGridLayout(folderBox);
    const SettingsStore& store = session.store();
    // The emulator's row shows its program, not its folder: the name tells which emulator it is.
    const QString folders[4] = {session.gameFolder(), folderWithoutFile(store.get(QString::fromLatin1(kPathDrovex))),
                                folderWithoutFile(store.get(QString::fromLatin1(kPathBatch))),
                                storedEmulator(store).program()};
    const char* const captions[4] = {"GP2:", "Drovex:", "Batch-File:", "DOS Emulator:"};
    for (int i = 0; i < 4; ++i) {
        folderGrid->addWidget(new QLabel(QString::fromLatin1(captions[i])), i, 0);
        auto* label = new QLabel(QDir::toNativeSeparators(folders[i]));
        label->setObjectName(QStringLiteral("LBL_Folder(%1)").arg(i));
        label->setTextFormat(Qt::PlainText);
        folderGrid->addWidget(label, i, 1);
    }
    auto* emulator = makeButton("BTN_Emulator", "", "Choose the DOS emulator, the game's speed in it, the game CD image "
                                                    "and your own emulator settings");
    emulator->setText(QStringLiteral("DOS Emulator\u2026"));
    connect(emulator, &QPushButton::clicked, this, [this] { done(NextEmulator); });
    folderGrid->addWidget(emulator, 4, 1, Qt::AlignLeft);
    top->addWidget(folderBox);

    auto* main = makeButton("BTN_Main", "Main Screen", "Back to Main Screen");
    auto* ok = makeButton("BTN_OK", "OK", "OK ... enough");
    ok->setDefault(true);
    connect(main, &QPushButton::clicked, this, [this] { done(NextClose); });
    connect(ok, &QPushButton::clicked, this, [this] { done(NextSelector); });
    top->addLayout(buttonRow(main, ok));
}

void FolderInfoWindow::reject() { done(NextSelector); }

} // namespace drovex
