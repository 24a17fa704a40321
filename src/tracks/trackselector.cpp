#include "tracks/trackselector.h"

#include "common/dosname.h"
#include "common/indexing.h"
#include "common/paths.h"
#include "system/platform.h"
#include "system/session.h"
#include "tracks/fileinfowindow.h"
#include "tracks/infoframes.h"
#include "tracks/navigation.h"
#include "tracks/trackinfowindow.h"
#include "tracks/tracklibrary.h"
#include "tracks/tracklists.h"
#include "tracks/trackmap.h"
#include "widgets/controls.h"
#include "widgets/elidinglabel.h"
#include "widgets/handcursor.h"
#include "widgets/plaintext.h"
#include "widgets/screenfit.h"
#include "widgets/services.h"

#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

namespace drovex {
namespace {

// A folder path as written, without a trailing separator (a hand-edited store may carry one).
QString cleanFolder(const QString& folder)
{
    return folder.isEmpty() ? QString() : QDir::toNativeSeparators(QDir::cleanPath(folder));
}

} // namespace

TrackSelector::TrackSelector(Session& session, Services& services, SlotTable& slotTable, bool defaultsMode, QWidget* parent)
    : QDialog(parent)
    , m_session(session)
    , m_services(services)
    , m_slots(slotTable)
    , m_table(slotTable)
{
    setObjectName(QStringLiteral("Drovex5"));
    setWindowTitle(QStringLiteral("Drovex Track-Selector"));
    setModal(true);

    auto* slotFrame = new QGroupBox;
    slotFrame->setObjectName(QStringLiteral("Frame(0)"));
    buildSlots(slotFrame);

    auto* listFrame = new QGroupBox;
    listFrame->setObjectName(QStringLiteral("Frame(1)"));
    auto* listLayout = new QVBoxLayout(listFrame);
    m_drive = new QComboBox;
    m_drive->setObjectName(QStringLiteral("BX_Drive"));
    m_drive->setToolTip(QStringLiteral("Choose drive"));
    m_drive->setAccessibleName(QStringLiteral("Choose drive"));
    m_folders = new QListWidget;
    m_folders->setObjectName(QStringLiteral("BX_Folder"));
    m_folders->setToolTip(QStringLiteral("Choose folder"));
    m_folders->setAccessibleName(QStringLiteral("Choose folder"));
    useHandCursor(m_folders);
    m_fileModel = new TrackFileModel(this);
    m_files = new QListView;
    m_files->setObjectName(QStringLiteral("BX_File"));
    m_files->setToolTip(QStringLiteral("Choose track"));
    m_files->setAccessibleName(QStringLiteral("Choose track"));
    m_files->setModel(m_fileModel);
    m_files->setUniformItemSizes(true);
    m_files->setEditTriggers(QAbstractItemView::NoEditTriggers);
    useHandCursor(m_files);
    m_select = new QLineEdit;
    m_select->setObjectName(QStringLiteral("BX_Select"));
    m_select->setToolTip(QStringLiteral("Selected Track"));
    m_select->setAccessibleName(QStringLiteral("Selected Track"));
    m_select->setReadOnly(true);
    m_select->setCursor(Qt::ArrowCursor);
    // Why a file cannot be handed to Drovex, whole, on lines of its own under the name box.
    // (Value labels break a word too long for a line, such as a long file name, rather than
    // widening the window for it.)
    m_refused = new ValueLabel("LBL_Refused");
    m_refused->hide();
    // The way forward for a track refused for its name: a copy under a DOS name.
    m_copy = makeButton("BTN_CopyIntoGame", "Copy into the game",
                        "Copy the file into the game's track folder under a name DOS can open");
    m_copy->setAutoDefault(false);
    m_copy->hide();
    // The highlighted file's circuit and what its bytes say.
    m_map = new TrackMap;
    const QScreen* screen = this->screen();
    const int side = screen ? qBound(64, screen->availableGeometry().height() / 9, 96) : 88;
    m_map->setFixedSize(side, side);
    m_facts = new ValueLabel("LBL_Facts");
    auto* details = new QHBoxLayout;
    details->addWidget(m_map, 0, Qt::AlignTop);
    auto* facts = new QVBoxLayout;
    facts->addWidget(m_facts);
    facts->addWidget(m_refused);
    facts->addStretch(1);
    details->addLayout(facts, 1);
    listLayout->addWidget(m_drive);
    listLayout->addWidget(m_folders, 1);
    listLayout->addWidget(m_files, 2);
    listLayout->addWidget(m_select);
    listLayout->addLayout(details);
    // On a line of its own, under the map and the reason: the column keeps its width.
    listLayout->addWidget(m_copy, 0, Qt::AlignLeft);

    m_add = makeButton("BTN_AddTracks", "Add Tracks", "Copy track files into the game under names DOS can open");
    m_add->setText(QStringLiteral("Add Tracks\u2026"));
    m_details = makeButton("BTN_Details", "More Info", "More Infos about the selected Track");
    m_details->setEnabled(false);
    m_list = makeButton("BTN_List", "List", "View Folder List");
    m_accept = makeButton("BTN_Accept", "Accept", "Accept selected tracks");
    auto* cancel = makeButton("BTN_Cancel", "Cancel", "Cancel Selection");
    for (QPushButton* b : {m_add, m_details, m_list, m_accept, cancel})
        b->setAutoDefault(false);
    // Enter accepts, as in every dialog with an Accept button; the lists keep their own Enter.
    m_accept->setDefault(true);
    auto* buttons = new QGridLayout;
    buttons->addWidget(m_add, 0, 0, 1, 2);
    buttons->addWidget(m_details, 1, 0);
    buttons->addWidget(m_list, 1, 1);
    buttons->addWidget(m_accept, 2, 0);
    buttons->addWidget(cancel, 2, 1);
    listLayout->addLayout(buttons);

    auto* slotSide = new QVBoxLayout;
    slotSide->addWidget(slotFrame, 1);
    m_hint = new ValueLabel("LBL_Hint"); // filled as the start folder opens
    slotSide->addWidget(m_hint);
    auto* top = new QHBoxLayout(this);
    top->addLayout(slotSide, 1);
    top->addWidget(listFrame, 1);
    resize(680, 500);
    fitToScreen(this);

    connect(m_add, &QPushButton::clicked, this, [this] { addTracks(this); });
    connect(m_copy, &QPushButton::clicked, this, [this] { addFiles({m_selectedPath}); });
    connect(m_details, &QPushButton::clicked, this, [this] { done(NextTrackInfo); });
    connect(m_list, &QPushButton::clicked, this, [this] { done(NextFolderInfo); });
    connect(m_accept, &QPushButton::clicked, this, &TrackSelector::accept);
    connect(cancel, &QPushButton::clicked, this, &TrackSelector::reject);
    connect(m_folders, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { changeFolder(item->data(Qt::UserRole).toString()); });
    connect(m_drive, &QComboBox::activated, this, [this](int i) { chooseDrive(m_drive->itemData(i).toString()); });
    // A file is chosen when the mouse or the arrow keys select it; the list taking the focus
    // (Tab) makes a file current without choosing it.
    connect(m_files->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        const QModelIndexList chosen = m_files->selectionModel()->selectedIndexes();
        if (!chosen.isEmpty())
            fileClicked(m_fileModel->fileName(chosen.constFirst().row()));
    });
    m_files->installEventFilter(this);
    m_folders->installEventFilter(this);
    // A click on a file chosen a moment ago (its press made it current) reads nothing again; a
    // click on the current file after an assignment chooses it anew.
    connect(m_files, &QListView::clicked, this, [this](const QModelIndex& index) {
        const QString name = m_fileModel->fileName(index.row());
        if (joinPath(m_folder, name) != m_selectedPath || !m_option[0]->isEnabled())
            fileClicked(name);
    });
    connect(m_fileModel, &TrackFileModel::completed, this, &TrackSelector::choosePendingFile);

    fillDriveList();
    openStartFolder();
    setDefaultsMode(defaultsMode);
    refreshSlots();
}

// The slots' track folder (CIRCUITS) when the game has one, else the game folder; with no game
// folder yet, nothing is listed and the window says what to do first.
void TrackSelector::openStartFolder()
{
    const QString game = m_session.gameFolder();
    m_hint->setValue(standardHint());
    if (game.isEmpty() || !QFileInfo(game).isDir()) {
        m_folder.clear();
        m_folders->clear();
        m_fileModel->setFolder(QString());
        setSelectedName({});
    } else {
        const QString circuits = trackLibraryFolder(game);
        changeFolder(QFileInfo(circuits).isDir() ? circuits : game);
    }
    enableFileChoice();
}

// Files are chosen from a folder of the game, and not while the defaults show.
void TrackSelector::enableFileChoice()
{
    for (QWidget* w : std::initializer_list<QWidget*>{m_drive, m_folders, m_files, m_add})
        w->setEnabled(!m_folder.isEmpty() && !m_defaultsMode);
}

QString TrackSelector::standardHint() const
{
    const QString game = m_session.gameFolder();
    return game.isEmpty() || !QFileInfo(game).isDir() ? QStringLiteral("Choose GP2.EXE first (GP2 Path)")
                                                      : QStringLiteral("Pick a track file, then the button of its slot");
}

TrackSelector::~TrackSelector()
{
    delete m_fileInfo;
    delete m_info;
}

// Each slot is one row: its button, its number and the name of its track.
void TrackSelector::buildSlots(QGroupBox* frame)
{
    auto* grid = new QGridLayout(frame);
    grid->setColumnStretch(2, 1);
    for (int n = 1; n <= SlotTable::kSlots; ++n) {
        auto* option = new QRadioButton;
        option->setObjectName(QStringLiteral("OPT_Track(%1)").arg(n));
        // One of sixteen, as screen readers announce it; cleared by setSlotButtons.
        option->setAutoExclusive(true);
        option->setEnabled(false);
        option->setToolTip(QStringLiteral("Use selected track for slot %1").arg(n));
        option->setAccessibleName(QStringLiteral("Use selected track for slot %1").arg(n));
        useHandCursor(option);
        connect(option, &QRadioButton::clicked, this, [this, n] { assignSlot(n); });

        auto* number = new QLabel(QStringLiteral("%1 - ").arg(n, 2, 10, QLatin1Char('0')));
        number->setObjectName(QStringLiteral("Label(%1)").arg(n - 1));
        auto* label = new ElidingLabel;
        label->setObjectName(QStringLiteral("LBL_Track(%1)").arg(n));
        label->setMinimumWidth(120);
        label->installEventFilter(this);
        usePlainToolTip(label);
        useHandCursor(label);
        connect(label, &ElidingLabel::elisionChanged, this, &TrackSelector::refreshSlots);
        grid->addWidget(option, n - 1, 0, Qt::AlignVCenter);
        grid->addWidget(number, n - 1, 1, Qt::AlignVCenter);
        grid->addWidget(label, n - 1, 2);
        at(m_option, n - 1) = option;
        at(m_label, n - 1) = label;
    }
}

FileInfoWindow* TrackSelector::fileInfo(bool create)
{
    if (!m_fileInfo && create)
        m_fileInfo = new FileInfoWindow(m_session, parentWidget());
    return m_fileInfo;
}

TrackInfoWindow* TrackSelector::trackInfo(bool create)
{
    if (!m_info && create)
        m_info = new TrackInfoWindow(m_services, parentWidget());
    return m_info;
}

bool TrackSelector::isFileListComplete() const { return m_fileModel->isComplete(); }

void TrackSelector::fillDriveList()
{
    m_drive->clear();
    for (const QString& root : m_session.platform().drives())
        m_drive->addItem(QDir::toNativeSeparators(root), root);
}

void TrackSelector::fillFolderList()
{
    m_folders->clear();
    for (const FolderRow& row : folderRows(m_folder)) {
        auto* item = new QListWidgetItem(QString(row.depth * 2, QLatin1Char(' ')) + row.label, m_folders);
        item->setData(Qt::UserRole, row.path);
        if (row.current) {
            QFont f = item->font();
            f.setBold(true);
            item->setFont(f);
            m_folders->setCurrentItem(item);
        }
    }
    // The drive list shows the file system the folder lies on.
    int best = -1;
    qsizetype bestLength = -1;
    for (int i = 0; i < m_drive->count(); ++i) {
        const QString root = m_drive->itemData(i).toString();
        if (m_folder.startsWith(root) && root.size() > bestLength) {
            best = i;
            bestLength = root.size();
        }
    }
    if (best >= 0)
        m_drive->setCurrentIndex(best);
}

void TrackSelector::chooseDrive(const QString& root)
{
    if (!root.isEmpty() && QFileInfo(root).isDir())
        changeFolder(root);
}

void TrackSelector::changeFolder(const QString& folder)
{
    m_pendingFile.clear(); // a file of the folder shown before
    m_hint->setValue(standardHint());
    setSlotButtons(false);
    m_details->setEnabled(false);
    setSelectedName({});
    m_folder = cleanFolder(folder);
    fillFolderList();
    m_fileModel->setFolder(m_folder);

    // The track folder must be the game folder or lie inside it. A folder whose name merely
    // begins with the game folder's (GP2X beside GP2) is outside it too.
    const QString game = cleanFolder(m_session.gameFolder());
    if (game.isEmpty() || m_warning)
        return;
    const QString gameWithSep = game.endsWith(QDir::separator()) ? game : game + QDir::separator();
    if (m_folder != game && !m_folder.startsWith(gameWithSep)) {
        m_warning = true;
        m_services.message(this, MessageIcon::Warning, QStringLiteral("Warning !!"),
                           QStringLiteral("Your Track-Folder must be a\r\nSub-Directory of your GP2-Folder     "));
        changeFolder(game);
        m_warning = false;
    }
}

// The game folder changed while this window lived (hidden): its lists and slots follow.
void TrackSelector::followGameFolder()
{
    openStartFolder();
    m_selectedPath.clear(); // a file of the old folder
    reload();
}

void TrackSelector::setSlotButtons(bool enabled)
{
    for (int n = SlotTable::kSlots; n >= 1; --n) {
        QRadioButton* b = at(m_option, n - 1);
        // An exclusive button refuses to be cleared on its own: it is let go for a moment.
        b->setAutoExclusive(false);
        b->setChecked(false);
        b->setAutoExclusive(true);
        b->setEnabled(enabled);
    }
}

QString TrackSelector::selectedName() const { return m_select->text(); }

void TrackSelector::setSelectedName(const QString& name)
{
    m_select->setText(name);
    m_select->setCursorPosition(0); // a long name shows its start
    m_select->setToolTip(name.isEmpty() ? QStringLiteral("Selected Track") : name);
    setRefusal({});
    if (name.isEmpty())
        showDetails({});
}

void TrackSelector::setRefusal(const QString& why)
{
    m_refused->setValue(why);
    m_refused->setVisible(!why.isEmpty());
    m_copy->hide();
}

void TrackSelector::deliver(const TrackInfo& info)
{
    // Without a tag every field of the track info reads "-", not the previous track's values.
    trackInfo(true)->showInfo(info);
    setSelectedName(info.tagFound ? info.name : QStringLiteral("No Name"));
}

void TrackSelector::fileClicked(const QString& fileName)
{
    if (fileName.isEmpty())
        return;
    m_pendingFile.clear(); // the player's own choice wins over a file just added
    setSelectedName({});
    m_selectedPath = joinPath(m_folder, fileName);
    // Drovex opens the file under DOS: a name that is not 8.3 cannot be handed to it.
    const QString problem = m_session.gameFolder().isEmpty() ? QString() : dosProblem(m_selectedPath);
    // Its tag can be read all the same: More Info shows it.
    deliver(ReadTrackInfo(m_selectedPath));
    const TrackFileFacts facts = showDetails(m_selectedPath);
    m_details->setEnabled(true);
    if (!problem.isEmpty()) {
        setSlotButtons(false);
        setRefusal(QStringLiteral("Drovex cannot open this file under DOS: ") + problem);
        offerCopy(facts);
        return;
    }
    // Assigning needs a game folder to be relative to.
    setSlotButtons(!m_session.gameFolder().isEmpty());
}

bool TrackSelector::eventFilter(QObject* watched, QEvent* event)
{
    // Enter in a list opens the folder or chooses the file; it does not also accept the window.
    if (event->type() == QEvent::KeyPress && (watched == m_files || watched == m_folders)) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            auto* view = static_cast<QAbstractItemView*>(watched);
            if (watched == m_files && view->currentIndex().isValid())
                view->selectionModel()->select(view->currentIndex(), QItemSelectionModel::ClearAndSelect);
            else if (m_folders->currentItem())
                changeFolder(m_folders->currentItem()->data(Qt::UserRole).toString());
            return true;
        }
    }
    if (event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        for (int n = 1; n <= SlotTable::kSlots; ++n) {
            if (watched == at(m_label, n - 1)) {
                slotLabelClicked(n);
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

QString TrackSelector::slotPathOf(const QString& path) const
{
    return nativeToDos(QDir(cleanFolder(m_session.gameFolder())).relativeFilePath(path));
}

QString TrackSelector::dosProblem(const QString& path) const { return dosPathProblem(slotPathOf(path), kDosPathMax); }

} // namespace drovex
