#include "MiniProduct.h"

#include "AppletAgent.h"

MiniProduct::MiniProduct()
{
    m_info.name = "Mini";
    m_info.version = "1.0";
    m_info.executableName = "mini";
    m_info.acceptedNames = {"Mini"};
    m_info.extension = "mini";
    m_info.fileFilter = "Mini Files (*.mini)|*.mini";
    m_info.appletFieldCount = 1;
    m_info.itemFieldCount = Count;
    m_info.captionField = Caption;
    m_info.levelField = Level;
}

kzt::TAppletData MiniProduct::defaultAppletData() const
{
    return kzt::TAppletData(kzt::TStringArray{"menu"});
}

kzt::TItemData MiniProduct::defaultItemData() const
{
    return kzt::TItemData(kzt::TStringArray{"Item", "", "FFFFFF", ""});
}

void MiniProduct::refreshDerivedFields(kzt::TkztAppletAgent& agent) const
{
    agent.UpdateItemLevels();
}

std::string MiniProduct::generatePage(const kzt::TkztAppletAgent& agent) const
{
    std::string page;
    for (const auto& item : agent.Items)
        page.append(item.get(Caption)).append("\n");
    return page;
}

kzt::PlatformProduct miniPlatform()
{
    kzt::PlatformProduct product;
    product.name = "Mini";
    product.version = "1.0";
    product.executable = "mini";
    product.extension = "mini";
    product.documentType = "Mini.Document";
    return product;
}
