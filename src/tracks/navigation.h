#pragma once

#include <QDialog>

namespace drovex {

// Where the track windows hand over to when one of them closes: each window ends its modal
// run with the code of the next window to show, and the main window walks them one at a time.
enum Next : int {
    NextClose = QDialog::Rejected,  // back to the main window
    NextAccepted = QDialog::Accepted,
    NextSelector = 10,
    NextTrackInfo,
    NextFileInfo,
    NextFolderInfo,
    NextEmulator, // the Emulator window, then back to Folder-Info
};

} // namespace drovex
