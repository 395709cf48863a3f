#pragma once

#include "FieldSchema.h"
#include "vantrel/core/VantrelFields.h"

#include <limits>

namespace vantrel {

// The applet's and the items' fields: what the profile, the panels and the
// field descriptions are made from.
namespace schema {

using namespace kzt;

inline constexpr int kUnbounded = std::numeric_limits<int>::max();

inline constexpr const char* kFillModes[] = {"Full fill the background", "Gradient Fill (Horizontal,Single-Direction)",
                              "Gradient Fill (Horizontal,Bi-Direction)", "Gradient Fill (Vertical,Single-Direction)",
                              "Gradient Fill (Vertical,Bi-Direction)"};
inline constexpr const char* kImageAlignments[] = {"Free", "Center", "Left", "Right", "Tile", "Resize"};
inline constexpr const char* kBorderStyles[] = {"No Border", "Raised Frame", "Lowered Frame", "Raised Bevel", "Lowered Bevel"};
inline constexpr const char* kFontNames[] = {"TimesRoman", "Helvetica", "Courier", "Dialog"};
inline constexpr const char* kHorizontalAlignments[] = {"Left", "Center", "Right"};
inline constexpr const char* kVerticalAlignments[] = {"Top", "Center", "Bottom"};
inline constexpr const char* kCursorChoices[] = {"Use Default Cursor", "Use Hand Cursor when mouse over a item",
                                  "Always Use Hand Cursor"};
inline constexpr const char* kScrollBarAlignments[] = {"Left", "Right"};
inline constexpr const char* kVisibilities[] = {"Invisible", "Visible"};
inline constexpr const char* kUrlSuggestions[] = {"http://", "mailto://", "javascript:", "ftp://", "news://"};
inline constexpr const char* kTargetSuggestions[] = {"_self", "_top", "_blank", "_parent"};

inline constexpr FieldSpec kAppletFields[] = {
    fileName(ApBgImg, "ApBgImg", "", FileRole::Image, "edtApBgImg"),
    integer(ApBgImgX, "ApBgImgX", "0", -9999, 9999, "spnedtApBgImgX"),
    integer(ApBgImgY, "ApBgImgY", "0", -9999, 9999, "spnedtApBgImgY"),
    choice(ApBgImgShowType, "ApBgImgShowType", "0", kImageAlignments, "cmbxApBgImgShowType"),
    fileName(ApBgSnd, "ApBgSnd", "", FileRole::Sound, "edtApBgSnd"),
    colour(ApBgClr, "ApBgClr", "000000", "pnlApBgClr"),
    colour(ApBgFdClr, "ApBgFdClr", "FFFFFF", "pnlApBgFdClr"),
    choice(ApBgGrdntFllDrctn, "ApBgGrdntFllDrctn", "0", kFillModes, "cmbxApBgGrdntFllDrctn"),
    integer(ApBrdWidth, "ApBrdWidth", "4", 0, 9999, "spnedtApBrdWidth"),
    choice(ApBrdStyle, "ApBrdStyle", "1", kBorderStyles, "cmbxApBrdStyle"),
    colour(ApBrdClr, "ApBrdClr", "C0C0C0", "pnlApBrdClr"),
    reserved(ApReserved1, "ApReserved1", "0"),
    reserved(ApReserved2, "ApReserved2", "0"),
    toggle(GlideOpen, "GlideOpen", "1", "chckbxGlideOpen"),
    toggle(GlideClose, "GlideClose", "1", "chckbxGlideClose"),
    integer(GlideOpenSpeed, "GlideOpenSpeed", "8", 1, 9999, "spnedtGlideOpenSpeed"),
    integer(GlideCloseSpeed, "GlideCloseSpeed", "8", 1, 9999, "spnedtGlideCloseSpeed"),
    colour(ApLoadingBgClr, "ApLoadingBgClr", "000000", "pnlApLoadingBgClr"),
    integer(ApLoadingBarX, "ApLoadingBarX", "20", -9999, 9999, "spnedtApLoadingBarX"),
    integer(ApLoadingBarY, "ApLoadingBarY", "60", -9999, 9999, "spnedtApLoadingBarY"),
    integer(ApLoadingBarWidth, "ApLoadingBarWidth", "100", 0, 9999, "spnedtApLoadingBarWidth"),
    integer(ApLoadingBarHeight, "ApLoadingBarHeight", "20", 0, 9999, "spnedtApLoadingBarHeight"),
    integer(ApLoadingBarBrdWidth, "ApLoadingBarBrdWidth", "2", 0, 9999, "spnedtApLoadingBarBrdWidth"),
    choice(ApLoadingBarBrdStyle, "ApLoadingBarBrdStyle", "1", kBorderStyles, "cmbxApLoadingBarBrdStyle"),
    colour(ApLoadingBarBrdClr, "ApLoadingBarBrdClr", "C0C0C0", "pnlApLoadingBarBrdClr"),
    colour(ApLoadingBarBlankClr, "ApLoadingBarBlankClr", "C0C0C0", "pnlApLoadingBarBlankClr"),
    colour(ApLoadingBarFillClr, "ApLoadingBarFillClr", "0000A0", "pnlApLoadingBarFillClr"),
    toggle(ShowLoadingBar, "ShowLoadingBar", "1", "chckbxShowLoadingBar"),
    integer(ApLoadingMsg1X, "ApLoadingMsg1X", "20", -9999, 9999, "spnedtApLoadingMsg1X"),
    integer(ApLoadingMsg1Y, "ApLoadingMsg1Y", "40", -9999, 9999, "spnedtApLoadingMsg1Y"),
    integer(ApLoadingMsg1Width, "ApLoadingMsg1Width", "80", 0, 9999, "spnedtApLoadingMsg1Width"),
    toggle(ApLoadingMsg1AutoClr, "ApLoadingMsg1AutoClr", "1", "chckbxApLoadingMsg1AutoClr"),
    choice(ApLoadingMsg1FntName, "ApLoadingMsg1FntName", "1", kFontNames, "cmbxApLoadingMsg1FntName"),
    integer(ApLoadingMsg1FntSize, "ApLoadingMsg1FntSize", "14", -9999, 9999, "spnedtApLoadingMsg1FntSize"),
    bitFlags(ApLoadingMsg1FntStyle, "ApLoadingMsg1FntStyle", "0", "spdbtnApLoadingMsg1FontBold", "spdbtnApLoadingMsg1FntItalic"),
    colour(ApLoadingMsg1Clr, "ApLoadingMsg1Clr", "FFFF00", "pnlApLoadingMsg1Clr"),
    text(ApLoadingMsg1, "ApLoadingMsg1", "Loading ...", "edtApLoadingMsg1"),
    toggle(ShowApLoadingMsg1, "ShowApLoadingMsg1", "1", "chckbxShowApLoadingMsg1"),
    integer(ApLoadingMsg2X, "ApLoadingMsg2X", "20", -9999, 9999, "spnedtApLoadingMsg2X"),
    integer(ApLoadingMsg2Y, "ApLoadingMsg2Y", "120", -9999, 9999, "spnedtApLoadingMsg2Y"),
    integer(ApLoadingMsg2Width, "ApLoadingMsg2Width", "140", 0, 9999, "spnedtApLoadingMsg2Width"),
    toggle(ApLoadingMsg2AutoClr, "ApLoadingMsg2AutoClr", "1", "chckbxApLoadingMsg2AutoClr"),
    choice(ApLoadingMsg2FntName, "ApLoadingMsg2FntName", "1", kFontNames, "cmbxApLoadingMsg2FntName"),
    integer(ApLoadingMsg2FntSize, "ApLoadingMsg2FntSize", "14", -9999, 9999, "spnedtApLoadingMsg2FntSize"),
    bitFlags(ApLoadingMsg2FntStyle, "ApLoadingMsg2FntStyle", "0", "spdbtnApLoadingMsg2FontBold", "spdbtnApLoadingMsg2FntItalic"),
    colour(ApLoadingMsg2Clr, "ApLoadingMsg2Clr", "FFFF00", "pnlApLoadingMsg2Clr"),
    text(ApLoadingMsg2, "ApLoadingMsg2", "More Loading Message Here ... ", "edtApLoadingMsg2"),
    toggle(ShowApLoadingMsg2, "ShowApLoadingMsg2", "0", "chckbxShowApLoadingMsg2"),
    text(ApLoadingStatusBarMsg, "ApLoadingStatusBarMsg", "", "edtApLoadingStatusBarMsg"),
    choice(VSBAlign, "VSBAlign", "1", kScrollBarAlignments, "cmbxVSBAlign"),
    colour(VSBBgClr, "VSBBgClr", "E1E1E1", "pnlVSBBgClr"),
    colour(VSBVisibleClr, "VSBVisibleClr", "C0C0C0", "pnlVSBVisibleClr"),
    colour(VSBUpBtnClr, "VSBUpBtnClr", "C0C0C0", "pnlVSBUpBtnClr"),
    colour(VSBDownBtnClr, "VSBDownBtnClr", "C0C0C0", "pnlVSBDownBtnClr"),
    colour(VSBUpBtnArwClr, "VSBUpBtnArwClr", "000000", "pnlVSBUpBtnArwClr"),
    colour(VSBDownBtnArwClr, "VSBDownBtnArwClr", "000000", "pnlVSBDownBtnArwClr"),
    integer(VSBWidth, "VSBWidth", "20", -kUnbounded, kUnbounded, "spnedtVSBWidth"),
    choice(ShowCursorType, "ShowCursorType", "1", kCursorChoices, "cmbxShowCursorType"),
    toggle(VSBScrollAuto, "VSBScrollAuto", "1", "chckbxVSBScrollAuto"),
    toggle(OpenOneSubMenuOnly, "OpenOneSubMenuOnly", "1", "chckbxOpenOneSubMenuOnly"),
    integer(ApWidth, "ApWidth", "200", 0, 9999, "spnedtApWidth"),
    integer(ApHeight, "ApHeight", "400", 0, 9999, "spnedtApHeight"),
    toggle(LoadAppletParamFromFile, "LoadAppletParamFromFile", "0", "chckbxLoadAppletParamFromFile"),
    text(AppletParametersFileName, "AppletParametersFileName", "vantrel2_params_file", "edtAppletParametersFileName"),
};
// One look of an item; "%" is the look: normal, mouse over, clicked.
inline constexpr FieldSpec kLookFields[] = {
    choice(FntName, "It%FntName", "1", kFontNames, "cmbxIt%FntName"),
    integer(FntSize, "It%FntSize", "14", -9999, 9999, "spnedtIt%FntSize"),
    bitFlags(FntStyle, "It%FntStyle", "0", "spdbtnIt%FntBold", "spdbtnIt%FntItalic"),
    colour(TextClr, "It%TextClr", "000000", "pnlIt%TextClr"),
    choice(TextHAlign, "It%TextHAlign", "1", kHorizontalAlignments, "cmbxIt%TextHAlign"),
    integer(TextHOffset, "It%TextHOffset", "0", -9999, 9999, "spnedtIt%TextHOffset"),
    choice(TextVAlign, "It%TextVAlign", "1", kVerticalAlignments, "cmbxIt%TextVAlign"),
    integer(TextVOffset, "It%TextVOffset", "0", -9999, 9999, "spnedtIt%TextVOffset"),
    fileName(BgImg, "It%BgImg", "", FileRole::Image, "edtItem%BgImg"),
    integer(BgImgX, "It%BgImgX", "0", -9999, 9999, "spnedtIt%BgImgX"),
    integer(BgImgY, "It%BgImgY", "0", -9999, 9999, "spnedtIt%BgImgY"),
    choice(BgImgAlign, "It%BgImgAlign", "0", kImageAlignments, "spnedtIt%BgImgAlign"),
    fileName(BgSnd, "It%BgSnd", "", FileRole::Sound, "edtItem%BgSnd").onlyIn(0b110),
    colour(BgClr, "It%BgClr", "FFFFFF", "pnlIt%BgClr"),
    colour(BgFdClr, "It%BgFdClr", "000000", "pnlIt%BgFdClr"),
    choice(BgGrdntFllDrctn, "It%BgGrdntFllDrctn", "0", kFillModes, "cmbxIt%BgGrdntFllDrctn"),
    integer(BrdWidth, "It%BrdWidth", "0", 0, 9999, "spnedtIt%BrdWidth"),
    choice(BrdStyle, "It%BrdStyle", "0", kBorderStyles, "cmbxIt%BrdStyle"),
    colour(BrdClr, "It%BrdClr", "000000", "pnlIt%BrdClr"),
    toggle(BgImgTransparent, "It%BgImgTransparent", "0", "chckbxIt%BgImgTransparent"),
};
// The fields common to every look, after the three looks.
inline constexpr FieldSpec kItemFields[] = {
    trimmed(ICaption, "ICaption", "Item", "edtICaption").withRole(FieldRole::Caption),
    fileName(IURL, "IURL", "", FileRole::Link, "cmbxIURL"),
    trimmed(ITarget, "ITarget", "_self", "cmbxITarget"),
    trimmed(IDescription, "IDescription", "", "edtIDescription"),
    reserved(Reserved, "Reserved", "0"),
    reserved(Reserved2, "Reserved2", "0"),
    reserved(Reserved3, "Reserved3", "0"),
    derived(Level, "Level", "0").withRole(FieldRole::Level),
    choice(ItemInitVisible, "ItemInitVisible", "1", kVisibilities, "cmbxItemInitVisible"),
    derived(StyleIndex, "StyleIndex", "0"),
    integer(IX, "IX", "20", -9999, 9999, "spnedtIX"),
    integer(IY, "IY", "5", -9999, 9999, "spnedtIY"),
    integer(IWidth, "IWidth", "80", 0, 9999, "spnedtIWidth"),
    integer(IHeight, "IHeight", "20", 0, 9999, "spnedtIHeight"),
};
inline constexpr const char* kLooks[] = {"No", "Ov", "Cl"};

inline constexpr SchemaPart kAppletParts[] = {{kAppletFields}};
inline constexpr SchemaPart kItemParts[] = {{kLookFields, kLooks}, {kItemFields}};
inline constexpr ProductSchema kSchema = {{kAppletParts}, {kItemParts}};

static_assert(kSchema.applet.matches(AppletFieldCount), "applet fields and AppletField differ");
static_assert(kSchema.item.matches(ItemFieldCount), "item fields and ItemField differ");
static_assert(std::size(kLookFields) == StateFieldCount && std::size(kLooks) * StateFieldCount == ICaption,
              "the looks and StateField differ");

} // namespace schema

} // namespace vantrel
