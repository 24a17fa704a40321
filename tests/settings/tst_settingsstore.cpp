#include "settings/catalogue.h"
#include "settings/settingsstore.h"
#include "support/coresupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace drovex;

class TestSettingsStore : public QObject {
    Q_OBJECT
private slots:
    void roundTripThroughTheFile_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::newRow("trailing blank key") << "Use Localized Strings " << "1";
        QTest::newRow("slash in key") << "Hide Win95/98" << "1";
        QTest::newRow("empty value") << "Zoom Value" << "";
        QTest::newRow("value with blanks around") << "Log Debug File Name" << "  my log  ";
        QTest::newRow("quotes and semicolon") << "Use IPX Link Link Name" << "a \"b\"; c, d";
        QTest::newRow("line break") << "Use IPX Link Link Name" << "two\nlines";
        QTest::newRow("path") << "Path-GP2" << "/home/player/Games/GP2 (UK)";
        QTest::newRow("backslashes") << "F1CT06" << "CIRCUITS\\NEW\\Monaco.dat";
        QTest::newRow("at sign") << "Log Debug File Name" << "@Variant(x)";
        QTest::newRow("long") << "Log Debug File Name" << QString(5000, QLatin1Char('x'));
        QTest::newRow("non-latin") << "Use IPX Link Link Name" << QStringLiteral("Fahrer \u00e9\u4e2d");
    }
    void roundTripThroughTheFile()
    {
        QFETCH(QString, key);
        QFETCH(QString, value);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("s.ini"));
        {
            IniSettingsStore store(file);
            QVERIFY(store.put(key, value).ok);
            QCOMPARE(store.get(key), value); // what the program sees is what is on disk
        }
        IniSettingsStore again(file);
        QCOMPARE(again.get(key), value);
        // A key without its trailing blank is another key.
        if (key.endsWith(QLatin1Char(' ')))
            QCOMPARE(again.get(key.trimmed()), QString());
    }

    void missingKeysReadEmpty()
    {
        QTemporaryDir dir;
        IniSettingsStore store(dir.filePath(QStringLiteral("none.ini")));
        QCOMPARE(store.get(QStringLiteral("Zoom")), QString());
        QCOMPARE(store.value(QStringLiteral("Other App"), QStringLiteral("Settings"), QStringLiteral("Zoom")), QString());
        QCOMPARE(store.value(QString::fromLatin1(kApplication), QStringLiteral("Other"), QStringLiteral("Zoom")),
                 QString());
    }

    void anEmptyValueIsStoredAMissingKeyIsNot_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("held");
        QTest::newRow("missing") << QByteArray("[Settings]\nZoom=1\n") << false;
        QTest::newRow("empty") << QByteArray("[Settings]\nPath-Emulator=\n") << true;
        QTest::newRow("empty in quotes") << QByteArray("[Settings]\nPath-Emulator=\"\"\n") << true;
        QTest::newRow("other section") << QByteArray("[Other]\nPath-Emulator=\n") << false;
    }
    void anEmptyValueIsStoredAMissingKeyIsNot()
    {
        QFETCH(QByteArray, file);
        QFETCH(bool, held);
        QTemporaryDir dir;
        QVERIFY(test::writeFile(dir.filePath(QStringLiteral("s.ini")), file));
        const IniSettingsStore store(dir.filePath(QStringLiteral("s.ini")));
        QCOMPARE(store.has(QStringLiteral("Path-Emulator")), held);
        QCOMPARE(store.get(QStringLiteral("Path-Emulator")), QString());
    }

    // Lines that are no settings, and stray bytes before the first section, cost no setting: the
    // file reads, and every save goes through.
    void handEditedFileStillReads_data()
    {
        QTest::addColumn<QByteArray>("junk");
        QTest::newRow("line without equals") << QByteArray("garbage line without equals\n");
        QTest::newRow("binary with comma and NUL") << QByteArray("\x7f" "ELF\x02\x01,\x00\x00=\x03,\x00\xff\n", 15);
    }
    void handEditedFileStillReads()
    {
        QFETCH(QByteArray, junk);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("s.ini"));
        QVERIFY(test::writeFile(file, junk + "[Settings]\nZoom=1\nZoom%20Value=a,b\n"));
        IniSettingsStore store(file);
        QCOMPARE(store.get(QStringLiteral("Zoom Value")), QStringLiteral("a,b"));
        QVERIFY(store.put(QStringLiteral("Rotate"), QStringLiteral("1")).ok);
        QVERIFY(store.put(QStringLiteral("Rotate"), QStringLiteral("0")).ok);
        IniSettingsStore again(file);
        QCOMPARE(again.get(QStringLiteral("Zoom")), QStringLiteral("1"));
        QCOMPARE(again.get(QStringLiteral("Rotate")), QStringLiteral("0"));
    }

    // A value the settings file cannot hold as it is keeps what the file held, and is named; the
    // other values of the save are stored, and so is a value it can hold (a NUL, control characters).
    void valuesTheFileCannotHold_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("held");
        QTest::newRow("NUL and controls") << QString::fromUtf8("a\0b\x01\x1f\tc", 8) << true;
        QTest::newRow("byte-order mark first") << QString(QChar(0xfeff)) + QStringLiteral("name") << false;
        QTest::newRow("half a pair") << QStringLiteral("a") + QChar(0xd800) << false;
    }
    void valuesTheFileCannotHold()
    {
        QFETCH(QString, value);
        QFETCH(bool, held);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("s.ini"));
        const QString key = QStringLiteral("Log Debug File Name");
        IniSettingsStore store(file);
        QVERIFY(store.put(key, QStringLiteral("old")).ok);
        for (int round = 0; round < 2; ++round) { // never fails for good
            const WriteResult r = store.putAll({{key, value}, {QStringLiteral("Zoom"), QStringLiteral("1")}});
            QVERIFY2(r.ok, qPrintable(r.reason));
            QCOMPARE(r.notice.contains(QLatin1String("\"Log Debug File Name\"")), !held);
        }
        QCOMPARE(store.get(key), held ? value : QStringLiteral("old"));
        QCOMPARE(IniSettingsStore(file).get(key), store.get(key));
        QCOMPARE(IniSettingsStore(file).get(QStringLiteral("Zoom")), QStringLiteral("1"));
    }

    void unwritableStoreReportsFileAndReason()
    {
        QTemporaryDir dir;
        QVERIFY(test::writeFile(dir.filePath(QStringLiteral("blocker")), "a file where a folder should be"));
        const QString file = dir.filePath(QStringLiteral("blocker/store.ini"));
        IniSettingsStore store(file);
        const WriteResult r = store.put(QStringLiteral("Zoom"), QStringLiteral("1"));
        QVERIFY(!r.ok);
        QCOMPARE(r.file, file);
        QVERIFY2(r.reason.contains(QLatin1String("not a folder")), qPrintable(r.reason));
        // Nothing stays pending: the store reads as the disk holds it.
        QCOMPARE(store.get(QStringLiteral("Zoom")), QString());
        // As soon as the disk allows it, the next write works.
        QVERIFY(QFile::remove(dir.filePath(QStringLiteral("blocker"))));
        QVERIFY(store.put(QStringLiteral("Rotate"), QStringLiteral("1")).ok);
        QCOMPARE(IniSettingsStore(file).get(QStringLiteral("Rotate")), QStringLiteral("1"));
        QCOMPARE(IniSettingsStore(file).get(QStringLiteral("Zoom")), QString());
    }

    void allValuesOrNone()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("s.ini"));
        IniSettingsStore store(file);
        QVERIFY(store.putAll({{QStringLiteral("Zoom"), QStringLiteral("1")}, {QStringLiteral("Rotate"), QStringLiteral("0")}}).ok);
        QCOMPARE(IniSettingsStore(file).get(QStringLiteral("Rotate")), QStringLiteral("0"));
        QVERIFY(store.has(QStringLiteral("Zoom")));
        QVERIFY(!store.has(QStringLiteral("Zoom Value")));
        QVERIFY(!store.unreadable().size());
    }

    // A save that was stopped half-way leaves an empty lock file and temporary files behind; the
    // next save goes on at once and clears those no running save owns.
    void leftoversOfAnInterruptedSave()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("s.ini"));
        QVERIFY(test::writeFile(file, "[Settings]\nZoom=0\n"));
        QVERIFY(test::writeFile(file + QStringLiteral(".lock"), ""));
        const QString ownName = temporaryNameFor(file);
        QVERIFY(ownName.contains(QStringLiteral(".drovex-save-%1-").arg(QCoreApplication::applicationPid())));
        QVERIFY(test::writeFile(ownName, "[Settings]\nZoom=half"));
        QVERIFY(test::writeFile(file + QStringLiteral(".backup"), "the user's own"));
        IniSettingsStore store(file);
        QElapsedTimer t;
        t.start();
        QVERIFY(store.put(QStringLiteral("Zoom"), QStringLiteral("1")).ok);
        QVERIFY2(t.elapsed() < 1000, qPrintable(QString::number(t.elapsed())));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), (QStringList{QStringLiteral("s.ini"), QStringLiteral("s.ini.backup")}));
        QCOMPARE(IniSettingsStore(file).get(QStringLiteral("Zoom")), QStringLiteral("1"));
    }

    // A file that holds no settings the program can read is never written over.
    void unreadableFileIsKept_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("modeNone");
        QTest::addColumn<QString>("why");
        QTest::newRow("garbage before the settings")
            << QByteArray("\"unterminated\n[Settings]\nZoom=1\n") << false << "Zoom";
        QTest::newRow("binary") << QByteArray("\x7f" "ELF\x01\x02\x00\x00\xff\xfe garbage") << false << "nothing";
        QTest::newRow("mode 000") << QByteArray("[Settings]\nZoom=1\n") << true << "cannot be read";
        QTest::newRow("closing quote missing")
            << QByteArray("[Settings]\nPath-GP2=\"/x\nRotate=1\nZoom%20Value=4\n") << false << "\"Path-GP2\"";
        QTest::newRow("closing quote missing before a section")
            << QByteArray("[Settings]\nRotate=1\nName=\"a\n[Other]\nx=y\n") << false << "\"Name\"";
        QTest::newRow("backslash at a line's end")
            << QByteArray("[Settings]\nPath-GP2=C:\\GP2\\\nRotate=1\nZoom=1\n") << false << "\"Rotate\"";
    }
    void unreadableFileIsKept()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, modeNone);
        QFETCH(QString, why);
        if (modeNone && !test::makePermissionsBite())
            QSKIP("file permissions cannot be made to apply here");
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("s.ini"));
        QVERIFY(test::writeFile(file, content));
        if (modeNone)
            QFile::setPermissions(file, {});
        IniSettingsStore store(file);
        QVERIFY2(store.unreadable().contains(why), qPrintable(store.unreadable()));
        QVERIFY(!store.has(QStringLiteral("Rotate"))); // nothing of it is taken
        const WriteResult r = store.put(QStringLiteral("Zoom"), QStringLiteral("2"));
        QVERIFY(!r.ok);
        QVERIFY2(r.reason.contains(why), qPrintable(r.reason));
        const QString aside = store.moveAside();
        QVERIFY(aside.startsWith(file + QStringLiteral(".unreadable-")));
        QFile::setPermissions(aside, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QCOMPARE(test::readFile(aside), content);
        QVERIFY(store.put(QStringLiteral("Zoom"), QStringLiteral("2")).ok);
        QCOMPARE(IniSettingsStore(file).get(QStringLiteral("Zoom")), QStringLiteral("2"));
    }

    void readOnlyStoreFileIsLeftAlone()
    {
        if (!test::makePermissionsBite())
            QSKIP("file permissions cannot be made to apply here");
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("s.ini"));
        QVERIFY(test::writeFile(file, "[Settings]\nZoom=0\n"));
        QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::ReadUser);
        {
            IniSettingsStore store(file);
            const WriteResult r = store.put(QStringLiteral("Zoom"), QStringLiteral("1"));
            QVERIFY(!r.ok);
            QVERIFY2(r.reason.contains(QLatin1String("read-only")), qPrintable(r.reason));
        }
        QCOMPARE(test::readFile(file), QByteArray("[Settings]\nZoom=0\n"));
        QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }
};

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
