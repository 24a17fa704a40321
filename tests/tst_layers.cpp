// The source folders depend one way, and no source file grows past what one reader takes in.
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

namespace {

// Lowest first: a folder may include only folders before it in this list (and itself).
const QStringList kLayers = {
    QStringLiteral("common"),    // paths, code page, DOS names, safe file writing
    QStringLiteral("widgets"),   // shared widget helpers and the dialog seam
    QStringLiteral("settings"),  // catalogue, palette, store, snapshot
    QStringLiteral("launch"),    // session, platform layer, launcher, emulator
    QStringLiteral("cfgfile"),   // Drovex.cfg writer and reader
    QStringLiteral("gameinfo"),  // game version and file facts
    QStringLiteral("startopts"), // the game's start-up options
    QStringLiteral("tracks"),    // tag reader, slot table and the track windows
    QStringLiteral("colours"),   // colour selector
    QStringLiteral("about"),     // About window and information box
    QStringLiteral("app"),       // the main window and start-up
};
// The core folders may not include the widget helpers.
const QStringList kCore = {QStringLiteral("common"), QStringLiteral("settings"), QStringLiteral("launch"),
                           QStringLiteral("cfgfile"), QStringLiteral("gameinfo")};

constexpr int kMaxLines = 450;

} // namespace

class TestLayers : public QObject {
    Q_OBJECT
private slots:
    void foldersDependOneWay()
    {
        static const QRegularExpression include(QStringLiteral("^\\s*#\\s*include\\s+\"(\\w+)/"));
        QStringList problems;
        QDirIterator it(QStringLiteral(DROVEX_SOURCE_DIR "/src"), {QStringLiteral("*.h"), QStringLiteral("*.cpp")},
                        QDir::Files, QDirIterator::Subdirectories);
        int files = 0;
        while (it.hasNext()) {
            const QString path = it.next();
            const QString relative = path.mid(QStringLiteral(DROVEX_SOURCE_DIR "/src/").size());
            const QString folder = relative.section(QLatin1Char('/'), 0, 0);
            const qsizetype rank = kLayers.indexOf(folder);
            if (rank < 0) {
                problems << relative + QStringLiteral(": folder not in the layer list");
                continue;
            }
            ++files;
            QFile f(path);
            QVERIFY(f.open(QIODevice::ReadOnly));
            int lines = 0;
            int number = 0;
            for (const QByteArray& line : f.readAll().split('\n')) {
                ++number;
                if (!line.trimmed().isEmpty())
                    ++lines;
                const auto m = include.match(QString::fromUtf8(line));
                if (!m.hasMatch())
                    continue;
                const QString target = m.captured(1);
                const qsizetype targetRank = kLayers.indexOf(target);
                if (targetRank > rank)
                    problems << QStringLiteral("%1:%2 includes %3 above it").arg(relative).arg(number).arg(target);
                if (kCore.contains(folder) && target == QLatin1String("widgets"))
                    problems << QStringLiteral("%1:%2 core includes widgets").arg(relative).arg(number);
            }
            if (lines > kMaxLines)
                problems << QStringLiteral("%1 has %2 non-blank lines (at most %3)").arg(relative).arg(lines).arg(kMaxLines);
        }
        QVERIFY(files > 40);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
    }
};

QTEST_GUILESS_MAIN(TestLayers)
#include "tst_layers.moc"
