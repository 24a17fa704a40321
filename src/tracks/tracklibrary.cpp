#include "tracks/tracklibrary.h"

#include "common/dosname.h"
#include "common/paths.h"
#include "common/safefile.h"
#include "tracks/trackfile.h"
#include "tracks/trackinfo.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>

namespace drovex {
namespace {

constexpr int kStemLength = 8;

// Names DOS gives to its devices: a file called CON.DAT cannot be opened as a file.
bool isDeviceName(const QString& stem)
{
    static const QStringList kDevices = {QStringLiteral("CON"), QStringLiteral("PRN"), QStringLiteral("AUX"),
                                         QStringLiteral("NUL"), QStringLiteral("CLOCK$")};
    static const QRegularExpression kPorts(QStringLiteral("^(COM|LPT)[1-9]$"));
    return kDevices.contains(stem) || kPorts.match(stem).hasMatch();
}

// The words of a text in upper-case ASCII letters and digits. Accents are dropped, a few letters
// that have no accent to drop are spelled out, and every other character ends a word.
QStringList dosWords(const QString& text)
{
    static const QHash<char16_t, const char*> kSpelled = {
        {u'ß', "SS"}, {u'æ', "AE"}, {u'Æ', "AE"}, {u'œ', "OE"}, {u'Œ', "OE"}, {u'ø', "O"}, {u'Ø', "O"},
        {u'þ', "TH"}, {u'Þ', "TH"}, {u'ð', "D"},  {u'Ð', "D"},  {u'đ', "D"},  {u'Đ', "D"},  {u'ł', "L"},
        {u'Ł', "L"},  {u'ı', "I"},  {u'ħ', "H"},  {u'Ħ', "H"}};
    QStringList words;
    QString word;
    auto endWord = [&] {
        if (!word.isEmpty())
            words << word;
        word.clear();
    };
    for (const QChar c : text.normalized(QString::NormalizationForm_KD)) {
        if (c.category() == QChar::Mark_NonSpacing)
            continue; // an accent of the letter before
        if (c.unicode() < 0x80 && c.isLetterOrNumber())
            word += c.toUpper();
        else if (const auto it = kSpelled.constFind(c.unicode()); it != kSpelled.constEnd())
            word += QLatin1String(it.value());
        else
            endWord();
    }
    endWord();
    return words;
}

// Whole words while they fit; a first word too long is cut.
QString stemOf(const QString& text)
{
    QString stem;
    for (const QString& word : dosWords(text)) {
        if (stem.isEmpty())
            stem = word.left(kStemLength);
        else if (stem.size() + word.size() <= kStemLength)
            stem += word;
        else
            break;
    }
    return stem;
}

// Every name in the folder; an iterator lists a folder of thousands of tracks several times
// faster than QDir::entryList, which makes a QFileInfo of each.
QStringList entriesOf(const QString& folder)
{
    QStringList names;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        names << it.fileName();
    }
    return names;
}

// The name a tag gives, or "" when it gives none.
QString tagNameOf(const TrackInfo& tag) { return tag.tagFound && tag.rawLength[Name] > 0 ? tag.values[Name] : QString(); }

// A folder below the game folder (not the game folder itself, where GP2.EXE lies).
bool isBelow(const QString& folder, const QString& gameFolder)
{
    const QString game = QDir::cleanPath(QFileInfo(gameFolder).absoluteFilePath());
    const QString f = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    return f != game && f.startsWith(game.endsWith(QLatin1Char('/')) ? game : game + QLatin1Char('/'));
}

} // namespace

QString trackLibraryFolder(const QString& gameFolder, const QString& chosen)
{
    if (gameFolder.isEmpty())
        return {};
    if (!chosen.isEmpty() && QFileInfo(chosen).isDir() && isBelow(chosen, gameFolder)) {
        const QString relative = QDir(gameFolder).relativeFilePath(chosen);
        if (dosPathProblem(nativeToDos(relative) + QStringLiteral("\\TRACKNAM.DAT"), kDosPathMax).isEmpty())
            return QDir::cleanPath(chosen);
    }
    const QString circuits = joinPath(gameFolder, QStringLiteral("CIRCUITS"));
    const QString found = resolveIgnoringCase(circuits);
    return found.isEmpty() || !QFileInfo(found).isDir() ? circuits : found;
}

QString dosTrackName(const QString& tagName, const QString& fileName, const QStringList& taken)
{
    QString stem = stemOf(tagName);
    if (stem.isEmpty())
        stem = stemOf(fileName);
    if (stem.isEmpty())
        stem = QStringLiteral("TRACK");
    QSet<QString> used;
    for (const QString& name : taken)
        used.insert(name.toUpper());
    auto free = [&](const QString& s) { return !isDeviceName(s) && !used.contains(s + QStringLiteral(".DAT")); };
    if (free(stem))
        return stem + QStringLiteral(".DAT");
    for (int n = 2;; ++n) {
        const QString number = QString::number(n);
        const QString candidate = stem.left(kStemLength - number.size()) + number;
        if (free(candidate))
            return candidate + QStringLiteral(".DAT");
    }
}

QString nameForTrack(const QString& source, const QString& gameFolder, const QString& chosenFolder)
{
    if (gameFolder.isEmpty())
        return {};
    return dosTrackName(tagNameOf(parseTrackInfo(readTagWindow(source))), QFileInfo(source).completeBaseName(),
                        entriesOf(trackLibraryFolder(gameFolder, chosenFolder)));
}

AddedTrack addTrack(const QString& source, const QString& gameFolder, const QString& chosenFolder)
{
    AddedTrack added;
    if (gameFolder.isEmpty()) {
        added.reason = QStringLiteral("no game folder is chosen (GP2 Path)");
        return added;
    }
    if (!QFileInfo(gameFolder).isDir()) {
        added.reason = QStringLiteral("the game folder %1 is missing").arg(QDir::toNativeSeparators(gameFolder));
        return added;
    }
    const std::optional<QByteArray> bytes = readTrackBytes(source);
    if (!bytes) {
        const QString kind = describeFileKind(source);
        added.reason = QStringLiteral("%1 cannot be read%2").arg(QFileInfo(source).fileName(),
                                                                  kind.isEmpty() ? QString() : QStringLiteral(": it is ") + kind);
        return added;
    }
    const TrackFileFacts facts = examineTrackFile(*bytes);
    const QString notTrack = notATrackReason(facts);
    if (!notTrack.isEmpty()) {
        added.reason = QStringLiteral("%1 is not a track: %2").arg(QFileInfo(source).fileName(), notTrack);
        return added;
    }
    const QString folder = trackLibraryFolder(gameFolder, chosenFolder);
    if (!QFileInfo(folder).isDir() && !QDir().mkpath(folder)) {
        added.reason = QStringLiteral("the folder %1 cannot be made: %2")
                           .arg(QDir::toNativeSeparators(folder), describeWriteFailure(folder));
        return added;
    }
    // A track already in the folder under a DOS name that the list shows is not copied again.
    const QFileInfo from(source);
    if (from.canonicalPath() == QFileInfo(folder).canonicalFilePath() && dosNameProblem(from.fileName()).isEmpty() &&
        from.suffix().compare(QLatin1String("dat"), Qt::CaseInsensitive) == 0) {
        added.ok = added.already = true;
        added.path = joinPath(folder, from.fileName()); // as the game folder spells it, not the dialog

        added.name = from.fileName();
        return added;
    }
    const QString tagName = tagNameOf(parseTrackInfo(bytes->left(kTagWindow)));
    QStringList taken = entriesOf(folder);
    // Another program may take the name between the listing and the copy: then the next one.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString name = dosTrackName(tagName, from.completeBaseName(), taken);
        const QString path = joinPath(folder, name);
        bool exists = false;
        const WriteResult created = createNewFile(path, *bytes, from.lastModified(), &exists);
        if (exists) {
            taken << name;
            continue;
        }
        if (!created.ok) {
            added.reason = QStringLiteral("%1 cannot be written: %2").arg(QDir::toNativeSeparators(path), created.reason);
            return added;
        }
        added.ok = true;
        added.path = path;
        added.name = name;
        return added;
    }
    added.reason = QStringLiteral("no free name was found in %1").arg(QDir::toNativeSeparators(folder));
    return added;
}

AddedTracks addTrackFiles(const QStringList& sources, const QString& gameFolder, const QString& chosenFolder)
{
    AddedTracks result;
    QStringList copied;
    QStringList already;
    QStringList refused;
    for (const QString& source : sources) {
        const AddedTrack added = addTrack(source, gameFolder, chosenFolder);
        result.tracks << added;
        if (!added.ok) {
            refused << added.reason;
            continue;
        }
        if (result.firstPath.isEmpty())
            result.firstPath = added.path;
        // Named as a slot names it, relative to the game folder.
        const QString where = nativeToDos(QDir(gameFolder).relativeFilePath(added.path));
        if (added.already)
            already << where;
        else
            copied << QStringLiteral("%1 as %2").arg(QFileInfo(source).fileName(), where);
    }
    QStringList sentences;
    if (!copied.isEmpty())
        sentences << QStringLiteral("Added to the game: %1.").arg(copied.join(QStringLiteral(", ")));
    if (!already.isEmpty())
        sentences << QStringLiteral("Already in the game: %1.").arg(already.join(QStringLiteral(", ")));
    if (!refused.isEmpty())
        sentences << QStringLiteral("Not added: %1.").arg(refused.join(QStringLiteral("; ")));
    result.text = sentences.join(QLatin1Char(' '));
    return result;
}

} // namespace drovex
