#include "app/settingspanel.h"

#include "cfgfile/configfile.h"
#include "colours/colourselector.h"
#include "common/indexing.h"
#include "settings/fieldrules.h"
#include "widgets/controls.h"
#include "widgets/handcursor.h"
#include "widgets/spinbar.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

namespace drovex {
namespace {

QString latin(const char* s) { return s ? QString::fromLatin1(s) : QString(); }

} // namespace

SettingsPanel::SettingsPanel(QWidget* parent)
    : QWidget(parent)
{
    for (int f = 0; f < kFrameCount; ++f) {
        auto* box = new QGroupBox(frameCaption(static_cast<Frame>(f)));
        box->setObjectName(frameName(static_cast<Frame>(f)));
        new QGridLayout(box);
        static_cast<QGridLayout*>(box->layout())->setVerticalSpacing(2);
        at(m_frame, f) = box;
    }
    frameBox(Frame::VAlignButtons)->setFlat(true);
    frameBox(Frame::HAlignButtons)->setFlat(true);

    for (const Setting& s : kSettings) {
        switch (s.kind) {
        case SettingKind::Plain:
            placePlain(s);
            break;
        case SettingKind::Valued:
            placeValued(s);
            break;
        case SettingKind::Alignment:
            placeAlignment(s);
            break;
        case SettingKind::StartMode:
            placeStartMode(s);
            break;
        }
    }

    m_setToDefault = new QCheckBox(QStringLiteral("Default Values"));
    m_setToDefault->setObjectName(QStringLiteral("SetToDefault"));
    m_setToDefault->setToolTip(QStringLiteral("Set all values to default"));
    useHandCursor(m_setToDefault);
    grid(Frame::Drovex)->addWidget(m_setToDefault, 0, 0);
    connect(m_setToDefault, &QCheckBox::toggled, this, &SettingsPanel::defaultsToggled);
    arrangeFrames();
    // The window as created: every switch off, the initial values, the first button of each group.
    apply(initialSnapshot());
}

QGridLayout* SettingsPanel::grid(Frame f) const { return static_cast<QGridLayout*>(frameBox(f)->layout()); }

void SettingsPanel::arrangeFrames()
{
    auto* columns = new QHBoxLayout(this);
    columns->setContentsMargins(0, 0, 0, 0);
    auto column = [&](std::initializer_list<Frame> frames) {
        auto* v = new QVBoxLayout;
        for (Frame f : frames)
            v->addWidget(frameBox(f));
        v->addStretch(1);
        columns->addLayout(v);
    };
    column({Frame::AtTheLine, Frame::TrackMap});
    column({Frame::RcrJams, Frame::Misc, Frame::Network, Frame::Hof25});
    column({Frame::DebugLogging, Frame::ExtendedDataLogging, Frame::TrackMenu, Frame::OtherOptions});
    column({Frame::Mode, Frame::Gp2Options, Frame::Drovex});
    // A larger window keeps captions and fields together; the room left over goes to the right.
    columns->addStretch(1);
}

QCheckBox* SettingsPanel::makeSwitch(const Setting& s, const QString& name)
{
    auto* box = new QCheckBox(latin(s.caption));
    box->setObjectName(name);
    box->setAccessibleName(latin(s.caption).trimmed()); // some captions end in a blank
    if (s.switchTip)
        box->setToolTip(latin(s.switchTip));
    useHandCursor(box);
    leaveGreyOnClick(box);
    return box;
}

void SettingsPanel::placePlain(const Setting& s)
{
    QCheckBox* box = makeSwitch(s, checkName(s.index));
    at(m_check, s.index) = box;
    grid(s.frame)->addWidget(box, grid(s.frame)->rowCount(), 0, 1, 5);
    if (s.index != kGp2OptionsSwitch)
        connect(box, &QCheckBox::stateChanged, this, &SettingsPanel::loggingCoupling);
}

void SettingsPanel::placeValued(const Setting& s)
{
    const int i = s.index;
    QGridLayout* g = grid(s.frame);
    const int row = g->rowCount();
    QCheckBox* box = makeSwitch(s, enableName(i));
    at(m_enable, i) = box;
    auto* field = new QLineEdit;
    field->setObjectName(fieldName(i));
    field->setToolTip(latin(s.tipOfField()));
    field->setAccessibleName(latin(s.caption));
    field->setEnabled(false);
    at(m_field, i) = field;
    g->addWidget(box, row, 0);
    if (s.hasBar()) {
        // Wide enough for the largest number the field takes.
        const QString widest = QString(QString::number(s.limits->hi).size() + 1, QLatin1Char('0'));
        field->setFixedWidth(field->fontMetrics().horizontalAdvance(widest) + 14);
        auto* bar = s.isDotSize() ? new SpinBar(kDotBarBottom, kDotBarTop) : new SpinBar(s.limits->lo, s.limits->hi);
        bar->setObjectName(barName(i));
        bar->setAccessibleName(latin(s.caption));
        bar->setFixedHeight(field->sizeHint().height());
        useHandCursor(bar);
        at(m_bar, i) = bar;
        g->addWidget(field, row, 1);
        g->addWidget(bar, row, 2);
        if (s.isDotSize())
            connect(bar, &QScrollBar::valueChanged, this, [this, i](int v) { dotBarMoved(i, v); });
        else
            connect(bar, &QScrollBar::valueChanged, this, [this, i](int v) { barMoved(i, v); });
        // Typing works as in a spin box: only digits go in, and the field's rule waits until the
        // user is done (Enter, Tab, a click elsewhere), so that 12 can be typed into 3..20. A
        // change made by the program runs the rule at once.
        field->setValidator(digitsOnly(field));
        field->installEventFilter(this);
        bar->installEventFilter(this);
        connect(field, &QLineEdit::textEdited, this, [this, i] { at(m_typing, i) = true; });
        connect(field, &QLineEdit::textChanged, this, [this, i] {
            if (!at(m_typing, i))
                valuedSetting(i).isDotSize() ? dotFieldChanged(i) : fieldChanged(i);
        });
        connect(field, &QLineEdit::editingFinished, this, [this, i] { commitField(i); });
    } else {
        field->setMaxLength(kTextFieldMax);
        field->setMinimumWidth(110);
        g->addWidget(field, row, 1, 1, 4);
    }
    if (s.colour)
        placeColour(s, row);
    connect(box, &QCheckBox::stateChanged, this, [this, i] { enableRule(i); });
}

void SettingsPanel::placeColour(const Setting& s, int row)
{
    const int k = s.index;
    QLineEdit* field = at(m_field, k);
    auto* swatch = new QLabel;
    swatch->setObjectName(QStringLiteral("LBL_Color(%1)").arg(k));
    swatch->setToolTip(latin(s.tipOfField()));
    swatch->setAccessibleName(latin(s.caption));
    swatch->setFixedSize(22, field->sizeHint().height() - 2);
    swatch->setFrameShape(QFrame::Box);
    swatch->setAutoFillBackground(true);
    swatch->installEventFilter(this);
    useHandCursor(swatch);
    at(m_swatch, k) = swatch;
    auto* button = new QToolButton;
    button->setObjectName(QStringLiteral("BTN_Color(%1)").arg(k));
    button->setToolTip(latin(s.tipOfField()));
    button->setAccessibleName(latin(s.caption));
    button->setText(QStringLiteral("..."));
    useHandCursor(button);
    at(m_colourButton, k) = button;
    grid(s.frame)->addWidget(swatch, row, 3);
    grid(s.frame)->addWidget(button, row, 4);
    connect(button, &QToolButton::clicked, this, [this, k] { emit colourRequested(k); });
}

void SettingsPanel::placeAlignment(const Setting& s)
{
    const int g = s.index;
    QCheckBox* box = makeSwitch(s, alignSwitchName(g));
    at(m_checkO, g) = box;
    const int row = grid(s.frame)->rowCount();
    grid(s.frame)->addWidget(box, row, 0, 1, 5);
    QGroupBox* inner = frameBox(g == 0 ? Frame::HAlignButtons : Frame::VAlignButtons);
    auto* innerGrid = static_cast<QGridLayout*>(inner->layout());
    innerGrid->setContentsMargins(16, 0, 0, 0);
    auto* group = new QButtonGroup(this);
    for (int b = 0; b < kOptionCount; ++b) {
        auto* radio = new QRadioButton(alignButtonCaption(g, b));
        radio->setObjectName(alignButtonName(g, b));
        radio->setToolTip(alignButtonCaption(g, b));
        radio->setEnabled(false);
        useHandCursor(radio);
        group->addButton(radio, b);
        innerGrid->addWidget(radio, 0, b);
        at(at(m_align, g), b) = radio;
    }
    grid(s.frame)->addWidget(inner, row + 1, 0, 1, 5);
    connect(box, &QCheckBox::stateChanged, this, [this, g] { alignRule(g); });
}

void SettingsPanel::placeStartMode(const Setting& s)
{
    auto* group = new QButtonGroup(this);
    for (int m = 0; m < kOptionCount; ++m) {
        auto* radio = new QRadioButton(startModeCaption(m));
        radio->setObjectName(startModeName(m));
        radio->setToolTip(startModeTooltip(m));
        useHandCursor(radio);
        group->addButton(radio, m);
        grid(s.frame)->addWidget(radio, m, 0);
        at(m_startMode, m) = radio;
        connect(radio, &QRadioButton::toggled, this, [this, m](bool on) {
            if (on)
                startModeEffect(m);
        });
        connect(radio, &QRadioButton::clicked, this, [this, m] { emit startModeChosen(m); });
    }
}

bool SettingsPanel::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::KeyPress || type == QEvent::Wheel || type == QEvent::MouseButtonPress) {
        for (int k = 0; k < kValuedCount; ++k) {
            if (watched == at(m_field, k))
                return steerField(k, event) || QWidget::eventFilter(watched, event);
            // The bar steps from the number the user typed, not from the one before it.
            if (watched == at(m_bar, k))
                commitField(k);
        }
    }
    if (type == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        for (int k = 0; k < kColourCount; ++k) {
            if (watched == at(m_swatch, k)) {
                emit colourRequested(k);
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------------------------
// Snapshots in and out

void SettingsPanel::apply(const SettingsSnapshot& s)
{
    // 1. Switches, each running its click rule. "Log CC" goes before "Log GLX", so that the
    // coupling of the two can only add "Log GLX" where "Log CC" ends up on.
    for (int i = 0; i < kPlainCount; ++i) {
        const int c = i == kLogGlx ? kLogCc : i == kLogCc ? kLogGlx : i;
        setCheckNumber(at(m_check, c), toWholeNumber(at(s.check, c)));
    }
    for (int i = 0; i < kValuedCount; ++i)
        setCheckNumber(at(m_enable, i), toWholeNumber(at(s.enable, i)));
    for (int g = 0; g < kAlignCount; ++g)
        setCheckNumber(at(m_checkO, g), toWholeNumber(at(s.align, g)));

    // 2. Fields, unchanged (each runs its change rule).
    for (int i = 0; i < kValuedCount; ++i)
        setFieldText(i, at(s.text, i));

    // 3. Bars, from the stored number when it lies within the bar's limits.
    for (int i = 0; i < kValuedCount; ++i) {
        const Setting& setting = valuedSetting(i);
        if (!setting.hasBar() || setting.isDotSize())
            continue;
        const auto n = toWholeNumber(at(s.text, i));
        if (n && *n >= setting.limits->lo && *n <= setting.limits->hi)
            at(m_bar, i)->setValue(*n);
    }

    // 4. Dot-size split.
    for (int i = 0; i < kValuedCount; ++i)
        if (valuedSetting(i).isDotSize())
            rebuildDotSplit(i);

    // 5. Option groups: reading and selecting are separate steps.
    auto select = [](const auto& buttons, int index) {
        if (index >= 0 && index < kOptionCount)
            at(buttons, index)->setChecked(true);
    };
    for (int g = 0; g < kAlignCount; ++g) {
        if (const auto n = toWholeNumber(at(s.alignIndex, g)))
            at(m_alignIndex, g) = static_cast<qint16>(*n);
        select(at(m_align, g), at(m_alignIndex, g));
    }
    if (const auto n = toWholeNumber(s.startMode))
        m_startModeIndex = static_cast<qint16>(*n);
    select(m_startMode, m_startModeIndex);

    // 6. Swatches.
    paintSwatches();
}

void SettingsPanel::showDefaults()
{
    setSettingsFramesEnabled(false);
    m_startMode[0]->setChecked(true);
    apply(defaultSnapshot());
}

SettingsSnapshot SettingsPanel::capture()
{
    commitEdits();
    auto selected = [](const auto& buttons, qint16& index) {
        for (int n = 0; n < kOptionCount; ++n)
            if (at(buttons, n)->isChecked())
                index = static_cast<qint16>(n);
    };
    for (int g = 0; g < kAlignCount; ++g)
        selected(at(m_align, g), at(m_alignIndex, g));
    selected(m_startMode, m_startModeIndex);

    SettingsSnapshot s;
    auto state = [](const QCheckBox* b) { return QString::number(checkNumber(b)); };
    for (int i = 0; i < kPlainCount; ++i)
        at(s.check, i) = state(at(m_check, i));
    for (int i = 0; i < kValuedCount; ++i) {
        at(s.enable, i) = state(at(m_enable, i));
        at(s.text, i) = at(m_field, i)->text();
    }
    for (int g = 0; g < kAlignCount; ++g) {
        at(s.align, g) = state(at(m_checkO, g));
        at(s.alignIndex, g) = QString::number(at(m_alignIndex, g));
    }
    s.startMode = QString::number(m_startModeIndex);
    return s;
}

} // namespace drovex
