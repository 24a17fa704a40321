#pragma once

#include <QString>

namespace drovex {

// Joins a folder and a relative path with one separator of the platform.
QString joinPath(const QString& folder, const QString& relative);

// DOS-style relative paths ("CIRCUITS\F1CT01.DAT") and the platform's own form.
QString dosToNative(const QString& dosPath);
QString nativeToDos(const QString& path);

// Finds an existing path whose components match ignoring letter case, as DOS programs see
// the disk; the spelling on disk, or "" when nothing exists there.
QString resolveIgnoringCase(const QString& path);

} // namespace drovex
