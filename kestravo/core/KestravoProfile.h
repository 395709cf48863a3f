#pragma once

#include "ProductProfile.h"

namespace kestravo {

// Positions of the menu parameters.
enum MenuField : std::size_t {
    pMenuWidth = 0,
    pTipMessage,
    pMenuFontFamily,
    pMenuFontSize,
    pMenuFontWeight,
    pMenuFontStyle,
    pMenuColor,
    pMenuBGColor,
    pTipMsgColor,
    pTipMsgBGColor,
    pMainItemColor,
    pMainItemBGColor,
    pSubItemColor,
    pSubItemBGColor,
    pSubItemAlternationColor,
    pSubItemAlternationBGColor,
    pInternalUse_RootDir_Local,
    pInternalUse_RootDir_Remote,
    pInternalUse_RootDir_Local_Checked,
    MenuFieldCount
};

// Positions of the item fields.
enum ItemField : std::size_t {
    ICaption = 0,
    pURL,
    pTarget,
    Level,
    Reserved,
    ItemFieldCount
};

// The drop-down menu: its records, defaults, page and style sheet.
class KestravoProfile : public kzt::ProductProfile
{
public:
    KestravoProfile();

    static constexpr const char* kScriptFile = "brevanekvrst.js";
    static constexpr const char* kStyleSheetFile = "brevanekvrst.css";

    const kzt::ProductInfo& info() const override { return m_info; }
    kzt::TAppletData defaultAppletData() const override;
    kzt::TItemData defaultItemData() const override;
    // The path conversion settings belong to the author's site, not to one
    // menu, so a new or imported menu keeps them.
    void resetAppletData(kzt::TAppletData& data) const override;
    void refreshDerivedFields(kzt::TkztAppletAgent& agent) const override;
    std::string generatePage(const kzt::TkztAppletAgent& agent) const override;
    void writePage(const kzt::TkztAppletAgent& agent, kzt::LineWriter& out) const override;
    kzt::Status writeGeneratedFiles(const kzt::TkztAppletAgent& agent) const override;
    bool generateRuntimeFile(const kzt::TkztAppletAgent& agent, const std::string& name,
                             std::string& contents) const override;
    std::uint64_t pageSizeBound(const kzt::TkztAppletAgent& agent) const override;

    // The one instance the program uses.
    static const KestravoProfile& instance();

private:
    kzt::ProductInfo m_info;
};

} // namespace kestravo
