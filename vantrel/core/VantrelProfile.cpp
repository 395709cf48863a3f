#include "vantrel/core/VantrelProfile.h"

#include "AppletAgent.h"
#include "vantrel/core/VantrelFields.h"
#include "vantrel/core/VantrelPage.h"
#include "vantrel/core/VantrelProjectFormat.h"
#include "vantrel/core/VantrelSchema.h"

namespace vantrel {

VantrelProfile::VantrelProfile()
{
    m_info.name = "Vantrel";
    m_info.version = "2.01";
    m_info.rootText = "Vantrel 2006";
    m_info.olderBrowserDialog = true;
    m_info.executableName = "vantrel";
    m_info.noteLine = "Note: This file be created and maintained by Vantrel 2.01.";
    m_info.acceptedNames = {"Vantrel"};
    m_info.extension = "vtp";
    m_info.fileFilter = "Vantrel Files (*.vtp)|*.vtp";
    m_info.foreignFileMessage = "This file wasn't saved by Vantrel 2.01, open failed!";
    m_info.derivedItemFields = {StyleIndex};
    m_info.scriptFiles = {std::string(kAppletBase) + ".jar", std::string(kAppletBase) + ".class",
                          std::string(kAppletBase) + "_2.class"};
    m_info.scriptName = kAppletBase;
    m_info.browserRuntime = kBrowserRuntime;
    m_info.report.purposeLine = "This message contain the information about how to publish the applet. "
                                "Please read it carefully!";
    m_info.report.projectExtension = "vtp";
    m_info.report.runtimeHeading =
        "[Applet class and archive file(s)]: Archive file be used for newer browser such as IE4+ or Netscape4+";
    kzt::deriveFromSchema(
        m_info, schema::kSchema,
        {{kzt::FileRole::Image, "[Image File(s)]: They should be copied to the same directory the applet class file in!"},
         {kzt::FileRole::Sound,
          "[Audio File(s)]: They should be copied to the same directory the applet class file in!"}});
    m_info.report.itemByItem = true;
    m_info.report.listOncePerReport = true;
    m_info.report.blankLinesBeforeEnd = 1;
}

const VantrelProfile& VantrelProfile::instance()
{
    static const VantrelProfile profile;
    return profile;
}

kzt::TAppletData VantrelProfile::defaultAppletData() const
{
    return kzt::TAppletData(kzt::schemaDefaults(schema::kSchema.applet));
}

kzt::TItemData VantrelProfile::defaultItemData() const
{
    return kzt::TItemData(kzt::schemaDefaults(schema::kSchema.item));
}

const kzt::ProjectFormat& VantrelProfile::projectFormat() const
{
    return VantrelProjectFormat::instance();
}

void VantrelProfile::refreshDerivedFields(kzt::TkztAppletAgent& agent) const
{
    agent.UpdateItemLevels();
    VantrelPage::assignStyleIndexes(agent.Items);
}

std::string VantrelProfile::generatePage(const kzt::TkztAppletAgent& agent) const
{
    return VantrelPage::page(agent.AppletData, agent.Items, agent.ScriptRuntime());
}

void VantrelProfile::writePage(const kzt::TkztAppletAgent& agent, kzt::LineWriter& out) const
{
    VantrelPage::writePage(out, agent.AppletData, agent.Items, agent.ScriptRuntime());
}

std::vector<kzt::ProductProfile::CompanionFile> VantrelProfile::companionFiles(const kzt::TkztAppletAgent& agent) const
{
    if (!VantrelPage::usesParametersFile(agent.AppletData))
        return {};
    return {{std::string(agent.AppletData.get(AppletParametersFileName)),
             VantrelPage::parametersFile(agent.AppletData, agent.Items)}};
}

std::vector<kzt::ProductProfile::CompanionName> VantrelProfile::companionFileNames(const kzt::TkztAppletAgent& agent) const
{
    if (!VantrelPage::usesParametersFile(agent.AppletData))
        return {};
    return {{std::string(agent.AppletData.get(AppletParametersFileName)), kParametersFileWhat}};
}

std::uint64_t VantrelProfile::pageSizeBound(const kzt::TkztAppletAgent& agent) const
{
    return VantrelPage::sizeBound(agent.AppletData, agent.Items);
}

} // namespace vantrel
