#include "tracks/trackmap.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace drovex {
namespace {

constexpr int kMargin = 10;     // room for the start line and the pen around the outline
constexpr int kStartLine = 14;  // length of the start line across the track, in pixels

} // namespace

TrackMap::TrackMap(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("MAP_Track"));
    setAccessibleName(QStringLiteral("Circuit map"));
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void TrackMap::setOutline(const QList<QPointF>& points)
{
    m_points = points;
    m_bounds = {};
    if (!m_points.isEmpty()) {
        const auto [left, right] = std::minmax_element(m_points.begin(), m_points.end(),
                                                       [](const QPointF& a, const QPointF& b) { return a.x() < b.x(); });
        const auto [top, bottom] = std::minmax_element(m_points.begin(), m_points.end(),
                                                       [](const QPointF& a, const QPointF& b) { return a.y() < b.y(); });
        m_bounds = QRectF(QPointF(left->x(), top->y()), QPointF(right->x(), bottom->y()));
    }
    setAccessibleDescription(hasMap() ? QString() : QStringLiteral("No map"));
    update();
}

QPointF TrackMap::toWidget(const QPointF& point) const
{
    // One scale for both axes, so that the circuit keeps its shape; centred in the widget.
    const double room = std::max(1, std::min(width(), height()) - 2 * kMargin);
    const double span = std::max({m_bounds.width(), m_bounds.height(), 1e-9});
    const double scale = room / span;
    const QPointF centre(width() / 2.0, height() / 2.0);
    return centre + (point - m_bounds.center()) * scale;
}

QSize TrackMap::sizeHint() const { return {200, 200}; }
QSize TrackMap::minimumSizeHint() const { return {100, 100}; }

void TrackMap::paintEvent(QPaintEvent*)
{
    if (!hasMap())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor ink = palette().color(QPalette::WindowText);
    QPainterPath path(toWidget(m_points.first()));
    for (qsizetype i = 1; i < m_points.size(); ++i)
        path.lineTo(toWidget(m_points[i]));
    path.lineTo(toWidget(m_points.first())); // the small gap a lap leaves is closed
    painter.setPen(QPen(ink, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);

    // The start line: across the track where the first section begins.
    const QPointF start = toWidget(m_points.first());
    const auto next = std::find_if(m_points.begin() + 1, m_points.end(),
                                   [&](const QPointF& p) { return QLineF(toWidget(p), start).length() >= 1; });
    if (next == m_points.end())
        return;
    const QLineF along(start, toWidget(*next));
    QLineF across = along.normalVector().unitVector();
    across.setLength(kStartLine / 2.0);
    const QPointF half = across.p2() - across.p1();
    painter.setPen(QPen(ink, 4, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(start - half, start + half);
}

} // namespace drovex
