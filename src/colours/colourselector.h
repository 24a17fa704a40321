#pragma once

#include "colours/palettegrid.h"

#include <QColor>
#include <QDialog>

#include <optional>

class QLabel;

namespace drovex {

// The colour of the palette index a text names; none when it names no index.
std::optional<QColor> paletteQColour(const QString& text);

// "Drovex Color-Selector": picks a palette index for one colour setting of the main window, by
// mouse or by keyboard alone (the grid has the focus; Enter accepts, Escape cancels).
class ColourSelector : public QDialog {
    Q_OBJECT
public:
    explicit ColourSelector(QWidget* parent);
    void setSelectedColour(const QColor& colour); // the swatch shows the colour being edited
    QColor selectedColour() const;
    // Names the setting being edited in the title, and marks the cell of its value (the text of
    // its field) and shows its number; a text that is no palette index marks nothing.
    void editSetting(const QString& settingName, const QString& valueText);

    // Applies the cell chosen in this opening to the colour setting being edited; without a
    // choice the setting keeps its value.
    void accept() override;
    void reject() override;

signals:
    void colourChosen(int index);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void cellChosen(int index);
    void showNumber(int index); // -1: none
    std::optional<int> m_pending; // the cell last chosen in this opening
    PaletteGrid* m_grid = nullptr;
    QLabel* m_selected = nullptr;
    QLabel* m_number = nullptr;
};

} // namespace drovex
