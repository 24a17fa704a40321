// The main window's commands that lead to other windows and to the files it writes.
#include "app/mainwindow.h"

#include "cfgfile/configfile.h"
#include "launch/launcher.h"
#include "launch/platform.h"
#include "launch/services.h"
#include "settings/catalogue.h"
#include "startopts/startoptionsdialog.h"
#include "tracks/slottable.h"

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QRadioButton>

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>

namespace drovex {

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        for (int k = 0; k < static_cast<int>(m_swatch.size()); ++k) {
            if (watched == m_swatch[k] && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
                chooseColour(k);
                return true;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

SlotTable& MainWindow::slotTable()
{
    if (!m_slots) {
        m_slots = std::make_unique<SlotTable>();
        m_slots->Read(m_session.store, m_session.gameFolder, inDefaultsMode());
    }
    return *m_slots;
}

ConfigValues MainWindow::configValues() const
{
    auto state = [](const QCheckBox* b) {
        return b->checkState() == Qt::Checked ? 1 : b->checkState() == Qt::PartiallyChecked ? 2 : 0;
    };
    ConfigValues v;
    for (size_t i = 0; i < m_check.size(); ++i)
        v.check[i] = state(m_check[i]);
    for (size_t i = 0; i < m_enable.size(); ++i) {
        v.enable[i] = state(m_enable[i]);
        v.text[i] = m_field[i]->text();
    }
    for (size_t g = 0; g < m_checkO.size(); ++g)
        v.align[g] = state(m_checkO[g]);
    v.hAlign = m_session.hAlignIndex;
    v.vAlign = m_session.vAlignIndex;
    return v;
}

bool MainWindow::WriteConfigFile()
{
    m_session.gameFolder = m_session.store.get(QString::fromLatin1(kPathGp2));
    const bool existed = m_slots != nullptr;
    SlotTable& table = slotTable();
    if (existed)
        table.Read(m_session.store, m_session.gameFolder, inDefaultsMode());

    ConfigValues values = configValues();
    for (int n = 1; n <= kSlotCount; ++n)
        values.slotValues[static_cast<size_t>(n - 1)] =
            slotLineValue(m_session.gameFolder, table.path(n), m_session.platform);
    const ConfigWriteResult r = writeConfigFile(m_session.gameFolder, renderConfigFile(values), m_session.platform);
    if (r.written)
        showStatus(QStringLiteral("Drovex.cfg written to %1").arg(QDir::toNativeSeparators(r.file)));
    else if (r.file.isEmpty())
        showStatus(QStringLiteral("Drovex.cfg was not written: %1 (choose it with Choose Path, GP2 Path).").arg(r.reason));
    else
        showStatus(QStringLiteral("Drovex.cfg could not be written to %1: %2.")
                       .arg(QDir::toNativeSeparators(r.file), r.reason));
    return r.written;
}
bool MainWindow::LaunchGame()
{
    StartOptionsDialog* options = startOptions(true);
    options->AcceptChanges();
    const QString gp2 = m_session.store.get(QString::fromLatin1(kPathGp2));
    if (!gp2.isEmpty())
        (void)QDir::setCurrent(gp2); // a missing folder leaves the current one

    int mode = -1;
    for (int m = 0; m < 3 && mode < 0; ++m)
        if (m_startMode[static_cast<size_t>(m)]->isChecked())
            mode = m;
    if (mode < 0)
        return false;
    const bool optionsOn = m_check[kGp2OptionsSwitch]->checkState() == Qt::Checked;
    if (mode != 1 && !optionsOn)
        options->OptionsGP2.clear();
    const LaunchPlan plan =
        planLaunch(static_cast<StartMode>(mode), optionsOn, options->OptionsGP2, gp2,
                   m_session.store.get(QString::fromLatin1(kPathDrovex)), m_session.store.get(QString::fromLatin1(kPathBatch)));
    const StartResult r = m_session.platform.startDetached(plan.program, plan.arguments, plan.folder);
    QString what = plan.what;
    what[0] = what[0].toUpper();
    if (r.ok)
        showStatus(QStringLiteral("Started %1: %2").arg(plan.what, QDir::toNativeSeparators(plan.program)));
    else if (plan.program.isEmpty())
        showStatus(QStringLiteral("%1 could not be started: %2 (Choose Path).").arg(what, r.reason));
    else
        showStatus(QStringLiteral("%1 could not be started from %2: %3.")
                       .arg(what, QDir::toNativeSeparators(plan.program), r.reason));
    return r.ok;
}
void MainWindow::chooseColour(int k) { ColorIndex = k; }
void MainWindow::showStartOptions()
{
    StartOptionsDialog* dialog = startOptions(true);
    dialog->exec();
}
void MainWindow::showTrackManager() {}
void MainWindow::showInfo() {}
void MainWindow::showAbout() {}
StartOptionsDialog* MainWindow::startOptions(bool create)
{
    if (!m_startOptions && create)
        m_startOptions = new StartOptionsDialog(m_session, m_services, this);
    return m_startOptions;
}
TrackSelector* MainWindow::trackSelector(bool) { return nullptr; }
void MainWindow::discardTrackWindows() {}
void MainWindow::enterTrackDefaults()
{
    SlotTable& table = slotTable();
    table.resetToDefaults();
    table.Read(m_session.store, m_session.gameFolder, true);
}

void MainWindow::leaveTrackDefaults()
{
    slotTable().Read(m_session.store, m_session.gameFolder, false);
}
void MainWindow::endProgram() { m_ending = true; }

} // namespace drovex
