// The main window's commands that lead to other windows and to the files it writes.
#include "app/mainwindow.h"

#include "launch/services.h"

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

bool MainWindow::WriteConfigFile() { return false; }
bool MainWindow::LaunchGame() { return false; }
void MainWindow::chooseColour(int k) { ColorIndex = k; }
void MainWindow::showStartOptions() {}
void MainWindow::showTrackManager() {}
void MainWindow::showInfo() {}
void MainWindow::showAbout() {}
StartOptionsDialog* MainWindow::startOptions(bool) { return nullptr; }
TrackSelector* MainWindow::trackSelector(bool) { return nullptr; }
void MainWindow::discardTrackWindows() {}
void MainWindow::enterTrackDefaults() {}
void MainWindow::leaveTrackDefaults() {}
void MainWindow::endProgram() { m_ending = true; }

} // namespace drovex
