#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QSet>
#include <QStringList>

#include <optional>
#include <span>

namespace drovex {

// Reads Drovex.cfg the way Drovex itself does, quirks included, so that the writer can be checked
// against it and a player's own file can be imported exactly as the game would see it.

enum class CfgKind { Number, Text };

struct CfgKey {
    const char* name; // spelled as the front-end writes it
    CfgKind kind;
};

// Every key Drovex looks up, in the order it looks them up. (Drovex itself ignores HideWinxx; it is
// read here too, last, because the front-end writes it.)
std::span<const CfgKey> drovexKeys();
const CfgKey* findDrovexKey(const QByteArray& name); // ignoring letter case

// What Drovex reads for one key that it takes as set.
struct CfgValue {
    CfgKind kind = CfgKind::Number;
    quint32 number = 0;
    QByteArray text; // the bytes between the quotes, Windows-1252
    friend bool operator==(const CfgValue&, const CfgValue&) = default;
};

struct CfgReading {
    // Keys read as set, by their name in drovexKeys(). A key that is absent, commented out or
    // whose value Drovex rejects is missing here.
    QHash<QByteArray, CfgValue> values;
    // Keys whose first line Drovex found but whose value it rejected (no "=", a number over 32
    // bits, a text without its quotes, or an empty text), with the line number.
    QHash<QByteArray, int> rejected;
    // Text keys whose first line holds an empty pair of quotes ("" means not set to Drovex).
    QSet<QByteArray> emptyTexts;
    // Keys of lines that Drovex does not know, as written, in file order, each once.
    QList<QByteArray> unknownKeys;
    // Places where Drovex misreads a file: empty lines and lines cut by its line buffer.
    QStringList faults;

    std::optional<CfgValue> value(const char* key) const;
};

// The longest line Drovex reads whole.
inline constexpr int kCfgLineMax = 252;

CfgReading readDrovexCfg(const QByteArray& file);

} // namespace drovex
