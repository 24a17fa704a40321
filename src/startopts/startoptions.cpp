#include "startopts/startoptions.h"

#include "common/indexing.h"
#include "settings/fieldrules.h"
#include "settings/settingsstore.h"

namespace drovex {
namespace {

const StartSwitch kSwitches[kStartSwitchCount] = {
    {0, "Help", " help", "Displays this help message", "Help"},
    {1, "Video:", " video:", "Sets menu video modes on startup", "Video"},
    {2, "No State Load", " nostateload", "Don't load game state", "No State Load"},
    {3, "Log:", " log:", "Write log of startup actions (gp2.log)", "Log"},
    {4, "CD-Drive:", " cd:", "Look to driveletter for cd rom", "CD-Drive"},
    {5, "No Environment", " noenvironment", "Don't search for environment string", "No Environment"},
    {6, "No RTS/CTS", " nortscts", "Don't use rts/cts in modem link", "No RTS/CTS"},
    {7, "Menu-Keys: UDLR", " menukeys:udlr", "Keys for u/d/l/r in menus (az,. normally)", "Menu-Keys: UDLR"},
    {8, "No Sound", " nosound", "Disable sound code", "No Sound"},
    {9, "No Intro", " nointro", "Disables intro animation", "No Intro"},
    {10, "Set Manual Detail", " setmanualdetail", "Copy auto graphics detail settings to manual", "Set Manual Detail"},
    {11, "Link on Mouse-Port", " linkonmouseport", "Allow link on serial port used by mouse", "Link on Mouse-Port"},
    {12, "Use: 16550", " use16550", "Allows 16550 Uarts if found", "Use: 16550"},
    {13, "No Mouse", " nomouse", "Disable mouse", "No Mouse"},
    {14, "Min Ram", " minram", "Use minimum amount of ram", "Mini Ram"},
    {15, "Echo", " echo", "Echo command line", "Echo"},
    {16, "No Music", " nomusic", "Disable background music", "No Music"},
};

const char* const kVideoCaptions[kVideoModes] = {"Vesa", "Vga", "All", "Para"};
const char* const kLogCaptions[kLogModes] = {"On", "Off", "Safe"};

} // namespace

std::span<const StartSwitch> startSwitches() { return kSwitches; }

const QList<int>& startSwitchColumn()
{
    static const QList<int> column{5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 2, 0};
    return column;
}

QString videoCaption(int mode) { return QString::fromLatin1(kVideoCaptions[mode]); }
QString videoWord(int mode) { return videoCaption(mode).toLower(); }
QString logCaption(int mode) { return QString::fromLatin1(kLogCaptions[mode]); }
QString logWord(int mode) { return logCaption(mode).toLower(); }

QString buildOptionString(const StartOptionsState& state)
{
    QString options;
    for (const StartSwitch& s : kSwitches) {
        if (at(state.switches, s.index) != 1)
            continue;
        QString word = QString::fromLatin1(s.word);
        if (s.index == kVideoSwitch) {
            for (int m = 0; m < kVideoModes; ++m)
                if (at(state.video, m))
                    word += videoWord(m);
        } else if (s.index == kLogSwitch) {
            for (int m = 0; m < kLogModes; ++m)
                if (at(state.log, m))
                    word += logWord(m);
        } else if (s.index == kCdSwitch) {
            word += state.cdLetter;
        }
        options += word;
    }
    return options;
}

StartOptionsState StartOptionsModel::load(const SettingsStore& store)
{
    StartOptionsState state;
    for (int i = 0; i < kStartSwitchCount; ++i) {
        const auto n = toWholeNumber(store.get(QString::fromLatin1(kSwitches[i].key)));
        if (n && *n >= 0 && *n <= 2)
            at(state.switches, i) = *n;
    }
    state.cdLetter = store.get(QString::fromLatin1(kCdLetterKey));
    if (const auto n = toWholeNumber(store.get(QString::fromLatin1(kVideoKey))))
        m_video = *n;
    if (const auto n = toWholeNumber(store.get(QString::fromLatin1(kLogKey))))
        m_log = *n;
    // An index out of range selects nothing new: the design's first button stays.
    at(state.video, m_video >= 0 && m_video < kVideoModes ? m_video : 0) = true;
    at(state.log, m_log >= 0 && m_log < kLogModes ? m_log : 0) = true;
    return state;
}

WriteResult StartOptionsModel::save(SettingsStore& store, const StartOptionsState& state)
{
    int video = m_video;
    int log = m_log;
    for (int m = 0; m < kVideoModes; ++m)
        if (at(state.video, m))
            video = m;
    for (int m = 0; m < kLogModes; ++m)
        if (at(state.log, m))
            log = m;
    QList<StoreEntry> entries;
    for (int i = 0; i < kStartSwitchCount; ++i)
        entries.append({QString::fromLatin1(kSwitches[i].key), QString::number(at(state.switches, i))});
    entries.append({QString::fromLatin1(kCdLetterKey), state.cdLetter});
    entries.append({QString::fromLatin1(kVideoKey), QString::number(video)});
    entries.append({QString::fromLatin1(kLogKey), QString::number(log)});
    const WriteResult r = store.putAll(entries);
    if (r.ok) {
        m_video = video;
        m_log = log;
    }
    return r;
}

} // namespace drovex
