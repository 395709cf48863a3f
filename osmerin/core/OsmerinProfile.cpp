#include "osmerin/core/OsmerinProfile.h"

#include "AppletAgent.h"
#include "AppletUtility.h"
#include "osmerin/core/OsmerinPage.h"
#include "osmerin/core/OsmerinProjectFormat.h"
#include "osmerin/core/OsmerinReport.h"
#include "osmerin/core/OsmerinSchema.h"

namespace osmerin {

OsmerinProfile::OsmerinProfile()
{
    m_info.name = "Osmerin";
    m_info.version = "1.0";
    // The root reads "Osmerin" at start-up and "Osmerin 2005" after New.
    m_info.rootTextAfterNew = "Osmerin 2005";
    // No recent-files list; changes are found by comparing pages.
    m_info.hasRecentFiles = false;
    m_info.olderBrowserDialog = true;
    m_info.browserPickChecksKnown = false;
    m_info.changeDetection = kzt::ProductInfo::ChangeDetection::PageComparison;
    m_info.executableName = "osmerin";
    m_info.noteLine = "Note: This file be created and maintained by Osmerin,";
    m_info.acceptedNames = {"Osmerin"};
    m_info.extension = "osn";
    m_info.fileFilter = "Osmerin Files (*.osn)|*.osn";
    m_info.foreignFileMessage = "This file wasn't saved by Osmerin, open failed!";
    m_info.scriptFiles = {kArchiveFile, kClassFile, kHelperClassFile};
    m_info.browserRuntime = OsmerinPage::kBrowserRuntime;
    m_info.scriptName = "osmeral";
    m_info.report.purposeLine = "This message contain the information about how to publish the applet. "
                                "Please read it carefully!";
    m_info.report.projectExtension = "osn";
    m_info.report.runtimeHeading =
        "[Applet class and archive file(s)]: Archive file be used for newer browser such as IE4+ or Netscape4+";
    // The tree alone holds the items' depth: the records have no level.
    // Both files of an item travel with the project whatever its content type.
    kzt::deriveFromSchema(
        m_info, schema::kSchema,
        {{kzt::FileRole::Image, "[Image File(s)]: They should be copied to the same directory the applet class file in!"},
         {kzt::FileRole::TextFile,
          "[Text File(s)]: They should be copied to the same directory the applet class file in!"}});
}

const OsmerinProfile& OsmerinProfile::instance()
{
    static const OsmerinProfile profile;
    return profile;
}

kzt::TAppletData OsmerinProfile::defaultAppletData() const
{
    return kzt::TAppletData(kzt::schemaDefaults(schema::kSchema.applet));
}

kzt::TItemData OsmerinProfile::defaultItemData() const
{
    return kzt::TItemData(kzt::schemaDefaults(schema::kSchema.item));
}

const kzt::ProjectFormat& OsmerinProfile::projectFormat() const
{
    return OsmerinProjectFormat::instance();
}

void OsmerinProfile::refreshDerivedFields(kzt::TkztAppletAgent& agent) const
{
    agent.AppletData.resize(AppletFieldCount);
    agent.AppletData.set(ItemCount, std::to_string(agent.tree().count() - 1));
    for (kzt::TItemData& item : agent.Items) {
        item.resize(ItemFieldCount);
        item.set(ItemContent, DerivedItemContent(item));
    }
}

std::string OsmerinProfile::generatePage(const kzt::TkztAppletAgent& agent) const
{
    return OsmerinPage::generate(agent);
}

void OsmerinProfile::writePage(const kzt::TkztAppletAgent& agent, kzt::LineWriter& out) const
{
    OsmerinPage::write(agent, out);
}

std::string OsmerinProfile::publishReport(const kzt::TkztAppletAgent& agent) const
{
    return OsmerinReport::text(agent);
}

void OsmerinProfile::SetItemComment(kzt::TkztAppletAgent& agent, std::size_t index, const std::string& comment)
{
    if (index >= agent.Items.size())
        return;
    agent.noteItemAboutToChange(index);
    agent.Items[index].set(ItemComment, comment);
    agent.tree().setText(agent.NodeOfItem(index), kzt::Trim(comment));
}

} // namespace osmerin
