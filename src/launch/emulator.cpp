#include "launch/emulator.h"

#include "common/dosname.h"
#include "common/safefile.h"
#include "settings/catalogue.h"
#include "settings/settingsstore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace drovex {
namespace {

QString hint(const char* text) { return QString::fromUtf8(text); }

QString native(const QString& path) { return QDir::toNativeSeparators(path); }

// The emulator runs its -c commands as lines of its start-up batch file, which expands
// %-variables: a percent sign has to be doubled to arrive as itself.
QString batchLiteral(const QString& text)
{
    QString out = text;
    out.replace(QLatin1Char('%'), QStringLiteral("%%"));
    return out;
}

// Why the emulator's MOUNT command cannot take this folder; "" when it can. The folder goes
// between double quotes, so it cannot hold one, nor a line break.
QString mountProblem(const QString& folder)
{
    for (const QChar c : folder) {
        if (c == QLatin1Char('"'))
            return QStringLiteral("it holds a double quote");
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            return QStringLiteral("it holds a control character");
    }
    const qsizetype bytes = QFile::encodeName(folder).size();
    if (bytes > kMountPathMax)
        return QStringLiteral("its path is %1 bytes long, more than the %2 the emulator takes")
            .arg(bytes)
            .arg(kMountPathMax);
    return {};
}

// Why a word cannot be passed on a DOS command line; "" when it can. The emulator's shell
// would take < > | as redirections, and a double quote would end the word elsewhere.
QString wordProblem(const QString& word)
{
    for (const QChar c : word) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            return QStringLiteral("the option word \"%1\" holds a control character").arg(word);
        if (QStringLiteral("\"<>|").contains(c))
            return QStringLiteral("the option word \"%1\" holds \"%2\", which a DOS command line cannot pass")
                .arg(word, c);
    }
    return {};
}

// The folder a path lies in, through symbolic links when it exists.
QString realPath(const QString& path)
{
    const QFileInfo fi(path);
    const QString canonical = fi.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(fi.absoluteFilePath()) : canonical;
}

} // namespace

QStringList emulatorCandidates()
{
#ifdef Q_OS_WIN
    return {}; // DOS programs start directly there, or the user names an emulator
#else
    return {QStringLiteral("dosbox"), QStringLiteral("dosbox-x"), QStringLiteral("dosbox-staging")};
#endif
}

bool isDosProgram(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix();
    for (const char* dos : {"exe", "com", "bat"})
        if (suffix.compare(QLatin1String(dos), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

EmulatorChoice::EmulatorChoice(Source source, const QString& program)
    : m_source(source)
    , m_program(program)
{
}

EmulatorChoice chooseEmulator(bool keyHeld, const QString& stored)
{
    using Source = EmulatorChoice::Source;
    if (!keyHeld) {
        const QStringList candidates = emulatorCandidates();
        if (candidates.isEmpty())
            return {Source::Direct, {}}; // the system starts DOS programs itself
        for (const QString& name : candidates) {
            const QString found = QStandardPaths::findExecutable(name);
            if (!found.isEmpty())
                return {Source::SearchPath, found};
        }
        return {Source::SearchPath, {}};
    }
    const QString path = stored.trimmed();
    if (path.isEmpty())
        return {Source::Direct, {}};
    if (!path.contains(QLatin1Char('/')) && !path.contains(QDir::separator())) {
        const QString found = QStandardPaths::findExecutable(path);
        return {Source::Stored, found.isEmpty() ? path : found};
    }
    return {Source::Stored, QDir::cleanPath(QFileInfo(path).absoluteFilePath())};
}

QString emulatorNotice(const EmulatorChoice& choice)
{
    if (choice.source() != EmulatorChoice::Source::SearchPath)
        return {};
    if (choice.program().isEmpty())
        return QStringLiteral("No DOS emulator was found on PATH: install dosbox, or choose one with %1.")
            .arg(hint(kEmulatorMenuHint));
    return QStringLiteral("DOS programs run in %1, found on PATH (%2 changes it).")
        .arg(native(choice.program()), hint(kEmulatorMenuHint));
}

QString emulatorProblem(const EmulatorChoice& choice)
{
    if (!choice.runsDosPrograms())
        return {};
    if (choice.program().isEmpty())
        return QStringLiteral("no DOS emulator was found (%1 on PATH); install dosbox, or set one with %2")
            .arg(emulatorCandidates().join(QStringLiteral(", ")), hint(kEmulatorMenuHint));
    const QFileInfo fi(choice.program());
    QString why;
    if (!fi.exists())
        why = QStringLiteral("does not exist");
    else if (fi.isDir())
        why = QStringLiteral("is a folder, not a program");
    else if (!fi.isExecutable())
        why = QStringLiteral("is not executable");
    if (why.isEmpty())
        return {};
    return QStringLiteral("the DOS emulator %1 %2; set it with %3").arg(native(choice.program()), why,
                                                                       hint(kEmulatorMenuHint));
}

QByteArray ownEmulatorConfig()
{
    // memsize: the game asks for 8 MB and more for its SVGA mode, and Drovex stays resident
    // beside it; 31 MB is the most the emulator recommends. cycles=max: the game's frame rate
    // follows the emulated processor, so it gets all the host gives.
    return "# DOS emulator settings of the Drovex Front-End, used while no settings file of your own\n"
           "# is chosen (Choose Path -> DOS Emulator Settings). Rewritten before each start.\n"
           "[dosbox]\n"
           "memsize=31\n"
           "[cpu]\n"
           "core=auto\n"
           "cycles=max\n";
}

EmulatorChoice storedEmulator(const SettingsStore& store)
{
    const QString key = QString::fromLatin1(kPathEmulator);
    return chooseEmulator(store.has(key), store.get(key));
}

QString ownEmulatorFile(const char* name)
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QLatin1Char('/') +
           QString::fromLatin1(kApplication) + QLatin1Char('/') + QString::fromLatin1(name);
}

QString writeOwnEmulatorConfig(const QString& file)
{
    const QByteArray content = ownEmulatorConfig();
    QFile current(file);
    if (openRegularFile(current, file) && current.size() == content.size() && current.readAll() == content)
        return {};
    current.close();
    if (QFileInfo::exists(file) && !QFileInfo(file).isFile())
        return QStringLiteral("the emulator settings %1 are not a regular file").arg(native(file));
    if (!QDir().mkpath(QFileInfo(file).absolutePath()))
        return QStringLiteral("the folder %1 could not be made").arg(native(QFileInfo(file).absolutePath()));
    const WriteResult r = replaceFile(file, content);
    if (r.ok)
        return {};
    return QStringLiteral("the emulator settings could not be written to %1: %2").arg(native(file), r.reason);
}

EmulatorLaunch EmulatorLaunch::plan(const LaunchPlan& plan, const QString& userConfig, const QString& ownConfig)
{
    EmulatorLaunch run;
    auto refuse = [&run](const QString& why) {
        run.m_problem = why;
        return run;
    };

    if (!userConfig.isEmpty() && !QFileInfo(userConfig).isFile())
        return refuse(QStringLiteral("the DOS emulator settings file %1 %2; set it with %3")
                          .arg(native(userConfig),
                               QFileInfo::exists(userConfig) ? QStringLiteral("is not a file")
                                                             : QStringLiteral("does not exist"),
                               hint(kEmulatorConfigMenuHint)));
    if (plan.folder.isEmpty())
        return refuse(QStringLiteral("no game folder is set; choose it with Choose Path \u2192 GP2 Path"));
    if (!QFileInfo(plan.folder).isDir())
        return refuse(QStringLiteral("the game folder %1 does not exist").arg(native(plan.folder)));
    if (plan.program.isEmpty())
        return refuse(QStringLiteral("no program path is set (Choose Path)"));
    const QFileInfo program(plan.program);
    if (!program.exists())
        return refuse(QStringLiteral("the file %1 does not exist").arg(native(plan.program)));
    if (program.isDir())
        return refuse(QStringLiteral("%1 is a folder, not a program").arg(native(plan.program)));

    const QString gameFolder = QDir::cleanPath(QFileInfo(plan.folder).absoluteFilePath());
    if (const QString why = mountProblem(gameFolder); !why.isEmpty())
        return refuse(QStringLiteral("the emulator cannot use the game folder %1 as drive C: %2")
                          .arg(native(gameFolder), why));

    // Inside the game folder the program is reached through C:, elsewhere its folder is D:.
    const QString realGame = realPath(gameFolder);
    const QString realProgram = realPath(plan.program);
    const QString prefix = realGame.endsWith(QLatin1Char('/')) ? realGame : realGame + QLatin1Char('/');
    QString otherFolder;
    QString dosPath;
    if (realProgram.startsWith(prefix)) {
        dosPath = realProgram.mid(prefix.size());
    } else {
        otherFolder = QDir::cleanPath(program.absolutePath());
        dosPath = program.fileName();
        if (const QString why = mountProblem(otherFolder); !why.isEmpty())
            return refuse(QStringLiteral("the emulator cannot use the folder %1 as drive D: %2")
                              .arg(native(otherFolder), why));
    }
    dosPath.replace(QLatin1Char('/'), QLatin1Char('\\'));
    if (const QString why = dosPathProblem(dosPath, kDosProgramPathMax); !why.isEmpty())
        return refuse(QStringLiteral("DOS cannot start %1: %2").arg(native(plan.program), why));
    dosPath = dosPath.toUpper();
    if (!otherFolder.isEmpty())
        dosPath = QStringLiteral("D:\\") + dosPath;

    QString tail;
    for (const QString& word : plan.arguments) {
        if (const QString why = wordProblem(word); !why.isEmpty())
            return refuse(why);
        tail += QLatin1Char(' ') + word;
    }
    if (tail.size() > kDosTailMax)
        return refuse(QStringLiteral("the option words are %1 characters long, more than the %2 a DOS "
                                     "command line holds")
                          .arg(tail.size())
                          .arg(kDosTailMax));

    // A batch file run from the start-up batch file would not come back to its EXIT.
    const bool batch = program.suffix().compare(QLatin1String("bat"), Qt::CaseInsensitive) == 0;
    run.m_dosCommand = (batch ? QStringLiteral("CALL ") : QString()) + dosPath + tail;

    const bool own = userConfig.isEmpty();
    run.m_ownConfig = own;
    QStringList& a = run.m_arguments;
    a << QStringLiteral("-conf") << (own ? ownConfig : userConfig);
    auto command = [&a](const QString& line) { a << QStringLiteral("-c") << line; };
    auto mount = [&](QChar drive, const QString& folder) {
        // The user's own settings may mount the drive already in their start-up commands.
        if (!own)
            command(QStringLiteral("MOUNT -u %1").arg(drive));
        command(QStringLiteral("MOUNT %1 \"%2\"").arg(drive, batchLiteral(folder)));
    };
    mount(QLatin1Char('C'), gameFolder);
    if (!otherFolder.isEmpty())
        mount(QLatin1Char('D'), otherFolder);
    command(QStringLiteral("C:"));
    command(QStringLiteral("CD \\"));
    command(batchLiteral(run.m_dosCommand));
    command(QStringLiteral("EXIT"));
    return run;
}

} // namespace drovex
