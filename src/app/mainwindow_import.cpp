// A player's own Drovex.cfg: imported into the window on request, and never replaced unasked.
#include "app/mainwindow.h"

#include "app/settingspanel.h"
#include "cfgfile/cfgimport.h"
#include "launch/session.h"
#include "settings/settingsstore.h"
#include "tracks/trackmanager.h"
#include "widgets/services.h"

#include <QDir>
#include <QFileInfo>

namespace drovex {
void MainWindow::importConfigCommand()
{
    const QString file = m_services.openFile(this, {QStringLiteral("Drovex.cfg (drovex.cfg)|drovex.cfg|All Files (*)|*"),
                                                    m_session.gameFolder(), QStringLiteral("Import Drovex.cfg ..."),
                                                    QString::fromLatin1(kConfigFileName)});
    if (!file.isEmpty())
        importConfig(file);
}

bool MainWindow::importConfig(const QString& file) { return importConfig(file, readConfigFile(file)); }

bool MainWindow::importConfig(const QString& file, const std::optional<QByteArray>& bytes)
{
    if (!bytes) {
        showStatus(QStringLiteral("%1 could not be imported: it is not a readable file of settings.").arg(QDir::toNativeSeparators(file)));
        return false;
    }
    const ImportedConfig imported = importDrovexCfg(*bytes, m_panel->capture(), m_session.gameFolder());
    m_panel->apply(imported.settings);
    for (int n = 1; n <= kSlotCount; ++n) {
        if (const auto& path = imported.slotPaths[static_cast<size_t>(n - 1)]) {
            m_slots.setPath(n, *path);
            m_slotsImported = true;
        }
    }
    if (m_slotsImported)
        m_tracks->showSlots();
    QString text = QStringLiteral("Imported %1 settings from %2").arg(imported.imported).arg(QDir::toNativeSeparators(file));
    if (!imported.notUsed.isEmpty())
        text += QStringLiteral("; not used: ") + imported.notUsed.join(QStringLiteral(", "));
    showStatus(text);
    return true;
}

// Before a save replaces a Drovex.cfg written by another hand, asks whether to import its settings
// or to replace it; either way it is copied beside it first. False when the save is not to go on.
bool MainWindow::confirmForeignConfig()
{
    const QString folder = m_session.store().get(QString::fromLatin1(kPathGp2));
    if (folder.isEmpty())
        return true;
    const QString file = configFilePath(folder);
    if (!QFileInfo(file).isFile())
        return true; // nothing there, or a folder or pipe the save refuses anyway
    // A file that cannot be read cannot be told to be ours: it is asked about.
    const auto bytes = readConfigFile(file);
    if (bytes && !isForeignConfig(*bytes))
        return true;
    const bool defaults = m_panel->inDefaultsMode();
    QStringList buttons{QStringLiteral("Import"), QStringLiteral("Replace"), QStringLiteral("Cancel")};
    if (defaults)
        buttons.removeFirst(); // the window shows the defaults: nothing to import into
    const int answer = m_services.question(
        this, QStringLiteral("Drovex Front-End"),
        QStringLiteral("%1 was not written by the Drovex Front-End; it may hold settings tuned by hand.\n\n"
                       "%2Replace saves over it. Either way it is first copied beside it (as Drovex.cfg.bak).")
            .arg(QDir::toNativeSeparators(file),
                 defaults ? QString() : QStringLiteral("Import loads its settings into the window, then saves as usual. ")),
        buttons);
    if (answer < 0 || answer == buttons.size() - 1)
        return false;
    const QString copy = backUp(file);
    if (copy.isEmpty()) {
        showStatus(QStringLiteral("%1 was left as it is: it could not be copied beside itself first.").arg(QDir::toNativeSeparators(file)));
        return false;
    }
    if (!defaults && answer == 0)
        importConfig(file, bytes);
    return true;
}

} // namespace drovex
