#pragma once

#include "launch/launcher.h"

#include <QString>
#include <QStringList>

namespace drovex {

class SettingsStore;

// Keys of the emulator's stored paths, beside "Path-GP2" and the others.
inline constexpr const char* kPathEmulator = "Path-Emulator";
inline constexpr const char* kPathEmulatorConfig = "Path-Emulator-Config";

// Where the user changes them (the Emulator window); the status bar names it in its hints.
inline constexpr const char* kEmulatorMenuHint = "Choose Path \u2192 DOS Emulator\u2026";

// The emulators looked for on PATH when none is stored, in this order; none where the system
// starts DOS programs by itself.
QStringList emulatorCandidates();

// Whether a program is a DOS program: its name ends in .exe, .com or .bat, in any letter case.
bool isDosProgram(const QString& path);

// Which emulator DOS programs run in, from the stored "Path-Emulator".
class EmulatorChoice {
public:
    enum class Source {
        Direct,     // start programs directly: stored empty, or nothing stored on a system
                    // that runs DOS programs by itself
        Stored,     // a stored path
        SearchPath  // nothing stored: the first candidate found on PATH
    };
    EmulatorChoice(Source source, const QString& program);

    Source source() const { return m_source; }
    bool runsDosPrograms() const { return m_source != Source::Direct; }
    // Full path of the emulator program; "" when none is set or found.
    QString program() const { return m_program; }

private:
    Source m_source;
    QString m_program;
};

// keyHeld: whether "Path-Emulator" is stored at all; stored: its value. A stored bare name
// ("dosbox") is looked for on PATH.
EmulatorChoice chooseEmulator(bool keyHeld, const QString& stored);

// Why the chosen emulator cannot be started (not found, not a program), with how to set it;
// "" when it can.
QString emulatorProblem(const EmulatorChoice& choice);

// Which emulator the store's "Path-Emulator" chooses.
EmulatorChoice storedEmulator(const SettingsStore& store);

// A file the front-end keeps beside its settings file ("dosbox.conf", "emulator.log").
QString ownEmulatorFile(const char* name);

// Writes the front-end's own emulator settings (content) to file unless it already holds them;
// why not, or "" when the file is in place.
QString writeOwnEmulatorConfig(const QString& file, const QByteArray& content);

// The files an emulator start takes besides the program.
struct EmulatorFiles {
    QString ownConfig;  // the front-end's settings for the game, always read first
    QString userConfig; // the player's own settings file, read after it; "" for none
    QString cdImage;    // the game CD's image, mounted as D:; "" for none
};

// What the emulator needs to run one DOS program: its arguments, or why it cannot.
class EmulatorLaunch {
public:
    // plan: the launch as started directly.
    static EmulatorLaunch plan(const LaunchPlan& plan, const EmulatorFiles& files);
    // A launch refused for this reason.
    static EmulatorLaunch refused(const QString& why);

    bool ok() const { return m_problem.isEmpty(); }
    // Why the program cannot run in the emulator, naming the file or word at fault.
    QString problem() const { return m_problem; }
    QStringList arguments() const { return m_arguments; }
    // The DOS command that starts the program, as DOS shows it ("DROVEX.EXE video:vesa").
    QString dosCommand() const { return m_dosCommand; }
    // What the launch goes on without, and why ("the CD image ... does not exist").
    QStringList notes() const { return m_notes; }
    void addNote(const QString& note) { m_notes << note; }

private:
    QString m_problem;
    QStringList m_arguments;
    QString m_dosCommand;
    QStringList m_notes;
};

// The longest folder path the emulator's MOUNT command takes here, in bytes.
inline constexpr int kMountPathMax = 200;
// The longest DOS path of the started program, and the longest command tail DOS passes.
inline constexpr int kDosProgramPathMax = 64;
inline constexpr int kDosTailMax = 126;

} // namespace drovex
