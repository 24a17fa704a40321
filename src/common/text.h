#pragma once

#include <QString>

namespace drovex {

// A sentence made from a phrase: its first letter upper case ("the disk is full" → "The disk is full").
inline QString capitalised(QString text)
{
    if (!text.isEmpty())
        text[0] = text[0].toUpper();
    return text;
}

} // namespace drovex
