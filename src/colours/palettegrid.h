#pragma once

#include <QWidget>

namespace drovex {

// "Palette-Index: n" as the cells' tooltips and the selector show it; "-" for no index.
QString paletteIndexText(int index);

// The 16 by 16 grid of the game palette, one cell per index, row n / 16 and column n mod 16.
// It takes the keyboard focus and has a current cell, framed, that the mouse and the keys move:
// the arrows go to the neighbouring cell (Left and Right on to the row before or after), Home
// and End to the start and end of the row, Page Up and Page Down to the top and bottom of the
// column, Ctrl+Home and Ctrl+End to the first and last cell; Space takes the current cell again.
// Each move chooses the cell it reaches. The cell of the value being edited carries a dot.
// Screen readers see a list named "GP2 palette" of 256 items named "colour 0" .. "colour 255".
class PaletteGrid : public QWidget {
    Q_OBJECT
public:
    static constexpr int kCells = 256;

    explicit PaletteGrid(QWidget* parent = nullptr);
    static QRect cellRect(int index); // where cell n is drawn
    int cellAt(const QPoint& pos) const; // -1 between cells
    QSize sizeHint() const override;

    // The cell of the value being edited (-1: none); it becomes the current cell too.
    void setMarkedCell(int index);
    int currentCell() const { return m_current; }

signals:
    void cellChosen(int index); // clicked, or reached with the keyboard

protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    void choose(int index);
    int m_current = 0;
    int m_marked = -1;
};

} // namespace drovex
