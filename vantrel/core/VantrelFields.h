#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace vantrel {

// Positions of the applet parameters. Fields 0 to 59 make the applet's "app"
// parameter in this order; the last four stay in the editor and the project.
enum AppletField : std::size_t {
    ApBgImg = 0,
    ApBgImgX,
    ApBgImgY,
    ApBgImgShowType,
    ApBgSnd,
    ApBgClr,
    ApBgFdClr,
    ApBgGrdntFllDrctn,
    ApBrdWidth,
    ApBrdStyle,
    ApBrdClr,
    ApReserved1,
    ApReserved2,
    GlideOpen,
    GlideClose,
    GlideOpenSpeed,
    GlideCloseSpeed,
    ApLoadingBgClr,
    ApLoadingBarX,
    ApLoadingBarY,
    ApLoadingBarWidth,
    ApLoadingBarHeight,
    ApLoadingBarBrdWidth,
    ApLoadingBarBrdStyle,
    ApLoadingBarBrdClr,
    ApLoadingBarBlankClr,
    ApLoadingBarFillClr,
    ShowLoadingBar,
    ApLoadingMsg1X,
    ApLoadingMsg1Y,
    ApLoadingMsg1Width,
    ApLoadingMsg1AutoClr,
    ApLoadingMsg1FntName,
    ApLoadingMsg1FntSize,
    ApLoadingMsg1FntStyle,
    ApLoadingMsg1Clr,
    ApLoadingMsg1,
    ShowApLoadingMsg1,
    ApLoadingMsg2X,
    ApLoadingMsg2Y,
    ApLoadingMsg2Width,
    ApLoadingMsg2AutoClr,
    ApLoadingMsg2FntName,
    ApLoadingMsg2FntSize,
    ApLoadingMsg2FntStyle,
    ApLoadingMsg2Clr,
    ApLoadingMsg2,
    ShowApLoadingMsg2,
    ApLoadingStatusBarMsg,
    VSBAlign,
    VSBBgClr,
    VSBVisibleClr,
    VSBUpBtnClr,
    VSBDownBtnClr,
    VSBUpBtnArwClr,
    VSBDownBtnArwClr,
    VSBWidth,
    ShowCursorType,
    VSBScrollAuto,
    OpenOneSubMenuOnly,
    ApWidth,
    ApHeight,
    LoadAppletParamFromFile,
    AppletParametersFileName,
    AppletFieldCount
};

// Positions of the item fields: three blocks of look fields (normal, mouse
// over, clicked) of the same layout, then the fields common to all states.
enum ItemField : std::size_t {
    ItNoFntName = 0,
    ItNoFntSize,
    ItNoFntStyle,
    ItNoTextClr,
    ItNoTextHAlign,
    ItNoTextHOffset,
    ItNoTextVAlign,
    ItNoTextVOffset,
    ItNoBgImg,
    ItNoBgImgX,
    ItNoBgImgY,
    ItNoBgImgAlign,
    ItNoBgSnd,
    ItNoBgClr,
    ItNoBgFdClr,
    ItNoBgGrdntFllDrctn,
    ItNoBrdWidth,
    ItNoBrdStyle,
    ItNoBrdClr,
    ItNoBgImgTransparent,
    ItOvFntName,
    ItOvFntSize,
    ItOvFntStyle,
    ItOvTextClr,
    ItOvTextHAlign,
    ItOvTextHOffset,
    ItOvTextVAlign,
    ItOvTextVOffset,
    ItOvBgImg,
    ItOvBgImgX,
    ItOvBgImgY,
    ItOvBgImgAlign,
    ItOvBgSnd,
    ItOvBgClr,
    ItOvBgFdClr,
    ItOvBgGrdntFllDrctn,
    ItOvBrdWidth,
    ItOvBrdStyle,
    ItOvBrdClr,
    ItOvBgImgTransparent,
    ItClFntName,
    ItClFntSize,
    ItClFntStyle,
    ItClTextClr,
    ItClTextHAlign,
    ItClTextHOffset,
    ItClTextVAlign,
    ItClTextVOffset,
    ItClBgImg,
    ItClBgImgX,
    ItClBgImgY,
    ItClBgImgAlign,
    ItClBgSnd,
    ItClBgClr,
    ItClBgFdClr,
    ItClBgGrdntFllDrctn,
    ItClBrdWidth,
    ItClBrdStyle,
    ItClBrdClr,
    ItClBgImgTransparent,
    ICaption,
    IURL,
    ITarget,
    IDescription,
    Reserved,
    Reserved2,
    Reserved3,
    Level,
    ItemInitVisible,
    StyleIndex,
    IX,
    IY,
    IWidth,
    IHeight,
    ItemFieldCount
};

// Offsets inside one state block, and where each block starts.
enum StateField : std::size_t {
    FntName = 0,
    FntSize,
    FntStyle,
    TextClr,
    TextHAlign,
    TextHOffset,
    TextVAlign,
    TextVOffset,
    BgImg,
    BgImgX,
    BgImgY,
    BgImgAlign,
    BgSnd,
    BgClr,
    BgFdClr,
    BgGrdntFllDrctn,
    BrdWidth,
    BrdStyle,
    BrdClr,
    BgImgTransparent,
    StateFieldCount
};
inline constexpr std::size_t kNormalState = ItNoFntName;
inline constexpr std::size_t kOverState = ItOvFntName;
inline constexpr std::size_t kClickedState = ItClFntName;
inline constexpr std::size_t kStates[] = {kNormalState, kOverState, kClickedState};
// The look of an item: every field of the three state blocks.
inline constexpr std::size_t kLookFieldCount = 3 * StateFieldCount;
// The applet fields the page carries.
inline constexpr std::size_t kAppFieldCount = ApWidth;

// How a field is held and edited.
enum class FieldKind {
    Text,        // as typed
    TrimmedText, // blanks at both ends dropped
    Integer,     // decimal, within the field's range
    Flag,        // "1" on, "0" off
    Colour,      // six upper-case hexadecimal digits, red first
    Choice,      // zero-based position in the field's choice list
    FontStyle,   // bold adds 1, italic adds 2
    Reserved,    // always "0", no control
    Derived      // set from the tree or by the page, no control
};

using ChoiceList = std::vector<std::string>;

// One field: its name, default, kind, the range of an integer, the entries
// of a choice, and the object names of the controls that edit it (a font
// style has a bold and an italic button).
struct FieldDescription
{
    const char* name;
    const char* defaultValue;
    FieldKind kind;
    int minimum;
    int maximum;
    const ChoiceList* choices;
    const char* control;
    const char* secondControl;
};

extern const ChoiceList FillModes;
extern const ChoiceList ImageAlignments;
extern const ChoiceList BorderStyles;
extern const ChoiceList FontNames;
extern const ChoiceList HorizontalAlignments;
extern const ChoiceList VerticalAlignments;
extern const ChoiceList CursorChoices;
extern const ChoiceList ScrollBarAlignments;
extern const ChoiceList Visibilities;
// Suggestions of the editable link and target boxes.
extern const ChoiceList UrlSuggestions;
extern const ChoiceList TargetSuggestions;

// Every applet field and every item field, in field order.
const std::vector<FieldDescription>& appletFieldDescriptions();
const std::vector<FieldDescription>& itemFieldDescriptions();

} // namespace vantrel
