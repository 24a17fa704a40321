#include "tracks/trackmanager.h"

#include "system/session.h"
#include "settings/settingsstore.h"
#include "tracks/fileinfowindow.h"
#include "tracks/folderinfowindow.h"
#include "tracks/navigation.h"
#include "tracks/slottable.h"
#include "tracks/trackinfowindow.h"
#include "tracks/trackselector.h"
#include "widgets/screenfit.h"
#include "widgets/services.h"

namespace drovex {
namespace {

constexpr const char* kGeometryKey = "Track Manager Geometry";

} // namespace

TrackManager::TrackManager(Session& session, Services& services, SlotTable& slotTable, std::function<bool()> defaultsMode,
                           QWidget* owner)
    : QObject(owner)
    , m_session(session)
    , m_services(services)
    , m_slots(slotTable)
    , m_defaultsMode(std::move(defaultsMode))
    , m_owner(owner)
{
    // The slots' stored paths; their names (a tag read per slot) are read only while a track
    // window can show them.
    m_slots.readPaths(m_session.store());
    // A new game folder gives every slot another file, and so another name; a hidden selector
    // shows the new folder when it comes back.
    connect(&m_session, &Session::gameFolderChanged, this, [this] {
        if (!m_defaultsMode())
            m_slots.readPaths(m_session.store());
        if (m_selector) {
            m_slots.readNames(m_session.gameFolder());
            m_selector->followGameFolder();
        }
    });
}

TrackManager::~TrackManager() { closeAll(); }

TrackSelector* TrackManager::selector(bool create)
{
    if (!m_selector && create) {
        m_slots.readNames(m_session.gameFolder());
        m_selector = new TrackSelector(m_session, m_services, m_slots, m_defaultsMode(), m_owner);
        restoreGeometryText(m_selector, m_session.store().get(QString::fromLatin1(kGeometryKey)));
        connect(m_selector, &TrackSelector::finished, this, &TrackManager::discard);
        connect(m_selector, &TrackSelector::statusMessage, this, &TrackManager::statusMessage);
    }
    return m_selector;
}

void TrackManager::readSlots()
{
    if (!m_defaultsMode())
        m_slots.readPaths(m_session.store());
    showSlots();
}

void TrackManager::showSlots()
{
    if (!m_selector)
        return;
    m_slots.readNames(m_session.gameFolder());
    m_selector->reload();
}

void TrackManager::setDefaultsMode(bool on)
{
    if (on)
        m_slots.resetToDefaults();
    if (m_selector)
        m_selector->setDefaultsMode(on);
    readSlots();
}

// The selector's size and place are kept for the next run; a store that refuses them costs
// nothing but that, but a settings file put aside on the way is said.
void TrackManager::rememberGeometry()
{
    if (!m_selector || !m_selector->testAttribute(Qt::WA_WState_Created))
        return;
    const QString key = QString::fromLatin1(kGeometryKey);
    if (m_session.store().get(key) == geometryText(m_selector))
        return;
    if (const WriteResult r = m_session.store().put(key, geometryText(m_selector)); r.ok)
        reportStoreResult(m_services, m_owner, QStringLiteral("The Track Manager's place"), r);
}

// Accept and Cancel of the track selector end the track windows with it.
void TrackManager::discard()
{
    rememberGeometry();
    if (m_selector) {
        m_selector->hide();
        m_selector->deleteLater();
        m_selector = nullptr;
    }
}

bool TrackManager::settlePendingChoices()
{
    if (!m_selector || !m_selector->hasUnacceptedChoices())
        return true;
    switch (m_selector->askAboutChoices(m_owner)) {
    case TrackSelector::Choice::Accept:
        if (!m_selector->storeChoices())
            return false;
        discard();
        return true;
    case TrackSelector::Choice::Discard:
        discard();
        return true;
    case TrackSelector::Choice::Cancel:
        break;
    }
    return false;
}

void TrackManager::closeAll()
{
    if (!m_selector)
        return;
    rememberGeometry();
    delete m_selector->fileInfo(false);
    delete m_selector->trackInfo(false);
    delete m_selector;
}

bool TrackManager::addTracks()
{
    return selector(true)->addTracks(m_owner) && !m_defaultsMode();
}

bool TrackManager::run()
{
    int next = NextSelector;
    while (true) {
        TrackSelector* s = selector(next == NextSelector);
        if (!s)
            return false;
        QDialog* window = nullptr;
        switch (next) {
        case NextSelector:
            s->refreshDetails();
            window = s;
            break;
        case NextTrackInfo:
            // The track's file is read at every showing: map, checksum and tag warnings.
            window = s->trackInfo(true);
            s->trackInfo(false)->showTrackFile(s->selectedPath(), s->table().slotsHolding(m_session.gameFolder(), s->selectedPath()));
            break;
        case NextFileInfo:
            // Refilled at every showing: it reports on the track selected now.
            s->fileInfo(true)->fill(s->selectedName(), s->selectedPath());
            window = s->fileInfo(false);
            break;
        case NextFolderInfo: {
            // Filled afresh at every opening and unloaded by both of its buttons.
            FolderInfoWindow folders(m_session, s->table(), m_owner);
            next = folders.exec();
            if (next == NextClose)
                return false;
            continue;
        }
        case NextEmulator:
            if (m_openEmulator)
                m_openEmulator();
            next = NextFolderInfo; // filled afresh: it shows the emulator chosen
            continue;
        default:
            return false;
        }
        next = window->exec();
        // Shown again where it was (the user may have moved it), not centred anew.
        window->setAttribute(Qt::WA_Moved);
        if (next == NextClose || next == NextAccepted)
            return next == NextAccepted;
    }
}

} // namespace drovex
