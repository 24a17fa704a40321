#include "startopts/startoptionsdialog.h"

#include "common/indexing.h"
#include "system/session.h"
#include "startopts/startoptions.h"
#include "widgets/controls.h"
#include "widgets/handcursor.h"
#include "widgets/services.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace drovex {

StartOptionsDialog::StartOptionsDialog(Session& session, StartOptionsModel& model, Services& services, QWidget* parent)
    : QDialog(parent)
    , m_session(session)
    , m_model(model)
    , m_services(services)
{
    setObjectName(QStringLiteral("Drovex4"));
    setWindowTitle(QStringLiteral("Grand Prix 2 Options"));
    setModal(true);

    for (const StartSwitch& s : startSwitches()) {
        auto* box = new QCheckBox(QString::fromLatin1(s.caption));
        box->setObjectName(QStringLiteral("CheckGP2(%1)").arg(s.index));
        box->setToolTip(QString::fromLatin1(s.tooltip));
        useHandCursor(box);
        leaveGreyOnClick(box);
        at(m_switch, s.index) = box;
        const int i = s.index;
        connect(box, &QCheckBox::stateChanged, this, [this, i] { switchClicked(i); });
    }

    auto frame = [](const QString& caption, const QString& name) {
        auto* f = new QGroupBox(caption);
        f->setObjectName(name);
        return f;
    };
    auto* options = frame(QStringLiteral("Start-Up Options"), QStringLiteral("Frame(0)"));
    auto* optionsLayout = new QVBoxLayout(options);
    for (int i : startSwitchColumn())
        optionsLayout->addWidget(at(m_switch, i));

    // A switch with its caption-less box of mode buttons below it, the first button chosen.
    auto modeFrame = [&](const QString& caption, int f, int switchIndex, const char* buttonName,
                         QString (*buttonCaption)(int), auto& buttons) {
        auto* outer = frame(caption, QStringLiteral("Frame(%1)").arg(f));
        auto* outerLayout = new QVBoxLayout(outer);
        outerLayout->addWidget(at(m_switch, switchIndex));
        auto* inner = frame(QString(), QStringLiteral("Frame(%1)").arg(f + 1));
        auto* innerLayout = new QHBoxLayout(inner);
        auto* group = new QButtonGroup(this);
        for (int m = 0; m < static_cast<int>(buttons.size()); ++m) {
            auto* b = new QRadioButton(buttonCaption(m));
            b->setObjectName(QStringLiteral("%1(%2)").arg(QLatin1String(buttonName)).arg(m));
            b->setEnabled(false);
            useHandCursor(b);
            group->addButton(b, m);
            innerLayout->addWidget(b);
            at(buttons, m) = b;
        }
        buttons[0]->setChecked(true);
        outerLayout->addWidget(inner);
        return outer;
    };
    auto* graphic = modeFrame(QStringLiteral("Graphic-Card"), 1, kVideoSwitch, "OptionVideo", videoCaption, m_video);
    auto* logging = modeFrame(QStringLiteral("Logging"), 3, kLogSwitch, "OptionLog", logCaption, m_log);

    auto* cdRom = frame(QStringLiteral("CD-Rom"), QStringLiteral("Frame(5)"));
    auto* cdLayout = new QHBoxLayout(cdRom);
    cdLayout->addWidget(m_switch[kCdSwitch]);
    m_cd = new QLineEdit(QStringLiteral("D"));
    m_cd->setObjectName(QStringLiteral("TextGP2"));
    m_cd->setEnabled(false);
    m_cd->setMaximumWidth(60);
    cdLayout->addWidget(m_cd);
    cdLayout->addStretch(1);

    auto* accept = makeButton("BTN_Accept", "Accept", "Accept changes");
    accept->setDefault(true);
    auto* cancel = makeButton("BTN_Cancel", "Cancel", "Cancel changes");
    connect(accept, &QPushButton::clicked, this, &StartOptionsDialog::acceptClicked);
    connect(cancel, &QPushButton::clicked, this, &StartOptionsDialog::reject);

    auto* right = new QVBoxLayout;
    right->addWidget(graphic);
    right->addWidget(logging);
    right->addWidget(cdRom);
    right->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(accept);
    buttons->addWidget(cancel);
    right->addLayout(buttons);
    auto* top = new QHBoxLayout(this);
    top->addWidget(options);
    top->addLayout(right);

    LoadStartOptions();
}

void StartOptionsDialog::switchClicked(int index)
{
    const bool on = at(m_switch, index)->checkState() != Qt::Unchecked;
    if (index == kVideoSwitch)
        for (QRadioButton* b : m_video)
            b->setEnabled(on);
    else if (index == kLogSwitch)
        for (QRadioButton* b : m_log)
            b->setEnabled(on);
    else if (index == kCdSwitch)
        m_cd->setEnabled(on);
}

void StartOptionsDialog::LoadStartOptions()
{
    const StartOptionsState loaded = m_model.load(m_session.store());
    for (int i = 0; i < kStartSwitchCount; ++i)
        setCheckNumber(at(m_switch, i), at(loaded.switches, i));
    m_cd->setText(loaded.cdLetter);
    for (size_t m = 0; m < m_video.size(); ++m)
        if (loaded.video[m])
            m_video[m]->setChecked(true);
    for (size_t m = 0; m < m_log.size(); ++m)
        if (loaded.log[m])
            m_log[m]->setChecked(true);
}

StartOptionsState StartOptionsDialog::state() const
{
    StartOptionsState s;
    for (size_t i = 0; i < m_switch.size(); ++i)
        s.switches[i] = checkNumber(m_switch[i]);
    for (size_t m = 0; m < m_video.size(); ++m)
        s.video[m] = m_video[m]->isChecked();
    for (size_t m = 0; m < m_log.size(); ++m)
        s.log[m] = m_log[m]->isChecked();
    s.cdLetter = m_cd->text();
    return s;
}

void StartOptionsDialog::AcceptChanges() { m_model.AcceptChanges(state()); }

bool StartOptionsDialog::SaveStartOptions()
{
    return reportStoreResult(m_services, this, QStringLiteral("The start-up options"), m_model.save(m_session.store(), state()));
}

void StartOptionsDialog::acceptClicked()
{
    AcceptChanges();
    if (!SaveStartOptions())
        return; // keep the window open: nothing the user chose is lost
    accept();
    deleteLater();
}

void StartOptionsDialog::reject()
{
    QDialog::reject();
    deleteLater();
}

} // namespace drovex
