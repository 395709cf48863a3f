#pragma once

#include "ProductProfile.h"

namespace dulcamon {

// Positions of the menu parameters.
enum MenuField : std::size_t {
    MenuName = 0,
    SubMenuFrameName,
    MenuScrolled,
    MenuAlign,
    MainMenuHOffset,
    MainMenuVOffset,
    ItemsGap,
    Reserved,
    OnlyClickShowSub,
    SubMenuCloseDelay,
    CaptionFontPadding,
    CaptionFontFamily,
    CaptionFontSize,
    CaptionFontBold,
    CaptionFontItalic,
    ItemBorderWidth,
    ItemBorderColor,
    SubMenuHOffset,
    SubMenuVOffset,
    EnableGlideOpen,
    GlideStep,
    GlideSpeed,
    Filter,
    MenuFieldCount
};

// Positions of the item fields.
enum ItemField : std::size_t {
    ItemId = 0,
    ParentId,
    Caption,
    Url,
    Target,
    Width,
    Height,
    NormalBgImage,
    OverBgImage,
    NormalBgColor,
    OverBgColor,
    NormalCaptionColor,
    OverCaptionColor,
    Description,
    Level,
    ItemFieldCount
};

// The pop-out script menu: its records, defaults and page.
class DulcamonProfile : public kzt::ProductProfile
{
public:
    DulcamonProfile();

    const kzt::ProductInfo& info() const override { return m_info; }
    kzt::TAppletData defaultAppletData() const override;
    kzt::TItemData defaultItemData() const override;
    void refreshDerivedFields(kzt::TkztAppletAgent& agent) const override;
    std::string generatePage(const kzt::TkztAppletAgent& agent) const override;
    void writePage(const kzt::TkztAppletAgent& agent, kzt::LineWriter& out) const override;

    // The one instance the program uses.
    static const DulcamonProfile& instance();

private:
    kzt::ProductInfo m_info;
};

} // namespace dulcamon
