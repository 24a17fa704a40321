#include "common/dosname.h"

#include <QStringList>

namespace drovex {
namespace {

bool isDosCharacter(QChar c)
{
    const char16_t u = c.unicode();
    // Printable ASCII only: DOS sees other characters as bytes of some code page, and an
    // emulator shows such a host name under a made-up short name.
    if (u <= 0x20 || u >= 0x7F)
        return false;
    return !QStringLiteral("\"*+,/:;<=>?[\\]|").contains(c);
}

QString shown(const QString& component)
{
    QString s;
    for (const QChar c : component)
        s += c.unicode() < 0x20 ? QChar(0xFFFD) : c; // a control character would break the message
    return QLatin1Char('"') + s + QLatin1Char('"');
}

} // namespace

QString dosNameProblem(const QString& component)
{
    if (component.isEmpty())
        return QStringLiteral("an empty name");
    if (component == QLatin1String(".") || component == QLatin1String(".."))
        return QStringLiteral("%1 is not a file name").arg(shown(component));
    for (const QChar c : component) {
        if (c.unicode() < 0x20)
            return QStringLiteral("%1 holds a control character").arg(shown(component));
        if (c == QLatin1Char(' '))
            return QStringLiteral("%1 holds a blank").arg(shown(component));
        if (c != QLatin1Char('.') && !isDosCharacter(c))
            return QStringLiteral("%1 holds the character \"%2\"").arg(shown(component), c);
    }
    const qsizetype dot = component.indexOf(QLatin1Char('.'));
    if (dot >= 0 && component.indexOf(QLatin1Char('.'), dot + 1) >= 0)
        return QStringLiteral("%1 has more than one dot").arg(shown(component));
    const qsizetype stem = dot < 0 ? component.size() : dot;
    if (stem == 0)
        return QStringLiteral("%1 has no name before its dot").arg(shown(component));
    if (stem > 8)
        return QStringLiteral("%1 has more than 8 characters before the dot").arg(shown(component));
    if (dot >= 0 && component.size() - dot - 1 > 3)
        return QStringLiteral("%1 has more than 3 characters after the dot").arg(shown(component));
    return {};
}

QString dosPathProblem(const QString& dosPath, int maxLength)
{
    if (dosPath.isEmpty())
        return QStringLiteral("no file");
    if (dosPath.size() > maxLength)
        return QStringLiteral("the path is %1 characters long, more than the %2 a DOS program reads")
            .arg(dosPath.size())
            .arg(maxLength);
    for (const QString& part : dosPath.split(QLatin1Char('\\'))) {
        const QString problem = dosNameProblem(part);
        if (!problem.isEmpty())
            return problem + QStringLiteral(", not a DOS 8.3 name");
    }
    return {};
}

} // namespace drovex
