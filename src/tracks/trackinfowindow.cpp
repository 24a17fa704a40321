#include "tracks/trackinfowindow.h"

#include "widgets/handcursor.h"
#include "tracks/navigation.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace drovex {
namespace {

struct Row {
    int frame;
    const char* caption;
    const char* name;
    int key;
};

const Row kRows[kTrackKeyCount] = {
    {1, "Track Name:", "LBL_Name", Name},          {1, "Country:", "LBL_Country", Country},
    {2, "Year:", "LBL_InfoYear", Year},            {2, "Event:", "LBL_Event", Event},
    {3, "No. of Laps:", "LBL_Laps", Laps},         {3, "Length (m):", "LBL_Len", LengthMeters},
    {3, "Tyre Ware:", "LBL_Ware", Tyre},           {3, "Slot:", "LBL_Slot", Slot},
    {4, "Best Lap Qual:", "LBL_Qual", LapRecordQualify}, {4, "Best Lap Race:", "LBL_Race", LapRecord},
    {5, "Author:", "LBL_Author", Author},          {5, "Misc:", "LBL_Misc", Desc},
};

} // namespace

TrackInfoWindow::TrackInfoWindow(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("Drovex6"));
    setWindowTitle(QStringLiteral("Drovex Track-Info"));
    setModal(true);
    auto* top = new QVBoxLayout(this);
    top->setSizeConstraint(QLayout::SetFixedSize);
    QGridLayout* grid = nullptr;
    int frame = 0;
    for (const Row& r : kRows) {
        if (r.frame != frame) {
            frame = r.frame;
            auto* box = new QGroupBox;
            box->setObjectName(QStringLiteral("Frame(%1)").arg(frame));
            grid = new QGridLayout(box);
            grid->setColumnMinimumWidth(1, 180);
            top->addWidget(box);
        }
        auto* caption = new QLabel(QString::fromLatin1(r.caption));
        auto* value = new QLabel(QStringLiteral("-"));
        value->setObjectName(QString::fromLatin1(r.name));
        value->setTextFormat(Qt::PlainText);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        if (r.key == Desc) {
            value->setWordWrap(true);
            value->setFixedWidth(180); // 2700 twips; a long description grows downwards
        }
        const int row = grid->rowCount();
        grid->addWidget(caption, row, 0, Qt::AlignTop);
        grid->addWidget(value, row, 1, Qt::AlignTop);
        m_value[static_cast<size_t>(r.key)] = value;
    }
    auto* system = new QPushButton(QStringLiteral("File Info"));
    system->setObjectName(QStringLiteral("BTN_System"));
    system->setToolTip(QStringLiteral("View File Infos"));
    useHandCursor(system);
    auto* ok = new QPushButton(QStringLiteral("OK"));
    ok->setObjectName(QStringLiteral("BTN_OK"));
    ok->setToolTip(QStringLiteral("OK ... enough"));
    ok->setDefault(true);
    useHandCursor(ok);
    connect(system, &QPushButton::clicked, this, [this] { done(NextFileInfo); });
    connect(ok, &QPushButton::clicked, this, [this] { done(NextSelector); });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(system);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    top->addLayout(buttons);
}

void TrackInfoWindow::showInfo(const TrackInfo& info)
{
    for (int k = 0; k < kTrackKeyCount; ++k)
        m_value[static_cast<size_t>(k)]->setText(info.values[static_cast<size_t>(k)]);
}

QString TrackInfoWindow::value(int key) const { return m_value[static_cast<size_t>(key)]->text(); }

void TrackInfoWindow::reject() { done(NextSelector); }

} // namespace drovex
