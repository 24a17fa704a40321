#include "launch/emulatorkind.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QVersionNumber>

namespace drovex {
namespace {

constexpr qsizetype kBannerBytes = 4096; // the banners say who they are in their first lines

// The first capture of pattern in text, or "".
QString capture(const QString& text, const char* pattern)
{
    const QRegularExpression re(QString::fromLatin1(pattern));
    const QRegularExpressionMatch m = re.match(text);
    return m.hasMatch() ? m.captured(1) : QString();
}

struct CacheEntry {
    QDateTime modified;
    qint64 size = 0;
    EmulatorIdentity identity;
};

// Detection runs on the user-interface thread only.
QHash<QString, CacheEntry>& cache()
{
    static QHash<QString, CacheEntry> answers;
    return answers;
}

// What the program prints for --version, or nothing when it does not end in time.
std::optional<QByteArray> versionAnswer(const QString& program, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    QProcess p;
    p.setProgram(program);
    p.setArguments({QStringLiteral("--version")});
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.setStandardInputFile(QProcess::nullDevice());
    // A program that does not know --version and starts up instead shows no window and makes
    // no sound.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("SDL_VIDEODRIVER"), QStringLiteral("dummy"));
    env.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
    p.setProcessEnvironment(env);
    p.start(QIODevice::ReadOnly);
    if (!p.waitForStarted(static_cast<int>(deadline.remainingTime())) ||
        !p.waitForFinished(static_cast<int>(qMax<qint64>(1, deadline.remainingTime())))) {
        p.kill();
        p.waitForFinished(200);
        return std::nullopt;
    }
    return p.readAll().left(kBannerBytes);
}

} // namespace

QString kindName(EmulatorKind kind)
{
    switch (kind) {
    case EmulatorKind::Dosbox074:
        return QStringLiteral("DOSBox 0.74");
    case EmulatorKind::DosboxX:
        return QStringLiteral("DOSBox-X");
    case EmulatorKind::Staging:
        return QStringLiteral("DOSBox Staging");
    case EmulatorKind::Other:
        break;
    }
    return QStringLiteral("other, DOSBox-compatible");
}

QString identityText(const EmulatorIdentity& identity)
{
    if (identity.version.isEmpty() || identity.kind == EmulatorKind::Dosbox074 || identity.kind == EmulatorKind::Other)
        return kindName(identity.kind);
    return kindName(identity.kind) + QLatin1Char(' ') + identity.version;
}

bool takesCpuCycles(const EmulatorIdentity& identity)
{
    if (identity.kind != EmulatorKind::Staging)
        return false;
    // An unknown version is taken to be a current one.
    const QVersionNumber version = QVersionNumber::fromString(identity.version);
    return version.isNull() || version >= QVersionNumber(0, 82);
}

std::optional<EmulatorIdentity> identityFromBanner(const QByteArray& output)
{
    const QString text = QString::fromLatin1(output.left(kBannerBytes)).toLower();
    EmulatorIdentity id;
    if (text.contains(QLatin1String("dosbox-x"))) {
        id.kind = EmulatorKind::DosboxX;
        id.version = capture(text, R"(dosbox-x version\s+(\d[^\s,]*))");
    } else if (text.contains(QLatin1String("dosbox")) && text.contains(QLatin1String("staging"))) {
        id.kind = EmulatorKind::Staging;
        id.version = capture(text, R"(staging[^\n]*?(\d+\.\d+(?:\.\d+)?(?:-[a-z0-9]+)?))");
    } else if (text.contains(QLatin1String("dosbox"))) {
        id.version = capture(text, R"(dosbox version\s+(\d[^\s,]*))");
        id.kind = id.version == QLatin1String("0.74") || id.version.startsWith(QLatin1String("0.74-"))
                      ? EmulatorKind::Dosbox074
                      : EmulatorKind::Other;
    } else {
        return std::nullopt;
    }
    return id;
}

EmulatorIdentity identityFromName(const QString& program)
{
    const QString name = QFileInfo(program).fileName().toLower();
    EmulatorIdentity id;
    if (name.contains(QLatin1String("staging")))
        id.kind = EmulatorKind::Staging;
    else if (name.contains(QLatin1String("dosbox-x")) || name.contains(QLatin1String("dosbox_x")))
        id.kind = EmulatorKind::DosboxX;
    return id;
}

EmulatorIdentity detectEmulator(const QString& program, int timeoutMs)
{
    const QFileInfo fi(program);
    if (!fi.isFile() || !fi.isExecutable())
        return identityFromName(program);
    const QString key = fi.absoluteFilePath();
    const QDateTime modified = fi.lastModified();
    const auto known = cache().constFind(key);
    if (known != cache().cend() && known->modified == modified && known->size == fi.size())
        return known->identity;

    const std::optional<QByteArray> answer = versionAnswer(key, timeoutMs);
    const std::optional<EmulatorIdentity> stated = answer ? identityFromBanner(*answer) : std::nullopt;
    const EmulatorIdentity id = stated ? *stated : identityFromName(program);
    cache().insert(key, {modified, fi.size(), id});
    return id;
}

} // namespace drovex
