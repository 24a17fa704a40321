#include "gameinfo/infowindows.h"

#include "app/controls.h"
#include "app/handcursor.h"
#include "app/plaintext.h"
#include "gameinfo/filefacts.h"
#include "gameinfo/gameversion.h"
#include "launch/emulator.h"
#include "launch/launcher.h"
#include "settings/session.h"
#include "settings/settingsstore.h"
#include "tracks/navigation.h"
#include "tracks/slottable.h"

#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace drovex {
namespace {

QLabel* valueLabel(const char* name, const QString& text)
{
    auto* l = new QLabel(text);
    l->setObjectName(QString::fromLatin1(name));
    l->setTextFormat(Qt::PlainText);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
}

QPushButton* button(const char* name, const char* caption, const char* tip)
{
    auto* b = new QPushButton(QString::fromLatin1(caption));
    b->setObjectName(QString::fromLatin1(name));
    b->setToolTip(QString::fromLatin1(tip));
    useHandCursor(b);
    return b;
}

} // namespace

FileInfoWindow::FileInfoWindow(const Session& session, const QString& trackName, const QString& trackPath,
                               QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("Drovex7"));
    setWindowTitle(QStringLiteral("Drovex File-Info"));
    setModal(true);

    const QString game = session.gameFolder;
    const QString exe = game.isEmpty() ? QString() : gameExecutable(game);
    const GameVersion version = DetectGameVersion(game);
    const FileFacts exeFacts = factsOf(exe);
    const FileFacts trackFacts = factsOf(trackPath);

    auto* versionLabel = valueLabel("LBL_GP2Version", version.text);
    setTextColour(versionLabel, version.known ? QColor(Qt::black) : QColor(255, 0, 0));

    struct Row {
        const char* caption;
        QLabel* value;
    };
    const QList<QList<Row>> frames = {
        {{"GP2 Version:", versionLabel}, {"File Size:", valueLabel("LBL_GP2FileSize", exeFacts.sizeMb)}},
        {{"GP2 Folder:", valueLabel("LBL_GP2Folder", game.isEmpty() ? QStringLiteral("-") : game)},
         {"File Date:", valueLabel("LBL_GP2FileDate", exeFacts.date)}},
        {{"Track Name:", valueLabel("LBL_TrackName", trackPath.isEmpty() ? QStringLiteral("-")
                                                                         : trackNameText(trackName, trackPath))},
         {"File Size:", valueLabel("LBL_TrackFileSize", trackFacts.sizeKb)}},
        {{"Track Folder:", valueLabel("LBL_TrackFolder", trackPath.isEmpty() ? QStringLiteral("-")
                                                                             : trackFolderText(game, trackPath))},
         {"File Date:", valueLabel("LBL_TrackFileDate", trackFacts.date)}},
    };
    auto* top = new QVBoxLayout(this);
    top->setSizeConstraint(QLayout::SetFixedSize);
    int f = 0;
    for (const auto& rows : frames) {
        auto* box = new QGroupBox;
        box->setObjectName(QStringLiteral("Frame(%1)").arg(f++));
        auto* grid = new QGridLayout(box);
        grid->setColumnMinimumWidth(0, 90);
        for (const Row& r : rows) {
            const int at = grid->rowCount();
            grid->addWidget(new QLabel(QString::fromLatin1(r.caption)), at, 0);
            grid->addWidget(r.value, at, 1);
        }
        top->addWidget(box);
    }
    auto* ok = button("BTN_OK", "OK", "OK ... enough");
    ok->setDefault(true);
    auto* track = button("BTN_Track", "Track Info", "View Folder Infos");
    connect(ok, &QPushButton::clicked, this, [this] { done(NextSelector); });
    connect(track, &QPushButton::clicked, this, [this] { done(NextTrackInfo); });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(track);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    top->addLayout(buttons);
}

void FileInfoWindow::reject() { done(NextSelector); }

FolderInfoWindow::FolderInfoWindow(const Session& session, const SlotTable& table, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("Drovex8"));
    setWindowTitle(QStringLiteral("Drovex Folder-Info"));
    setModal(true);
    setAttribute(Qt::WA_DeleteOnClose, false);

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
    // The emulator's row shows its program, not its folder: the name tells which emulator it is.
    const QString emulatorKey = QString::fromLatin1(kPathEmulator);
    const QString folders[4] = {session.gameFolder,
                                folderWithoutFile(session.store.get(QString::fromLatin1(kPathDrovex))),
                                folderWithoutFile(session.store.get(QString::fromLatin1(kPathBatch))),
                                chooseEmulator(session.store.contains(emulatorKey), session.store.get(emulatorKey))
                                    .program()};
    const char* const captions[4] = {"GP2:", "Drovex:", "Batch-File:", "DOS Emulator:"};
    for (int i = 0; i < 4; ++i) {
        folderGrid->addWidget(new QLabel(QString::fromLatin1(captions[i])), i, 0);
        auto* label = new QLabel(QDir::toNativeSeparators(folders[i]));
        label->setObjectName(QStringLiteral("LBL_Folder(%1)").arg(i));
        label->setTextFormat(Qt::PlainText);
        folderGrid->addWidget(label, i, 1);
    }
    top->addWidget(folderBox);

    auto* main = button("BTN_Main", "Main Screen", "Back to Main Screen");
    auto* ok = button("BTN_OK", "OK", "OK ... enough");
    ok->setDefault(true);
    connect(main, &QPushButton::clicked, this, [this] { done(NextClose); });
    connect(ok, &QPushButton::clicked, this, [this] { done(NextSelector); });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(main);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    top->addLayout(buttons);
}

void FolderInfoWindow::reject() { done(NextSelector); }

} // namespace drovex
