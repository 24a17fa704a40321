#include "launch/emulatorsettings.h"

#include "common/safefile.h"
#include "common/text.h"
#include "launch/emulator.h"
#include "launch/launcher.h"

#include <QDir>
#include <QFile>

namespace drovex {
namespace {

QString key(const char* name) { return QString::fromLatin1(name); }

// The first 64 KB of the player's settings file; nothing for anything but a regular file.
QByteArray readConfig(const QString& path)
{
    QFile f(path);
    if (path.isEmpty() || !openRegularFile(f, path))
        return {};
    return f.read(64 * 1024);
}

// "50000 cycles", "max cycles": a speed as the status bar names it.
QString speedWords(const QString& value)
{
    return value + QStringLiteral(" cycles");
}

} // namespace

CpuSpeed CpuSpeed::fixed(int cycles)
{
    CpuSpeed s;
    s.m_cycles = qBound(kCyclesMin, cycles, kCyclesMax);
    return s;
}

CpuSpeed CpuSpeed::fastest()
{
    CpuSpeed s;
    s.m_max = true;
    return s;
}

CpuSpeed CpuSpeed::fromStored(const QString& text)
{
    const QString t = text.trimmed();
    if (t.compare(QLatin1String("max"), Qt::CaseInsensitive) == 0)
        return fastest();
    bool ok = false;
    const qlonglong n = t.toLongLong(&ok);
    if (!ok)
        return {};
    return fixed(static_cast<int>(qBound(qlonglong{kCyclesMin}, n, qlonglong{kCyclesMax})));
}

QString CpuSpeed::stored() const { return m_max ? QStringLiteral("max") : QString::number(m_cycles); }

QString CpuSpeed::describe() const { return speedWords(stored()); }

EmulatorSettings readEmulatorSettings(const SettingsStore& store)
{
    EmulatorSettings s;
    s.programHeld = store.has(key(kPathEmulator));
    s.program = store.get(key(kPathEmulator));
    s.speed = CpuSpeed::fromStored(store.get(key(kEmulatorCpuCycles)));
    s.cdImage = store.get(key(kEmulatorCdImage));
    s.userConfig = store.get(key(kPathEmulatorConfig));
    return s;
}

QList<StoreEntry> emulatorSettingsEntries(const EmulatorSettings& settings)
{
    QList<StoreEntry> entries;
    if (settings.programHeld)
        entries.append({key(kPathEmulator), settings.program});
    entries.append({key(kEmulatorCpuCycles), settings.speed.stored()});
    entries.append({key(kEmulatorCdImage), settings.cdImage});
    entries.append({key(kPathEmulatorConfig), settings.userConfig});
    return entries;
}

QByteArray ownEmulatorConfig(const EmulatorIdentity& identity, CpuSpeed speed)
{
    const QByteArray value = speed.isMax() ? QByteArray("max") : QByteArray::number(speed.cycles());
    QByteArray text = "# DOS emulator settings of the Drovex Front-End for Grand Prix 2, written for " +
                      kindName(identity.kind).toUtf8() +
                      ".\n"
                      "# Rewritten before each start. Your own emulator settings file (Choose Path -> DOS\n"
                      "# Emulator...) is read after this one: what it sets wins.\n"
                      "[dosbox]\n"
                      "memsize=" +
                      QByteArray::number(kEmulatorMemoryMb) +
                      "\n"
                      "[cpu]\n"
                      "core=auto\n";
    // DOSBox Staging counts the game's speed in protected mode, where Grand Prix 2 runs; a
    // legacy cycles line here would make the player's later cpu_cycles settings count for nothing.
    if (takesCpuCycles(identity))
        text += "cpu_cycles=" + value + "\ncpu_cycles_protected=" + value + "\n";
    else
        text += "cycles=" + (speed.isMax() ? value : "fixed " + value) + "\n";
    return text;
}

QString configuredSpeed(const QByteArray& config, const EmulatorIdentity& identity)
{
    const bool staging = takesCpuCycles(identity);
    QString section;
    QString speed;
    for (const QByteArray& raw : config.split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('['))) {
            section = line.mid(1, line.indexOf(QLatin1Char(']')) - 1).trimmed().toLower();
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (section != QLatin1String("cpu") || eq < 0)
            continue;
        const QString name = line.left(eq).trimmed().toLower();
        if (name == QLatin1String("cycles") || (staging && name == QLatin1String("cpu_cycles_protected"))) {
            speed = line.mid(eq + 1).simplified();
            if (speed.startsWith(QLatin1String("fixed "), Qt::CaseInsensitive))
                speed = speed.mid(6);
        }
    }
    return speed;
}

QString emulatorStartNotice(const SettingsStore& store)
{
    const EmulatorChoice choice = storedEmulator(store);
    if (!choice.runsDosPrograms())
        return QStringLiteral("DOS programs are started directly (no emulator set)");
    if (const QString why = emulatorProblem(choice); !why.isEmpty())
        return capitalised(why) + QLatin1Char('.');
    const EmulatorSettings s = readEmulatorSettings(store);
    const EmulatorIdentity id = detectEmulator(choice.program());
    QString speed = s.speed.describe();
    if (const QString set = configuredSpeed(readConfig(s.userConfig), id); !set.isEmpty())
        speed = speedWords(set) + QStringLiteral(" (set in your emulator settings file)");
    return QStringLiteral("%1 at %2: DOS programs run in %3%4 (%5 changes it).")
        .arg(identityText(id), speed, QDir::toNativeSeparators(choice.program()),
             choice.source() == EmulatorChoice::Source::SearchPath ? QStringLiteral(", found on PATH") : QString(),
             QString::fromUtf8(kEmulatorMenuHint));
}

EmulatorLaunch prepareEmulatorLaunch(const LaunchPlan& plan, const SettingsStore& store, const QString& emulator)
{
    const EmulatorSettings s = readEmulatorSettings(store);
    const QString own = ownEmulatorFile("dosbox.conf");
    const EmulatorLaunch run = EmulatorLaunch::plan(plan, {own, s.userConfig, s.cdImage});
    if (!run.ok())
        return run;
    if (const QString why = writeOwnEmulatorConfig(own, ownEmulatorConfig(detectEmulator(emulator), s.speed));
        !why.isEmpty())
        return EmulatorLaunch::refused(why);
    return run;
}

} // namespace drovex
