// Saves the settings store and Drovex.cfg as the main window's Save does, a number of times:
//   drovex_saver <settings file> <game folder> <rounds> <driver name> [<length of an extra value>]
// Prints one line for each failed write ("settings: <reason>" or "Drovex.cfg: <reason>") and ends
// with status 1 when any write failed.
#include "cfgfile/configfile.h"
#include "common/safefile.h"
#include "system/platform.h"
#include "settings/settingsstore.h"
#include "settings/snapshot.h"
#include "support/coresupport.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

using namespace drovex;

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    ignoreFileSizeSignal();
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 5)
        return 2;
    const QString storeFile = args[1];
    const QString game = args[2];
    const int rounds = args[3].toInt();
    const int extra = args.size() > 5 ? args[5].toInt() : 0;

    const ConfigValues values = test::defaultConfigValues(args[4]); // the link name, which Drovex.cfg shows
    QList<StoreEntry> entries = snapshotEntries(values.settings);
    if (extra > 0)
        entries.append({QStringLiteral("Notes"), QString(extra, QLatin1Char('n'))});
    int failures = 0;
    for (int round = 0; round < rounds; ++round) {
        IniSettingsStore store(storeFile);
        if (const WriteResult w = store.putAll(entries); !w.ok) {
            std::printf("settings: %s\n", qPrintable(w.reason));
            ++failures;
        }
        if (const ConfigWriteResult c = replaceConfigFile(game, renderConfig(values).bytes, systemPlatform()); !c.written) {
            std::printf("Drovex.cfg: %s\n", qPrintable(c.reason));
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
