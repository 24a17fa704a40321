#pragma once

#include <QString>

namespace drovex {

// DOS programs (Drovex, the game) open files by 8.3 names: up to eight characters, optionally a
// dot and up to three more, printable ASCII without blanks and without "*+,/:;<=>?[\]|.
// Under a DOS emulator on Linux a longer name shows up under a made-up short name that cannot be
// predicted, so such a name cannot be handed to a DOS program at all.

// Why one path component is not an 8.3 name; "" when it is one.
QString dosNameProblem(const QString& component);

// Why a relative DOS path ("CIRCUITS\NEW\MONACO.DAT") cannot be opened by a DOS program: empty,
// longer than maxLength characters, or a component that is not an 8.3 name. "" when it can.
QString dosPathProblem(const QString& dosPath, int maxLength);

// The longest path Drovex reads between the quotes of a Drovex.cfg line.
inline constexpr int kDosPathMax = 188;

} // namespace drovex
