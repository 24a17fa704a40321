#pragma once

#include <QByteArray>
#include <QString>

namespace drovex {

// The NUL-separated filter list of the Windows open-file dialog, from "description|pattern|...".
QByteArray MakeDialogFilter(const QString& filterText);

} // namespace drovex
