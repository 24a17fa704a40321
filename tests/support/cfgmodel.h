#pragma once

#include "cfgfile/cfgreader.h"
#include "cfgfile/configfile.h"

#include <QStringList>

namespace drovex::test {

// What Drovex must read from a Drovex.cfg written from these values: every key as the window
// shows it, and "not set" where its setting is off, empty or not a number; keys the window has no
// control for as the kept lines read on their own. Keys are in lower case.
QHash<QByteArray, std::optional<CfgValue>> expectedReading(const ConfigValues& values);

// Runs Drovex's reader over the file and lists every key it reads otherwise than expected, and
// every empty or over-long line. Empty when Drovex reads the file exactly as the window shows it.
QStringList readingDifferences(const QByteArray& file, const ConfigValues& values);

} // namespace drovex::test
