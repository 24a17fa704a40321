#include "cfgfile/cfgreader.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace drovex {
namespace {

constexpr CfgKind N = CfgKind::Number;
constexpr CfgKind T = CfgKind::Text;

// Drovex looks its keys up in this order. Where it differs from the order of the file, it was
// measured: the six RCR keys are looked up directly after DrawLines.
constexpr std::array kKeys = {
    CfgKey{"atlNoFastestLap", N}, CfgKey{"atlSplit1Color", N}, CfgKey{"atlSplit2Color", N},
    CfgKey{"atlLineColor", N}, CfgKey{"atlAcrossTop", N}, CfgKey{"atlMarkTopX", N},
    CfgKey{"logGLX", N}, CfgKey{"logCC", N}, CfgKey{"logPerf", N},
    CfgKey{"logDebug", N}, CfgKey{"logDebugName", T}, CfgKey{"logDebugFlush", N}, CfgKey{"logDebugScreenLines", N},
    CfgKey{"mapZoom", N}, CfgKey{"mapTrackColor", N}, CfgKey{"mapHAlign", N}, CfgKey{"mapVAlign", N},
    CfgKey{"mapRotate", N}, CfgKey{"mapMaxY", N}, CfgKey{"mapDotSize", N}, CfgKey{"mapDotSizeVGA", N},
    CfgKey{"f1ct01", T}, CfgKey{"f1ct02", T}, CfgKey{"f1ct03", T}, CfgKey{"f1ct04", T},
    CfgKey{"f1ct05", T}, CfgKey{"f1ct06", T}, CfgKey{"f1ct07", T}, CfgKey{"f1ct08", T},
    CfgKey{"f1ct09", T}, CfgKey{"f1ct10", T}, CfgKey{"f1ct11", T}, CfgKey{"f1ct12", T},
    CfgKey{"f1ct13", T}, CfgKey{"f1ct14", T}, CfgKey{"f1ct15", T}, CfgKey{"f1ct16", T},
    CfgKey{"CatchTrackInfos", N}, CfgKey{"CatchSplitSegs", N}, CfgKey{"MenuTrackMap", N},
    CfgKey{"UseIPXLink", N}, CfgKey{"MyLinkName", T}, CfgKey{"UseOldNetworkCode", N},
    CfgKey{"SplitsInRace", N}, CfgKey{"CarRemoveTime", N}, CfgKey{"UseLocalizedStrings", N},
    CfgKey{"Spa98", N}, CfgKey{"CockpitZoom", N}, CfgKey{"DrawLines", N},
    CfgKey{"VgaRcr1", N}, CfgKey{"SvgaRcr1", N}, CfgKey{"VgaRcr2", N}, CfgKey{"SvgaRcr2", N},
    CfgKey{"VgaRcr3", N}, CfgKey{"SvgaRcr3", N},
    CfgKey{"hof25Enable", N}, CfgKey{"ForcePMBanking", N},
    CfgKey{"HideWinxx", N},
};

constexpr int kBuffer = 254;       // the reader's line buffer, its terminating NUL included
constexpr int kKeyMax = 190;       // the longest key it takes
constexpr int kSeparatorMax = 14;  // the longest run of "=", blanks and tabs after a key
constexpr int kTextWindow = 190;   // a quoted value must close within these characters

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// One read of the line buffer: at most kBuffer - 1 characters, up to and including a newline.
struct Chunk {
    QByteArray text; // without its newline
    int line;        // the line of the file it came from, 1-based
};

QList<Chunk> chunksOf(const QByteArray& file, QStringList& faults)
{
    // Text mode: carriage returns vanish and Ctrl-Z ends the file.
    QByteArray text = file;
    if (const qsizetype eof = text.indexOf('\x1A'); eof >= 0)
        text.truncate(eof);
    text.replace("\r", "");

    QList<Chunk> chunks;
    int line = 1;
    qsizetype at = 0;
    while (at < text.size()) {
        const qsizetype newline = text.indexOf('\n', at);
        const qsizetype end = newline < 0 ? text.size() : newline;
        const qsizetype length = end - at;
        if (length > kCfgLineMax)
            faults << QStringLiteral("line %1 has %2 characters; Drovex reads at most %3 at a time")
                          .arg(line)
                          .arg(length)
                          .arg(kCfgLineMax + 1);
        else if (length == 0 && newline >= 0)
            faults << QStringLiteral("line %1 is empty").arg(line);
        // The buffer takes kBuffer - 1 characters, the newline included: longer lines come in pieces.
        qsizetype pos = at;
        while (true) {
            const qsizetype left = (newline < 0 ? text.size() : newline + 1) - pos;
            if (left <= kBuffer - 1) {
                chunks.append({text.mid(pos, end - pos), line});
                break;
            }
            chunks.append({text.mid(pos, kBuffer - 1), line});
            pos += kBuffer - 1;
        }
        at = newline < 0 ? text.size() : newline + 1;
        ++line;
    }
    return chunks;
}

// The key of a line that is neither a comment nor empty; where its value begins.
struct KeyLine {
    QByteArray key;
    qsizetype rest = 0;
};

std::optional<KeyLine> keyOf(const QByteArray& chunk)
{
    qsizetype i = 0;
    while (i < chunk.size() && isBlank(chunk[i]))
        ++i;
    if (i == chunk.size())
        return std::nullopt;
    const char first = chunk[i];
    if (first == ';' || first == '[' || first == '#')
        return std::nullopt;
    const qsizetype start = i;
    while (i < chunk.size() && !isBlank(chunk[i]) && chunk[i] != '=' && i - start < kKeyMax)
        ++i;
    return KeyLine{chunk.mid(start, i - start), i};
}

// C's strtoul with base 0 on a 32-bit unsigned long; none when the value does not fit.
std::optional<quint32> readNumber(const QByteArray& v)
{
    qsizetype i = 0;
    while (i < v.size() && (isBlank(v[i]) || v[i] == '\n' || v[i] == '\v' || v[i] == '\f'))
        ++i;
    bool negative = false;
    if (i < v.size() && (v[i] == '+' || v[i] == '-'))
        negative = v[i++] == '-';
    int base = 10;
    auto digit = [](char c) -> int {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'z')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'Z')
            return c - 'A' + 10;
        return 99;
    };
    if (i < v.size() && v[i] == '0') {
        if (i + 2 < v.size() && (v[i + 1] == 'x' || v[i + 1] == 'X') && digit(v[i + 2]) < 16) {
            base = 16;
            i += 2;
        } else {
            base = 8;
        }
    }
    quint64 n = 0;
    for (; i < v.size() && digit(v[i]) < base; ++i) {
        n = n * static_cast<quint64>(base) + static_cast<quint64>(digit(v[i]));
        if (n > 0xFFFFFFFFull)
            return std::nullopt;
    }
    const auto value = static_cast<quint32>(n);
    return negative ? static_cast<quint32>(0u - value) : value;
}

std::optional<QByteArray> readText(const QByteArray& v)
{
    const QByteArray window = v.left(kTextWindow);
    const qsizetype open = window.indexOf('"');
    const qsizetype close = window.lastIndexOf('"');
    if (open < 0 || close <= open + 1)
        return std::nullopt; // no pair of quotes, or "": not set
    return window.mid(open + 1, close - open - 1);
}

} // namespace

std::span<const CfgKey> drovexKeys() { return kKeys; }

const CfgKey* findDrovexKey(const QByteArray& name)
{
    for (const CfgKey& k : kKeys)
        if (qstricmp(name.constData(), k.name) == 0)
            return &k;
    return nullptr;
}

std::optional<CfgValue> CfgReading::value(const char* key) const
{
    const auto it = values.constFind(QByteArray(key));
    if (it == values.cend())
        return std::nullopt;
    return *it;
}

CfgReading readDrovexCfg(const QByteArray& file)
{
    CfgReading r;
    const QList<Chunk> chunks = chunksOf(file, r.faults);

    for (const Chunk& c : chunks) {
        const auto k = keyOf(c.text);
        if (k && !findDrovexKey(k->key) && !r.unknownKeys.contains(k->key))
            r.unknownKeys << k->key;
    }

    // The reader keeps the key of the last line it parsed in a buffer of its own, also from one
    // key's search to the next. An empty line parses nothing, so that stale key is compared again,
    // while the value is taken from the empty line itself.
    QByteArray staleKey;
    for (const CfgKey& key : kKeys) {
        for (const Chunk& c : chunks) {
            std::optional<QByteArray> value;
            bool found = false;
            const auto k = keyOf(c.text);
            const bool blank = std::all_of(c.text.cbegin(), c.text.cend(), isBlank);
            if (blank) {
                if (!staleKey.isEmpty() && qstricmp(staleKey.constData(), key.name) == 0) {
                    found = true;
                    value = QByteArray();
                }
            } else if (k) {
                staleKey = k->key;
                if (qstricmp(k->key.constData(), key.name) == 0) {
                    found = true;
                    // The separator: a run of "=", blanks and tabs holding an "=".
                    qsizetype i = k->rest;
                    bool equals = false;
                    while (i < c.text.size() && (isBlank(c.text[i]) || c.text[i] == '=')) {
                        equals = equals || c.text[i] == '=';
                        ++i;
                    }
                    if (equals && i - k->rest <= kSeparatorMax)
                        value = c.text.mid(i);
                }
            }
            if (!found)
                continue;
            CfgValue v;
            v.kind = key.kind;
            bool set = false;
            if (value && key.kind == CfgKind::Number) {
                if (const auto n = readNumber(*value)) {
                    v.number = *n;
                    set = true;
                }
            } else if (value) {
                if (auto t = readText(*value)) {
                    v.text = *t;
                    set = true;
                } else if (value->left(kTextWindow).count('"') == 2 && value->contains("\"\"")) {
                    r.emptyTexts.insert(QByteArray(key.name));
                }
            }
            if (set)
                r.values.insert(QByteArray(key.name), v);
            else
                r.rejected.insert(QByteArray(key.name), c.line);
            break;
        }
    }
    return r;
}

} // namespace drovex
