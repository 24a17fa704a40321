// The Track Manager's slots: assigning the chosen file, showing the table, and what becomes of
// choices on Accept, Cancel and when something else needs the slots.
#include "common/indexing.h"
#include "tracks/trackselector.h"

#include "common/dosname.h"
#include "common/paths.h"
#include "system/session.h"
#include "tracks/infoframes.h"
#include "tracks/navigation.h"
#include "tracks/originaltracks.h"
#include "tracks/trackinfowindow.h"
#include "widgets/elidinglabel.h"
#include "widgets/services.h"

#include <QComboBox>
#include <QDir>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

namespace drovex {

void TrackSelector::slotLabelClicked(int slot)
{
    m_pendingFile.clear(); // the player's own choice wins over a file just added
    m_selectedPath = SlotTable::fullPath(m_session.gameFolder(), m_table.path(slot));
    deliver(ReadTrackInfo(m_selectedPath));
    showDetails(m_selectedPath);
    setSlotButtons(false);
    m_details->setEnabled(true);
}

void TrackSelector::assignSlot(int slot)
{
    if (m_selectedPath.isEmpty() || m_session.gameFolder().isEmpty() || !dosProblem(m_selectedPath).isEmpty())
        return;
    m_table.setName(slot, selectedName());
    m_table.setPath(slot, slotPathOf(m_selectedPath));
    m_hint->setValue(standardHint());
    refreshSlots();
    setSlotButtons(false);
    m_details->setEnabled(true);
}

void TrackSelector::refreshSlots()
{
    for (int n = 1; n <= SlotTable::kSlots; ++n) {
        ElidingLabel* label = at(m_label, n - 1);
        if (label->fullText() != m_table.name(n))
            label->setFullText(m_table.name(n));
        label->setToolTip(slotToolTip(n));
    }
}

// The slot's file; a name cut short shows whole above it, and the game's original track the
// file is, if it is one, under it.
QString TrackSelector::slotToolTip(int slot)
{
    const int i = slot - 1;
    const QString game = m_session.gameFolder();
    const QString file = game.isEmpty() ? QString() : SlotTable::fullPath(game, m_table.path(slot));
    if (file != m_originalOf[i]) { // read again only when the slot's file changes
        m_originalOf[i] = file;
        const std::optional<OriginalTrack> original = file.isEmpty() ? std::nullopt : readOriginalTrack(file);
        m_originalLine[i] = original ? originalTrackLine(*original) : QString();
    }
    QStringList lines{m_table.path(slot)};
    if (const ElidingLabel* label = at(m_label, i); label->isElided())
        lines.prepend(label->fullText());
    if (!m_originalLine[i].isEmpty())
        lines << m_originalLine[i];
    return lines.join(QLatin1Char('\n'));
}

void TrackSelector::reload()
{
    m_table = m_slots;
    m_originalOf.fill(QString()); // the files may have changed too
    // Nothing stays highlighted that the name box, the slot buttons and More Info no longer show.
    m_files->selectionModel()->clear();
    m_selectedPath.clear();
    setSelectedName({});
    setSlotButtons(false);
    m_details->setEnabled(false);
    if (m_info)
        m_info->showInfo(TrackInfo{});
    refreshSlots();
}

void TrackSelector::setDefaultsMode(bool on)
{
    m_defaultsMode = on;
    enableFileChoice();
    for (QWidget* w : std::initializer_list<QWidget*>{m_select, m_accept})
        w->setEnabled(!on);
}

bool TrackSelector::hasUnacceptedChoices() const
{
    for (int n = 1; n <= SlotTable::kSlots; ++n)
        if (m_table.path(n) != m_slots.path(n))
            return true;
    return false;
}

TrackSelector::Choice TrackSelector::askAboutChoices(QWidget* owner)
{
    const int answer = m_services.question(
        owner, QStringLiteral("Track choices not accepted yet"),
        QStringLiteral("Track choices not accepted yet.\n\nThe Track Manager holds track choices that were not "
                       "accepted. Accept stores them; Discard drops them."),
        {QStringLiteral("Accept"), QStringLiteral("Discard"), QStringLiteral("Cancel")});
    return answer == 0 ? Choice::Accept : answer == 1 ? Choice::Discard : Choice::Cancel;
}

bool TrackSelector::storeChoices()
{
    if (!reportStoreResult(m_services, this, QStringLiteral("The track slots"), m_table.StoreSlots(m_session.store())))
        return false; // the assignments are not lost
    m_slots = m_table;
    return true;
}

void TrackSelector::accept()
{
    if (!storeChoices())
        return; // stay open
    done(NextAccepted);
    emit finished();
}

void TrackSelector::reject()
{
    if (hasUnacceptedChoices()) {
        switch (askAboutChoices(this)) {
        case Choice::Accept:
            accept();
            return;
        case Choice::Discard:
            break;
        case Choice::Cancel:
            return;
        }
    }
    done(NextClose);
    emit finished();
}

} // namespace drovex
