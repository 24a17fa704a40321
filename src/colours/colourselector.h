#pragma once

#include <QColor>
#include <QDialog>

#include <optional>

class QLabel;

namespace drovex {

// The colour of the palette index a text names; none when it names no index.
std::optional<QColor> paletteQColor(const QString& text);

// The 16 by 16 grid of the game palette, one cell per index.
class PaletteGrid : public QWidget {
    Q_OBJECT
public:
    explicit PaletteGrid(QWidget* parent = nullptr);
    static QRect cellRect(int index); // where cell n is drawn
    int cellAt(const QPoint& pos) const; // -1 between cells
    QSize sizeHint() const override;

signals:
    void cellClicked(int index);

protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
};

// "Drovex Color-Selector": picks a palette index for one colour setting of the main window.
class ColourSelector : public QDialog {
    Q_OBJECT
public:
    explicit ColourSelector(QWidget* parent);
    void setSelectedColour(const QColor& colour); // the swatch shows the colour being edited
    QColor selectedColour() const;

    // Applies the cell clicked in this opening to the colour setting being edited; without a click
    // the setting keeps its value.
    void accept() override;
    void reject() override;

signals:
    void colourChosen(int index);

private:
    void cellClicked(int index);
    std::optional<int> m_pending; // the cell last clicked in this opening
    PaletteGrid* m_grid = nullptr;
    QLabel* m_selected = nullptr;
};

} // namespace drovex
