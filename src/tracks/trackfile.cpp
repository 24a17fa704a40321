#include "tracks/trackfile.h"

#include "common/safefile.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace drovex {
std::optional<QByteArray> readTrackBytes(const QString& path)
{
    QFile file;
    if (!openRegularFile(file, path))
        return std::nullopt;
    // One more byte than the file holds (or than the largest track) tells a file past the limit.
    QByteArray bytes = file.read(std::min(file.size(), kLargestTrack) + 1);
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

TrackFileFacts examineTrackFile(QByteArrayView bytes)
{
    TrackFileFacts facts;
    facts.read = true;
    facts.size = bytes.size();
    if (facts.size < kSmallestTrack || facts.size > kLargestTrack) {
        facts.data.problem = facts.size < kSmallestTrack ? QStringLiteral("it is too small for a track file")
                                                         : QStringLiteral("it is too large for a track file");
        return facts;
    }
    facts.checksum = checkChecksum(bytes);
    facts.checksumAtEnd = trackBlockOffset(bytes, kChecksumEntry) == facts.size - 4;
    facts.original = originalTrack(*facts.checksum, facts.size);
    facts.data = readTrackData(bytes);
    return facts;
}

std::optional<OriginalTrack> readOriginalTrack(const QString& path)
{
    const std::optional<QByteArray> bytes = readTrackBytes(path);
    if (!bytes || bytes->size() < kSmallestTrack || bytes->size() > kLargestTrack)
        return std::nullopt;
    return originalTrack(*checkChecksum(*bytes), bytes->size());
}

TrackFileFacts readTrackFile(const QString& path)
{
    const std::optional<QByteArray> bytes = readTrackBytes(path);
    if (!bytes) {
        TrackFileFacts facts;
        facts.data.problem = QStringLiteral("the file cannot be read");
        return facts;
    }
    return examineTrackFile(*bytes);
}

QString notATrackReason(const TrackFileFacts& facts)
{
    if (!facts.read)
        return QStringLiteral("it cannot be read");
    if (facts.size < kSmallestTrack)
        return QStringLiteral("it is too small for a track file (%1 bytes, a track has at least %2)").arg(facts.size).arg(kSmallestTrack);
    if (facts.size > kLargestTrack)
        return QStringLiteral("it is too large for a track file (%1 bytes)").arg(facts.size);
    if (!facts.data.outline)
        return QStringLiteral("it holds no readable track data: ") + facts.data.problem;
    return {};
}

bool canFixChecksum(const TrackFileFacts& facts)
{
    return facts.checksum && !facts.checksum->correct() && facts.checksumAtEnd;
}

QString noMapText(const TrackFileFacts& facts)
{
    return QStringLiteral("No map: the track data cannot be read (%1)").arg(facts.data.problem);
}

ChecksumFix fixChecksum(const QString& path)
{
    ChecksumFix fix;
    // A link is followed, so that it stays a link to the fixed file.
    const QString file = QFileInfo(path).canonicalFilePath();
    const std::optional<QByteArray> bytes = file.isEmpty() ? std::nullopt : readTrackBytes(file);
    if (!bytes) {
        fix.reason = QStringLiteral("the file cannot be read");
        return fix;
    }
    const TrackFileFacts facts = examineTrackFile(*bytes);
    if (facts.checksum && facts.checksum->correct()) {
        fix.ok = true; // nothing to do
        return fix;
    }
    if (!canFixChecksum(facts)) {
        fix.reason = QStringLiteral("it is not a track file with its checksum at the end");
        return fix;
    }
    if (!QFileInfo(file).isWritable()) {
        fix.reason = QStringLiteral("the file is read-only");
        return fix;
    }
    fix.backup = backUpName(file);
    if (!backUp(file, fix.backup)) {
        fix.backup.clear();
        fix.reason = QStringLiteral("no copy of it could be made beside it: ") + describeWriteFailure(file + QStringLiteral(".bak"));
        return fix;
    }
    QFile copy;
    if (!openRegularFile(copy, fix.backup) || copy.readAll() != *bytes) {
        QFile::remove(fix.backup); // this program's own copy, of no use
        fix.backup.clear();
        fix.reason = QStringLiteral("the file changed while it was being copied; nothing was written");
        return fix;
    }
    const QFile::Permissions mode = QFile::permissions(file);
    const WriteResult written = replaceFile(file, withCorrectChecksum(*bytes),
                                            [mode](const QString& temp) { return QFile::setPermissions(temp, mode); });
    if (!written.ok) {
        fix.reason = written.reason;
        return fix;
    }
    fix.ok = true;
    return fix;
}

} // namespace drovex
