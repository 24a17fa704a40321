#include "common/codepage.h"
#include "cfgfile/configfile.h"
#include "system/platform.h"
#include "settings/catalogue.h"
#include "support/cfgmodel.h"
#include "support/coresupport.h"
#include "tracks/slottable.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace drovex;

Q_DECLARE_METATYPE(drovex::ConfigValues)

namespace {

ConfigValues defaults()
{
    ConfigValues v = test::defaultConfigValues();
    v.settings.check[kGp2OptionsSwitch] = QStringLiteral("0");
    return v;
}

ConfigValues allSwitches(int state)
{
    ConfigValues v = defaults();
    v.settings.check.fill(QString::number(state));
    v.settings.enable.fill(QString::number(state));
    v.settings.align.fill(QString::number(state));
    return v;
}

QByteArray golden(const QString& name) { return test::readFile(QStringLiteral(DROVEX_TEST_DATA "/") + name); }

} // namespace

class TestConfigFile : public QObject {
    Q_OBJECT
private slots:
    void goldenFiles_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<ConfigValues>("values");
        QTest::newRow("defaults") << "drovex-defaults.cfg" << defaults();
        QTest::newRow("all on") << "drovex-all-on.cfg" << allSwitches(1);
        QTest::newRow("all off") << "drovex-all-off.cfg" << allSwitches(0);
        ConfigValues empty = defaults();
        for (auto& t : empty.settings.text)
            t.clear();
        for (auto& s : empty.slotValues)
            s.clear();
        QTest::newRow("empty fields") << "drovex-empty.cfg" << empty;
        ConfigValues quoted = defaults();
        quoted.settings.text[7] = QStringLiteral("The \"Flying\" Finn");
        quoted.settings.text[6] = QStringLiteral("C:\\LOGS\\Drovex.log");
        QTest::newRow("double quote") << "drovex-quote.cfg" << quoted;
    }
    void goldenFiles()
    {
        QFETCH(QString, file);
        QFETCH(ConfigValues, values);
        const QByteArray bytes = renderConfig(values).bytes;
        if (qEnvironmentVariableIsSet("DROVEX_UPDATE_GOLDEN"))
            test::writeFile(QStringLiteral(DROVEX_TEST_DATA "/") + file, bytes);
        QCOMPARE(bytes, golden(file));
        // Drovex reads each golden file exactly as the window shows it.
        QCOMPARE(test::readingDifferences(golden(file), values), QStringList());
    }

    void layoutOfEveryFile()
    {
        const QByteArray bytes = renderConfig(defaults()).bytes;
        QVERIFY(bytes.endsWith("\r\n"));
        QVERIFY(!bytes.startsWith("\xEF\xBB\xBF"));
        QCOMPARE(bytes.count("\r\n"), configLineCount());
        QCOMPARE(bytes.count('\n'), configLineCount());
        const QStringList lines = renderConfig(defaults()).lines;
        for (int i = 0; i < 6; ++i) {
            QVERIFY(lines[i].startsWith(QLatin1Char(';') + QString(i == 0 ? 16 : 15, QLatin1Char(' '))));
            QVERIFY(lines[i].size() <= 58);
        }
        QCOMPARE(test::lineWith(lines, QStringLiteral("atlSplit1Color")), QStringLiteral("atlSplit1Color = 135            ; Taken from GP2's color palette, default: 135 (light blue)"));
        QCOMPARE(test::lineWith(lines, QStringLiteral("logDebugName")), QStringLiteral("logDebugName = \"Drovex.log\"     ; Debug log file name"));
        QCOMPARE(test::lineWith(lines, QStringLiteral("f1ct01")), QStringLiteral("f1ct01 = \"CIRCUITS\\F1CT01.DAT\"  ; Note: relative to your GP2 directory currently not supporting long filenames"));
        QCOMPARE(test::lineWith(lines, QStringLiteral("f1ct02")), QStringLiteral("f1ct02 = \"CIRCUITS\\F1CT02.DAT\""));
        QCOMPARE(test::lineWith(lines, QStringLiteral("f1ct16")), QStringLiteral("f1ct16 = \"CIRCUITS\\F1CT16.DAT\""));
        QCOMPARE(test::lineWith(lines, QStringLiteral("mapHAlign")), QStringLiteral("mapHAlign = 1                   ; 0 = left, 1 = center, 2 = right (toggle with '8' in-game)"));
        // No line is empty (Drovex misreads empty lines: a lone ";" stands in), none too long.
        for (const QString& l : lines)
            QVERIFY(!l.isEmpty() && l.size() <= kCfgLineMax);
    }

    // The six RCR switches and Draw Lines in every combination: Drovex reads every key as the
    // window shows it. With empty lines in their place (the old layout) it misread 63 of them,
    // as measured on Drovex itself, which also proves the reader model right.
    void rcrSwitchesInEveryCombination()
    {
        int misreadWithEmptyLines = 0;
        for (int combo = 0; combo < 128; ++combo) {
            ConfigValues v = defaults();
            const int switches[7] = {18, 8, 9, 10, 11, 12, 13};
            for (int b = 0; b < 7; ++b)
                v.settings.enable[static_cast<size_t>(switches[b])] = QString::number((combo >> b) & 1);
            const QStringList lines = renderConfig(v).lines;
            QByteArray file;
            QByteArray oldLayout;
            for (const QString& l : lines) {
                file += l.toLatin1() + "\r\n";
                oldLayout += (l == QLatin1String(";") ? QByteArray() : l.toLatin1()) + "\r\n";
            }
            QCOMPARE(test::readingDifferences(file, v), QStringList());
            const CfgReading old = readDrovexCfg(oldLayout);
            const auto expected = test::expectedReading(v);
            bool misread = false;
            for (const CfgKey& k : drovexKeys())
                misread = misread || old.value(k.name) != expected.value(QByteArray(k.name).toLower());
            misreadWithEmptyLines += misread;
        }
        QCOMPARE(misreadWithEmptyLines, 63);
    }

    // A switched-on numeric setting whose field holds no number is left to Drovex's own default
    // and named, rather than being read as 0.
    void numericFieldsWithoutANumber_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("text");
        for (const Setting& s : kSettings) {
            if (!s.hasBar())
                continue;
            QTest::addRow("%s empty", s.caption) << s.index << QString();
            QTest::addRow("%s x7", s.caption) << s.index << QStringLiteral("x7");
        }
    }
    void numericFieldsWithoutANumber()
    {
        QFETCH(int, index);
        QFETCH(QString, text);
        ConfigValues v = allSwitches(1);
        v.settings.text[static_cast<size_t>(index)] = text;
        const RenderedConfig r = renderConfig(v);
        QCOMPARE(test::readingDifferences(r.bytes, v), QStringList());
        QVERIFY(!readDrovexCfg(r.bytes).value(valuedSetting(index).cfgKey));
        QCOMPARE(r.notSet, QStringList{QString::fromLatin1(valuedSetting(index).caption)});
        QVERIFY(r.lines.contains(QLatin1Char(';') + QString::fromLatin1(valuedSetting(index).cfgKey) + QStringLiteral(" = "),
                                 Qt::CaseSensitive) ||
                std::any_of(r.lines.cbegin(), r.lines.cend(), [&](const QString& l) {
                    return l.startsWith(QLatin1Char(';') + QString::fromLatin1(valuedSetting(index).cfgKey) + QStringLiteral(" = "));
                }));
        // Switched off, it is commented out anyway and not named.
        v.settings.enable[static_cast<size_t>(index)] = QStringLiteral("0");
        QCOMPARE(renderConfig(v).notSet, QStringList());
    }

    void slotPathsDrovexCannotOpen_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("written");
        auto path = [](int length) {
            const int folders = (length - 4) / 9;
            return QStringLiteral("ABCDEFGH\\").repeated(folders) + QStringLiteral("ABCDEFGH.DAT").left(length - 9 * folders);
        };
        QTest::newRow("188 characters") << path(188) << true;
        QTest::newRow("189 characters") << path(189) << false;
        QTest::newRow("300 characters") << path(300) << false;
        QTest::newRow("8.3 names") << "CIRCUITS\\NEW\\MONACO.DAT" << true;
        QTest::newRow("blank") << "CIRCUITS\\NEW TRKS\\MONACO.DAT" << false;
        QTest::newRow("second dot") << "CIRCUITS\\MON.ACO.DAT" << false;
        QTest::newRow("nine-character stem") << "CIRCUITS\\MONACO199.DAT" << false;
        QTest::newRow("four-character extension") << "CIRCUITS\\MONACO.DATA" << false;
        QTest::newRow("line feed") << "CIRCUITS\\MON\nACO.DAT" << false;
        QTest::newRow("key injected by a long folder") << path(180) + QStringLiteral("\\") + QString(60, QLatin1Char('A')) + QStringLiteral("SvgaRcr3 = 1") << false;
    }
    void slotPathsDrovexCannotOpen()
    {
        QFETCH(QString, path);
        QFETCH(bool, written);
        for (int slot : {1, 9}) {
            ConfigValues v = defaults();
            v.slotValues[static_cast<size_t>(slot - 1)] = path;
            const RenderedConfig r = renderConfig(v);
            QCOMPARE(test::readingDifferences(r.bytes, v), QStringList());
            const auto read = readDrovexCfg(r.bytes).value(qPrintable(QStringLiteral("f1ct%1").arg(slot, 2, 10, QLatin1Char('0'))));
            QCOMPARE(bool(read), written);
            if (written)
                QCOMPARE(read->text, path.toLatin1());
            QCOMPARE(r.slotProblems.size(), written ? 0 : 1);
            if (!written)
                QVERIFY(r.slotProblems.first().startsWith(QStringLiteral("slot %1 (").arg(slot)));
        }
    }

    void textsOutsideTheCodePageAreNamed()
    {
        ConfigValues v = defaults();
        v.settings.text[7] = QStringLiteral("\u0141ukasz");
        const RenderedConfig r = renderConfig(v);
        QVERIFY(r.bytes.contains("MyLinkName = \"?ukasz\""));
        QCOMPARE(r.lossy, QStringList{QStringLiteral("Use IPX Link")});
        v.settings.text[7] = QStringLiteral("Ren\u00e9 ?");
        QCOMPARE(renderConfig(v).lossy, QStringList());
    }

    void saveMessageNamesWhatDrovexWillNotRead()
    {
        ConfigValues v = defaults();
        v.settings.text[5].clear();
        v.settings.enable[5] = QStringLiteral("1");
        v.settings.text[14] = QStringLiteral("x7");
        v.slotValues[5] = QStringLiteral("CIRCUITS\\New Tracks\\MONACO.DAT");
        v.settings.text[7] = QString(200, QLatin1Char('n'));
        const RenderedConfig r = renderConfig(v);
        ConfigWriteResult w;
        w.written = true;
        w.file = QStringLiteral("/games/gp2/Drovex.cfg");
        const QString text = configSaveMessage(w, r);
        QVERIFY2(text.startsWith(QStringLiteral("Drovex.cfg written to /games/gp2/Drovex.cfg; written as not set: Cockpit Zoom, Zoom; ")),
                 qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("slot 6 (\"New Tracks\" holds a blank")), qPrintable(text));
        QVERIFY2(text.endsWith(QStringLiteral("; cut to the 188 characters Drovex reads: Use IPX Link")), qPrintable(text));
    }

    // Lines kept from a player's file follow the line table, so that the window's own keys come
    // first; a stored line that breaks the writer's rules or names a key of the window is left out.
    void keptLinesComeLast()
    {
        ConfigValues v = defaults();
        v.settings.enable[14] = QStringLiteral("0"); // mapZoom commented out: a kept mapZoom line would be read
        v.keptLines = QStringList{QStringLiteral("PureDOS = 1"), QStringLiteral("mapZoom = 5"), QStringLiteral("KeepDistUnit = 1"),
                                  QStringLiteral("SeasonOverrides = ") + QString(240, QLatin1Char('x'))};
        const RenderedConfig r = renderConfig(v);
        QCOMPARE(r.lines.mid(configLineCount()),
                 (QStringList{QStringLiteral("; Kept from your own Drovex.cfg"), QStringLiteral("PureDOS = 1"), QStringLiteral("KeepDistUnit = 1")}));
        QCOMPARE(r.notKept, (QStringList{QStringLiteral("\"mapZoom = 5\" (a key the window writes)"),
                                         QStringLiteral("\"SeasonOverrides = xxxxxxxxxxxxxxxxxxxxxx\" (258 characters, more than 252)")}));
        v.keptLines.removeAt(3);
        v.keptLines.removeAt(1);
        QCOMPARE(test::readingDifferences(r.bytes, v), QStringList());
        QVERIFY(!readDrovexCfg(r.bytes).value("mapZoom"));
    }

    void disabledLinesAreCommentedOut()
    {
        const QStringList on = renderConfig(allSwitches(1)).lines;
        const QStringList off = renderConfig(allSwitches(0)).lines;
        QCOMPARE(on.size(), off.size());
        int commented = 0;
        for (int i = 16; i < on.size(); ++i) {
            if (on[i] == QLatin1String(";"))
                continue; // stands in for an empty line
            QVERIFY2(!on[i].startsWith(QLatin1Char(';')), qPrintable(on[i]));
            if (off[i].startsWith(QLatin1Char(';'))) {
                ++commented;
                QVERIFY(off[i].at(1).isLetter()); // ";" directly followed by the key
            }
        }
        // Every number behind an enable switch, and the two alignments.
        int gated = kAlignCount;
        for (int i = 0; i < kValuedCount; ++i)
            gated += valuedSetting(i).hasBar();
        QCOMPARE(commented, gated);
        // A greyed switch counts as on and is written as 1.
        ConfigValues grey = allSwitches(2);
        QCOMPARE(renderConfig(grey).lines, on);
    }

    void valuesDrovexCanRead_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("expected");
        QTest::newRow("octal trap") << 16 << "0194" << 44
                                    << "mapMaxY = 194                   ; Y clipping (max. DrawLines, see below, 400 is practical) VGA will use half this value.";
        QTest::newRow("decimal point") << 17 << "12.6" << 35
                                       << "logDebugScreenLines = 13        ; Number of lines for the screen log (page '2'), range is 3..20";
        QTest::newRow("empty") << 15 << "" << 22
                               << ";atlMarkTopX =                  ; How many cars to mark on the laptime board, range is 3..9";
        QTest::newRow("line break") << 7 << "two\nlines\r\nhere" << 73 << "MyLinkName = \"two lines here\"   ; Input your Link-Name";
        QTest::newRow("not a number") << 14 << "abc" << 39 << ";mapZoom =                      ; Zoom level 0..5 (toggle with TAB in-game)";
        QTest::newRow("Ctrl-Z and a tab") << 6 << "a\x1a\tb" << 33 << "logDebugName = \"a  b\"     ; Debug log file name";
    }
    void valuesDrovexCanRead()
    {
        QFETCH(int, index);
        QFETCH(QString, text);
        QFETCH(int, line);
        QFETCH(QString, expected);
        ConfigValues v = defaults();
        v.settings.text[static_cast<size_t>(index)] = text;
        const QStringList lines = renderConfig(v).lines;
        QCOMPARE(lines.size(), configLineCount());
        QCOMPARE(lines[line], expected);
    }

    void windows1252()
    {
        QCOMPARE(toWindows1252(QStringLiteral("G\u00fcnther \u20ac \u4e2d")), QByteArray("G\xfcnther \x80 ?"));
        QCOMPARE(toWindows1252(QStringLiteral("\U0001F600")), QByteArray("?"));
        QCOMPARE(fromWindows1252("Versi\xa2n \x80"), QStringLiteral("Versi\u00a2n \u20ac"));
        ConfigValues v = defaults();
        v.settings.text[7] = QStringLiteral("Ren\u00e9 \u4e2d");
        QVERIFY(renderConfig(v).bytes.contains("MyLinkName = \"Ren\xe9 ?\""));
    }

    void slotValuesFollowTheDisk()
    {
        QTemporaryDir dir;
        const QString game = dir.filePath(QStringLiteral("Grand Prix 2"));
        QVERIFY(test::writeFile(game + QStringLiteral("/circuits/f1ct05.dat"), "x"));
        QVERIFY(test::writeFile(game + QStringLiteral("/circuits/New Tracks/Monaco 1998.dat"), "x"));
        QVERIFY(test::writeFile(game + QStringLiteral("/Top.DAT"), "x"));
        const Platform& p = systemPlatform();
        QCOMPARE(slotLineValue(game, QStringLiteral("CIRCUITS\\F1CT05.DAT"), p), QStringLiteral("circuits\\f1ct05.dat"));
        QCOMPARE(slotLineValue(game, QStringLiteral("circuits\\new tracks\\MONACO 1998.DAT"), p),
                 QStringLiteral("circuits\\New Tracks\\Monaco 1998.dat"));
        QCOMPARE(slotLineValue(game, QStringLiteral("top.dat"), p), QStringLiteral("Top.DAT"));
        QCOMPARE(slotLineValue(game, QStringLiteral("CIRCUITS\\F1CT06.DAT"), p), QString());
        QCOMPARE(slotLineValue(game, QStringLiteral("..\\outside.dat"), p), QString());
        QCOMPARE(slotLineValue(game, QStringLiteral("CIRCUITS"), p), QString());
        QCOMPARE(slotLineValue(dir.filePath(QStringLiteral("nowhere")), QStringLiteral("CIRCUITS\\F1CT05.DAT"), p), QString());
        QCOMPARE(slotLineValue(QString(), QStringLiteral("CIRCUITS\\F1CT05.DAT"), p), QString());
    }

    void replacesALockedFileAndLocksItAgain()
    {
        QTemporaryDir dir;
        // A save stopped half-way a while ago left its temporary file behind: the next save clears it.
        QVERIFY(test::writeFile(dir.filePath(QStringLiteral("Drovex.cfg.drovex-save-aB3dE9")), "half"));
        QFile half(dir.filePath(QStringLiteral("Drovex.cfg.drovex-save-aB3dE9")));
        QVERIFY(half.open(QIODevice::ReadWrite) &&
                half.setFileTime(QDateTime::currentDateTime().addSecs(-120), QFileDevice::FileModificationTime));
        const QByteArray first = renderConfig(defaults()).bytes;
        ConfigWriteResult r = replaceConfigFile(dir.path(), first, systemPlatform());
        QVERIFY(r.written);
        QCOMPARE(r.file, dir.filePath(QStringLiteral("Drovex.cfg")));
        QVERIFY(!(QFile::permissions(r.file) & (QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther)));
        const QByteArray second = renderConfig(allSwitches(0)).bytes;
        r = replaceConfigFile(dir.path(), second, systemPlatform());
        QVERIFY(r.written);
        QCOMPARE(test::readFile(r.file), second);
        QVERIFY(!(QFile::permissions(r.file) & QFileDevice::WriteOwner));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("Drovex.cfg")}); // no leftovers
    }

    void existingNameInOtherLetterCaseIsReplaced()
    {
        QTemporaryDir dir;
        QVERIFY(test::writeFile(dir.filePath(QStringLiteral("DROVEX.CFG")), "old"));
        const ConfigWriteResult r = replaceConfigFile(dir.path(), "new", systemPlatform());
        QVERIFY(r.written);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("DROVEX.CFG")});
        QCOMPARE(test::readFile(dir.filePath(QStringLiteral("DROVEX.CFG"))), QByteArray("new"));
    }

    void failuresLeaveTheOldFileWholeAndSayWhy()
    {
        QTemporaryDir dir;
        ConfigWriteResult r = replaceConfigFile(QString(), "x", systemPlatform());
        QVERIFY(!r.written);
        QVERIFY(r.file.isEmpty());
        QVERIFY(r.reason.contains(QLatin1String("no game folder")));

        r = replaceConfigFile(dir.filePath(QStringLiteral("missing")), "x", systemPlatform());
        QVERIFY(!r.written);
        QVERIFY2(r.reason.contains(QLatin1String("does not exist")), qPrintable(r.reason));
        QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("missing"))));

        // A folder or a pipe of that name is left as it is, its mode included.
        for (const QString& name : {QStringLiteral("Drovex.cfg"), QStringLiteral("drovex.CFG")}) {
            QTemporaryDir odd;
            QVERIFY(QDir(odd.path()).mkdir(name));
            const auto mode = QFile::permissions(odd.filePath(name));
            r = replaceConfigFile(odd.path(), "x", systemPlatform());
            QVERIFY(!r.written);
            QVERIFY2(r.reason.contains(QLatin1String("folder of that name")), qPrintable(r.reason));
            QCOMPARE(QFile::permissions(odd.filePath(name)), mode);
            QVERIFY(QFileInfo(odd.filePath(name)).isDir());
        }
        QTemporaryDir pipeDir;
        QVERIFY(::mkfifo(QFile::encodeName(pipeDir.filePath(QStringLiteral("Drovex.cfg"))).constData(), 0644) == 0);
        r = replaceConfigFile(pipeDir.path(), "x", systemPlatform());
        QVERIFY(!r.written);
        QVERIFY2(r.reason.contains(QLatin1String("not a regular file")), qPrintable(r.reason));

        if (!test::makePermissionsBite())
            QSKIP("file permissions cannot be made to apply here");
        // A read-only folder takes no new file at all ...
        const QString empty = dir.filePath(QStringLiteral("empty"));
        QVERIFY(QDir().mkpath(empty));
        QFile::setPermissions(empty, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        r = replaceConfigFile(empty, "new settings", systemPlatform());
        QVERIFY(!r.written);
        QVERIFY2(r.reason.contains(QLatin1String("not writable")), qPrintable(r.reason));
        QVERIFY(QDir(empty).isEmpty());
    }

    // A read-only folder whose Drovex.cfg is writable (or locked by an earlier save): the file is
    // written in place, locked again, and the result says so.
    void readOnlyFolderIsWrittenInPlace()
    {
        if (!test::makePermissionsBite())
            QSKIP("file permissions cannot be made to apply here");
        QTemporaryDir dir;
        for (bool locked : {false, true}) {
            const QString game = dir.filePath(locked ? QStringLiteral("locked") : QStringLiteral("open"));
            const QString file = game + QStringLiteral("/Drovex.cfg");
            QVERIFY(test::writeFile(file, "old settings, longer than the new ones"));
            if (locked)
                QVERIFY(systemPlatform().lockFile(file));
            QFile::setPermissions(game, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
            const ConfigWriteResult r = replaceConfigFile(game, "new settings", systemPlatform());
            QFile::setPermissions(game, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
            QVERIFY2(r.written, qPrintable(r.reason));
            QVERIFY(r.direct);
            QCOMPARE(test::readFile(file), QByteArray("new settings"));
            QVERIFY(!(QFile::permissions(file) & QFileDevice::WriteOwner));
            QVERIFY(configSaveMessage(r, {}).contains(QLatin1String("written in place")));
        }
    }
};

QTEST_GUILESS_MAIN(TestConfigFile)
#include "tst_configfile.moc"
