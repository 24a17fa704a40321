// Times importing a Drovex.cfg of the largest size the program reads into the main window, and
// the Save after it, for two files: 131,071 distinct keys Drovex does not know (every line a
// piece the reader decides on its own), and 524,288 lines of "=" (every line a piece that reuses
// the buffers of the one before), and two files made to cost the reader most (one it reads, one it
// gives up). Prints the medians of repeated runs.
// The goals: each import takes at most 250 ms, each Save after it at most 250 ms.
#include "app/commands.h"
#include "app/mainwindow.h"
#include "benchutil.h"
#include "cfgfile/cfgimport.h"
#include "cfgfile/cfgreader.h"
#include "system/platform.h"
#include "system/session.h"
#include "settings/settingsstore.h"
#include "widgets/services.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QStatusBar>
#include <QTemporaryDir>

using namespace drovex;

namespace {

// 131,071 lines "abcd=1" with distinct four-letter keys, CR LF ended: 8 bytes a line, under 1 MB.
QByteArray distinctKeys()
{
    constexpr char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_.";
    QByteArray file;
    file.reserve(kConfigFileMax);
    for (int i = 0; i < 131071; ++i) {
        file += letters[i & 63];
        file += letters[(i >> 6) & 63];
        file += letters[(i >> 12) & 63];
        file += 'k';
        file += "=1\r\n";
    }
    return file;
}

// The costliest files found: a long comment, then lines up to the size limit that reuse the
// buffers, then a line for each of Drovex's keys in the order it reads them, so that every search
// walks the whole file from a new state.
QByteArray keysAtTheEnd(const QByteArray& filler, char comment = 'x')
{
    QByteArray tail;
    for (const CfgKey& k : drovexKeys())
        tail += QByteArray(k.name) + (k.kind == CfgKind::Text ? " = \"x\"\n" : " = 1\n");
    QByteArray file = ';' + QByteArray(252, comment) + '\n';
    while (file.size() + filler.size() + tail.size() <= kConfigFileMax)
        file += filler;
    return file + tail;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(3, atoi(argv[1])) : 7;
    QTemporaryDir dir;
    const QString storeFile = dir.filePath(QStringLiteral("store.ini"));
    const QString game = dir.filePath(QStringLiteral("GP2"));
    if (!QDir().mkpath(game))
        return 2;
    IniSettingsStore store(storeFile);
    (void)store.put(QStringLiteral("Path-GP2"), game);
    Session session(store, systemPlatform());
    SilentServices services;
    MainWindow w(session, services);
    w.startUp();

    bench::Goals goals;
    const std::pair<const char*, QByteArray> files[] = {
        {"131,071 distinct unknown keys", distinctKeys()},
        {"524,288 lines of \"=\"", QByteArray(kConfigFileMax / 2, '=').replace("=", "=\n")},
        {"empty lines, then every key", keysAtTheEnd("\n")},
        {"empty and blank lines by turns, then every key", keysAtTheEnd("\n \n")},
        {"the same after a comment of blanks", keysAtTheEnd("\n \n", ' ')},
    };
    for (const auto& [what, bytes] : files) {
        if (bytes.size() > kConfigFileMax)
            return 2;
        const QString path = dir.filePath(QStringLiteral("import.cfg"));
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
            return 2;
        f.close();
        bool taken = true;
        const double import = bench::medianMs(runs, [&] { taken = w.importConfig(path); });
        const double save = bench::medianMs(runs, [&] { w.save(); });
        if (!QFile::exists(game + QStringLiteral("/Drovex.cfg")))
            return 2;
        bench::report(qPrintable(QStringLiteral("import of %1%2").arg(QLatin1String(what), taken ? QString() : QStringLiteral(" (given up)"))), import);
        bench::report(qPrintable(QStringLiteral("Save after it (%1 kept lines)").arg(w.commands().keptLines().size())), save);
        goals.atMost(qPrintable(QStringLiteral("import of %1, ms,").arg(QLatin1String(what))), import, 250);
        goals.atMost("Save after it, ms,", save, 250);
    }
    return goals.finish();
}
