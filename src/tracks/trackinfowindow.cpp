#include "tracks/trackinfowindow.h"

#include "common/indexing.h"
#include "tracks/infoframes.h"
#include "tracks/navigation.h"
#include "tracks/tagwarnings.h"
#include "tracks/trackfile.h"
#include "tracks/trackmap.h"
#include "widgets/controls.h"
#include "widgets/services.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QFileInfo>
#include <QPushButton>
#include <QScreen>
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

TrackInfoWindow::TrackInfoWindow(Services& services, QWidget* parent)
    : InfoWindow(parent)
    , m_services(services)
{
    setObjectName(QStringLiteral("Drovex6"));
    setWindowTitle(QStringLiteral("Drovex Track-Info"));
    setModal(true);
    auto* body = new QWidget;
    auto* columns = new QHBoxLayout(body);
    columns->setContentsMargins(0, 0, 0, 0);
    auto* frames = new QVBoxLayout;
    columns->addLayout(frames, 1);

    // The tag's values, with the lap length the track data gives beside the tag's, and the
    // checksum in a frame of its own.
    constexpr int kTrackLength = -1;
    constexpr int kChecksum = -2;
    QList<InfoRow> rows;
    QList<int> keys;
    for (const Row& r : kRows) {
        rows.append({r.frame, r.caption, r.name});
        keys << r.key;
        if (r.key == LengthMeters) {
            rows.append({r.frame, "Track Data (m):", "LBL_TrackLen"});
            keys << kTrackLength;
        }
    }
    rows.append({6, "Checksum:", "LBL_Checksum"});
    keys << kChecksum;
    const int preferred = valueColumnLimit(this);
    const QList<ValueLabel*> values = buildInfoFrames(frames, rows, preferred);
    for (int i = 0; i < keys.size(); ++i) {
        if (keys[i] == kTrackLength)
            m_length = values[i];
        else if (keys[i] == kChecksum)
            m_checksum = values[i];
        else
            at(m_value, keys[i]) = values[i];
    }

    // Under the checksum: the original track, the tag warnings and the fix, each shown when it applies.
    auto* checks = body->findChild<QGroupBox*>(QStringLiteral("Frame(6)"));
    auto* grid = qobject_cast<QGridLayout*>(checks->layout());
    auto line = [&](const char* name) {
        auto* label = new ValueLabel(name);
        label->setPreferredWidth(preferred);
        label->hide();
        grid->addWidget(label, grid->rowCount(), 0, 1, 2);
        return label;
    };
    m_original = line("LBL_Original");
    m_warnings = line("LBL_Warnings");
    m_fix = makeButton("BTN_FixChecksum", "Fix Checksum", "Write the right checksum into the track file (a copy of it is kept)");
    m_fix->setText(QStringLiteral("Fix Checksum\u2026"));
    m_fix->hide();
    grid->addWidget(m_fix, grid->rowCount(), 0, 1, 2, Qt::AlignLeft);
    connect(m_fix, &QPushButton::clicked, this, &TrackInfoWindow::fixChecksum);

    // The map beside the frames, as large as the screen comfortably allows; without a map the
    // frame says why.
    auto* mapFrame = new QGroupBox;
    mapFrame->setObjectName(QStringLiteral("Frame(Map)"));
    auto* mapLayout = new QVBoxLayout(mapFrame);
    m_map = new TrackMap;
    const QScreen* screen = this->screen();
    const int side = screen ? qBound(120, screen->availableGeometry().height() / 4, 240) : 200;
    m_map->setFixedSize(side, side);
    mapLayout->addWidget(m_map);
    m_noMap = new QLabel;
    m_noMap->setObjectName(QStringLiteral("LBL_NoMap"));
    m_noMap->setTextFormat(Qt::PlainText);
    m_noMap->setWordWrap(true);
    m_noMap->setFixedWidth(side);
    mapLayout->addWidget(m_noMap);
    mapLayout->addStretch(1);
    columns->addWidget(mapFrame, 0, Qt::AlignTop);

    auto* system = makeButton("BTN_System", "File Info", "View File Infos");
    auto* ok = makeButton("BTN_OK", "OK", "OK ... enough");
    ok->setDefault(true);
    connect(system, &QPushButton::clicked, this, [this] { done(NextFileInfo); });
    connect(ok, &QPushButton::clicked, this, [this] { done(NextSelector); });
    setBody(body, buttonRow(system, ok));
    showTrackFile({}, {});
}

void TrackInfoWindow::showInfo(const TrackInfo& info)
{
    m_info = info;
    for (int k = 0; k < kTrackKeyCount; ++k)
        at(m_value, k)->setValue(info.tagFound ? at(info.values, k) : QStringLiteral("-"));
}

void TrackInfoWindow::showTrackFile(const QString& path, const QList<int>& held)
{
    m_path = path;
    m_held = held;
    const TrackFileFacts facts = path.isEmpty() ? TrackFileFacts{} : readTrackFile(path);
    const std::optional<TrackOutline>& outline = facts.data.outline;
    m_map->setOutline(outline ? outline->points : QList<QPointF>());
    m_map->setVisible(outline.has_value());
    m_noMap->setText(path.isEmpty() ? QStringLiteral("No map: no track file is chosen") : noMapText(facts));
    m_noMap->setVisible(!outline);
    m_length->setValue(outline ? lapLengthText(*outline) : QStringLiteral("-"));
    m_checksum->setValue(facts.checksum ? checksumVerdict(*facts.checksum) : QStringLiteral("-"));
    m_checksum->setToolTip(facts.checksum ? checksumDetails(*facts.checksum) : QString());
    m_original->setValue(facts.original ? originalTrackLine(*facts.original) : QString());
    m_original->setVisible(facts.original.has_value());
    const QStringList warnings = path.isEmpty() ? QStringList() : tagWarnings(m_info, facts.original.has_value(), held);
    m_warnings->setValue(warnings.join(QLatin1Char('\n')));
    m_warnings->setVisible(!warnings.isEmpty());
    m_fix->setVisible(canFixChecksum(facts));
    fitToContent();
}

// Asks first, keeps a copy of the file as it was, and says what came of it.
void TrackInfoWindow::fixChecksum()
{
    const QString name = QFileInfo(m_path).fileName();
    const QString title = QStringLiteral("Fix Checksum");
    const int answer = m_services.question(
        this, title,
        QStringLiteral("Write the right checksum into %1?\n\nThe file as it is now is first copied to %1.bak "
                       "(or to a dated name when that is taken).")
            .arg(name),
        {QStringLiteral("Fix Checksum"), QStringLiteral("Cancel")});
    if (answer != 0)
        return;
    const ChecksumFix fix = drovex::fixChecksum(m_path);
    if (fix.ok) {
        m_services.message(this, MessageIcon::Information, title,
                           fix.backup.isEmpty() ? QStringLiteral("The checksum of %1 was correct already.").arg(name)
                                                : QStringLiteral("The checksum of %1 is correct now.\nThe file as it was is kept as %2.")
                                                      .arg(name, QFileInfo(fix.backup).fileName()));
    } else {
        const QString kept = fix.backup.isEmpty()
                                 ? QString()
                                 : QStringLiteral("\nThe copy %1 stays beside it.").arg(QFileInfo(fix.backup).fileName());
        m_services.message(this, MessageIcon::Warning, title,
                           QStringLiteral("The checksum of %1 was not fixed: %2.%3").arg(name, fix.reason, kept));
    }
    showTrackFile(m_path, m_held);
}

void TrackInfoWindow::reject() { done(NextSelector); }

} // namespace drovex
