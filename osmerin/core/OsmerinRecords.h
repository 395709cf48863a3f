#pragma once

#include "Records.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace osmerin {

// Positions of the applet parameters. Fields 0 to 24 are the applet's "app"
// value in this order; width and height go into the tag itself.
enum AppletField : std::size_t {
    ItemCount = 0,
    AppletBGColor,
    SlideSpeed,
    SlideDelay,
    SlideDirection,
    ScrollBtn1X,
    ScrollBtn1Y,
    ScrollBtn1Width,
    ScrollBtn1Height,
    ScrollBtn1BGColor,
    ScrollBtn1ArrowColor,
    ScrollBtn2X,
    ScrollBtn2Y,
    ScrollBtn2Width,
    ScrollBtn2Height,
    ScrollBtn2BGColor,
    ScrollBtn2ArrowColor,
    AppletBorderWidth,
    AppletBorderColor,
    AppletBorderStyle,
    LoadingBGColor,
    LoadingMessageColor,
    LoadingMessage,
    ShowScrollBtnFlag,
    CursorType,
    AppletWidth,
    AppletHeight,
    AppletFieldCount
};

// The applet values end with the cursor type.
inline constexpr std::size_t kAppletValueCount = CursorType + 1;

// Positions of the item fields. Fields 0 to 14 are the item's value for the
// applet; the rest are kept for the editor and the file.
enum ItemField : std::size_t {
    ItemURL = 0,
    ItemTarget,
    ItemStatusBarText,
    ItemTextAlign,
    ItemFont,
    ItemFontStyle,
    ItemFontSize,
    ItemFontEffect,
    ItemFontColor,
    ItemFontHoverColor,
    ItemImageAlign,
    ItemUnderlineColor,
    ItemUnderline,
    ItemContentType,
    ItemContent,
    ItemText,
    ItemImageFilename,
    ItemTextFilename,
    ItemComment,
    ItemFieldCount
};

inline constexpr std::size_t kItemValueCount = ItemContent + 1;

// Values of ItemContentType.
inline constexpr std::string_view kContentText = "0";
inline constexpr std::string_view kContentImage = "1";
inline constexpr std::string_view kContentTextFile = "2";

// Joins the lines of an item's text; the applet splits them again.
inline constexpr std::string_view kItemTextJoiner = "*#$@%";

// Separator of the values the applet receives.
inline constexpr std::string_view kValueSeparator = "|";

// One line per entry, in field order; a short array leaves the remaining
// fields empty and extra entries are dropped.
kzt::TStringArray AppletDataToStrings(const kzt::TAppletData& data);
kzt::TAppletData StringsToAppletData(const kzt::TStringArray& strings);
kzt::TStringArray ItemDataToStrings(const kzt::TItemData& data);
kzt::TItemData StringsToItemData(const kzt::TStringArray& strings);

// The lines of a text joined with the joiner between consecutive lines.
std::string JoinItemText(const kzt::TStringArray& lines);
// The inverse for display: a trailing empty line is not given back, and an
// empty value has no lines.
kzt::TStringArray SplitItemText(std::string_view value);

// What the applet shows for the item: its text, its image file name or its
// text file name, after the content type. Other types keep what is stored.
// A view into the item, good until the item changes; storing it back into
// the same item is safe.
std::string_view DerivedItemContent(const kzt::TItemData& item);

} // namespace osmerin
