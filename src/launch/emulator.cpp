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

// Why the emulator cannot mount a CD image; "" when it can. The three emulators take an .iso,
// a .cue (with the .bin it names) or a plain .bin with the same IMGMOUNT command.
QString imageProblem(const QString& image)
{
    const QFileInfo fi(image);
    if (!fi.exists())
        return QStringLiteral("does not exist");
    if (!fi.isFile())
        return QStringLiteral("is not a file");
    const QString suffix = fi.suffix().toLower();
    if (suffix != QLatin1String("iso") && suffix != QLatin1String("cue") && suffix != QLatin1String("bin"))
        return QStringLiteral("is not a CD image (.iso, .cue or .bin)");
    if (const QString why = mountProblem(image); !why.isEmpty())
        return QStringLiteral("cannot be mounted: ") + why;
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

QString writeOwnEmulatorConfig(const QString& file, const QByteArray& content)
{
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

EmulatorLaunch EmulatorLaunch::refused(const QString& why)
{
    EmulatorLaunch run;
    run.m_problem = why;
    return run;
}

EmulatorLaunch EmulatorLaunch::plan(const LaunchPlan& plan, const EmulatorFiles& files)
{
    const QString& userConfig = files.userConfig;
    if (!userConfig.isEmpty() && !QFileInfo(userConfig).isFile())
        return refused(QStringLiteral("your DOS emulator settings file %1 %2; set it with %3")
                           .arg(native(userConfig),
                                QFileInfo::exists(userConfig) ? QStringLiteral("is not a file")
                                                              : QStringLiteral("does not exist"),
                                hint(kEmulatorMenuHint)));
    if (plan.folder.isEmpty())
        return refused(QStringLiteral("no game folder is set; choose it with Choose Path \u2192 GP2 Path"));
    if (!QFileInfo(plan.folder).isDir())
        return refused(QStringLiteral("the game folder %1 does not exist").arg(native(plan.folder)));
    if (plan.program.isEmpty())
        return refused(QStringLiteral("no program path is set (Choose Path)"));
    const QFileInfo program(plan.program);
    if (!program.exists())
        return refused(QStringLiteral("the file %1 does not exist").arg(native(plan.program)));
    if (program.isDir())
        return refused(QStringLiteral("%1 is a folder, not a program").arg(native(plan.program)));

    const QString gameFolder = QDir::cleanPath(QFileInfo(plan.folder).absoluteFilePath());
    if (const QString why = mountProblem(gameFolder); !why.isEmpty())
        return refused(QStringLiteral("the emulator cannot use the game folder %1 as drive C: %2")
                           .arg(native(gameFolder), why));

    EmulatorLaunch run;
    // The game CD is D:, as the game expects it; a launch without it still starts the game.
    const QString cdImage = files.cdImage.isEmpty() ? QString() : QDir::cleanPath(QFileInfo(files.cdImage).absoluteFilePath());
    const QString cdProblem = cdImage.isEmpty() ? QString() : imageProblem(cdImage);
    if (!cdProblem.isEmpty())
        run.addNote(QStringLiteral("the CD image %1 %2, so the game runs without its CD").arg(native(cdImage), cdProblem));
    const bool withCd = !cdImage.isEmpty() && cdProblem.isEmpty();
    const QChar otherDrive = QLatin1Char(withCd ? 'E' : 'D');

    // Inside the game folder the program is reached through C:, elsewhere its folder is the
    // next free drive.
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
            return refused(QStringLiteral("the emulator cannot use the folder %1 as drive %2: %3")
                               .arg(native(otherFolder), otherDrive, why));
    }
    dosPath.replace(QLatin1Char('/'), QLatin1Char('\\'));
    if (const QString why = dosPathProblem(dosPath, kDosProgramPathMax); !why.isEmpty())
        return refused(QStringLiteral("DOS cannot start %1: %2").arg(native(plan.program), why));
    dosPath = dosPath.toUpper();
    if (!otherFolder.isEmpty())
        dosPath = otherDrive + QStringLiteral(":\\") + dosPath;

    QString tail;
    for (const QString& word : plan.arguments) {
        if (const QString why = wordProblem(word); !why.isEmpty())
            return refused(why);
        tail += QLatin1Char(' ') + word;
    }
    if (tail.size() > kDosTailMax)
        return refused(QStringLiteral("the option words are %1 characters long, more than the %2 a DOS "
                                      "command line holds")
                           .arg(tail.size())
                           .arg(kDosTailMax));

    // A batch file run from the start-up batch file would not come back to its EXIT.
    const bool batch = program.suffix().compare(QLatin1String("bat"), Qt::CaseInsensitive) == 0;
    run.m_dosCommand = (batch ? QStringLiteral("CALL ") : QString()) + dosPath + tail;

    // The front-end's settings first, the player's after them: theirs win where they set a value.
    const bool own = userConfig.isEmpty();
    QStringList& a = run.m_arguments;
    a << QStringLiteral("-conf") << files.ownConfig;
    if (!own)
        a << QStringLiteral("-conf") << userConfig;
    auto command = [&a](const QString& line) { a << QStringLiteral("-c") << line; };
    auto mount = [&](QChar drive, const QString& how) {
        // The player's own settings may mount the drive already in their start-up commands.
        if (!own)
            command(QStringLiteral("MOUNT -u %1").arg(drive));
        command(how);
    };
    mount(QLatin1Char('C'), QStringLiteral("MOUNT C \"%1\"").arg(batchLiteral(gameFolder)));
    if (withCd)
        mount(QLatin1Char('D'), QStringLiteral("IMGMOUNT D \"%1\" -t iso").arg(batchLiteral(cdImage)));
    if (!otherFolder.isEmpty())
        mount(otherDrive, QStringLiteral("MOUNT %1 \"%2\"").arg(otherDrive).arg(batchLiteral(otherFolder)));
    command(QStringLiteral("C:"));
    command(QStringLiteral("CD \\"));
    command(batchLiteral(run.m_dosCommand));
    command(QStringLiteral("EXIT"));
    return run;
}

} // namespace drovex
