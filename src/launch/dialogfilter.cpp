#include "launch/dialogfilter.h"

namespace drovex {

QByteArray MakeDialogFilter(const QString& filterText)
{
    QByteArray out = filterText.toLocal8Bit();
    out.replace('|', '\0');
    out.append('\0');
    return out;
}

} // namespace drovex
