#pragma once

#include "FieldSchema.h"
#include "dulcamon/core/DulcamonProfile.h"

namespace dulcamon {

// The menu's and the items' fields: what the profile and the panels are
// made from.
namespace schema {

using namespace kzt;

inline constexpr int kLargest = 9999;

inline constexpr const char* kMenuAlignments[] = {"Vertical", "Horizontal"};

inline constexpr FieldSpec kMenuFields[] = {
    trimmed(MenuName, "MenuName", "dulcam10", "edtMenuName"),
    trimmed(SubMenuFrameName, "SubMenuFrameName", "", "edtSubMenuFrameName"),
    toggle(MenuScrolled, "MenuScrolled", "0", "chckbxMenuScrolled"),
    choice(MenuAlign, "MenuAlign", "0", kMenuAlignments, "cmbxMenuAlign"),
    integer(MainMenuHOffset, "MainMenuHOffset", "0", -kLargest, kLargest, "spnedtMainMenuHOffset"),
    integer(MainMenuVOffset, "MainMenuVOffset", "0", -kLargest, kLargest, "spnedtMainMenuVOffset"),
    integer(ItemsGap, "ItemsGap", "0", -kLargest, kLargest, "spnedtItemsGap"),
    reserved(Reserved, "Reserved", "0"),
    toggle(OnlyClickShowSub, "OnlyClickShowSub", "0", "chckbxOnlyClickShowSub"),
    integer(SubMenuCloseDelay, "SubMenuCloseDelay", "1000", -kLargest, kLargest, "spnedtSubMenuCloseDelay"),
    integer(CaptionFontPadding, "CaptionFontPadding", "2", -kLargest, kLargest, "spnedtCaptionFontPadding"),
    trimmed(CaptionFontFamily, "CaptionFontFamily", "arial,helvetica,times new roman", "edtCaptionFontFamily"),
    integer(CaptionFontSize, "CaptionFontSize", "12", -kLargest, kLargest, "spnedtCaptionFontSize"),
    toggle(CaptionFontBold, "CaptionFontBold", "0", "spdbtnCaptionFontBold"),
    toggle(CaptionFontItalic, "CaptionFontItalic", "0", "spdbtnCaptionFontItalic"),
    integer(ItemBorderWidth, "ItemBorderWidth", "2", 0, kLargest, "spnedtItBrdWidth"),
    colour(ItemBorderColor, "ItemBorderColor", "FDDE73", "pnlItBrdClr"),
    integer(SubMenuHOffset, "SubMenuHOffset", "40", -kLargest, kLargest, "spnedtSubMenuHOffset"),
    integer(SubMenuVOffset, "SubMenuVOffset", "15", -kLargest, kLargest, "spnedtSubMenuVOffset"),
    toggle(EnableGlideOpen, "EnableGlideOpen", "1", "chckbxEnableGlideOpen"),
    integer(GlideStep, "GlideStep", "5", -kLargest, kLargest, "spnedtGlideStep"),
    integer(GlideSpeed, "GlideSpeed", "1", -kLargest, kLargest, "spnedtGlideSpeed"),
    trimmed(Filter, "Filter", "", "chckbxFilter"),
};

inline constexpr FieldSpec kItemFields[] = {
    derived(ItemId, "ItemId", ""),
    derived(ParentId, "ParentId", ""),
    trimmed(Caption, "Caption", "Item", "edtICaption").withRole(FieldRole::Caption),
    fileName(Url, "Url", "", FileRole::Link, "cmbxIURL").withPicker("spdbtnItURL"),
    trimmed(Target, "Target", "_self", "cmbxITarget"),
    integer(Width, "Width", "80", 0, kLargest, "spnedtIWidth"),
    integer(Height, "Height", "20", 0, kLargest, "spnedtIHeight"),
    fileName(NormalBgImage, "NormalBgImage", "", FileRole::Image, "edtINoBgImg").withPicker("spdbtnINoBgImg"),
    fileName(OverBgImage, "OverBgImage", "", FileRole::Image, "edtIOvBgImg").withPicker("spdbtnIOvBgImg"),
    colour(NormalBgColor, "NormalBgColor", "408080", "pnlItNoBgClr"),
    colour(OverBgColor, "OverBgColor", "83C0C0", "pnlItOvBgClr"),
    colour(NormalCaptionColor, "NormalCaptionColor", "00FF00", "pnlCaptionNoClr"),
    colour(OverCaptionColor, "OverCaptionColor", "008040", "pnlCaptionOvClr"),
    trimmed(Description, "Description", "", "edtIDescription"),
    derived(Level, "Level", "").withRole(FieldRole::Level),
};

inline constexpr SchemaPart kMenuParts[] = {{kMenuFields}};
inline constexpr SchemaPart kItemParts[] = {{kItemFields}};
inline constexpr ProductSchema kSchema = {{kMenuParts}, {kItemParts}};

static_assert(kSchema.applet.matches(MenuFieldCount), "menu fields and MenuField differ");
static_assert(kSchema.item.matches(ItemFieldCount), "item fields and ItemField differ");

} // namespace schema

} // namespace dulcamon
