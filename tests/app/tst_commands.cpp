// The commands without a window: what Save and Play writes before it starts anything, that a
// player's own Drovex.cfg is asked about once, and what counts as not saved.
#include "app/commands.h"

#include "cfgfile/configfile.h"
#include "settings/settingsstore.h"
#include "startopts/startoptions.h"
#include "support/coresupport.h"
#include "system/platform.h"
#include "system/session.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace drovex;

namespace {

class RecordingPrompts final : public Prompts {
public:
    QList<int> answers; // the buttons to press, in order; -1 when none is left
    QStringList asked;
    QStringList told;
    int ask(const QString&, const QString& text, const QStringList&) override
    {
        asked << text;
        return answers.isEmpty() ? -1 : answers.takeFirst();
    }
    void tell(Tone, const QString&, const QString& text) override { told << text; }
};

// Commands on a real settings file and a real game folder, with the window's settings as a value.
struct Bench {
    QTemporaryDir dir;
    IniSettingsStore store{dir.filePath(QStringLiteral("store.ini"))};
    Session session{store, systemPlatform()};
    SlotTable table;
    StartOptionsModel options;
    RecordingPrompts prompts;
    SettingsSnapshot shown = initialSnapshot();
    QStringList statuses;
    Commands commands{session, table, options, prompts, hooks()};

    Bench()
    {
        QObject::connect(&commands, &Commands::status, [this](const QString& s) { statuses << s; });
        QDir().mkpath(game());
        QFile::copy(QStringLiteral(DROVEX_RECORDER), game() + QStringLiteral("/GP2.EXE"));
        (void)store.putAll({{QStringLiteral("Path-GP2"), game()}, {QStringLiteral("Path-Emulator"), QString()}});
        shown.startMode = QStringLiteral("2");
        qputenv("DROVEX_RECORD_FILE", dir.filePath(QStringLiteral("record.txt")).toLocal8Bit());
    }
    WindowHooks hooks()
    {
        return {[this] { return shown; }, [this](const SettingsSnapshot& s) { shown = s; }, [] { return false; },
                [] { return true; }, [] {}, [] {}};
    }
    QString game() const { return dir.filePath(QStringLiteral("GP2")); }
    QString cfg() const { return game() + QStringLiteral("/Drovex.cfg"); }
    bool started() const
    {
        QTest::qWait(300);
        return QFileInfo::exists(dir.filePath(QStringLiteral("record.txt")));
    }
};

} // namespace

class TestCommands : public QObject {
    Q_OBJECT
private slots:
    void saveAndPlayStartsOnlyAfterAGoodSave_data()
    {
        QTest::addColumn<QString>("broken");
        QTest::newRow("nothing") << "";
        QTest::newRow("Drovex.cfg is a folder") << "cfg";
        QTest::newRow("the settings file is a folder") << "store";
    }
    void saveAndPlayStartsOnlyAfterAGoodSave()
    {
        QFETCH(QString, broken);
        Bench b;
        b.shown.text[14] = QStringLiteral("4");
        if (broken == QLatin1String("cfg"))
            QVERIFY(QDir().mkpath(b.cfg()));
        if (broken == QLatin1String("store")) {
            QFile::remove(b.store.location());
            QVERIFY(QDir().mkpath(b.store.location()));
        }
        b.commands.saveAndPlay();
        QCOMPARE(b.started(), broken.isEmpty());
        QCOMPARE(b.prompts.told.size(), broken.isEmpty() ? 0 : 1);
        if (broken.isEmpty()) {
            // The settings were stored and Drovex.cfg written before the game started.
            QCOMPARE(IniSettingsStore(b.store.location()).get(QStringLiteral("Zoom Value")), QStringLiteral("4"));
            QVERIFY(test::readFile(b.cfg()).contains("mapZoom = 4"));
            const QString said = b.statuses.filter(QStringLiteral("Started Grand Prix 2")).value(0);
            QVERIFY2(said.contains(QLatin1String("Drovex.cfg written to")), qPrintable(b.statuses.join(QLatin1Char('|'))));
        } else {
            QVERIFY(b.prompts.told.first().contains(QDir::toNativeSeparators(broken == QLatin1String("cfg") ? b.cfg() : b.store.location())));
        }
    }

    // A Drovex.cfg of another hand is asked about once: imported, it is not asked about again and
    // the next save writes the window as it is.
    void aPlayersOwnFileIsAskedAboutOnce()
    {
        Bench b;
        QVERIFY(test::writeFile(b.cfg(), "mapZoom = 5\r\nPureDOS = 1\r\n"));
        b.prompts.answers = {0}; // Import
        b.commands.save();
        QCOMPARE(b.prompts.asked.size(), 1);
        QCOMPARE(b.shown.text[14], QStringLiteral("5"));
        QVERIFY(QFileInfo::exists(b.cfg() + QStringLiteral(".bak")));
        b.shown.text[14] = QStringLiteral("3");
        b.commands.save();
        QCOMPARE(b.prompts.asked.size(), 1);
        const QByteArray written = test::readFile(b.cfg());
        QVERIFY(written.contains("mapZoom = 3"));
        QVERIFY(written.contains("\r\nPureDOS = 1\r\n"));
    }

    void exitAsksOnlyAboutUnsavedChanges()
    {
        Bench b;
        b.commands.LoadSettings();
        QVERIFY(!b.commands.hasUnsavedChanges());
        QVERIFY(b.commands.confirmExit());
        b.shown.enable[14] = QStringLiteral("1");
        QVERIFY(b.commands.hasUnsavedChanges());
        b.prompts.answers = {2, 1, 0}; // Cancel, Discard, Save
        QVERIFY(!b.commands.confirmExit());
        QVERIFY(b.commands.confirmExit());
        QCOMPARE(IniSettingsStore(b.store.location()).get(QStringLiteral("Zoom")), QString());
        QVERIFY(b.commands.confirmExit());
        QCOMPARE(IniSettingsStore(b.store.location()).get(QStringLiteral("Zoom")), QStringLiteral("1"));
        QVERIFY(QFileInfo::exists(b.cfg()));
        QVERIFY(!b.commands.hasUnsavedChanges());
    }

    // Lines of an imported file kept for Drovex count as a change while the defaults show:
    // turning the defaults off asks, and Save stores them with the settings.
    void keptLinesAreSavedFromDefaultsMode()
    {
        Bench b;
        b.commands.LoadSettings();
        const QString mine = b.dir.filePath(QStringLiteral("mine.cfg"));
        QVERIFY(test::writeFile(mine, "PureDOS = 1\r\n"));
        QVERIFY(b.commands.importFile(mine));
        b.commands.enterDefaults();
        b.prompts.answers = {0}; // Save
        QVERIFY(b.commands.leaveDefaults());
        QCOMPARE(b.prompts.asked.size(), 1);
        QVERIFY(IniSettingsStore(b.store.location()).get(QString::fromLatin1(kKeptLinesKey)).contains(QLatin1String("PureDOS")));
        QVERIFY(!b.commands.hasUnsavedChanges());
    }
};

QTEST_GUILESS_MAIN(TestCommands)
#include "tst_commands.moc"
