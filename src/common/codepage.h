#pragma once

#include <QByteArray>
#include <QString>

namespace drovex {

// Windows-1252, the 8-bit text of Drovex.cfg and of track files: a character it cannot hold
// becomes "?".
QByteArray toWindows1252(const QString& text);
QString fromWindows1252(const QByteArray& bytes);

} // namespace drovex
