#include "cfgfile/cfgreader.h"

#include "common/indexing.h"

#include <QHash>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace drovex {
namespace {

constexpr const auto& kKeys = detail::kKeyTable;

// Drovex reads the file with fgets(buffer, 255, file) into a buffer of 256 bytes, and scans each
// piece into three token buffers with scanf-style sets of at most these many characters.
constexpr int kKeyMax = 190;
constexpr int kSeparatorMax = 14;
constexpr int kValueMax = 190;
// The line buffer, and zeros past its end: a move by an old token's length can point beyond it,
// where the text is taken to end.
constexpr int kLineBuffer = 256;
constexpr int kScanSpace = 2 * kLineBuffer;

bool isBlank(char c) { return c == ' ' || c == '\t'; }
// Past the blanks at p; a long run (old bytes of a line of blanks) by the C library's fast search.
int skipBlanks(const char* s, int p)
{
    for (int i = 0; i < 8; ++i, ++p)
        if (!isBlank(s[p]))
            return p;
    return p + static_cast<int>(std::strspn(s + p, " \t"));
}
bool isKeyChar(char c) { return c != 0 && c != ' ' && c != '=' && c != '\t' && c != '\n'; }
bool isSeparatorChar(char c) { return c == '=' || c == ' ' || c == '\t'; }

// What steps 1 to 4 did to one piece: where the tokens that matched are in the line buffer.
struct Step {
    qint16 keyAt = -1, keyLength = 0;
    qint16 separatorAt = -1, separatorLength = 0;
    qint16 valueAt = -1, valueLength = 0;
    bool jumps = false;   // it needed the length of an old token (only when probing a piece alone)
    bool compared = false; // it reached the comparison
    friend bool operator==(const Step&, const Step&) = default;
};

// One piece in the line buffer s (NUL-terminated, zeros past its end). A token that matches
// nothing keeps the buffer's old content, and the scan moves on by that content's length; with
// an old length of -1 the scan stops there instead and says so.
Step scanPiece(const char* s, int oldKeyLength, int oldSeparatorLength)
{
    Step r;
    int p = 0;
    p = skipBlanks(s, p);
    if (s[p] == 0 || s[p] == ';' || s[p] == '[' || s[p] == '#')
        return r; // nothing but blanks, or a comment
    int n = 0;
    while (n < kKeyMax && isKeyChar(s[p + n]))
        ++n;
    if (n > 0) {
        r.keyAt = static_cast<qint16>(p);
        r.keyLength = static_cast<qint16>(n);
    } else if (oldKeyLength < 0) {
        r.jumps = true;
        return r;
    } else {
        n = oldKeyLength;
    }
    p += n;
    p = skipBlanks(s, p);
    if (s[p] == 0)
        return r;
    n = 0;
    while (n < kSeparatorMax && isSeparatorChar(s[p + n]))
        ++n;
    if (n > 0) {
        r.separatorAt = static_cast<qint16>(p);
        r.separatorLength = static_cast<qint16>(n);
    } else if (oldSeparatorLength < 0) {
        r.jumps = true;
        return r;
    } else {
        n = oldSeparatorLength;
    }
    p += n;
    p = skipBlanks(s, p);
    if (s[p] == 0)
        return r;
    // Up to the newline or the end of the text: the longest scan of the three, done by the C
    // library's fast searches.
    n = static_cast<int>(strnlen(s + p, kValueMax));
    if (const auto* newline = static_cast<const char*>(std::memchr(s + p, '\n', static_cast<size_t>(n))))
        n = static_cast<int>(newline - (s + p));
    if (n > 0) {
        r.valueAt = static_cast<qint16>(p);
        r.valueLength = static_cast<qint16>(n);
    }
    r.compared = true;
    return r;
}

// A piece with what it does on its own, found once: most pieces do the same whatever came before.
struct Piece {
    qsizetype start;
    int size;
    int line;
    int keyId; // of the piece's own key token; -1 for none or a key Drovex does not read
    Step step; // when step.jumps, the piece is scanned afresh every time it is read
};

// Scans a piece on its own, in a buffer of zeros that it leaves as it found it.
Step probe(std::array<char, kScanSpace>& zeros, const char* piece, int size)
{
    std::memcpy(zeros.data(), piece, static_cast<size_t>(size));
    const Step step = scanPiece(zeros.data(), -1, -1);
    std::memset(zeros.data(), 0, static_cast<size_t>(size));
    return step;
}

// Where a token buffer's content is: in the file's text, or in a store of its own when it came
// from old bytes of the line buffer.
struct Token {
    qsizetype at = 0;
    int size = 0;
    bool stored = false;
};

// The line buffer and the three token buffers: everything Drovex carries from one piece to the
// next. A value type, so that the state at any point can be kept and compared.
struct Buffers {
    std::array<char, kScanSpace> line{};
    std::array<char, kSeparatorMax> separatorStore{};
    std::array<char, kValueMax> valueStore{};
    Token key, separator, value;
    int keyId = -1;
    bool separatorHasEquals = false;

    QByteArrayView view(const Token& t, const char* store, const char* text) const
    {
        return t.stored ? QByteArrayView(store, t.size) : QByteArrayView(text + t.at, t.size);
    }
    QByteArrayView valueView(const char* text) const { return view(value, valueStore.data(), text); }
    bool same(const Buffers& o, const char* text) const
    {
        return keyId == o.keyId && key.size == o.key.size && separator.size == o.separator.size && value.size == o.value.size &&
               QByteArrayView(text + key.at, key.size) == QByteArrayView(text + o.key.at, o.key.size) &&
               view(separator, separatorStore.data(), text) == o.view(o.separator, o.separatorStore.data(), text) &&
               valueView(text) == o.valueView(text) && std::memcmp(line.data(), o.line.data(), kLineBuffer) == 0;
    }
};

// Reads one piece into the buffers; the key the piece names, or -1.
int readPiece(const Piece& piece, const char* text, Buffers& b)
{
    const char* base = text + piece.start;
    std::memcpy(b.line.data(), base, static_cast<size_t>(piece.size));
    at(b.line, piece.size) = 0;
    const Step step = piece.step.jumps ? scanPiece(b.line.data(), b.key.size, b.separator.size) : piece.step;
    Q_ASSERT(step == scanPiece(b.line.data(), b.key.size, b.separator.size));
    // A token from this piece is in the text; one from older bytes of the line buffer is copied.
    auto take = [&](Token& t, int at, int length, char* store) {
        t.size = length;
        t.stored = at >= piece.size;
        if (t.stored)
            std::memcpy(store, b.line.data() + at, static_cast<size_t>(length));
        else
            t.at = piece.start + at;
    };
    if (step.keyAt >= 0) { // always within the piece: it starts at its first character but blanks
        b.key = {piece.start + step.keyAt, step.keyLength, false};
        b.keyId = piece.keyId;
    }
    if (step.separatorAt >= 0) {
        take(b.separator, step.separatorAt, step.separatorLength, b.separatorStore.data());
        b.separatorHasEquals = b.view(b.separator, b.separatorStore.data(), text).contains('=');
    }
    if (step.valueAt >= 0)
        take(b.value, step.valueAt, step.valueLength, b.valueStore.data());
    return step.compared && b.keyId >= 0 && b.separatorHasEquals && b.value.size > 0 ? b.keyId : -1;
}

// One walk through the file from a given state, taken as far as a search has needed. A search
// for a key from the same state walks the same way, so the walk answers it: the first piece that
// names the key.
struct Walk {
    Buffers start;
    Buffers now;
    int done = 0;                          // pieces read
    std::array<int, kReadKeyCount> named; // the first piece naming each key; -1 while none has
};

CfgEntry convert(const CfgKey& key, QByteArrayView v, int line)
{
    CfgEntry e;
    e.line = line;
    if (key.kind == CfgKind::Text) {
        const qsizetype first = v.indexOf('"');
        const qsizetype last = v.lastIndexOf('"');
        if (first < 0 || last == first) {
            e.status = CfgStatus::Rejected;
            e.why = first < 0 ? QStringLiteral("no text in double quotes") : QStringLiteral("only one double quote");
        } else if (last > first + 1) {
            e.status = CfgStatus::Set;
            e.text = v.sliced(first + 1, last - first - 1).toByteArray();
        }
        return e;
    }
    // C's strtoul with base 0 and a 32-bit unsigned long.
    qsizetype i = 0;
    while (i < v.size() && (isBlank(v[i]) || (v[i] >= '\n' && v[i] <= '\r')))
        ++i;
    bool negative = false;
    if (i < v.size() && (v[i] == '+' || v[i] == '-'))
        negative = v[i++] == '-';
    auto digit = [](char c) {
        if (c >= '0' && c <= '9')
            return c - '0';
        const char lower = static_cast<char>(c | 0x20);
        return lower >= 'a' && lower <= 'z' ? lower - 'a' + 10 : 99;
    };
    int base = 10;
    if (i < v.size() && v[i] == '0') {
        base = 8;
        if (i + 2 < v.size() && (v[i + 1] | 0x20) == 'x' && digit(v[i + 2]) < 16) {
            base = 16;
            i += 2;
        }
    }
    quint64 n = 0;
    bool over = false;
    for (; i < v.size() && digit(v[i]) < base; ++i) {
        n = n * static_cast<quint64>(base) + static_cast<quint64>(digit(v[i]));
        over = over || n > 0xFFFFFFFFull;
        n = std::min<quint64>(n, 0x100000000ull);
    }
    if (over) {
        e.status = CfgStatus::Rejected;
        e.why = QStringLiteral("a number over 32 bits");
        return e;
    }
    const quint32 bits = negative ? static_cast<quint32>(0u - static_cast<quint32>(n)) : static_cast<quint32>(n);
    e.status = CfgStatus::Set;
    e.number = key.kind == CfgKind::Signed ? static_cast<qint64>(static_cast<qint32>(bits)) : static_cast<qint64>(bits);
    return e;
}

const QHash<QByteArray, int>& keyIndex()
{
    static const QHash<QByteArray, int> index = [] {
        QHash<QByteArray, int> h;
        for (int i = 0; i < kReadKeyCount; ++i)
            h.insert(QByteArray(at(kKeys, i).name).toLower(), i);
        return h;
    }();
    return index;
}

} // namespace

std::span<const CfgKey> drovexKeys() { return std::span(kKeys).first(kDrovexKeyCount); }
std::span<const CfgKey> readKeys() { return kKeys; }

int findReadKey(QByteArrayView name)
{
    if (name.size() > kKeyMax)
        return -1;
    std::array<char, kKeyMax> lower{};
    for (qsizetype i = 0; i < name.size(); ++i)
        at(lower, i) = static_cast<char>(name[i] >= 'A' && name[i] <= 'Z' ? name[i] + ('a' - 'A') : name[i]);
    return keyIndex().value(QByteArray::fromRawData(lower.data(), name.size()), -1);
}

const CfgEntry& CfgReading::entry(QByteArrayView key) const
{
    static const CfgEntry none;
    const int i = findReadKey(key);
    return i < 0 ? none : at(entries, i);
}

std::optional<CfgValue> CfgReading::value(QByteArrayView key) const
{
    const int i = findReadKey(key);
    if (i < 0 || at(entries, i).status != CfgStatus::Set)
        return std::nullopt;
    const CfgEntry& e = at(entries, i);
    return CfgValue{at(kKeys, i).kind, e.number, e.text};
}

QByteArray drovexText(const QByteArray& file)
{
    // Text mode: the first Ctrl-Z ends the file and carriage returns vanish.
    const qsizetype eof = file.indexOf('\x1A');
    QByteArray text = file.left(eof < 0 ? file.size() : eof);
    return text.replace("\r", "");
}

CfgReading readDrovexCfg(const QByteArray& file, qint64 budget)
{
    CfgReading r;
    const QByteArray text = drovexText(file);

    // The pieces fgets returns: at most kCfgPieceMax characters, up to and including a newline.
    std::vector<Piece> pieces;
    pieces.reserve(static_cast<size_t>(text.count('\n') + text.size() / kCfgPieceMax + 1));
    std::array<char, kScanSpace> zeros{};
    int line = 1;
    qsizetype lineStart = 0;
    int faults = 0;
    auto checkLine = [&](qsizetype length) {
        if ((length == 0 || length > kCfgLineMax) && ++faults <= 100)
            r.faults << (length == 0 ? QStringLiteral("line %1 is empty").arg(line)
                                     : QStringLiteral("line %1 has %2 characters; Drovex reads at most %3 at a time")
                                           .arg(line)
                                           .arg(length)
                                           .arg(kCfgPieceMax));
    };
    for (qsizetype at = 0; at < text.size();) {
        const qsizetype limit = std::min<qsizetype>(text.size() - at, kCfgPieceMax);
        const char* begin = text.constData() + at;
        const auto* newline = static_cast<const char*>(std::memchr(begin, '\n', static_cast<size_t>(limit)));
        const int size = static_cast<int>(newline ? newline - begin + 1 : limit);
        // A piece read right after an equal one changes nothing more: the line buffer holds it
        // already, so each scan finds what it found the first time, names what it named, and
        // moves by the same lengths. A run of equal pieces (empty lines, say) is read once.
        const bool repeats = !pieces.empty() && pieces.back().size == size &&
                             std::memcmp(text.constData() + pieces.back().start, begin, static_cast<size_t>(size)) == 0;
        if (!repeats) {
            Piece piece{at, size, line, -1, probe(zeros, begin, size)};
            if (piece.step.keyAt >= 0)
                piece.keyId = findReadKey(QByteArrayView(begin + piece.step.keyAt, piece.step.keyLength));
            pieces.push_back(piece);
        }
        at += size;
        if (newline) {
            checkLine(at - 1 - lineStart);
            lineStart = at;
            ++line;
        } else if (at == text.size() && at - lineStart > kCfgLineMax) {
            checkLine(at - lineStart);
        }
    }

    // For each key, in the table's order, from the start of the file: the first piece that names
    // it ends the search, even when its value is then rejected. A search from a state an earlier
    // walk started from goes that walk's way, so it is answered from it.
    const char* t = text.constData();
    const int count = static_cast<int>(pieces.size());
    std::vector<std::unique_ptr<Walk>> walks;
    auto state = std::make_unique<Buffers>();
    qint64 left = budget;
    auto givenUp = [&] {
        r.entries = {};
        r.givenUp = QStringLiteral("Drovex would read more than %1 lines to look up its keys in it").arg(budget);
        return r;
    };
    for (int k = 0; k < kReadKeyCount; ++k) {
        auto it = std::find_if(walks.begin(), walks.end(), [&](const auto& w) { return w->start.same(*state, t); });
        if (it == walks.end()) {
            auto w = std::make_unique<Walk>();
            w->start = *state;
            w->now = *state;
            w->named.fill(-1);
            walks.push_back(std::move(w));
            it = walks.end() - 1;
        }
        Walk& w = **it;
        const auto key = static_cast<size_t>(k);
        while (w.named[key] < 0 && w.done < count) {
            if (--left < 0)
                return givenUp();
            const int id = readPiece(at(pieces, w.done), t, w.now);
            if (id >= 0 && at(w.named, id) < 0)
                at(w.named, id) = w.done;
            ++w.done;
        }
        const int found = w.named[key];
        if (found < 0) {
            *state = w.now;
            continue;
        }
        // The state right after the naming piece: the walk's own when it stopped there, else
        // walked again.
        if (w.done == found + 1) {
            *state = w.now;
        } else {
            *state = w.start;
            left -= found + 1;
            if (left < 0)
                return givenUp();
            for (int i = 0; i <= found; ++i)
                (void)readPiece(at(pieces, i), t, *state);
        }
        r.entries[key] = convert(kKeys[key], state->valueView(t), at(pieces, found).line);
    }
    return r;
}

QByteArray lineKey(QByteArrayView line)
{
    std::array<char, kScanSpace> zeros{};
    const Step step = probe(zeros, line.data(), static_cast<int>(std::min<qsizetype>(line.size(), kCfgPieceMax)));
    return step.keyAt < 0 ? QByteArray() : line.sliced(step.keyAt, step.keyLength).toByteArray();
}

bool namesKeyWithoutControl(QByteArrayView line)
{
    std::array<char, kScanSpace> zeros{};
    const Step step = probe(zeros, line.data(), static_cast<int>(std::min<qsizetype>(line.size(), kCfgPieceMax)));
    if (step.keyAt < 0)
        return false;
    const int i = findReadKey(line.sliced(step.keyAt, step.keyLength));
    return i < 0 || !at(kKeys, i).control;
}

} // namespace drovex
