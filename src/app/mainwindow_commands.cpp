// The main window's commands that lead to other windows and to the files it writes.
#include "app/mainwindow.h"

#include "about/aboutwindow.h"
#include "app/controls.h"
#include "cfgfile/configfile.h"
#include "colours/colourselector.h"
#include "gameinfo/infowindows.h"
#include "launch/emulator.h"
#include "launch/emulatorwatch.h"
#include "launch/launcher.h"
#include "launch/platform.h"
#include "launch/services.h"
#include "settings/catalogue.h"
#include "settings/palette.h"
#include "startopts/startoptionsdialog.h"
#include "tracks/navigation.h"
#include "tracks/slottable.h"
#include "tracks/trackinfowindow.h"
#include "tracks/trackselector.h"

#include <QCheckBox>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRadioButton>
#include <QStandardPaths>

namespace drovex {
namespace {

// The front-end's own files beside its settings file: the emulator settings it passes when
// the user has chosen none, and the emulator's output of the last start.
QString ownFile(const char* name)
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QLatin1Char('/') +
           QString::fromLatin1(kApplication) + QLatin1Char('/') + QString::fromLatin1(name);
}

} // namespace

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

SlotTable& MainWindow::slotTable() { return trackSelector(true)->table(); }

TrackSelector* MainWindow::trackSelector(bool create)
{
    if (!m_trackSelector && create) {
        // Created hidden; creating it loads the slot table.
        m_trackSelector = new TrackSelector(m_session, m_services, [this] { return inDefaultsMode(); }, this);
        connect(m_trackSelector, &TrackSelector::finished, this, &MainWindow::discardTrackWindows);
    }
    return m_trackSelector;
}

// Accept and Cancel of the track selector end the track windows and with them the slot table;
// the next use loads it again from the store.
void MainWindow::discardTrackWindows()
{
    if (m_trackSelector) {
        m_trackSelector->hide();
        m_trackSelector->deleteLater();
        m_trackSelector = nullptr;
    }
}

// The track windows hand over to one another: each modal run ends with the window to show next.
void MainWindow::showTrackManager()
{
    int next = NextSelector;
    while (true) {
        TrackSelector* selector = trackSelector(next == NextSelector);
        if (!selector)
            return;
        QDialog* window = nullptr;
        switch (next) {
        case NextSelector:
            window = selector;
            break;
        case NextTrackInfo:
            window = selector->trackInfo(true);
            break;
        case NextFileInfo:
            window = selector->fileInfo(true);
            break;
        case NextFolderInfo: {
            // Filled afresh at every opening and unloaded by both of its buttons.
            FolderInfoWindow folders(m_session, selector->table(), this);
            next = folders.exec();
            if (next == NextClose)
                return;
            continue;
        }
        default:
            return;
        }
        next = window->exec();
        if (next == NextClose || next == NextAccepted)
            return;
    }
}

ConfigValues MainWindow::configValues() const
{
    ConfigValues v;
    for (size_t i = 0; i < m_check.size(); ++i)
        v.check[i] = checkNumber(m_check[i]);
    for (size_t i = 0; i < m_enable.size(); ++i) {
        v.enable[i] = checkNumber(m_enable[i]);
        v.text[i] = m_field[i]->text();
    }
    for (size_t g = 0; g < m_checkO.size(); ++g)
        v.align[g] = checkNumber(m_checkO[g]);
    v.hAlign = m_session.hAlignIndex;
    v.vAlign = m_session.vAlignIndex;
    return v;
}

bool MainWindow::WriteConfigFile()
{
    m_session.gameFolder = m_session.store.get(QString::fromLatin1(kPathGp2));
    const bool existed = trackSelector(false) != nullptr;
    SlotTable& table = slotTable();
    if (existed)
        trackSelector(false)->Read();

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
    const QString emulatorKey = QString::fromLatin1(kPathEmulator);
    const EmulatorChoice emulator =
        chooseEmulator(m_session.store.contains(emulatorKey), m_session.store.get(emulatorKey));
    if (emulator.runsDosPrograms() && isDosProgram(plan.program))
        return launchInEmulator(plan, emulator);

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

bool MainWindow::launchInEmulator(const LaunchPlan& plan, const EmulatorChoice& emulator)
{
    QString what = plan.what;
    what[0] = what[0].toUpper();
    auto refuse = [&](const QString& why) {
        showStatus(QStringLiteral("%1 could not be started: %2.").arg(what, why));
        return false;
    };
    if (const QString why = emulatorProblem(emulator); !why.isEmpty())
        return refuse(why);
    const QString ownConfig = ownFile("dosbox.conf");
    const EmulatorLaunch run =
        EmulatorLaunch::plan(plan, m_session.store.get(QString::fromLatin1(kPathEmulatorConfig)), ownConfig);
    if (!run.ok())
        return refuse(run.problem());
    if (run.usesOwnConfig())
        if (const QString why = writeOwnEmulatorConfig(ownConfig); !why.isEmpty())
            return refuse(why);
    // The emulator's output goes beside its settings; nowhere when that folder cannot be made.
    const QString log =
        QDir().mkpath(QFileInfo(ownConfig).absolutePath()) ? ownFile("emulator.log") : QString();
    const StartResult r = m_session.platform.startWatched(emulator.program(), run.arguments(), plan.folder, log);
    if (!r.ok)
        return refuse(QStringLiteral("the DOS emulator %1 did not start: %2; set it with %3")
                          .arg(QDir::toNativeSeparators(emulator.program()), r.reason,
                               QString::fromUtf8(kEmulatorMenuHint)));
    m_emulatorWatch->watch(r.pid, emulator.program(), log);
    showStatus(QStringLiteral("Started %1 in %2: %3")
                   .arg(plan.what, QDir::toNativeSeparators(emulator.program()), run.dosCommand()));
    return true;
}

void MainWindow::chooseColour(int k)
{
    ColorIndex = k;
    if (!m_colourSelector) {
        m_colourSelector = new ColourSelector(m_session, this);
        connect(m_colourSelector, &ColourSelector::colourChosen, this, [this](int index) {
            setBackground(m_swatch[static_cast<size_t>(ColorIndex)], toQColor(*paletteColour(index)));
            m_field[static_cast<size_t>(ColorIndex)]->setText(QString::number(index));
        });
    }
    m_colourSelector->setSelectedColour(m_swatch[static_cast<size_t>(k)]->palette().color(QPalette::Window));
    m_colourSelector->exec();
}
void MainWindow::showStartOptions()
{
    StartOptionsDialog* dialog = startOptions(true);
    dialog->exec();
}
void MainWindow::showInfo()
{
    if (!m_infoBox)
        m_infoBox = new InfoBox(this); // Close destroys it; the next opening starts at page 1
    m_infoBox->exec();
}

void MainWindow::showAbout()
{
    if (!m_about)
        m_about = new AboutWindow(m_services, this); // its Ok only hides it
    m_about->exec();
}
StartOptionsDialog* MainWindow::startOptions(bool create)
{
    if (!m_startOptions && create)
        m_startOptions = new StartOptionsDialog(m_session, m_services, this);
    return m_startOptions;
}
void MainWindow::enterTrackDefaults()
{
    TrackSelector* selector = trackSelector(true);
    selector->table().resetToDefaults();
    selector->setDefaultsMode(true);
    selector->Read();
}

void MainWindow::leaveTrackDefaults()
{
    TrackSelector* selector = trackSelector(true);
    selector->setDefaultsMode(false);
    selector->Read();
}

// Closes the other windows in a fixed order before the main window ends the program.
void MainWindow::endProgram()
{
    if (m_trackSelector) {
        delete m_trackSelector->fileInfo(false);
        delete m_trackSelector->trackInfo(false);
        delete m_trackSelector;
    }
    delete m_startOptions;
    delete m_colourSelector;
    delete m_infoBox;
    delete m_about;
}

} // namespace drovex
