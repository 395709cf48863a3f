#include "dulcamon/core/DulcamonProfile.h"

#include "AppletAgent.h"
#include "dulcamon/core/DulcamonPage.h"
#include "dulcamon/core/DulcamonSchema.h"

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
    m_info.derivedItemFields = {ItemId, ParentId};
    m_info.scriptFiles = {"dulcamon10.js"};
    m_info.scriptName = "dulcamon10";
    m_info.report.purposeLine = "This message contain the information about how to publish the Javascript menu. "
                                "Please read it carefully!";
    m_info.report.projectExtension = "dlcg";
    m_info.report.runtimeHeading = "[Javascript menu script file(s)]:";
    kzt::deriveFromSchema(
        m_info, schema::kSchema,
        {{kzt::FileRole::Image, "[Image File(s)]: They should be copied to the same directory the script file in!"}});
}

const DulcamonProfile& DulcamonProfile::instance()
{
    static const DulcamonProfile profile;
    return profile;
}

kzt::TAppletData DulcamonProfile::defaultAppletData() const
{
    return kzt::TAppletData(kzt::schemaDefaults(schema::kSchema.applet));
}

kzt::TItemData DulcamonProfile::defaultItemData() const
{
    return kzt::TItemData(kzt::schemaDefaults(schema::kSchema.item));
}

void DulcamonProfile::refreshDerivedFields(kzt::TkztAppletAgent& agent) const
{
    agent.NumberItems(ItemId, ParentId);
}

std::string DulcamonProfile::generatePage(const kzt::TkztAppletAgent& agent) const
{
    return DulcamonPage::generate(agent);
}

void DulcamonProfile::writePage(const kzt::TkztAppletAgent& agent, kzt::LineWriter& out) const
{
    DulcamonPage::write(agent, out);
}

} // namespace dulcamon
