#pragma once

#include <QString>

#include <optional>

namespace drovex {

struct Rgb {
    int r, g, b;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Colour of a GP2 palette index 0..255; none outside that range.
std::optional<Rgb> paletteColour(int index);
// Colour of the palette index a field's text names; none when the text is no index.
std::optional<Rgb> paletteColour(const QString& text);

} // namespace drovex
