#include "app/mainwindow.h"

#include "app/controls.h"
#include "app/handcursor.h"
#include "app/spinbar.h"
#include "launch/emulator.h"
#include "launch/emulatorwatch.h"
#include "launch/services.h"
#include "settings/catalogue.h"
#include "settings/fieldrules.h"
#include "settings/palette.h"
#include "tracks/slottable.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace drovex {
namespace {

constexpr int kTextFieldMax = 188; // Drovex drops longer quoted values

QString windowTitleText()
{
    return QStringLiteral("Drovex Front-End") + QString(71, QLatin1Char(' ')) +
           QStringLiteral("[Version 1.14 by Quennel]");
}

QString latin(const char* s) { return s ? QString::fromLatin1(s) : QString(); }

// The folder of a stored file, else the game folder: where its dialog opens.
QString dialogFolder(const QString& stored, const QString& gameFolder)
{
    const QFileInfo fi(stored);
    return !stored.isEmpty() && fi.absoluteDir().exists() ? fi.absolutePath() : gameFolder;
}

} // namespace

MainWindow::MainWindow(Session& session, Services& services, QWidget* parent)
    : QMainWindow(parent)
    , m_session(session)
    , m_services(services)
{
    setObjectName(QStringLiteral("Drovex1"));
    setWindowTitle(windowTitleText());
    buildUi();
    buildMenus();
    m_emulatorWatch = new EmulatorWatch(m_session.platform, this);
    connect(m_emulatorWatch, &EmulatorWatch::failed, this, &MainWindow::showStatus);
}

MainWindow::~MainWindow() = default;

// ---------------------------------------------------------------------------------------------
// Building the window from the catalogue

void MainWindow::buildUi()
{
    auto* central = new QWidget(this);
    auto* outer = new QVBoxLayout(central);
    auto* columns = new QHBoxLayout;
    outer->addLayout(columns);

    for (int f = 0; f < kFrameCount; ++f) {
        auto* frame = new QGroupBox(frameCaption(f));
        frame->setObjectName(frameName(f));
        auto* grid = new QGridLayout(frame);
        grid->setVerticalSpacing(2);
        m_frame[f] = frame;
    }
    // Frames 8 and 9 are caption-less boxes inside "Track Map" holding the alignment buttons.
    m_frame[8]->setFlat(true);
    m_frame[9]->setFlat(true);

    for (const Setting& s : catalogue())
        placeSetting(s);

    // "Drovex" frame: the defaults switch.
    m_setToDefault = new QCheckBox(QStringLiteral("Default Values"));
    m_setToDefault->setObjectName(QStringLiteral("SetToDefault"));
    m_setToDefault->setToolTip(QStringLiteral("Set all values to default"));
    useHandCursor(m_setToDefault);
    qobject_cast<QGridLayout*>(m_frame[13]->layout())->addWidget(m_setToDefault, 0, 0);
    connect(m_setToDefault, &QCheckBox::toggled, this, &MainWindow::setDefaultsMode);

    auto column = [](std::initializer_list<QWidget*> widgets) {
        auto* v = new QVBoxLayout;
        for (QWidget* w : widgets)
            v->addWidget(w);
        v->addStretch(1);
        return v;
    };
    columns->addLayout(column({m_frame[0], m_frame[6]}));
    columns->addLayout(column({m_frame[11], m_frame[4], m_frame[5], m_frame[3]}));
    columns->addLayout(column({m_frame[1], m_frame[7], m_frame[10], m_frame[2]}));
    columns->addLayout(column({m_frame[12], m_frame[14], m_frame[13]}));
    outer->addWidget(buildButtons());

    m_mouseCursor = new QLabel(central);
    m_mouseCursor->setObjectName(QStringLiteral("MouseCursor"));
    m_mouseCursor->setPixmap(handCursor().pixmap());
    m_mouseCursor->hide();

    setCentralWidget(central);
    statusBar()->setSizeGripEnabled(false);
}

void MainWindow::placeSetting(const Setting& s)
{
    QGroupBox* frame = m_frame[s.frame];
    auto* grid = qobject_cast<QGridLayout*>(frame->layout());
    const int row = grid->rowCount();

    auto makeCheck = [&](const QString& name) {
        auto* box = new QCheckBox(latin(s.caption));
        box->setObjectName(name);
        if (s.switchTip)
            box->setToolTip(latin(s.switchTip));
        useHandCursor(box);
        return box;
    };

    switch (s.kind) {
    case Kind::Plain: {
        QCheckBox* box = makeCheck(checkName(s.index));
        m_check[s.index] = box;
        grid->addWidget(box, row, 0, 1, 5);
        if (s.index != kGp2OptionsSwitch)
            connect(box, &QCheckBox::stateChanged, this, &MainWindow::loggingCoupling);
        connect(box, &QCheckBox::stateChanged, box, [box](int st) {
            if (st != Qt::PartiallyChecked)
                box->setTristate(false);
        });
        break;
    }
    case Kind::Valued: {
        const int i = s.index;
        QCheckBox* box = makeCheck(enableName(i));
        m_enable[i] = box;
        auto* field = new QLineEdit;
        field->setObjectName(fieldName(i));
        field->setToolTip(latin(s.fieldTip));
        field->setText(latin(s.initialValue));
        field->setEnabled(false);
        m_field[i] = field;
        grid->addWidget(box, row, 0);
        grid->addWidget(field, row, 1);
        if (s.hasBar()) {
            // Wide enough for the largest number the field takes.
            const QString widest = QString(QString::number(s.hi).size() + 1, QLatin1Char('0'));
            field->setFixedWidth(field->fontMetrics().horizontalAdvance(widest) + 14);
            auto* bar = s.isDotSize() ? new SpinBar(kDotBarBottom, kDotBarTop) : new SpinBar(s.lo, s.hi);
            bar->setObjectName(barName(i));
            bar->setFixedHeight(field->sizeHint().height());
            useHandCursor(bar);
            m_bar[i] = bar;
            grid->addWidget(bar, row, 2);
            if (s.isDotSize()) {
                const auto split = splitDotSize(QString::fromLatin1(s.initialValue).toLongLong());
                field->setProperty("tag", QString::number(split.quotient));
                bar->setValue(static_cast<int>(split.remainder));
                connect(field, &QLineEdit::textChanged, this, [this, i] { dotFieldChanged(i); });
                connect(bar, &QScrollBar::valueChanged, this, [this, i](int v) { dotBarMoved(i, v); });
            } else {
                bar->setValue(field->text().toInt());
                connect(field, &QLineEdit::textChanged, this, [this, i] { fieldChanged(i); });
                connect(bar, &QScrollBar::valueChanged, this, [this, i](int v) { barMoved(i, v); });
            }
        } else {
            field->setMaxLength(kTextFieldMax);
            field->setMinimumWidth(110);
            grid->addWidget(field, row, 1, 1, 4);
        }
        if (i < kColourCount) {
            auto* swatch = new QLabel;
            swatch->setObjectName(QStringLiteral("LBL_Color(%1)").arg(i));
            swatch->setToolTip(latin(s.fieldTip));
            swatch->setFixedSize(22, field->sizeHint().height() - 2);
            swatch->setFrameShape(QFrame::Box);
            swatch->setAutoFillBackground(true);
            swatch->installEventFilter(this);
            useHandCursor(swatch);
            m_swatch[i] = swatch;
            auto* button = new QToolButton;
            button->setObjectName(QStringLiteral("BTN_Color(%1)").arg(i));
            button->setToolTip(latin(s.fieldTip));
            button->setText(QStringLiteral("..."));
            useHandCursor(button);
            m_colourButton[i] = button;
            grid->addWidget(swatch, row, 3);
            grid->addWidget(button, row, 4);
            connect(button, &QToolButton::clicked, this, [this, i] { chooseColour(i); });
        }
        connect(box, &QCheckBox::stateChanged, this, [this, i, box](int st) {
            if (st != Qt::PartiallyChecked)
                box->setTristate(false);
            enableRule(i);
        });
        break;
    }
    case Kind::Alignment: {
        const int g = s.index;
        QCheckBox* box = makeCheck(alignSwitchName(g));
        m_checkO[g] = box;
        grid->addWidget(box, row, 0, 1, 5);
        QGroupBox* inner = m_frame[g == 0 ? 9 : 8];
        auto* innerGrid = qobject_cast<QGridLayout*>(inner->layout());
        innerGrid->setContentsMargins(16, 0, 0, 0);
        auto* group = new QButtonGroup(this);
        for (int b = 0; b < 3; ++b) {
            auto* radio = new QRadioButton(alignButtonCaption(g, b));
            radio->setObjectName(alignButtonName(g, b));
            radio->setToolTip(alignButtonCaption(g, b));
            radio->setEnabled(false);
            useHandCursor(radio);
            group->addButton(radio, b);
            innerGrid->addWidget(radio, 0, b);
            m_align[g][b] = radio;
        }
        m_align[g][0]->setChecked(true);
        grid->addWidget(inner, row + 1, 0, 1, 5);
        connect(box, &QCheckBox::stateChanged, this, [this, g, box](int st) {
            if (st != Qt::PartiallyChecked)
                box->setTristate(false);
            alignRule(g);
        });
        break;
    }
    case Kind::StartMode: {
        auto* group = new QButtonGroup(this);
        for (int m = 0; m < 3; ++m) {
            auto* radio = new QRadioButton(startModeCaption(m));
            radio->setObjectName(startModeName(m));
            radio->setToolTip(startModeTooltip(m));
            useHandCursor(radio);
            group->addButton(radio, m);
            grid->addWidget(radio, m, 0);
            m_startMode[m] = radio;
            radio->setChecked(m == 0);
            connect(radio, &QRadioButton::toggled, this, [this, m](bool on) {
                if (on)
                    startModeEffect(m);
            });
        }
        break;
    }
    }
}

QWidget* MainWindow::buildButtons()
{
    auto* row = new QWidget;
    auto* h = new QHBoxLayout(row);
    h->setContentsMargins(0, 0, 0, 0);
    auto make = [&](QPushButton*& slot, const char* name, const char* caption, const char* tip) {
        slot = new QPushButton(QString::fromLatin1(caption));
        slot->setObjectName(QString::fromLatin1(name));
        slot->setToolTip(QString::fromLatin1(tip));
        slot->setAutoDefault(true);
        useHandCursor(slot);
        h->addWidget(slot);
    };
    make(m_btnSave, "BTN_Save", "Save", "Save the Settings");
    make(m_btnPlay, "BTN_Play", "Save and Play", "Save the settings and play Grand Prix 2");
    make(m_btnGp2, "BTN_GP2", "GP2 Options", "Switch to Grand Prix 2 Start-Up Options");
    make(m_btnTrack, "BTN_Track", "Track Manager", "Switch to Track-Selector");
    h->addStretch(1);
    make(m_btnInfo, "BTN_Info", "Info", "View Info Form");
    make(m_btnAbout, "BTN_About", "About", "View About Form");
    make(m_btnClose, "BTN_Close", "Exit", "End this tool");
    m_btnSave->setDefault(true);

    connect(m_btnSave, &QPushButton::clicked, this, &MainWindow::save);
    connect(m_btnPlay, &QPushButton::clicked, this, &MainWindow::saveAndPlay);
    connect(m_btnGp2, &QPushButton::clicked, this, &MainWindow::showStartOptions);
    connect(m_btnTrack, &QPushButton::clicked, this, &MainWindow::showTrackManager);
    connect(m_btnInfo, &QPushButton::clicked, this, &MainWindow::showInfo);
    connect(m_btnAbout, &QPushButton::clicked, this, &MainWindow::showAbout);
    connect(m_btnClose, &QPushButton::clicked, this, &MainWindow::close);
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
        QAction* a = menu->addAction(QString::fromLatin1(caption));
        a->setObjectName(QString::fromLatin1(name));
        a->setShortcut(QKeySequence(QString::fromLatin1(keys)));
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    auto addSeparator = [](QMenu* menu, const char* name) {
        menu->addSeparator()->setObjectName(QString::fromLatin1(name));
    };

    QMenu* file = addMenu("MNU_1", "File");
    addItem(file, "MNU_Play", "Save and Play", "Ctrl+P", &MainWindow::saveAndPlay);
    addItem(file, "MNU_Save", "Save Settings", "Ctrl+S", &MainWindow::saveSettingsCommand);
    addSeparator(file, "Trenn1");
    addItem(file, "MNU_GP2Tracks", "GP2 Tracks", "Ctrl+T", &MainWindow::showTrackManager);
    addItem(file, "MNU_GP2Options", "GP2 Options", "Ctrl+O", &MainWindow::showStartOptions);
    addSeparator(file, "Trenn3");
    addItem(file, "MNU_End", "Exit", "Ctrl+X", &MainWindow::close);

    QMenu* paths = addMenu("MNU_2", "Choose Path");
    addItem(paths, "MNU_GP2", "GP2 Path", "Ctrl+G", &MainWindow::browseGameFolder);
    addItem(paths, "MNU_Batch", "Batch Path", "Ctrl+B", &MainWindow::browseBatchFile);
    addItem(paths, "MNU_Path", "Drovex Path", "Ctrl+L", &MainWindow::browseDrovexExe);
    addItem(paths, "MNU_Emulator", "DOS Emulator", "", &MainWindow::browseEmulator);
    addItem(paths, "MNU_EmulatorConfig", "DOS Emulator Settings", "", &MainWindow::browseEmulatorConfig);

    QMenu* help = addMenu("MNU_Help", "?");
    addItem(help, "MNU_Info", "Info", "Ctrl+I", &MainWindow::showInfo);
    addItem(help, "MNU_About", "About", "Ctrl+A", &MainWindow::showAbout);
}

// ---------------------------------------------------------------------------------------------
// Entry rules: fields and bars keep in step

void MainWindow::fieldChanged(int k)
{
    const Setting& s = valuedSetting(k);
    QLineEdit* field = m_field[k];
    const FieldOutcome out = applyFieldRule(field->text(), s.lo, s.hi);
    if (out.text != field->text()) {
        field->setText(out.text); // runs this rule again with the clamped text
        return;
    }
    if (out.number)
        m_bar[k]->setValue(static_cast<int>(*out.number));
}

void MainWindow::barMoved(int k, int value)
{
    m_field[k]->setText(QString::number(value));
    if (k < kColourCount)
        paintSwatch(k);
}

void MainWindow::dotFieldChanged(int i)
{
    QLineEdit* field = m_field[i];
    const FieldOutcome out = applyFieldRule(field->text(), kDotMin, kDotMax);
    if (out.text != field->text()) {
        field->setText(out.text);
        return;
    }
    if (!out.number)
        return;
    const DotSplit split = splitDotSize(*out.number);
    field->setProperty("tag", QString::number(split.quotient));
    m_bar[i]->setValue(static_cast<int>(split.remainder));
}

void MainWindow::dotBarMoved(int i, int value)
{
    QLineEdit* field = m_field[i];
    const auto x = parseNumber(field->text());
    const qint64 quotient =
        x ? roundHalfEven(*x) / kDotDivisor : field->property("tag").toString().toLongLong();
    const DotStep step = stepDotSize(quotient, value);
    if (step.position != value) {
        const QSignalBlocker block(m_bar[i]);
        m_bar[i]->setValue(step.position);
    }
    field->setText(QString::number(step.number));
}

void MainWindow::paintSwatch(int k)
{
    const auto c = paletteColour(m_field[k]->text());
    if (!c)
        return; // not a palette index: the swatch keeps its colour
    setBackground(m_swatch[k], toQColor(*c));
}

// ---------------------------------------------------------------------------------------------
// Enable rules and the start mode

void MainWindow::enableRule(int i)
{
    m_field[i]->setEnabled(m_enable[i]->checkState() != Qt::Unchecked);
}

void MainWindow::alignRule(int group)
{
    const bool on = m_checkO[group]->checkState() != Qt::Unchecked;
    for (QRadioButton* b : m_align[group])
        b->setEnabled(on);
}

void MainWindow::loggingCoupling()
{
    if (m_check[kLogCc]->checkState() == Qt::Checked)
        m_check[kLogGlx]->setCheckState(Qt::Checked);
}

void MainWindow::startModeEffect(int mode)
{
    if (mode == 1) {
        m_frame[14]->setEnabled(false);
        m_check[kGp2OptionsSwitch]->setCheckState(Qt::Unchecked);
        m_btnGp2->setEnabled(false);
    } else {
        m_frame[14]->setEnabled(true);
        m_btnGp2->setEnabled(true);
    }
}

// ---------------------------------------------------------------------------------------------
// Loading and saving the catalogue

void MainWindow::LoadSettings()
{
    SettingsStore& store = m_session.store;
    auto key = [](const char* k) { return QString::fromLatin1(k); };

    // 1. Switches (each runs its click rule).
    for (int i : plainLoadOrder())
        setStoredCheck(m_check[i], store.get(key(plainSetting(i).switchKey)));
    for (int i : valuedLoadOrder())
        setStoredCheck(m_enable[i], store.get(key(valuedSetting(i).switchKey)));
    for (int g = 0; g < 2; ++g)
        setStoredCheck(m_checkO[g], store.get(key(alignmentSetting(g).switchKey)));

    // 2. Fields, unchanged (each runs its change rule).
    for (int i : valuedLoadOrder())
        m_field[i]->setText(store.get(key(valuedSetting(i).valueKey)));

    // 3. Bars, from the stored number when it lies within the bar's limits.
    for (int i : valuedLoadOrder()) {
        const Setting& s = valuedSetting(i);
        if (!s.hasBar() || s.isDotSize())
            continue;
        const auto n = toWholeNumber(store.get(key(s.valueKey)));
        if (n && *n >= s.lo && *n <= s.hi)
            m_bar[i]->setValue(*n);
    }

    // 4. Dot-size split.
    for (int i = kDotSizeFirst; i < kValuedCount; ++i)
        rebuildDotSplit(i);

    // 5. Option groups: reading and selecting are separate steps.
    auto selectIndex = [](auto& buttons, int index) {
        if (index >= 0 && index < 3)
            buttons[index]->setChecked(true);
    };
    if (const auto n = toWholeNumber(store.get(key(alignmentSetting(0).valueKey))))
        m_session.hAlignIndex = static_cast<qint16>(*n);
    selectIndex(m_align[0], m_session.hAlignIndex);
    if (const auto n = toWholeNumber(store.get(key(alignmentSetting(1).valueKey))))
        m_session.vAlignIndex = static_cast<qint16>(*n);
    selectIndex(m_align[1], m_session.vAlignIndex);
    if (const auto n = toWholeNumber(store.get(key(startModeSetting().valueKey))))
        m_session.startModeIndex = static_cast<qint16>(*n);
    selectIndex(m_startMode, m_session.startModeIndex);

    // 6. Swatches.
    for (int k = 0; k < kColourCount; ++k)
        paintSwatch(k);
}

void MainWindow::rebuildDotSplit(int i)
{
    QLineEdit* field = m_field[i];
    const auto n = toLongNumber(field->text());
    if (!n)
        return;
    const qint64 quotient = *n / kDotDivisor;
    field->setProperty("tag", QString::number(quotient));
    const auto x = parseNumber(field->text());
    const qint64 position = roundHalfEven(*x - static_cast<double>(quotient) * kDotDivisor);
    if (position >= kDotBarBottom && position <= kDotBarTop)
        m_bar[i]->setValue(static_cast<int>(position));
}

StoreResult MainWindow::SaveSettings()
{
    SettingsStore& store = m_session.store;
    auto key = [](const char* k) { return QString::fromLatin1(k); };

    // 1. Indices from the selected buttons.
    auto selected = [](const auto& buttons, qint16& index) {
        for (int n = 0; n < 3; ++n)
            if (buttons[n]->isChecked())
                index = static_cast<qint16>(n);
    };
    selected(m_align[0], m_session.hAlignIndex);
    selected(m_align[1], m_session.vAlignIndex);
    selected(m_startMode, m_session.startModeIndex);

    // 2. Switch keys.
    auto state = [](const QCheckBox* b) { return QString::number(checkNumber(b)); };
    for (int i : plainLoadOrder())
        store.put(key(plainSetting(i).switchKey), state(m_check[i]));
    for (int i : valuedSaveOrder())
        store.put(key(valuedSetting(i).switchKey), state(m_enable[i]));
    for (int g = 0; g < 2; ++g)
        store.put(key(alignmentSetting(g).switchKey), state(m_checkO[g]));

    // 3. Value keys: the text as it stands.
    for (int i : valuedSaveOrder())
        store.put(key(valuedSetting(i).valueKey), m_field[i]->text());

    // 4. Index keys.
    store.put(key(alignmentSetting(0).valueKey), QString::number(m_session.hAlignIndex));
    store.put(key(alignmentSetting(1).valueKey), QString::number(m_session.vAlignIndex));
    store.put(key(startModeSetting().valueKey), QString::number(m_session.startModeIndex));
    return store.commit();
}

// ---------------------------------------------------------------------------------------------
// Defaults mode

bool MainWindow::inDefaultsMode() const { return m_setToDefault->isChecked(); }

void MainWindow::setDefaultsMode(bool on)
{
    if (on)
        enterDefaults();
    else
        leaveDefaults();
}

void MainWindow::enterDefaults()
{
    for (int f = 0; f <= 11; ++f)
        m_frame[f]->setEnabled(false);
    m_startMode[0]->setChecked(true);

    for (int i : plainLoadOrder())
        if (i != kGp2OptionsSwitch)
            m_check[i]->setCheckState(plainSetting(i).defaultOn ? Qt::Checked : Qt::Unchecked);
    for (int i : valuedLoadOrder())
        m_enable[i]->setCheckState(valuedSetting(i).defaultOn ? Qt::Checked : Qt::Unchecked);
    for (int g = 0; g < 2; ++g)
        m_checkO[g]->setCheckState(alignmentSetting(g).defaultOn ? Qt::Checked : Qt::Unchecked);

    for (int i : valuedLoadOrder())
        m_field[i]->setText(latin(valuedSetting(i).defaultValue));
    for (int i : valuedLoadOrder()) {
        const Setting& s = valuedSetting(i);
        if (s.hasBar() && !s.isDotSize())
            m_bar[i]->setValue(QString::fromLatin1(s.defaultValue).toInt());
    }
    for (int i = kDotSizeFirst; i < kValuedCount; ++i)
        rebuildDotSplit(i);

    m_session.hAlignIndex = 1;
    m_align[0][1]->setChecked(true);
    m_session.vAlignIndex = 0;
    m_align[1][0]->setChecked(true);

    for (int k = 0; k < kColourCount; ++k)
        paintSwatch(k);
    enterTrackDefaults();
}

void MainWindow::leaveDefaults()
{
    leaveTrackDefaults();
    for (int f = 0; f <= 11; ++f)
        m_frame[f]->setEnabled(true);
    LoadSettings();
}

// ---------------------------------------------------------------------------------------------
// Start-up and commands

void MainWindow::startUp()
{
    // Which emulator DOS programs will run in, when the user has not chosen one.
    const QString emulatorKey = QString::fromLatin1(kPathEmulator);
    showStatus(emulatorNotice(chooseEmulator(m_session.store.contains(emulatorKey), m_session.store.get(emulatorKey))));

    m_session.gameFolder = m_session.store.get(QString::fromLatin1(kPathGp2));
    if (!m_session.gameFolder.isEmpty()) {
        LoadSettings();
        return;
    }
    for (int k = 0; k < kColourCount; ++k)
        paintSwatch(k);
    startOptions(true);
    const StoreResult r = SaveSettings();
    if (!r.ok)
        reportStoreFailure(r);
    browseGameFolder();
    m_services.message(this, MessageIcon::Information, QStringLiteral("Drovex Information"),
                       QStringLiteral("Choose 'Mode' and set 'Path' before you start !!"));
}

void MainWindow::reportStoreFailure(const StoreResult& r)
{
    showStatus(drovex::reportStoreFailure(m_services, this, QStringLiteral("The settings"), r));
}

void MainWindow::showStatus(const QString& text) { statusBar()->showMessage(text); }

// Runs the save part of a command; false when the settings could not be stored.
bool MainWindow::saveIfAllowed(bool always)
{
    if (!always && inDefaultsMode())
        return true;
    const StoreResult r = SaveSettings();
    if (!r.ok) {
        reportStoreFailure(r);
        return false;
    }
    return true;
}

void MainWindow::save()
{
    if (saveIfAllowed(false))
        WriteConfigFile();
}

void MainWindow::saveSettingsCommand()
{
    if (saveIfAllowed(true))
        WriteConfigFile();
}

void MainWindow::saveAndPlay()
{
    if (!saveIfAllowed(false))
        return;
    WriteConfigFile();
    LaunchGame();
}

void MainWindow::browseGameFolder()
{
    const QString file = m_services.openFile(
        this, {QStringLiteral("GP2 (GP2.EXE)|gp2.exe"), m_session.gameFolder,
               QStringLiteral("Browse For Grand Prix 2 ..."), QStringLiteral("GP2.EXE")});
    if (file.isEmpty())
        return;
    const QString folder = QDir::toNativeSeparators(QFileInfo(file).absolutePath());
    m_session.gameFolder = folder;
    m_session.store.put(QString::fromLatin1(kPathGp2), folder);
    const StoreResult r = m_session.store.commit();
    if (!r.ok)
        reportStoreFailure(r);
}

void MainWindow::browseBatchFile()
{
    const QString file = m_services.openFile(this, {QStringLiteral("Batch-Files (*.BAT)|*.bat"),
                                                    m_session.gameFolder,
                                                    QStringLiteral("Browse For Batch-File ..."), QString()});
    if (file.isEmpty())
        return;
    storePath(kPathBatch, file);
}

void MainWindow::browseDrovexExe()
{
    const QString file = m_services.openFile(
        this, {QStringLiteral("Drovex (Drovex.EXE)|drovex.exe"), m_session.gameFolder,
               QStringLiteral("Browse For Drovex ..."), QStringLiteral("Drovex.EXE")});
    if (file.isEmpty())
        return;
    storePath(kPathDrovex, file);
}

void MainWindow::storePath(const char* key, const QString& file)
{
    m_session.store.put(QString::fromLatin1(key), QDir::toNativeSeparators(file));
    const StoreResult r = m_session.store.commit();
    if (!r.ok)
        reportStoreFailure(r);
}

void MainWindow::browseEmulator()
{
    const QString key = QString::fromLatin1(kPathEmulator);
    const EmulatorChoice current = chooseEmulator(m_session.store.contains(key), m_session.store.get(key));
    const QString file = m_services.openFile(
        this, {QStringLiteral("DOS Emulator (dosbox*)|dosbox*|All Files (*)|*"),
               dialogFolder(current.program(), m_session.gameFolder), QStringLiteral("Browse For DOS Emulator ..."),
               current.program().isEmpty() ? QStringLiteral("dosbox") : QFileInfo(current.program()).fileName()});
    if (file.isEmpty())
        return;
    storePath(kPathEmulator, file);
}

void MainWindow::browseEmulatorConfig()
{
    const QString stored = m_session.store.get(QString::fromLatin1(kPathEmulatorConfig));
    const QString file = m_services.openFile(
        this, {QStringLiteral("DOS Emulator Settings (*.conf)|*.conf|All Files (*)|*"),
               dialogFolder(stored, m_session.gameFolder), QStringLiteral("Browse For DOS Emulator Settings ..."),
               QFileInfo(stored).fileName()});
    if (file.isEmpty())
        return;
    storePath(kPathEmulatorConfig, file);
}


// Enter anywhere in the window presses the focused button, or else Save, as a dialog's
// default button would.
void MainWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (auto* button = qobject_cast<QPushButton*>(focusWidget()); button && button->isEnabled()) {
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
    endProgram();
    event->accept();
}

} // namespace drovex
