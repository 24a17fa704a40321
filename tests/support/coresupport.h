#pragma once

#include <QString>

namespace drovex::test {

// Running as root ignores file permissions; drop that privilege for good so that read-only
// files and folders refuse writes in this test process as they would for a user.
// Returns false when permissions cannot be made to bite (the test should then skip).
bool makePermissionsBite();

// Writes bytes to a file, creating folders as needed.
bool writeFile(const QString& path, const QByteArray& bytes);
QByteArray readFile(const QString& path);

} // namespace drovex::test
