#pragma once

#include <QList>
#include <QPointF>
#include <QRectF>
#include <QWidget>

namespace drovex {

// A small map of a circuit: its outline scaled to fit, drawn as a line in the palette's text
// colour and never filled (a figure of eight crosses itself), with the start line marked across
// the track. Without an outline it draws nothing.
class TrackMap : public QWidget {
    Q_OBJECT
public:
    explicit TrackMap(QWidget* parent = nullptr);
    // The points of the centre line from the start line on; none for no map.
    void setOutline(const QList<QPointF>& points);
    bool hasMap() const { return m_points.size() > 1; }
    // Where a point of the outline is drawn in the widget.
    QPointF toWidget(const QPointF& point) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QList<QPointF> m_points;
    QRectF m_bounds;
};

} // namespace drovex
