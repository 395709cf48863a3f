#pragma once

#include "FieldSchema.h"
#include "osmerin/core/OsmerinRecords.h"

namespace osmerin {

// The news box's and the items' fields: what the profile and the panels are
// made from. The file names and texts are kept as typed.
namespace schema {

using namespace kzt;

inline constexpr int kLargest = 3000;

inline constexpr const char* kSlideDirections[] = {"Up", "Down", "Left", "Right"};
inline constexpr const char* kBorderStyles[] = {"No Border", "Raised Frame", "Lowered Frame", "Raised Bevel",
                                                "Lowered Bevel"};
inline constexpr const char* kFonts[] = {"TimesRoman", "Helvetica", "Courier"};
inline constexpr const char* kFontSizes[] = {"8", "10", "12", "14", "16", "18", "20",
                                             "22", "24", "26", "28", "36", "48", "72"};
inline constexpr const char* kFontEffects[] = {"Normal", "Shadow"};
inline constexpr const char* kImageAlignments[] = {"Left", "Center", "Right"};

inline constexpr FieldSpec kAppletFields[] = {
    derived(ItemCount, "ItemCount", "0"),
    colour(AppletBGColor, "AppletBGColor", "000000", "pnlAppletBGColor"),
    integer(SlideSpeed, "SlideSpeed", "1", 0, kLargest, "udSlideSpeed"),
    integer(SlideDelay, "SlideDelay", "0", 0, kLargest, "udSlideDelay"),
    choice(SlideDirection, "SlideDirection", "0", kSlideDirections, "cmbxSlideDirection"),
    integer(ScrollBtn1X, "ScrollBtn1X", "125", 0, kLargest, "udScrollBtn1X"),
    integer(ScrollBtn1Y, "ScrollBtn1Y", "7", 0, kLargest, "udScrollBtn1Y"),
    integer(ScrollBtn1Width, "ScrollBtn1Width", "10", 0, kLargest, "udScrollBtn1Width"),
    integer(ScrollBtn1Height, "ScrollBtn1Height", "10", 0, kLargest, "udScrollBtn1Height"),
    colour(ScrollBtn1BGColor, "ScrollBtn1BGColor", "EDCB0A", "pnlScrollBtn1BGColor"),
    colour(ScrollBtn1ArrowColor, "ScrollBtn1ArrowColor", "000000", "pnlScrollBtn1AarowColor"),
    integer(ScrollBtn2X, "ScrollBtn2X", "125", 0, kLargest, "udScrollBtn2X"),
    integer(ScrollBtn2Y, "ScrollBtn2Y", "17", 0, kLargest, "udScrollBtn2Y"),
    integer(ScrollBtn2Width, "ScrollBtn2Width", "10", 0, kLargest, "udScrollBtn2Width"),
    integer(ScrollBtn2Height, "ScrollBtn2Height", "10", 0, kLargest, "udScrollBtn2Height"),
    colour(ScrollBtn2BGColor, "ScrollBtn2BGColor", "EDCB0A", "pnlScrollBtn2BGColor"),
    colour(ScrollBtn2ArrowColor, "ScrollBtn2ArrowColor", "000000", "pnlScrollBtn2AarowColor"),
    integer(AppletBorderWidth, "AppletBorderWidth", "6", 0, 999, "udAppletBorderWidth"),
    colour(AppletBorderColor, "AppletBorderColor", "EDCB0A", "pnlAppletBorderColor"),
    choice(AppletBorderStyle, "AppletBorderStyle", "3", kBorderStyles, "cmbxAppletBorderStyle"),
    colour(LoadingBGColor, "LoadingBGColor", "FFFFFF", "pnlLoadingBGColor"),
    colour(LoadingMessageColor, "LoadingMessageColor", "0000FF", "pnlLoadingMessageColor"),
    text(LoadingMessage, "LoadingMessage", "Loading...", "editLoadingMessage"),
    toggle(ShowScrollBtnFlag, "ShowScrollBtnFlag", "1", "chckbxShowScrollBtnFlag"),
    radioGroup(CursorType, "CursorType", "0", "grpCursorType"),
    integer(AppletWidth, "AppletWidth", "140", 0, kLargest, "udAppletWidth"),
    integer(AppletHeight, "AppletHeight", "230", 0, kLargest, "udAppletHeight"),
};

inline constexpr FieldSpec kItemFields[] = {
    text(ItemURL, "ItemURL", "", "editItemURL").withFile(FileRole::Link),
    text(ItemTarget, "ItemTarget", "_self", "cmbxItemTarget"),
    text(ItemStatusBarText, "ItemStatusBarText", "", "editItemStatusBarText"),
    radioGroup(ItemTextAlign, "ItemTextAlign", "0", "grpItemTextAlign"),
    choice(ItemFont, "ItemFont", "1", kFonts, "cmbxItemFont"),
    bitFlags(ItemFontStyle, "ItemFontStyle", "0", "spdbtnFontBold", "spdbtnFontItalic"),
    listed(ItemFontSize, "ItemFontSize", "14", kFontSizes, "cmbxItemFontSize"),
    choice(ItemFontEffect, "ItemFontEffect", "0", kFontEffects, "cmbxItemFontEffect"),
    colour(ItemFontColor, "ItemFontColor", "FFFFFF", "pnlItemFontColor"),
    colour(ItemFontHoverColor, "ItemFontHoverColor", "FFFF00", "pnlItemFontHoverColor"),
    choice(ItemImageAlign, "ItemImageAlign", "0", kImageAlignments, "cmbxItemImageAlign"),
    colour(ItemUnderlineColor, "ItemUnderlineColor", "FFFF00", "pnlItemHighlightColor"),
    radioGroup(ItemUnderline, "ItemUnderline", "1", "grpItemUnderline"),
    radioGroup(ItemContentType, "ItemContentType", "0", "grpItemContentType"),
    derived(ItemContent, "ItemContent", ""),
    multiLine(ItemText, "ItemText", "", "memoItemText"),
    text(ItemImageFilename, "ItemImageFilename", "", "editItemImageFilename").withFile(FileRole::Image),
    text(ItemTextFilename, "ItemTextFilename", "", "editItemTextFilename").withFile(FileRole::TextFile),
    text(ItemComment, "ItemComment", "Item", "editItemComment").withRole(FieldRole::Caption),
};

inline constexpr SchemaPart kAppletParts[] = {{kAppletFields}};
inline constexpr SchemaPart kItemParts[] = {{kItemFields}};
inline constexpr ProductSchema kSchema = {{kAppletParts}, {kItemParts}};

static_assert(kSchema.applet.matches(AppletFieldCount), "applet fields and AppletField differ");
static_assert(kSchema.item.matches(ItemFieldCount), "item fields and ItemField differ");

} // namespace schema

} // namespace osmerin
