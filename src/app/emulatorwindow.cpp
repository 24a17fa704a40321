#include "app/emulatorwindow.h"

#include "launch/emulator.h"
#include "system/session.h"
#include "widgets/controls.h"
#include "widgets/services.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace drovex {
namespace {

QString native(const QString& path) { return QDir::toNativeSeparators(path); }

// The folder of a chosen file, else the fallback: where its dialog opens.
QString dialogFolder(const QString& chosen, const QString& fallback)
{
    const QFileInfo fi(chosen);
    return !chosen.isEmpty() && fi.absoluteDir().exists() ? fi.absolutePath() : fallback;
}

const char* const kProgramTip =
    "The DOS emulator that runs Drovex, Grand Prix 2 and batch files: a program's path, or a name "
    "(dosbox) looked for on PATH. Left empty, the grey text says what happens instead.";
const char* const kKindTip =
    "The kind of emulator, as it tells when asked for its version; the front-end writes the game's "
    "settings in its words.";
const char* const kCyclesTip =
    "The emulated processor's speed while the game runs, in cycles per millisecond (10000 to 1000000). "
    "GP2 needs a fixed 93740 or more; 100000 is the default.";
const char* const kMaxTip =
    "Run the emulated processor as fast as the computer allows (cycles=max). Better not for GP2: it "
    "measures the processor when it starts and chooses its frame rate and detail from that, and under "
    "max the estimate comes out far too low. DOSBox-X issue #3211: \"Don't run GP2 ... with cycles=max "
    "... run with a constant value of cycles=93740 or greater\".";
const char* const kCdTip =
    "An image of the Grand Prix 2 CD (.iso, or .cue with its .bin): mounted as drive D: before the game "
    "starts, so that its music plays. Empty: no CD.";
const char* const kConfigTip =
    "Your own emulator settings file, read after the front-end's own: what you set there wins, and the "
    "memory and speed GP2 needs stand where you set nothing. Empty: the front-end's settings alone.";

// A field's caption; its access letter (after "&") moves the focus to the field.
QLabel* caption(const char* text, const char* tip, QWidget* field)
{
    auto* label = new QLabel(QString::fromLatin1(text));
    label->setToolTip(QString::fromLatin1(tip));
    label->setBuddy(field);
    return label;
}

QLineEdit* pathField(const char* name, const char* tip, const QString& text)
{
    auto* field = new QLineEdit(text);
    field->setObjectName(QString::fromLatin1(name));
    field->setToolTip(QString::fromLatin1(tip));
    field->setMinimumWidth(320);
    return field;
}

QPushButton* browseButton(const char* name, const char* tip)
{
    QPushButton* b = makeButton(name, "", tip);
    b->setText(QStringLiteral("Browse\u2026"));
    b->setAutoDefault(false);
    return b;
}

} // namespace

EmulatorWindow::EmulatorWindow(Session& session, Services& services, QWidget* parent)
    : QDialog(parent)
    , m_session(session)
    , m_services(services)
{
    setObjectName(QStringLiteral("EmulatorWindow"));
    setWindowTitle(QStringLiteral("Emulator"));
    setModal(true);

    const EmulatorSettings stored = readEmulatorSettings(session.store());
    m_programHeld = stored.programHeld;

    m_program = pathField("TXT_EmulatorProgram", kProgramTip, stored.program);
    m_kind = new QLabel;
    m_kind->setObjectName(QStringLiteral("LBL_EmulatorKind"));
    m_kind->setTextFormat(Qt::PlainText);
    m_kind->setToolTip(QString::fromLatin1(kKindTip));

    m_cycles = new QSpinBox;
    m_cycles->setObjectName(QStringLiteral("TXT_EmulatorCycles"));
    m_cycles->setToolTip(QString::fromLatin1(kCyclesTip));
    m_cycles->setRange(kCyclesMin, kCyclesMax);
    m_cycles->setSingleStep(1000);
    m_cycles->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    m_cycles->setValue(stored.speed.isMax() ? kCyclesDefault : stored.speed.cycles());
    m_max = new QCheckBox(QStringLiteral("As fast as the computer allows (&max)"));
    m_max->setObjectName(QStringLiteral("CHK_EmulatorMax"));
    m_max->setToolTip(QString::fromLatin1(kMaxTip));
    connect(m_max, &QCheckBox::toggled, m_cycles, [this](bool on) { m_cycles->setEnabled(!on); });
    m_max->setChecked(stored.speed.isMax());
    auto* speedRow = new QHBoxLayout;
    speedRow->addWidget(m_cycles);
    speedRow->addWidget(caption("cycles", kCyclesTip, m_cycles));
    speedRow->addSpacing(12);
    speedRow->addWidget(m_max);
    speedRow->addStretch(1);

    m_cdImage = pathField("TXT_EmulatorCdImage", kCdTip, stored.cdImage);
    m_config = pathField("TXT_EmulatorConfig", kConfigTip, stored.userConfig);
    QPushButton* programBrowse = browseButton("BTN_EmulatorProgram", "Choose the emulator program");
    QPushButton* cdBrowse = browseButton("BTN_EmulatorCdImage", "Choose the image of the game CD");
    QPushButton* configBrowse = browseButton("BTN_EmulatorConfig", "Choose your own emulator settings file");
    connect(programBrowse, &QPushButton::clicked, this, &EmulatorWindow::browseProgram);
    connect(cdBrowse, &QPushButton::clicked, this, &EmulatorWindow::browseCdImage);
    connect(configBrowse, &QPushButton::clicked, this, &EmulatorWindow::browseConfig);
    connect(m_program, &QLineEdit::textChanged, this, &EmulatorWindow::showWhatStarts);
    connect(m_program, &QLineEdit::editingFinished, this, &EmulatorWindow::detectKind);

    auto* grid = new QGridLayout;
    grid->addWidget(caption("Emulator &program:", kProgramTip, m_program), 0, 0);
    grid->addWidget(m_program, 0, 1);
    grid->addWidget(programBrowse, 0, 2);
    grid->addWidget(caption("Kind:", kKindTip, nullptr), 1, 0);
    grid->addWidget(m_kind, 1, 1, 1, 2);
    grid->addWidget(caption("CPU &speed for GP2:", kCyclesTip, m_cycles), 2, 0);
    grid->addLayout(speedRow, 2, 1, 1, 2);
    grid->addWidget(caption("Game &CD image:", kCdTip, m_cdImage), 3, 0);
    grid->addWidget(m_cdImage, 3, 1);
    grid->addWidget(cdBrowse, 3, 2);
    grid->addWidget(caption("Your emulator se&ttings:", kConfigTip, m_config), 4, 0);
    grid->addWidget(m_config, 4, 1);
    grid->addWidget(configBrowse, 4, 2);
    grid->setColumnStretch(1, 1);

    QPushButton* accept = makeButton("BTN_Accept", "Accept", "Store these settings for the emulator");
    QPushButton* cancel = makeButton("BTN_Cancel", "Cancel", "Close without storing");
    accept->setDefault(true);
    connect(accept, &QPushButton::clicked, this, &EmulatorWindow::acceptClicked);
    connect(cancel, &QPushButton::clicked, this, &EmulatorWindow::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(accept);
    buttons->addWidget(cancel);

    auto* top = new QVBoxLayout(this);
    top->addLayout(grid);
    top->addLayout(buttons);
    detectKind();
}

EmulatorSettings EmulatorWindow::settings() const
{
    EmulatorSettings s;
    s.program = m_program->text().trimmed();
    // An emptied field stores "" (start DOS programs directly) only where a choice was stored;
    // otherwise the emulator is still looked for on PATH.
    s.programHeld = m_programHeld || !s.program.isEmpty();
    s.speed = m_max->isChecked() ? CpuSpeed::fastest() : CpuSpeed::fixed(m_cycles->value());
    s.cdImage = m_cdImage->text().trimmed();
    s.userConfig = m_config->text().trimmed();
    return s;
}

void EmulatorWindow::showWhatStarts()
{
    const EmulatorSettings s = settings();
    showPlaceholder(s, chooseEmulator(s.programHeld, s.program));
}

void EmulatorWindow::showPlaceholder(const EmulatorSettings& s, const EmulatorChoice& choice)
{
    if (s.programHeld)
        m_program->setPlaceholderText(QStringLiteral("none: DOS programs are started directly"));
    else if (choice.program().isEmpty())
        m_program->setPlaceholderText(QStringLiteral("none found on PATH (%1)").arg(emulatorCandidates().join(QStringLiteral(", "))));
    else
        m_program->setPlaceholderText(QStringLiteral("found on PATH: ") + native(choice.program()));
}

void EmulatorWindow::detectKind()
{
    const EmulatorSettings s = settings();
    const EmulatorChoice choice = chooseEmulator(s.programHeld, s.program);
    showPlaceholder(s, choice);
    const QFileInfo fi(choice.program());
    QString text;
    if (!choice.runsDosPrograms())
        text = QStringLiteral("none: DOS programs are started directly");
    else if (choice.program().isEmpty())
        text = QStringLiteral("none found");
    else if (!fi.exists())
        text = QStringLiteral("%1 does not exist").arg(native(choice.program()));
    else if (!fi.isFile() || !fi.isExecutable())
        text = QStringLiteral("%1 is not a program").arg(native(choice.program()));
    else
        text = identityText(detectEmulator(choice.program()));
    m_kind->setText(text);
}

void EmulatorWindow::browseProgram()
{
    const QString current = chooseEmulator(true, m_program->text()).program();
    const QString file = m_services.openFile(
        this, {QStringLiteral("DOS Emulator (dosbox*)|dosbox*|All Files (*)|*"),
               dialogFolder(current, m_session.gameFolder()), QStringLiteral("Browse For DOS Emulator ..."),
               current.isEmpty() ? QStringLiteral("dosbox") : QFileInfo(current).fileName()});
    if (file.isEmpty())
        return;
    m_program->setText(native(file));
    detectKind();
}

void EmulatorWindow::browseCdImage()
{
    const QString current = m_cdImage->text().trimmed();
    const QString file = m_services.openFile(
        this, {QStringLiteral("CD Images (*.iso, *.cue, *.bin)|*.iso;*.cue;*.bin|All Files (*)|*"),
               dialogFolder(current, m_session.gameFolder()), QStringLiteral("Browse For Game CD Image ..."),
               QFileInfo(current).fileName()});
    if (!file.isEmpty())
        m_cdImage->setText(native(file));
}

void EmulatorWindow::browseConfig()
{
    const QString current = m_config->text().trimmed();
    const QString file = m_services.openFile(
        this, {QStringLiteral("DOS Emulator Settings (*.conf)|*.conf|All Files (*)|*"),
               dialogFolder(current, m_session.gameFolder()), QStringLiteral("Browse For DOS Emulator Settings ..."),
               QFileInfo(current).fileName()});
    if (!file.isEmpty())
        m_config->setText(native(file));
}

void EmulatorWindow::acceptClicked()
{
    m_cycles->interpretText(); // a number still being typed counts, brought within the limits
    // Refused, the window stays open: nothing the user chose is lost.
    if (reportStoreResult(m_services, this, QStringLiteral("The emulator settings"),
                          m_session.store().putAll(emulatorSettingsEntries(settings()))))
        accept();
}

} // namespace drovex
