#include "tracks/trackinfowindow.h"

#include "tracks/navigation.h"
#include "widgets/controls.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
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

TrackInfoWindow::TrackInfoWindow(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("Drovex6"));
    setWindowTitle(QStringLiteral("Drovex Track-Info"));
    setModal(true);
    auto* top = new QVBoxLayout(this);
    top->setSizeConstraint(QLayout::SetFixedSize);
    QList<InfoRow> rows;
    for (const Row& r : kRows)
        rows.append({r.frame, r.caption, r.name, r.key == Desc ? kMiscWidth : 0, r.key == Desc});
    const QList<ValueLabel*> values = buildInfoFrames(this, top, rows, kMiscWidth);
    for (int i = 0; i < kTrackKeyCount; ++i)
        m_value[static_cast<size_t>(kRows[i].key)] = values[i];
    auto* system = makeButton("BTN_System", "File Info", "View File Infos");
    auto* ok = makeButton("BTN_OK", "OK", "OK ... enough");
    ok->setDefault(true);
    connect(system, &QPushButton::clicked, this, [this] { done(NextFileInfo); });
    connect(ok, &QPushButton::clicked, this, [this] { done(NextSelector); });
    top->addLayout(buttonRow(system, ok));
}

void TrackInfoWindow::showInfo(const TrackInfo& info)
{
    for (int k = 0; k < kTrackKeyCount; ++k)
        m_value[static_cast<size_t>(k)]->setValue(info.tagFound ? info.values[static_cast<size_t>(k)] : QStringLiteral("-"));
}

void TrackInfoWindow::reject() { done(NextSelector); }

} // namespace drovex
