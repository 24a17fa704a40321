#pragma once

#include <QByteArray>
#include <QIcon>
#include <QImage>
#include <QString>

namespace drovex {

// Draws a picture written in the small part of SVG the program's icon uses, as a square image of
// size by size pixels: the elements rect (rx, ry), circle, polygon and path (absolute M L H V C Q
// Z), each with fill, stroke, stroke-width, stroke-linecap and stroke-linejoin, on a square
// viewBox. Anything else is refused with a null image and the reason in *error, so a drawing that
// an editor fills with other features stops the build instead of coming out different.
QImage drawIcon(const QByteArray& svg, int size, QString* error = nullptr);

// The program's icon, drawn from the same file as the installed one, at the usual sizes.
QIcon appIcon();

} // namespace drovex
