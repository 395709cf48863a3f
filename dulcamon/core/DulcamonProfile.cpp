#include "dulcamon/core/DulcamonProfile.h"

#include "AppletAgent.h"
#include "dulcamon/core/DulcamonPage.h"

namespace dulcamon {

DulcamonProfile::DulcamonProfile()
{
    m_info.name = "Dulcamon";
    m_info.version = "1.0";
    m_info.executableName = "dulcamon";
    m_info.noteLine = "Note: This file be created and maintained by Dulcamon 1.0.";
    m_info.acceptedNames = {"Dulcamon", "Pellico"};
    m_info.extension = "dlcg";
    m_info.fileFilter = "Dulcamon Files (*.dlcg)|*.dlcg";
    m_info.foreignFileMessage = "This file wasn't saved by Dulcamon 1.0, open failed!";
    m_info.appletFieldCount = MenuFieldCount;
    m_info.itemFieldCount = ItemFieldCount;
    m_info.captionField = Caption;
    m_info.levelField = Level;
    m_info.derivedItemFields = {ItemId, ParentId};
    m_info.scriptFiles = {"dulcamon10.js"};
    m_info.scriptName = "dulcamon10";
    m_info.itemFileFields = {NormalBgImage, OverBgImage};
    m_info.report.purposeLine = "This message contain the information about how to publish the Javascript menu. "
                                "Please read it carefully!";
    m_info.report.projectExtension = "dlcg";
    m_info.report.runtimeHeading = "[Javascript menu script file(s)]:";
    m_info.report.sections = {
        {"[Image File(s)]: They should be copied to the same directory the script file in!",
         {NormalBgImage, OverBgImage}}};
}

const DulcamonProfile& DulcamonProfile::instance()
{
    static const DulcamonProfile profile;
    return profile;
}

kzt::TAppletData DulcamonProfile::defaultAppletData() const
{
    return kzt::TAppletData(kzt::TStringArray{
        "dulcam10", "", "0", "0", "0", "0", "0", "0", "0", "1000", "2", "arial,helvetica,times new roman", "12", "0",
        "0", "2", "FDDE73", "40", "15", "1", "5", "1", ""});
}

kzt::TItemData DulcamonProfile::defaultItemData() const
{
    return kzt::TItemData(kzt::TStringArray{"", "", "Item", "", "_self", "80", "20", "", "", "408080", "83C0C0",
                                            "00FF00", "008040", "", ""});
}

void DulcamonProfile::refreshDerivedFields(kzt::TkztAppletAgent& agent) const
{
    agent.NumberItems(ItemId, ParentId);
}

std::string DulcamonProfile::generatePage(const kzt::TkztAppletAgent& agent) const
{
    return DulcamonPage::generate(agent);
}

} // namespace dulcamon
