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
    fileName(ApBgImg, "ApBgImg", "", FileRole::Image, "edtApBgImg")
        .withHint("Background image of the applet (GIF or JPEG)"),
    integer(ApBgImgX, "ApBgImgX", "0", -9999, 9999, "spnedtApBgImgX")
        .withHint("Horizontal position of the background image (Free alignment only)"),
    integer(ApBgImgY, "ApBgImgY", "0", -9999, 9999, "spnedtApBgImgY")
        .withHint("Vertical position of the background image (Free alignment only)"),
    choice(ApBgImgShowType, "ApBgImgShowType", "0", kImageAlignments, "cmbxApBgImgShowType")
        .withHint("How the background image is placed"),
    fileName(ApBgSnd, "ApBgSnd", "", FileRole::Sound, "edtApBgSnd")
        .withHint("Sound played while the applet shows (AU file)"),
    colour(ApBgClr, "ApBgClr", "000000", "pnlApBgClr").withHint("Background colour of the applet"),
    colour(ApBgFdClr, "ApBgFdClr", "FFFFFF", "pnlApBgFdClr").withHint("Second colour of a gradient fill"),
    choice(ApBgGrdntFllDrctn, "ApBgGrdntFllDrctn", "0", kFillModes, "cmbxApBgGrdntFllDrctn")
        .withHint("How the background is filled"),
    integer(ApBrdWidth, "ApBrdWidth", "4", 0, 9999, "spnedtApBrdWidth")
        .withHint("Width of the applet's border in pixels"),
    choice(ApBrdStyle, "ApBrdStyle", "1", kBorderStyles, "cmbxApBrdStyle").withHint("Style of the applet's border"),
    colour(ApBrdClr, "ApBrdClr", "C0C0C0", "pnlApBrdClr").withHint("Colour of the applet's border"),
    reserved(ApReserved1, "ApReserved1", "0"),
    reserved(ApReserved2, "ApReserved2", "0"),
    toggle(GlideOpen, "GlideOpen", "1", "chckbxGlideOpen").withHint("Glide when a sub-menu opens"),
    toggle(GlideClose, "GlideClose", "1", "chckbxGlideClose").withHint("Glide when a sub-menu closes"),
    integer(GlideOpenSpeed, "GlideOpenSpeed", "8", 1, 9999, "spnedtGlideOpenSpeed")
        .withHint("Speed of the opening glide"),
    integer(GlideCloseSpeed, "GlideCloseSpeed", "8", 1, 9999, "spnedtGlideCloseSpeed")
        .withHint("Speed of the closing glide"),
    colour(ApLoadingBgClr, "ApLoadingBgClr", "000000", "pnlApLoadingBgClr")
        .withHint("Background colour while the applet loads"),
    integer(ApLoadingBarX, "ApLoadingBarX", "20", -9999, 9999, "spnedtApLoadingBarX")
        .withHint("Horizontal position of the loading bar"),
    integer(ApLoadingBarY, "ApLoadingBarY", "60", -9999, 9999, "spnedtApLoadingBarY")
        .withHint("Vertical position of the loading bar"),
    integer(ApLoadingBarWidth, "ApLoadingBarWidth", "100", 0, 9999, "spnedtApLoadingBarWidth")
        .withHint("Width of the loading bar"),
    integer(ApLoadingBarHeight, "ApLoadingBarHeight", "20", 0, 9999, "spnedtApLoadingBarHeight")
        .withHint("Height of the loading bar"),
    integer(ApLoadingBarBrdWidth, "ApLoadingBarBrdWidth", "2", 0, 9999, "spnedtApLoadingBarBrdWidth")
        .withHint("Border width of the loading bar"),
    choice(ApLoadingBarBrdStyle, "ApLoadingBarBrdStyle", "1", kBorderStyles, "cmbxApLoadingBarBrdStyle")
        .withHint("Border style of the loading bar"),
    colour(ApLoadingBarBrdClr, "ApLoadingBarBrdClr", "C0C0C0", "pnlApLoadingBarBrdClr")
        .withHint("Border colour of the loading bar"),
    colour(ApLoadingBarBlankClr, "ApLoadingBarBlankClr", "C0C0C0", "pnlApLoadingBarBlankClr")
        .withHint("Colour of the part of the bar not yet filled"),
    colour(ApLoadingBarFillClr, "ApLoadingBarFillClr", "0000A0", "pnlApLoadingBarFillClr")
        .withHint("Colour of the filled part of the bar"),
    toggle(ShowLoadingBar, "ShowLoadingBar", "1", "chckbxShowLoadingBar")
        .withHint("Show a progress bar while the applet loads"),
    integer(ApLoadingMsg1X, "ApLoadingMsg1X", "20", -9999, 9999, "spnedtApLoadingMsg1X")
        .withHint("Horizontal position of message 1"),
    integer(ApLoadingMsg1Y, "ApLoadingMsg1Y", "40", -9999, 9999, "spnedtApLoadingMsg1Y")
        .withHint("Vertical position of message 1"),
    integer(ApLoadingMsg1Width, "ApLoadingMsg1Width", "80", 0, 9999, "spnedtApLoadingMsg1Width")
        .withHint("Wrap width of message 1"),
    toggle(ApLoadingMsg1AutoClr, "ApLoadingMsg1AutoClr", "1", "chckbxApLoadingMsg1AutoClr")
        .withHint("Let the applet choose the colour of message 1"),
    choice(ApLoadingMsg1FntName, "ApLoadingMsg1FntName", "1", kFontNames, "cmbxApLoadingMsg1FntName")
        .withHint("Font of message 1"),
    integer(ApLoadingMsg1FntSize, "ApLoadingMsg1FntSize", "14", -9999, 9999, "spnedtApLoadingMsg1FntSize")
        .withHint("Font size of message 1"),
    bitFlags(ApLoadingMsg1FntStyle, "ApLoadingMsg1FntStyle", "0", "spdbtnApLoadingMsg1FontBold", "spdbtnApLoadingMsg1FntItalic")
        .withHint("Bold and italic for message 1"),
    colour(ApLoadingMsg1Clr, "ApLoadingMsg1Clr", "FFFF00", "pnlApLoadingMsg1Clr").withHint("Colour of message 1"),
    text(ApLoadingMsg1, "ApLoadingMsg1", "Loading ...", "edtApLoadingMsg1").withHint("Text of message 1"),
    toggle(ShowApLoadingMsg1, "ShowApLoadingMsg1", "1", "chckbxShowApLoadingMsg1")
        .withHint("Show message 1 while the applet loads"),
    integer(ApLoadingMsg2X, "ApLoadingMsg2X", "20", -9999, 9999, "spnedtApLoadingMsg2X")
        .withHint("Horizontal position of message 2"),
    integer(ApLoadingMsg2Y, "ApLoadingMsg2Y", "120", -9999, 9999, "spnedtApLoadingMsg2Y")
        .withHint("Vertical position of message 2"),
    integer(ApLoadingMsg2Width, "ApLoadingMsg2Width", "140", 0, 9999, "spnedtApLoadingMsg2Width")
        .withHint("Wrap width of message 2"),
    toggle(ApLoadingMsg2AutoClr, "ApLoadingMsg2AutoClr", "1", "chckbxApLoadingMsg2AutoClr")
        .withHint("Let the applet choose the colour of message 2"),
    choice(ApLoadingMsg2FntName, "ApLoadingMsg2FntName", "1", kFontNames, "cmbxApLoadingMsg2FntName")
        .withHint("Font of message 2"),
    integer(ApLoadingMsg2FntSize, "ApLoadingMsg2FntSize", "14", -9999, 9999, "spnedtApLoadingMsg2FntSize")
        .withHint("Font size of message 2"),
    bitFlags(ApLoadingMsg2FntStyle, "ApLoadingMsg2FntStyle", "0", "spdbtnApLoadingMsg2FontBold", "spdbtnApLoadingMsg2FntItalic")
        .withHint("Bold and italic for message 2"),
    colour(ApLoadingMsg2Clr, "ApLoadingMsg2Clr", "FFFF00", "pnlApLoadingMsg2Clr").withHint("Colour of message 2"),
    text(ApLoadingMsg2, "ApLoadingMsg2", "More Loading Message Here ... ", "edtApLoadingMsg2")
        .withHint("Text of message 2"),
    toggle(ShowApLoadingMsg2, "ShowApLoadingMsg2", "0", "chckbxShowApLoadingMsg2")
        .withHint("Show message 2 while the applet loads"),
    text(ApLoadingStatusBarMsg, "ApLoadingStatusBarMsg", "", "edtApLoadingStatusBarMsg")
        .withHint("Text of the browser's status bar while the applet loads"),
    choice(VSBAlign, "VSBAlign", "1", kScrollBarAlignments, "cmbxVSBAlign").withHint("Side of the vertical scroll bar"),
    colour(VSBBgClr, "VSBBgClr", "E1E1E1", "pnlVSBBgClr").withHint("Background colour of the scroll bar"),
    colour(VSBVisibleClr, "VSBVisibleClr", "C0C0C0", "pnlVSBVisibleClr").withHint("Colour of the scroll block"),
    colour(VSBUpBtnClr, "VSBUpBtnClr", "C0C0C0", "pnlVSBUpBtnClr").withHint("Colour of the up button"),
    colour(VSBDownBtnClr, "VSBDownBtnClr", "C0C0C0", "pnlVSBDownBtnClr").withHint("Colour of the down button"),
    colour(VSBUpBtnArwClr, "VSBUpBtnArwClr", "000000", "pnlVSBUpBtnArwClr").withHint("Colour of the up arrow"),
    colour(VSBDownBtnArwClr, "VSBDownBtnArwClr", "000000", "pnlVSBDownBtnArwClr").withHint("Colour of the down arrow"),
    integer(VSBWidth, "VSBWidth", "20", -kUnbounded, kUnbounded, "spnedtVSBWidth")
        .withHint("Width of the scroll bar in pixels"),
    choice(ShowCursorType, "ShowCursorType", "1", kCursorChoices, "cmbxShowCursorType")
        .withHint("Which mouse cursor the applet shows"),
    toggle(VSBScrollAuto, "VSBScrollAuto", "1", "chckbxVSBScrollAuto")
        .withHint("Scroll when the mouse moves over the scroll bar"),
    toggle(OpenOneSubMenuOnly, "OpenOneSubMenuOnly", "1", "chckbxOpenOneSubMenuOnly")
        .withHint("Keep only one sub-menu open at a time"),
    integer(ApWidth, "ApWidth", "200", 0, 9999, "spnedtApWidth").withHint("Width of the applet in pixels"),
    integer(ApHeight, "ApHeight", "400", 0, 9999, "spnedtApHeight").withHint("Height of the applet in pixels"),
    toggle(LoadAppletParamFromFile, "LoadAppletParamFromFile", "0", "chckbxLoadAppletParamFromFile")
        .withHint("The applet reads its parameters from a separate file"),
    text(AppletParametersFileName, "AppletParametersFileName", "vantrel2_params_file", "edtAppletParametersFileName")
        .withHint("Name of the parameters file"),
};
// One look of an item; "%" is the look: normal, mouse over, clicked.
inline constexpr FieldSpec kLookFields[] = {
    choice(FntName, "It%FntName", "1", kFontNames, "cmbxIt%FntName").withHint("Caption font"),
    integer(FntSize, "It%FntSize", "14", -9999, 9999, "spnedtIt%FntSize").withHint("Caption font size"),
    bitFlags(FntStyle, "It%FntStyle", "0", "spdbtnIt%FntBold", "spdbtnIt%FntItalic")
        .withHint("Bold and italic caption"),
    colour(TextClr, "It%TextClr", "000000", "pnlIt%TextClr").withHint("Caption colour"),
    choice(TextHAlign, "It%TextHAlign", "1", kHorizontalAlignments, "cmbxIt%TextHAlign")
        .withHint("Horizontal alignment of the caption"),
    integer(TextHOffset, "It%TextHOffset", "0", -9999, 9999, "spnedtIt%TextHOffset")
        .withHint("Horizontal offset of the caption"),
    choice(TextVAlign, "It%TextVAlign", "1", kVerticalAlignments, "cmbxIt%TextVAlign")
        .withHint("Vertical alignment of the caption"),
    integer(TextVOffset, "It%TextVOffset", "0", -9999, 9999, "spnedtIt%TextVOffset")
        .withHint("Vertical offset of the caption"),
    fileName(BgImg, "It%BgImg", "", FileRole::Image, "edtItem%BgImg").withHint("Background image (GIF or JPEG)"),
    integer(BgImgX, "It%BgImgX", "0", -9999, 9999, "spnedtIt%BgImgX")
        .withHint("Horizontal position of the image (Free alignment only)"),
    integer(BgImgY, "It%BgImgY", "0", -9999, 9999, "spnedtIt%BgImgY")
        .withHint("Vertical position of the image (Free alignment only)"),
    choice(BgImgAlign, "It%BgImgAlign", "0", kImageAlignments, "spnedtIt%BgImgAlign")
        .withHint("How the background image is placed"),
    fileName(BgSnd, "It%BgSnd", "", FileRole::Sound, "edtItem%BgSnd").onlyIn(0b110)
        .withHint("Sound played on entering this look (AU file)"),
    colour(BgClr, "It%BgClr", "FFFFFF", "pnlIt%BgClr").withHint("Background colour"),
    colour(BgFdClr, "It%BgFdClr", "000000", "pnlIt%BgFdClr").withHint("Second colour of a gradient fill"),
    choice(BgGrdntFllDrctn, "It%BgGrdntFllDrctn", "0", kFillModes, "cmbxIt%BgGrdntFllDrctn")
        .withHint("How the background is filled"),
    integer(BrdWidth, "It%BrdWidth", "0", 0, 9999, "spnedtIt%BrdWidth").withHint("Border width in pixels"),
    choice(BrdStyle, "It%BrdStyle", "0", kBorderStyles, "cmbxIt%BrdStyle").withHint("Border style"),
    colour(BrdClr, "It%BrdClr", "000000", "pnlIt%BrdClr").withHint("Border colour"),
    toggle(BgImgTransparent, "It%BgImgTransparent", "0", "chckbxIt%BgImgTransparent")
        .withHint("Draw the background image transparent"),
};
// The fields common to every look, after the three looks.
inline constexpr FieldSpec kItemFields[] = {
    trimmed(ICaption, "ICaption", "Item", "edtICaption").withRole(FieldRole::Caption).withHint("Caption of the item"),
    fileName(IURL, "IURL", "", FileRole::Link, "cmbxIURL").withHint("Link address of the item"),
    trimmed(ITarget, "ITarget", "_self", "cmbxITarget").withHint("Window or frame the link opens in"),
    trimmed(IDescription, "IDescription", "", "edtIDescription")
        .withHint("Text of the browser's status bar while the mouse is over the item"),
    reserved(Reserved, "Reserved", "0"),
    reserved(Reserved2, "Reserved2", "0"),
    reserved(Reserved3, "Reserved3", "0"),
    derived(Level, "Level", "0").withRole(FieldRole::Level),
    choice(ItemInitVisible, "ItemInitVisible", "1", kVisibilities, "cmbxItemInitVisible")
        .withHint("Whether the item shows when the applet starts"),
    derived(StyleIndex, "StyleIndex", "0"),
    integer(IX, "IX", "20", -9999, 9999, "spnedtIX").withHint("Horizontal position of the item inside the applet"),
    integer(IY, "IY", "5", -9999, 9999, "spnedtIY").withHint("Gap above the item in pixels"),
    integer(IWidth, "IWidth", "80", 0, 9999, "spnedtIWidth").withHint("Width of the item"),
    integer(IHeight, "IHeight", "20", 0, 9999, "spnedtIHeight").withHint("Height of the item"),
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
