#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace drovex {

// The emulators whose settings the front-end writes in their own words. Every other member of
// the DOSBox family takes the settings of DOSBox 0.74.
enum class EmulatorKind { Dosbox074, DosboxX, Staging, Other };

// What an emulator program is: its kind and, where its banner says it, its version.
struct EmulatorIdentity {
    EmulatorKind kind = EmulatorKind::Other;
    QString version; // "0.74-3", "2024.03.01", "0.82.0"; "" when unknown
};

// "DOSBox 0.74", "DOSBox-X", "DOSBox Staging", "other, DOSBox-compatible".
QString kindName(EmulatorKind kind);
// The kind with its version where that says more ("DOSBox-X 2024.03.01").
QString identityText(const EmulatorIdentity& identity);

// Whether the emulator takes DOSBox Staging's cpu_cycles settings. Staging replaced the cycles
// line by them in 0.82; earlier versions, and the rest of the family, know only cycles.
bool takesCpuCycles(const EmulatorIdentity& identity);

// The identity an emulator's answer to --version states; none when it names no emulator of
// the DOSBox family.
std::optional<EmulatorIdentity> identityFromBanner(const QByteArray& output);
// The identity a program's file name suggests, for an emulator that does not answer --version.
EmulatorIdentity identityFromName(const QString& program);

// How long detection may keep the window waiting for an emulator's answer.
inline constexpr int kDetectTimeoutMs = 1000;

// Runs the emulator once with --version (directly, never through a shell, its window and sound
// kept off) and reads its banner; an emulator that does not answer within timeoutMs is ended and
// known by its name. Answers are kept for the run, per path, modification time and size, so a
// program is asked again only when it changed.
EmulatorIdentity detectEmulator(const QString& program, int timeoutMs = kDetectTimeoutMs);

} // namespace drovex
