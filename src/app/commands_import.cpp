// A player's own Drovex.cfg: imported into the window on request, never replaced unasked, and
// the lines of it the window has no control for kept for every later Drovex.cfg.
#include "app/commands.h"

#include "cfgfile/cfgimport.h"
#include "common/indexing.h"
#include "settings/settingsstore.h"
#include "system/session.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>

#include <utility>

namespace drovex {
namespace {

// A file as it is now: its place and its content. A file edited since counts as another.
QByteArray identityOf(const QString& file, const QByteArray& bytes)
{
    return QFileInfo(file).canonicalFilePath().toUtf8() + '\0' + QCryptographicHash::hash(bytes, QCryptographicHash::Sha1);
}

} // namespace

bool Commands::importFile(const QString& file)
{
    const ConfigFileRead read = readConfigFile(file);
    if (!read.bytes) {
        emit status(QStringLiteral("%1 could not be imported: %2.").arg(QDir::toNativeSeparators(file), read.problem));
        return false;
    }
    QString message;
    const bool taken = applyImport(file, *read.bytes, message);
    emit status(message);
    return taken;
}

// Puts a file's settings into the window and keeps its lines the window has no control for;
// nothing is stored until the user saves. False when nothing could be taken; message says what
// came in, or why nothing did.
bool Commands::applyImport(const QString& file, const QByteArray& bytes, QString& message)
{
    const ImportedConfig imported = importDrovexCfg(bytes, m_hooks.capture(), m_session.gameFolder());
    message = importMessage(imported, file);
    if (!imported.refused.isEmpty())
        return false;
    m_hooks.apply(imported.settings);
    for (int n = 1; n <= kSlotCount; ++n) {
        if (const auto& path = at(imported.slotPaths, n - 1)) {
            m_slots.setPath(n, path->isEmpty() ? SlotTable::defaultPath(n) : *path);
            m_slotsImported = true;
        }
    }
    if (m_slotsImported)
        m_hooks.slotsChanged();
    setKeptLines(imported.keptLines);
    // Imported once, a file is not asked about again in this run.
    m_settledConfigs.insert(identityOf(file, bytes), QString());
    return true;
}

void Commands::setKeptLines(const QStringList& lines)
{
    m_keptLines = lines;
    emit keptLinesChanged(!lines.isEmpty());
}

void Commands::forgetKeptLines()
{
    const qsizetype n = m_keptLines.size();
    setKeptLines({});
    emit status(QStringLiteral("%1 kept Drovex.cfg %2 forgotten: the next save leaves them out of Drovex.cfg and the settings.")
                    .arg(n)
                    .arg(n == 1 ? QStringLiteral("line") : QStringLiteral("lines")));
}

// What a save did before it wrote Drovex.cfg (a copy of the old file, an import), after the
// save's own sentence.
QString Commands::withSaveNote(const QString& text)
{
    if (m_saveNote.isEmpty())
        return text;
    return text + (text.endsWith(QLatin1Char('.')) ? QStringLiteral(" ") : QStringLiteral(". ")) + std::exchange(m_saveNote, QString());
}

// Before a save replaces a Drovex.cfg written by another hand, asks whether to import its settings
// or to replace it; either way it is copied beside it first. A file the user imported or answered
// about is not asked about again in this run: the save writes the window as it is, after the
// copy. False when the save is not to go on.
bool Commands::confirmForeignConfig()
{
    const QString folder = m_session.store().get(QString::fromLatin1(kPathGp2));
    if (folder.isEmpty())
        return true;
    const QString file = configFilePath(folder);
    if (!QFileInfo(file).isFile())
        return true; // nothing there, or a folder or pipe the save refuses anyway
    // A file that cannot be read cannot be told to be ours: it is asked about.
    const ConfigFileRead read = readConfigFile(file);
    if (read.bytes && !isForeignConfig(*read.bytes))
        return true;
    const QByteArray identity = read.bytes ? identityOf(file, *read.bytes) : QByteArray();
    const auto settled = m_settledConfigs.constFind(identity);
    if (settled != m_settledConfigs.cend() && !settled->isEmpty())
        return true; // copied already in this run
    const QString copy = backUpName(file);
    const QString copyName = QFileInfo(copy).fileName();
    bool import = false;
    if (settled == m_settledConfigs.cend()) {
        const bool offerImport = read.bytes && !m_hooks.showsDefaults(); // nothing to import into defaults
        QStringList buttons{QStringLiteral("Import"), QStringLiteral("Replace"), QStringLiteral("Cancel")};
        if (!offerImport)
            buttons.removeFirst();
        const QString name = QDir::toNativeSeparators(file);
        QString text = read.bytes ? QStringLiteral("%1 was not written by the Drovex Front-End; it may hold settings tuned by hand.").arg(name)
                                  : QStringLiteral("%1 cannot be read to tell who wrote it: %2.").arg(name, read.problem);
        text += offerImport ? QStringLiteral("\n\nImport loads its settings into the window, then saves as usual. Replace "
                                             "saves over it. Either way it is first copied beside it, as %1.")
                                  .arg(copyName)
                            : QStringLiteral("\n\nReplace saves over it after copying it beside it, as %1.").arg(copyName);
        const int answer = m_prompts.ask(title(), text, buttons);
        if (answer < 0 || answer == buttons.size() - 1)
            return false;
        import = offerImport && answer == 0;
    }
    if (!backUp(file, copy)) {
        emit status(QStringLiteral("%1 was left as it is: it could not be copied to %2 first.")
                        .arg(QDir::toNativeSeparators(file), copyName));
        return false;
    }
    m_saveNote = QStringLiteral("The old %1 was copied to %2 first").arg(QFileInfo(file).fileName(), copyName);
    if (import) {
        QString message;
        const bool taken = applyImport(file, *read.bytes, message);
        m_saveNote += QStringLiteral(". ") + message;
        if (!taken) { // the window does not hold the file's settings: nothing is saved over it
            emit status(withSaveNote(QStringLiteral("Nothing was saved")));
            return false;
        }
    }
    if (!identity.isEmpty())
        m_settledConfigs.insert(identity, copy);
    return true;
}

} // namespace drovex
