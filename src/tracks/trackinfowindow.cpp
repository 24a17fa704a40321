#include "tracks/trackinfowindow.h"

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
#include <QLocale>
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

constexpr int kMiscWidth = 180; // 2700 twips; a long description grows downwards

// A value as a wrapping label of this width shows it: words longer than a line get break
// opportunities.
QString breakable(const QString& text, const QFontMetrics& metrics, int width)
{
    // A value that fits, or one that wraps at its blanks, is shown as it is (and copied as it is).
    if (metrics.horizontalAdvance(text) <= width)
        return text;
    const int longest = std::max(8, width / std::max(1, metrics.averageCharWidth()) - 2);
    QString out;
    int run = 0;
    for (const QChar c : text) {
        run = c.isSpace() ? 0 : run + 1;
        if (run > longest) {
            out += QChar(0x200B); // a zero-width break opportunity
            run = 1;
        }
        out += c;
    }
    return out;
}

} // namespace

ValueLabel::ValueLabel(const char* name, int maxWidth, bool fixedWidth)
    : QLabel(QStringLiteral("-"))
    , m_value(QStringLiteral("-"))
    , m_fixed(fixedWidth)
{
    setObjectName(QString::fromLatin1(name));
    setTextFormat(Qt::PlainText);
    setTextInteractionFlags(Qt::TextSelectableByMouse);
    setWordWrap(true);
    setMaximumWidth(maxWidth);
    if (fixedWidth)
        setMinimumWidth(maxWidth);
}

void ValueLabel::setValue(const QString& text)
{
    m_value = text;
    setText(breakable(text, fontMetrics(), maximumWidth()));
    setAccessibleName(text);
    // A value that fits stays on one line; a longer one wraps within the limit.
    if (!m_fixed)
        setMinimumWidth(std::min(fontMetrics().horizontalAdvance(text) + 2 * margin() + 4, maximumWidth()));
}

int ValueLabel::heightForWidth(int width) const { return QLabel::heightForWidth(std::min(width, maximumWidth())); }

void alignValueColumns(const QList<QGridLayout*>& grids, const QList<QLabel*>& captions)
{
    // The widest caption as its label lays it out (a few pixels more than the text's advance).
    int width = 0;
    for (const QLabel* caption : captions)
        width = std::max(width, caption->sizeHint().width());
    for (QGridLayout* grid : grids)
        grid->setColumnMinimumWidth(0, width);
}

int valueColumnLimit(const QWidget* window)
{
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    const int width = screen ? screen->availableGeometry().width() : 1024;
    return qBound(kMiscWidth, width / 2, 640);
}

QList<ValueLabel*> buildInfoFrames(QWidget* window, QBoxLayout* top, const QList<InfoRow>& rows, int minValueWidth)
{
    const int limit = valueColumnLimit(window);
    QList<QGridLayout*> grids;
    QList<QLabel*> captions;
    QList<ValueLabel*> values;
    QGridLayout* grid = nullptr;
    int frame = -1;
    for (const InfoRow& r : rows) {
        if (r.frame != frame) {
            frame = r.frame;
            auto* box = new QGroupBox;
            box->setObjectName(QStringLiteral("Frame(%1)").arg(frame));
            grid = new QGridLayout(box);
            grids << grid;
            grid->setColumnMinimumWidth(1, minValueWidth);
            grid->setColumnStretch(1, 1);
            top->addWidget(box);
        }
        auto* caption = new QLabel(QString::fromLatin1(r.caption));
        auto* value = new ValueLabel(r.name, r.maxWidth > 0 ? r.maxWidth : limit, r.fixedWidth);
        caption->setBuddy(value);
        const int row = grid->rowCount();
        grid->addWidget(caption, row, 0, Qt::AlignTop);
        // Placed at the left of its cell: a value's own width limit then does not narrow the
        // column for the other values of its frame.
        grid->addWidget(value, row, 1, Qt::AlignLeft | Qt::AlignTop);
        captions << caption;
        values << value;
    }
    alignValueColumns(grids, captions);
    return values;
}

TrackInfoWindow::TrackInfoWindow(Services& services, QWidget* parent)
    : QDialog(parent)
    , m_services(services)
{
    setObjectName(QStringLiteral("Drovex6"));
    setWindowTitle(QStringLiteral("Drovex Track-Info"));
    setModal(true);
    auto* top = new QVBoxLayout(this);
    top->setSizeConstraint(QLayout::SetFixedSize);
    auto* columns = new QHBoxLayout;
    auto* frames = new QVBoxLayout;
    columns->addLayout(frames);
    top->addLayout(columns);

    // The tag's values, with the lap length the track data gives beside the tag's, and the
    // checksum in a frame of its own.
    constexpr int kTrackLength = -1;
    constexpr int kChecksum = -2;
    QList<InfoRow> rows;
    QList<int> keys;
    for (const Row& r : kRows) {
        rows.append({r.frame, r.caption, r.name, r.key == Desc ? kMiscWidth : 0, r.key == Desc});
        keys << r.key;
        if (r.key == LengthMeters) {
            rows.append({r.frame, "Track Data (m):", "LBL_TrackLen"});
            keys << kTrackLength;
        }
    }
    rows.append({6, "Checksum:", "LBL_Checksum"});
    keys << kChecksum;
    const QList<ValueLabel*> values = buildInfoFrames(this, frames, rows, kMiscWidth);
    for (int i = 0; i < keys.size(); ++i) {
        if (keys[i] == kTrackLength)
            m_length = values[i];
        else if (keys[i] == kChecksum)
            m_checksum = values[i];
        else
            m_value[static_cast<size_t>(keys[i])] = values[i];
    }

    // Under the checksum: the original track, the tag warnings and the fix, each shown when it applies.
    auto* checks = findChild<QGroupBox*>(QStringLiteral("Frame(6)"));
    auto* grid = qobject_cast<QGridLayout*>(checks->layout());
    auto line = [&](const char* name) {
        auto* label = new QLabel;
        label->setObjectName(QString::fromLatin1(name));
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        label->setMaximumWidth(valueColumnLimit(this));
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

    // The map beside the frames, as large as the screen comfortably allows.
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
    m_noMap->hide();
    mapLayout->addWidget(m_noMap);
    mapLayout->addStretch(1);
    columns->addWidget(mapFrame, 0, Qt::AlignTop);

    auto* system = makeButton("BTN_System", "File Info", "View File Infos");
    auto* ok = makeButton("BTN_OK", "OK", "OK ... enough");
    ok->setDefault(true);
    connect(system, &QPushButton::clicked, this, [this] { done(NextFileInfo); });
    connect(ok, &QPushButton::clicked, this, [this] { done(NextSelector); });
    top->addLayout(buttonRow(system, ok));
}

void TrackInfoWindow::showInfo(const TrackInfo& info)
{
    m_info = info;
    for (int k = 0; k < kTrackKeyCount; ++k)
        m_value[static_cast<size_t>(k)]->setValue(info.tagFound ? info.values[static_cast<size_t>(k)] : QStringLiteral("-"));
}

void TrackInfoWindow::showTrackFile(const QString& path, const QList<int>& held)
{
    m_path = path;
    m_held = held;
    const TrackFileFacts facts = path.isEmpty() ? TrackFileFacts{} : readTrackFile(path);
    const std::optional<TrackOutline>& outline = facts.data.outline;
    m_map->setOutline(outline ? outline->points : QList<QPointF>());
    m_map->setVisible(outline.has_value() || path.isEmpty());
    m_noMap->setText(path.isEmpty() ? QString() : noMapText(facts));
    m_noMap->setVisible(!outline && !path.isEmpty());
    QLocale locale;
    locale.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator); // as the tag writes it
    m_length->setValue(outline ? locale.toString(outline->lapMetres(), 'f', 1) : QStringLiteral("-"));
    m_checksum->setValue(facts.checksum ? checksumVerdict(*facts.checksum) : QStringLiteral("-"));
    m_checksum->setToolTip(facts.checksum ? checksumDetails(*facts.checksum) : QString());
    m_original->setText(facts.original ? originalTrackLine(*facts.original) : QString());
    m_original->setVisible(facts.original.has_value());
    const QStringList warnings = path.isEmpty() ? QStringList() : tagWarnings(m_info, facts.original.has_value(), held);
    m_warnings->setText(warnings.join(QLatin1Char('\n')));
    m_warnings->setVisible(!warnings.isEmpty());
    m_fix->setVisible(canFixChecksum(facts));
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
