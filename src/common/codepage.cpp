#include "common/codepage.h"

#include <algorithm>

namespace drovex {
namespace {

// Characters of the bytes 0x80..0x9F; 0 where the code page leaves the byte unassigned.
constexpr char16_t kHigh[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

} // namespace

QByteArray toWindows1252(const QString& text)
{
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        // The five bytes the code page leaves unassigned come back as the characters they were
        // read as, so that a line read from a file is written back byte for byte.
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF) || (c < 0xA0 && kHigh[c - 0x80] == 0)) {
            out.append(static_cast<char>(c));
            continue;
        }
        char byte = '?';
        for (int k = 0; k < 32; ++k) {
            if (kHigh[k] != 0 && kHigh[k] == c) {
                byte = static_cast<char>(0x80 + k);
                break;
            }
        }
        // A surrogate pair is one character: one "?".
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        out.append(byte);
    }
    return out;
}

QString fromWindows1252(const QByteArray& bytes)
{
    // Only the bytes 0x80..0x9F differ from Latin-1.
    if (std::none_of(bytes.cbegin(), bytes.cend(), [](char c) {
            const auto b = static_cast<unsigned char>(c);
            return b >= 0x80 && b < 0xA0;
        }))
        return QString::fromLatin1(bytes);
    QString out;
    out.reserve(bytes.size());
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        if (b >= 0x80 && b < 0xA0 && kHigh[b - 0x80] != 0)
            out.append(QChar(kHigh[b - 0x80]));
        else
            out.append(QChar(static_cast<char16_t>(b)));
    }
    return out;
}

} // namespace drovex
