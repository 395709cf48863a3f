#pragma once

#include "FieldSchema.h"
#include "kestravo/core/KestravoProfile.h"

namespace kestravo {

// The menu's and the items' fields: what the profile and the panels are
// made from.
namespace schema {

using namespace kzt;

inline constexpr int kLargest = 9999;

inline constexpr FieldSpec kMenuFields[] = {
    integer(pMenuWidth, "pMenuWidth", "200", -kLargest, kLargest, "spnedtpMenuWidth"),
    text(pTipMessage, "pTipMessage", "Please select ...", "edtPTipMessage"),
    text(pMenuFontFamily, "pMenuFontFamily", "Verdana, Arial, Helvetica, sans-serif", "edtpMenuFontFamily"),
    integer(pMenuFontSize, "pMenuFontSize", "10", -kLargest, kLargest, "spnedtpMenuFontSize"),
    toggle(pMenuFontWeight, "pMenuFontWeight", "0", "spdbtnpMenuFontWeight"),
    toggle(pMenuFontStyle, "pMenuFontStyle", "0", "spdbtnpMenuFontStyle"),
    colour(pMenuColor, "pMenuColor", "001F5B", "pnlpMenuColor"),
    colour(pMenuBGColor, "pMenuBGColor", "F2F5FF", "pnlpMenuBGColor"),
    colour(pTipMsgColor, "pTipMsgColor", "FFFFFF", "pnlpTipMsgColor"),
    colour(pTipMsgBGColor, "pTipMsgBGColor", "C0C0C0", "pnlpTipMsgBGColor"),
    colour(pMainItemColor, "pMainItemColor", "FFFFFF", "pnlpMainItemColor"),
    colour(pMainItemBGColor, "pMainItemBGColor", "8099CA", "pnlpMainItemBGColor"),
    colour(pSubItemColor, "pSubItemColor", "677695", "pnlpSubItemColor"),
    colour(pSubItemBGColor, "pSubItemBGColor", "ECF0F8", "pnlpSubItemBGColor"),
    colour(pSubItemAlternationColor, "pSubItemAlternationColor", "677695", "pnlpSubItemAlternationColor"),
    colour(pSubItemAlternationBGColor, "pSubItemAlternationBGColor", "FFFFFF", "pnlpSubItemAlternationBGColor"),
    text(pInternalUse_RootDir_Local, "pInternalUse_RootDir_Local", "", "edtpInternalUse_RootDir_Local"),
    text(pInternalUse_RootDir_Remote, "pInternalUse_RootDir_Remote", "", "edtpInternalUse_RootDir_Remote"),
    radioFlag(pInternalUse_RootDir_Local_Checked, "pInternalUse_RootDir_Local_Checked", "",
              "rdbtnpInternalUse_RootDir_Local_Checked", "rdbtnpInternalUse_RootDir_Local_Checked2"),
};

inline constexpr FieldSpec kItemFields[] = {
    trimmed(ICaption, "ICaption", "Item", "edtICaption").withRole(FieldRole::Caption),
    fileName(pURL, "pURL", "", FileRole::Link, "cmbxpURL").withPicker("spdbtnpURL"),
    trimmed(pTarget, "pTarget", "_self", "cmbxpTarget"),
    derived(Level, "Level", "").withRole(FieldRole::Level),
    reserved(Reserved, "Reserved", ""),
};

inline constexpr SchemaPart kMenuParts[] = {{kMenuFields}};
inline constexpr SchemaPart kItemParts[] = {{kItemFields}};
inline constexpr ProductSchema kSchema = {{kMenuParts}, {kItemParts}};

static_assert(kSchema.applet.matches(MenuFieldCount), "menu fields and MenuField differ");
static_assert(kSchema.item.matches(ItemFieldCount), "item fields and ItemField differ");

} // namespace schema

} // namespace kestravo
