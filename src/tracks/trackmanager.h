#pragma once

#include <QObject>
#include <QPointer>

#include <functional>

class QWidget;

namespace drovex {

class Session;
class Services;
class SlotTable;
class TrackSelector;

// The track windows and the walk between them. The track selector, the track info and File-Info
// windows live from the selector's first showing until its Accept or Cancel; each window ends
// its modal run with the code of the next one to show (no modal loops nest).
class TrackManager : public QObject {
    Q_OBJECT
public:
    // slotTable is the slot table the main window keeps; defaultsMode tells whether it shows defaults.
    TrackManager(Session& session, Services& services, SlotTable& slotTable, std::function<bool()> defaultsMode,
                 QWidget* owner);
    ~TrackManager() override;

    TrackSelector* selector(bool create);
    // Shows the track selector and walks the track windows until one of them ends the walk;
    // true when it ended with Accept.
    bool run();
    // Reloads the slot table (from the store unless in defaults mode) and shows it.
    void readSlots();
    // The slot table's paths changed: their names are read again and shown.
    void showSlots();
    // "Default Values" on: the game's own circuit files, and no choice of files; off: the stored slots.
    void setDefaultsMode(bool on);
    // Track choices made in the selector and not accepted yet are stored, dropped, or kept as the
    // user answers; false when the user cancelled (or the store refused them, which is said).
    bool settlePendingChoices();
    // How Folder-Info's "DOS Emulator…" opens the Emulator window, which the tracks cannot reach.
    void setEmulatorWindow(std::function<void()> open) { m_openEmulator = std::move(open); }
    // Closes File-Info, the track info and the track selector, in this order.
    void closeAll();
    // "Add Tracks to the Game…": the player picks track files, which are copied into the game;
    // true when the Track Manager is to open, with the first of them chosen (not while the
    // defaults show: then the status bar alone says what was added).
    bool addTracks();

signals:
    void statusMessage(const QString& text); // a result for the main window's status bar

private:
    void discard();
    void rememberGeometry();

    Session& m_session;
    Services& m_services;
    SlotTable& m_slots;
    std::function<bool()> m_defaultsMode;
    QWidget* m_owner;
    QPointer<TrackSelector> m_selector;
    std::function<void()> m_openEmulator;
};

} // namespace drovex
