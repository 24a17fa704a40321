#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace drovex {

// Adding downloaded tracks to the game. Drovex opens tracks under DOS, so a track file must lie
// inside the game folder under an 8.3 name; downloads come with names like
// "Phoenix_USA_1989-1990.dat" and lie anywhere.

// The folder added tracks go to: `chosen` when it lies below the game folder and DOS can reach
// it (8.3 names all the way), else the game folder's CIRCUITS folder, found ignoring
// letter case ("" without a game folder). The CIRCUITS folder need not exist yet.
QString trackLibraryFolder(const QString& gameFolder, const QString& chosen = {});

// A DOS name for a track that is not yet among the `taken` names of its folder (compared
// ignoring letter case): made from the tag's name, else from the file's name, of upper-case
// letters and digits (other letters folded to their plain form, "São Paulo" to SAOPAULO), whole
// words while they fit in 8, and ".DAT"; a number replaces the end on a clash (PHOENIX2.DAT).
QString dosTrackName(const QString& tagName, const QString& fileName, const QStringList& taken);

// The DOS name addTrack would give the file now ("" without a game folder).
QString nameForTrack(const QString& source, const QString& gameFolder, const QString& chosenFolder = {});

// The outcome of adding one file.
struct AddedTrack {
    bool ok = false;
    QString path;         // the track in the game's track folder
    QString name;         // its DOS name there
    bool already = false; // the file was there under a DOS name already: nothing was copied
    QString reason;       // why the file was refused or could not be copied
};

// Copies a track file into the game's track folder under a new DOS name; nothing is ever
// overwritten and the file itself is left as it is. A file that is no track is refused with the
// reason, and so is a copy the disk does not take.
AddedTrack addTrack(const QString& source, const QString& gameFolder, const QString& chosenFolder = {});

// The outcome of adding several files, one after the other.
struct AddedTracks {
    QList<AddedTrack> tracks; // one for each file, in the order given
    QString firstPath;        // the first file now in the track folder; "" when none is
    // What came of it in words, for the status bar: "Added to the game: Phoenix_USA_1989-1990.dat
    // as CIRCUITS\PHOENIX.DAT. Not added: x.dat is not a track: …." ("" for no file).
    QString text;
};
AddedTracks addTrackFiles(const QStringList& sources, const QString& gameFolder, const QString& chosenFolder = {});

} // namespace drovex
