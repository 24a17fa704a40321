#include "settings/catalogue.h"

namespace drovex {
namespace {

QString indexed(const char* base, int i) { return QStringLiteral("%1(%2)").arg(QLatin1String(base)).arg(i); }
bool isDotSizeIndex(int index) { return valuedSetting(index).isDotSize(); }

} // namespace

QString checkName(int index) { return indexed("Check", index); }
QString enableName(int index) { return indexed(isDotSizeIndex(index) ? "CheckC" : "CheckT", index); }
QString fieldName(int index) { return indexed(isDotSizeIndex(index) ? "TextC" : "Text", index); }
QString barName(int index) { return indexed(isDotSizeIndex(index) ? "ScrollC" : "Scroll", index); }
QString alignSwitchName(int index) { return indexed("CheckO", index); }
QString alignButtonName(int group, int button) { return indexed(group == 0 ? "OptionH" : "OptionV", button); }
QString startModeName(int index) { return indexed("OPT_StartMode", index); }
QString frameName(Frame frame) { return indexed("Frame", static_cast<int>(frame)); }

QString frameCaption(Frame frame)
{
    static const char* const captions[kFrameCount] = {
        "At The Line", "Debug Logging", "Other Options", "HOF 2.5", "Misc", "Network", "Track Map",
        "Extended Data Logging", "", "", "Track Menu", "RCR-Jams", "Mode", "Drovex", "GP2 Options"};
    return QString::fromLatin1(captions[static_cast<int>(frame)]);
}

QString alignButtonCaption(int group, int button)
{
    static const char* const h[kOptionCount] = {"Left", "Center", "Right"};
    static const char* const v[kOptionCount] = {"Top", "Center", "Bottom"};
    return QString::fromLatin1(group == 0 ? h[button] : v[button]);
}

QString startModeCaption(int index)
{
    static const char* const c[kOptionCount] = {"Start Drovex", "Start Batch-File", "Start Grand Prix 2"};
    return QString::fromLatin1(c[index]);
}

QString startModeTooltip(int index)
{
    static const char* const t[kOptionCount] = {"Start Drovex", "Start Batch-File",
                                                "Start Grand Prix 2 instead of Drovex or a Batch-File"};
    return QString::fromLatin1(t[index]);
}

QStringList switchKeys()
{
    QStringList keys;
    for (int i = 0; i < kPlainCount; ++i)
        keys << QString::fromLatin1(plainSetting(i).switchKey);
    for (int i = 0; i < kValuedCount; ++i)
        keys << QString::fromLatin1(valuedSetting(i).switchKey);
    for (int g = 0; g < kAlignCount; ++g)
        keys << QString::fromLatin1(alignmentSetting(g).switchKey);
    return keys;
}

QStringList valueKeys()
{
    QStringList keys;
    for (int i = 0; i < kValuedCount; ++i)
        keys << QString::fromLatin1(valuedSetting(i).valueKey);
    return keys;
}

QStringList indexKeys()
{
    return {QString::fromLatin1(alignmentSetting(0).valueKey), QString::fromLatin1(alignmentSetting(1).valueKey),
            QString::fromLatin1(startModeSetting().valueKey)};
}

QStringList allKeys() { return switchKeys() + valueKeys() + indexKeys(); }

} // namespace drovex
