// The main window as the user sees it: its panel of settings, its buttons and menus, the windows
// it opens, and the keyboard.
#include "app/mainwindow.h"

#include "about/aboutwindow.h"
#include "about/infobox.h"
#include "app/commands.h"
#include "app/settingspanel.h"
#include "colours/colourselector.h"
#include "common/indexing.h"
#include "system/session.h"
#include "settings/settingsstore.h"
#include "startopts/startoptionsdialog.h"
#include "tracks/trackmanager.h"
#include "version.h"
#include "widgets/controls.h"
#include "widgets/handcursor.h"
#include "widgets/services.h"
#include "widgets/screenfit.h"
#include "widgets/statusline.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QVBoxLayout>

#include <utility>

namespace drovex {
namespace {

constexpr const char* kPlayTip = "Save the settings and play Grand Prix 2";

// The commands' questions and messages, as the window's dialogs.
class WindowPrompts final : public Prompts {
public:
    WindowPrompts(Services& services, QWidget* owner)
        : m_services(services)
        , m_owner(owner)
    {
    }
    int ask(const QString& title, const QString& text, const QStringList& buttons) override
    {
        return m_services.question(m_owner, title, text, buttons);
    }
    void tell(Tone tone, const QString& title, const QString& text) override
    {
        m_services.message(m_owner,
                           tone == Tone::Critical  ? MessageIcon::Critical
                           : tone == Tone::Warning ? MessageIcon::Warning
                                                   : MessageIcon::Information,
                           title, text);
    }

private:
    Services& m_services;
    QWidget* m_owner;
};

} // namespace

MainWindow::MainWindow(Session& session, Services& services, QWidget* parent)
    : QMainWindow(parent)
    , m_session(session)
    , m_services(services)
{
    setObjectName(QStringLiteral("Drovex1"));
    setWindowTitle(QStringLiteral("Drovex Front-End") + QString(71, QLatin1Char(' ')) + QStringLiteral("[Version ") +
                   QLatin1String(kVersion) + QStringLiteral(" by Quennel]"));
    // Screen readers read the title without its padding.
    setAccessibleName(windowTitle().simplified());

    auto* central = new QWidget(this);
    auto* outer = new QVBoxLayout(central);
    m_panel = new SettingsPanel;
    // On a small screen or at a large scale the settings scroll; the buttons and the status bar
    // stay in sight.
    auto* scroll = new QScrollArea;
    scroll->setObjectName(QStringLiteral("SettingsScroll"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setWidget(m_panel);
    outer->addWidget(scroll, 1);
    QWidget* buttons = buildButtons();
    outer->addWidget(buttons);
    auto* mouseCursor = new QLabel(central);
    mouseCursor->setObjectName(QStringLiteral("MouseCursor"));
    mouseCursor->setPixmap(handCursor().pixmap());
    mouseCursor->hide();
    setCentralWidget(central);
    m_statusLine = new StatusLine;
    setStatusBar(m_statusLine);
    buildMenus();
    // As large as the settings want, as far as the screen allows.
    const QMargins m = outer->contentsMargins();
    resize(QSize(m_panel->sizeHint().width() + m.left() + m.right() + scroll->verticalScrollBar()->sizeHint().width(),
                 m_panel->sizeHint().height() + buttons->sizeHint().height() + outer->spacing() + m.top() + m.bottom() +
                     menuBar()->sizeHint().height() + m_statusLine->sizeHint().height()));
    fitToScreen(this);

    connect(m_panel, &SettingsPanel::startModeChosen, this, [this](int mode) {
        static const char* const started[] = {"Drovex", "your batch file", "Grand Prix 2"};
        showStatus(QStringLiteral("Save and Play will start %1.").arg(QLatin1String(started[mode])));
    });
    m_tracks = new TrackManager(m_session, m_services, m_slots, [this] { return m_panel->inDefaultsMode(); }, this);
    m_tracks->setEmulatorWindow([this] { showEmulatorWindow(); });

    m_prompts = std::make_unique<WindowPrompts>(m_services, this);
    WindowHooks hooks;
    hooks.capture = [this] { return m_panel->capture(); };
    hooks.apply = [this](const SettingsSnapshot& s) { m_panel->apply(s); };
    hooks.showsDefaults = [this] { return m_panel->inDefaultsMode(); };
    hooks.settleTrackChoices = [this] { return m_tracks->settlePendingChoices(); };
    hooks.readSlots = [this] { m_tracks->readSlots(); };
    hooks.slotsChanged = [this] { m_tracks->showSlots(); };
    m_commands = new Commands(m_session, m_slots, m_startOptionsModel, *m_prompts, std::move(hooks), this);
    connect(m_commands, &Commands::status, this, &MainWindow::showStatus);
    connect(m_commands, &Commands::playAvailable, this, &MainWindow::playAvailable);
    connect(m_commands, &Commands::keptLinesChanged, m_forgetKeptAction, &QAction::setEnabled);
    connect(m_tracks, &TrackManager::statusMessage, this, &MainWindow::showStatus);
    connect(m_panel, &SettingsPanel::defaultsToggled, this, &MainWindow::setDefaultsMode);
    connect(m_panel, &SettingsPanel::colourRequested, this, &MainWindow::chooseColour);
    connect(m_panel, &SettingsPanel::gp2OptionsAvailable, m_btnGp2, &QPushButton::setEnabled);
}

MainWindow::~MainWindow() = default;

QWidget* MainWindow::buildButtons()
{
    auto* row = new QWidget;
    auto* h = new QHBoxLayout(row);
    h->setContentsMargins(0, 0, 0, 0);
    auto add = [&](const char* name, const char* caption, const char* tip, void (MainWindow::*command)()) {
        QPushButton* b = makeButton(name, caption, tip);
        b->setAutoDefault(true);
        h->addWidget(b);
        connect(b, &QPushButton::clicked, this, command);
        return b;
    };
    m_btnSave = add("BTN_Save", "Save", "Save the Settings", &MainWindow::save);
    m_btnPlay = add("BTN_Play", "Save and Play", kPlayTip, &MainWindow::saveAndPlay);
    m_btnGp2 = add("BTN_GP2", "GP2 Options", "Switch to Grand Prix 2 Start-Up Options", &MainWindow::showStartOptions);
    add("BTN_Track", "Track Manager", "Switch to Track-Selector", &MainWindow::showTrackManager);
    h->addStretch(1);
    add("BTN_Info", "Info", "View Info Form", &MainWindow::showInfo);
    add("BTN_About", "About", "View About Form", &MainWindow::showAbout);
    QPushButton* exit = makeButton("BTN_Close", "Exit", "End this tool");
    h->addWidget(exit);
    connect(exit, &QPushButton::clicked, this, &MainWindow::close);
    m_btnSave->setDefault(true);
    return row;
}

void MainWindow::buildMenus()
{
    auto addMenu = [&](const char* name, const char* caption) {
        QMenu* menu = menuBar()->addMenu(QString::fromLatin1(caption));
        menu->setObjectName(QString::fromLatin1(name));
        menu->menuAction()->setObjectName(QString::fromLatin1(name));
        return menu;
    };
    auto addItem = [&](QMenu* menu, const char* name, const char* caption, const char* keys, auto slot) {
        QAction* a = menu->addAction(QString::fromUtf8(caption));
        a->setObjectName(QString::fromLatin1(name));
        if (keys)
            a->setShortcut(QKeySequence(QString::fromLatin1(keys)));
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    auto addSeparator = [](QMenu* menu, const char* name) { menu->addSeparator()->setObjectName(QString::fromLatin1(name)); };

    QMenu* file = addMenu("MNU_1", "&File");
    m_playAction = addItem(file, "MNU_Play", "Save and &Play", "Ctrl+P", &MainWindow::saveAndPlay);
    addItem(file, "MNU_Save", "&Save Settings", "Ctrl+S", &MainWindow::saveSettingsAndWrite);
    m_importAction = addItem(file, "MNU_Import", "&Import Drovex.cfg\u2026", nullptr, &MainWindow::importConfigCommand);
    m_forgetKeptAction = addItem(file, "MNU_ForgetKept", "Forget &Kept Drovex.cfg Lines", nullptr, [this] { m_commands->forgetKeptLines(); });
    m_forgetKeptAction->setEnabled(false);
    addSeparator(file, "Trenn1");
    addItem(file, "MNU_GP2Tracks", "GP2 &Tracks", "Ctrl+T", &MainWindow::showTrackManager);
    // The Track Manager opens on the first track added, ready for a slot's button.
    addItem(file, "MNU_AddTracks", "&Add Tracks to the Game\u2026", nullptr, [this] {
        if (m_tracks->addTracks())
            showTrackManager();
    });
    addItem(file, "MNU_GP2Options", "GP2 &Options", "Ctrl+O", &MainWindow::showStartOptions);
    addSeparator(file, "Trenn3");
    QAction* exit = addItem(file, "MNU_End", "E&xit", "Ctrl+X", &MainWindow::close);
    // The desktop's usual shortcut too.
    exit->setShortcuts({exit->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q)});

    QMenu* paths = addMenu("MNU_2", "&Choose Path");
    addItem(paths, "MNU_GP2", "&GP2 Path", "Ctrl+G", &MainWindow::BrowseGameFolder);
    addItem(paths, "MNU_Batch", "&Batch Path", "Ctrl+B", &MainWindow::BrowseBatchFile);
    addItem(paths, "MNU_Path", "&Drovex Path", "Ctrl+L", &MainWindow::BrowseDrovexExe);
    addItem(paths, "MNU_Emulator", "DOS &Emulator\u2026", nullptr, &MainWindow::showEmulatorWindow);

    auto* f10 = new QAction(this);
    f10->setShortcut(Qt::Key_F10);
    connect(f10, &QAction::triggered, this, &MainWindow::openMenuBar);
    addAction(f10);

    QMenu* help = addMenu("MNU_Help", "&?");
    addItem(help, "MNU_Info", "&Info", "Ctrl+I", &MainWindow::showInfo);
    addItem(help, "MNU_About", "&About", "Ctrl+A", &MainWindow::showAbout);
    addItem(help, "MNU_Messages", "&Messages\u2026", nullptr, &MainWindow::showMessages);
}

// F10 opens the menu bar, as in most desktop programs.
void MainWindow::openMenuBar()
{
    if (!menuBar()->actions().isEmpty())
        menuBar()->setActiveAction(menuBar()->actions().constFirst());
}

void MainWindow::showStatus(const QString& text) { m_statusLine->showMessage(text); }
void MainWindow::showMessages() { showMessageLog(this, *m_statusLine); }

// The menus' status tips would wipe the last result from the status bar.
bool MainWindow::event(QEvent* event)
{
    if (event->type() == QEvent::StatusTip)
        return true;
    return QMainWindow::event(event);
}

void MainWindow::setDefaultsMode(bool on)
{
    if (!on && !m_commands->leaveDefaults()) {
        // Cancelled: the defaults stay on show.
        m_panel->setDefaultsSwitch(true);
        return;
    }
    // An import fills the window with a file's settings: no place for it while the defaults show.
    m_importAction->setEnabled(!on);
    if (on) {
        m_commands->enterDefaults();
        m_panel->showDefaults();
        m_tracks->setDefaultsMode(true);
        showStatus(QStringLiteral("Showing Drovex's default values; your own settings are kept."));
        return;
    }
    m_tracks->setDefaultsMode(false);
    m_panel->setSettingsFramesEnabled(true);
    m_commands->LoadSettings();
    showStatus(QStringLiteral("Showing your settings."));
}

void MainWindow::save() { m_commands->save(); }
void MainWindow::saveSettingsAndWrite() { m_commands->saveSettingsAndWrite(); }
void MainWindow::saveAndPlay() { m_commands->saveAndPlay(); }

// While a started program runs, Save and Play waits for it: one game at a time.
void MainWindow::playAvailable(bool available)
{
    m_btnPlay->setEnabled(available);
    m_playAction->setEnabled(available);
    m_btnPlay->setToolTip(available ? QString::fromLatin1(kPlayTip)
                                    : QStringLiteral("%1 is running: Save and Play comes back when it ends")
                                          .arg(m_commands->running()));
}

void MainWindow::chooseColour(int k)
{
    m_colorIndex = k;
    // A new selector at every opening: a cell picked in an earlier one does not carry over.
    delete m_colourSelector;
    m_colourSelector = new ColourSelector(this);
    connect(m_colourSelector, &ColourSelector::colourChosen, this, [this](int index) { m_panel->setColour(m_colorIndex, index); });
    m_colourSelector->setSelectedColour(m_panel->swatchColour(k));
    const SettingsSnapshot shown = m_panel->capture();
    m_colourSelector->editSetting(QLatin1String(valuedSetting(k).caption), at(shown.text, k));
    m_colourSelector->exec();
}

StartOptionsDialog* MainWindow::startOptions(bool create)
{
    if (!m_startOptions && create)
        m_startOptions = new StartOptionsDialog(m_session, m_startOptionsModel, m_services, this);
    return m_startOptions;
}

void MainWindow::showStartOptions()
{
    if (startOptions(true)->exec() == QDialog::Accepted)
        showStatus(QStringLiteral("GP2 Options stored; Save and Play passes them to the game."));
}

void MainWindow::showTrackManager()
{
    if (m_tracks->run())
        showStatus(QStringLiteral("Track choices stored; the next Save writes them to Drovex.cfg."));
}

void MainWindow::showInfo()
{
    if (!m_infoBox)
        // Close destroys it; the next opening starts at page 1 and names the game folder of then.
        m_infoBox = new InfoBox(m_session.store().location(), m_session.gameFolder(), m_commands->keptLines(), this);
    m_infoBox->exec();
}

void MainWindow::showAbout()
{
    if (!m_about)
        m_about = new AboutWindow(m_services, this); // its Ok only hides it
    m_about->exec();
}

// Enter anywhere in the window runs Save, as a dialog's default button would; a focused button
// (a colour button included) takes its own Enter.
void MainWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        auto* button = qobject_cast<QAbstractButton*>(focusWidget());
        if (button && !qobject_cast<QCheckBox*>(button) && !qobject_cast<QRadioButton*>(button)) {
            if (button->isEnabled())
                button->click();
        } else {
            m_btnSave->click();
        }
        event->accept();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // Nothing the user chose is dropped without a question.
    if (!m_commands->confirmExit()) {
        event->ignore();
        return;
    }
    endProgram();
    event->accept();
}

// The window's size and place are kept for the next run, under a key of their own; a store
// that refuses them costs nothing but that, but a settings file put aside on the way is said.
void MainWindow::rememberGeometry()
{
    const QString key = QString::fromLatin1(kGeometryKey);
    if (m_session.store().get(key) == geometryText(this))
        return;
    if (const WriteResult r = m_session.store().put(key, geometryText(this)); r.ok)
        reportStoreResult(m_services, this, QStringLiteral("The window's place"), r);
}

// Closes the other windows in a fixed order before the main window ends the program.
void MainWindow::endProgram()
{
    rememberGeometry();
    m_tracks->closeAll();
    delete m_startOptions;
    delete m_colourSelector;
    delete m_infoBox;
    delete m_about;
}

} // namespace drovex
