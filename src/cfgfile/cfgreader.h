#pragma once

#include "settings/catalogue.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QStringList>

#include <array>
#include <optional>
#include <span>

namespace drovex {

// Reads Drovex.cfg the way Drovex itself does, quirks included, so that the writer can be checked
// against it and a player's own file can be imported exactly as the game sees it.

enum class CfgKind {
    Number, // C's strtoul with base 0, 32 bits
    Signed, // the same bits taken as a signed 32-bit number
    Text,   // the bytes between the first and the last double quote
};

struct CfgKey {
    const char* name; // as Drovex's own table spells it (letter case does not matter to Drovex)
    CfgKind kind;
    bool control;     // the window shows and writes the key: some setting of the catalogue has it
};

namespace detail {
constexpr bool sameKey(const char* a, const char* b)
{
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    for (; *a && *b; ++a, ++b)
        if (lower(*a) != lower(*b))
            return false;
    return *a == *b;
}
constexpr CfgKey key(const char* name, CfgKind kind)
{
    bool control = name[0] == 'f' && name[1] == '1' && name[2] == 'c' && name[3] == 't'; // the slots
    for (const Setting& s : kSettings)
        control = control || (s.cfgKey && sameKey(s.cfgKey, name)) || (s.cfgTextKey && sameKey(s.cfgTextKey, name));
    return {name, kind, control};
}
constexpr CfgKind N = CfgKind::Number;
constexpr CfgKind T = CfgKind::Text;

// Drovex looks its keys up in this order; the order matters, since its buffers carry over from one
// key's search to the next. HideWinxx, last, is not Drovex's: see readKeys().
inline constexpr std::array kKeyTable = {
    key("logPerf", N), key("logGLX", N), key("logCC", N), key("logDebug", N), key("logDebugName", T),
    key("logDebugFlush", N), key("logDebugScreenLines", N), key("atlNoFastestLap", N), key("atlSplit1Color", N),
    key("atlSplit2Color", N), key("atlLineColor", N), key("atlAcrossTop", N), key("atlMarkTopX", N),
    key("mapTrackColor", N), key("mapHAlign", N), key("mapVAlign", N), key("mapRotate", N), key("mapMaxY", N),
    key("mapZoom", N), key("mapDotSize", N), key("mapDotSizeVGA", N), key("ForcePMBanking", N), key("PureDOS", N),
    key("UseOldNetworkCode", N), key("UseIpxLink", N), key("MyLinkName", T), key("LogIpxInfo", N),
    key("LogDpmiInfo", N), key("LogVesaInfo", N), key("LogIpxOutpackets", N), key("LogIpxInpackets", N),
    key("LogLnkCmdsIn", N), key("LogLnkCmdsOut", N), key("LogLnkCmdsProcess", N), key("hof25Enable", N),
    key("CatchTrackInfos", N), key("CatchSplitSegs", N), key("MenuTrackMap", N),
    key("f1ct01", T), key("f1ct02", T), key("f1ct03", T), key("f1ct04", T), key("f1ct05", T), key("f1ct06", T),
    key("f1ct07", T), key("f1ct08", T), key("f1ct09", T), key("f1ct10", T), key("f1ct11", T), key("f1ct12", T),
    key("f1ct13", T), key("f1ct14", T), key("f1ct15", T), key("f1ct16", T),
    key("CockpitZoom", CfgKind::Signed), key("SplitsInRace", N), key("CarRemoveTime", N),
    key("UseLocalizedStrings", N), key("Spa98", N), key("KeepDistUnit", N), key("DrawLines", N),
    key("VGARcr1", N), key("SVGARcr1", N), key("VGARcr2", N), key("SVGARcr2", N), key("VGARcr3", N),
    key("SVGARcr3", N),
    key("HideWinxx", N),
};
} // namespace detail

// Drovex's keys (67), in the order it looks them up.
inline constexpr int kDrovexKeyCount = static_cast<int>(detail::kKeyTable.size()) - 1;
std::span<const CfgKey> drovexKeys();
// The keys the reading reports: Drovex's, then HideWinxx. Drovex does not read HideWinxx, but
// the window writes it, so it is looked up last, with the same buffers, as if Drovex's table
// ended with it; it cannot change what Drovex's keys read.
inline constexpr int kReadKeyCount = kDrovexKeyCount + 1;
std::span<const CfgKey> readKeys();
// Index in readKeys(), ignoring ASCII letter case; -1 for a key Drovex does not read.
int findReadKey(QByteArrayView name);

enum class CfgStatus {
    NotSet,   // no line named the key, or its text is "" (Drovex keeps its own default)
    Set,
    Rejected, // the first line naming the key has a value Drovex refuses (it keeps its default)
};

// What Drovex uses for one key.
struct CfgEntry {
    CfgStatus status = CfgStatus::NotSet;
    qint64 number = 0;   // Number: 0 .. 4294967295; Signed: -2147483648 .. 2147483647
    QByteArray text;     // Windows-1252
    int line = 0;        // the line of the file that named the key; 0 when none did
    QString why;         // why a value was rejected
};

struct CfgValue {
    CfgKind kind = CfgKind::Number;
    qint64 number = 0;
    QByteArray text;
    friend bool operator==(const CfgValue&, const CfgValue&) = default;
};

struct CfgReading {
    std::array<CfgEntry, kReadKeyCount> entries; // in the order of readKeys()
    // Why the reading gave up before every key was looked up ("" when it did not); every entry
    // is then NotSet.
    QString givenUp;
    // Lines Drovex misreads when they come from the writer: empty lines and lines of more than
    // kCfgLineMax characters (the first hundred of them).
    QStringList faults;

    const CfgEntry& entry(QByteArrayView key) const; // a NotSet entry for a key Drovex does not read
    std::optional<CfgValue> value(QByteArrayView key) const; // none unless Set
};

// Each key's search starts again at the beginning of the file, so reading a large file as Drovex
// does can mean reading its lines over and over. Searches that would walk the same way are walked
// once, and runs of equal lines are read once; a file that still needs more than this many lines
// read (none a player writes comes near it) is given up.
inline constexpr qint64 kCfgReadBudget = 4'000'000;
// Drovex reads its file in pieces of at most this many characters (up to and including a newline).
inline constexpr int kCfgPieceMax = 254;
// The file as Drovex sees it in text mode: cut at the first Ctrl-Z, without carriage returns.
QByteArray drovexText(const QByteArray& file);
CfgReading readDrovexCfg(const QByteArray& file, qint64 budget = kCfgReadBudget);

// The longest line the writer writes: a margin under the 254 characters Drovex takes at a time.
inline constexpr int kCfgLineMax = 252;

// The key Drovex finds in a line read on its own; empty for a comment, a section header, a blank
// line or a line that starts with "=".
QByteArray lineKey(QByteArrayView line);
// Whether a line names a key the window has no control for (one of Drovex's keys the window does
// not show, or a key Drovex does not read): such lines are kept from a player's own file.
bool namesKeyWithoutControl(QByteArrayView line);

} // namespace drovex
