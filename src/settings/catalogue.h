#pragma once

#include <QString>
#include <QStringList>

#include <span>

namespace drovex {

// Store location shared by every setting the front-end keeps.
inline constexpr const char* kApplication = "Drovex Windows Front-End";
inline constexpr const char* kSection = "Settings";

// Controls are addressed by kind and index, as their object names say.
enum class Kind {
    Plain,     // Check(i), a switch of its own
    Valued,    // CheckT(i) or CheckC(i) with Text(i)/TextC(i) and usually a bar
    Alignment, // CheckO(i) with OptionH(0..2) / OptionV(0..2)
    StartMode, // OPT_StartMode(0..2)
};

inline constexpr int kPlainCount = 18;  // Check(0..17)
inline constexpr int kValuedCount = 21; // CheckT(0..18), CheckC(19..20)
inline constexpr int kColourCount = 4;  // Text(0..3) hold palette indices
inline constexpr int kGp2OptionsSwitch = 16; // Check(16), not written to Drovex.cfg
inline constexpr int kLogGlx = 7;
inline constexpr int kLogCc = 8;
inline constexpr int kDotSizeFirst = 19;
inline constexpr int kFrameCount = 15;

struct Setting {
    Kind kind;
    int index;
    int frame;
    const char* caption;
    const char* switchKey;  // switch key; for the start mode the index key
    const char* valueKey;   // value or index key, nullptr for plain switches
    const char* switchTip;  // tooltip of the switch (nullptr: none)
    const char* fieldTip;   // tooltip of the field, swatch and colour button
    bool defaultOn;         // switch state that "Default Values" puts in
    const char* defaultValue;
    const char* initialValue;
    int lo;                 // limits of a numeric field; lo > hi for free text
    int hi;
    const char* cfgKey;

    bool hasBar() const { return kind == Kind::Valued && lo <= hi; }
    bool isDotSize() const { return kind == Kind::Valued && index >= kDotSizeFirst; }
};

// Every setting in the order the window lays them out (frame by frame).
std::span<const Setting> catalogue();

const Setting* findSetting(Kind kind, int index);
const Setting& plainSetting(int index);
const Setting& valuedSetting(int index);
const Setting& alignmentSetting(int index);
const Setting& startModeSetting();

// Object names of the controls.
QString checkName(int index);          // Check(i)
QString enableName(int index);         // CheckT(i) / CheckC(i)
QString fieldName(int index);          // Text(i) / TextC(i)
QString barName(int index);            // Scroll(i) / ScrollC(i)
QString alignSwitchName(int index);    // CheckO(i)
QString alignButtonName(int group, int button); // OptionH(b) / OptionV(b)
QString startModeName(int index);      // OPT_StartMode(i)
QString frameName(int index);          // Frame(i)

QString frameCaption(int frame);
QString alignButtonCaption(int group, int button);
QString startModeCaption(int index);
QString startModeTooltip(int index);

// Orders in which loading and saving walk the controls.
const QList<int>& plainLoadOrder();
const QList<int>& valuedLoadOrder();  // 0..18, 19, 20
const QList<int>& valuedSaveOrder();  // 0,1,2,15,4..14,3,16,17,18,19,20

// Every key of the catalogue (65).
QStringList allKeys();
QStringList switchKeys();
QStringList valueKeys();
QStringList indexKeys();

} // namespace drovex
