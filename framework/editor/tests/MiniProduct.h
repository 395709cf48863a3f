#pragma once

#include "PlatformProduct.h"
#include "ProductProfile.h"

// A four-field product for framework tests: caption, url, colour, level.
class MiniProduct : public kzt::ProductProfile
{
public:
    enum Field : std::size_t { Caption = 0, Url, Colour, Level, Count };
    MiniProduct();
    const kzt::ProductInfo& info() const override { return m_info; }
    // Tests switch the window-side flags.
    kzt::ProductInfo& editableInfo() { return m_info; }
    kzt::TAppletData defaultAppletData() const override;
    kzt::TItemData defaultItemData() const override;
    void refreshDerivedFields(kzt::TkztAppletAgent& agent) const override;
    std::string generatePage(const kzt::TkztAppletAgent& agent) const override;

private:
    kzt::ProductInfo m_info;
};

// What the platform layer knows of the stand-in product.
kzt::PlatformProduct miniPlatform();
