#include "kestravo/core/KestravoProfile.h"

#include "AppletAgent.h"
#include "AppPaths.h"
#include "kestravo/core/KestravoPage.h"
#include "kestravo/core/KestravoSchema.h"
#include "TextFile.h"

namespace kestravo {

namespace fs = std::filesystem;

namespace {

// Writes this document's style sheet into the user's folder. Nothing reads
// it back: the copies next to a page and in the preview folder are written
// from the document itself, so two running programs never swap them.
void writeUserStyleSheet(const kzt::TkztAppletAgent& agent)
{
    const fs::path& userFolder = agent.paths().userDataDir;
    if (userFolder.empty() || !kzt::AppPaths::ensurePrivateFolder(userFolder))
        return;
    (void)kzt::TextFile::writeAtomic(userFolder / KestravoProfile::kStyleSheetFile,
                                     KestravoPage::styleSheet(agent.AppletData));
    kzt::TextFile::removeStaleTemporaries(userFolder, {KestravoProfile::kStyleSheetFile});
}

} // namespace

KestravoProfile::KestravoProfile()
{
    m_info.name = "Kestravo";
    m_info.version = "1.0";
    m_info.executableName = "kestravo";
    m_info.noteLine = "Note: This file be created and maintained by Kestravo 1.0.";
    m_info.acceptedNames = {"Kestravo"};
    m_info.extension = "ksdm";
    m_info.fileFilter = "Kestravo Files (*.ksdm)|*.ksdm";
    m_info.foreignFileMessage = "This file wasn't saved by Kestravo 1.0, open failed!";
    m_info.scriptFiles = {kScriptFile, kStyleSheetFile};
    m_info.scriptName = "";
    m_info.report.purposeLine = "This message contain the information about how to publish the Javascript menu. "
                                "Please read it carefully!";
    m_info.report.projectExtension = "ksdm";
    m_info.report.runtimeHeading = "[Javascript menu script file(s)]:";
    // The items carry no files, so the image section has its heading only.
    kzt::deriveFromSchema(
        m_info, schema::kSchema,
        {{kzt::FileRole::Image, "[Image File(s)]: They should be copied to the same directory the script file in!"}});
}

const KestravoProfile& KestravoProfile::instance()
{
    static const KestravoProfile profile;
    return profile;
}

kzt::TAppletData KestravoProfile::defaultAppletData() const
{
    return kzt::TAppletData(kzt::schemaDefaults(schema::kSchema.applet));
}

kzt::TItemData KestravoProfile::defaultItemData() const
{
    return kzt::TItemData(kzt::schemaDefaults(schema::kSchema.item));
}

void KestravoProfile::resetAppletData(kzt::TAppletData& data) const
{
    kzt::TAppletData fresh = defaultAppletData();
    for (std::size_t field :
         {pInternalUse_RootDir_Local, pInternalUse_RootDir_Remote, pInternalUse_RootDir_Local_Checked}) {
        if (field < data.size())
            fresh.set(field, data.get(field));
    }
    data = std::move(fresh);
}

void KestravoProfile::refreshDerivedFields(kzt::TkztAppletAgent& agent) const
{
    agent.UpdateItemLevels();
}

std::string KestravoProfile::generatePage(const kzt::TkztAppletAgent& agent) const
{
    return KestravoPage::generate(agent);
}

void KestravoProfile::writePage(const kzt::TkztAppletAgent& agent, kzt::LineWriter& out) const
{
    KestravoPage::write(agent, out);
}

kzt::Status KestravoProfile::writeGeneratedFiles(const kzt::TkztAppletAgent& agent) const
{
    // The user's copy is a convenience; a failure here loses nothing.
    writeUserStyleSheet(agent);
    return kzt::Status::success();
}

bool KestravoProfile::generateRuntimeFile(const kzt::TkztAppletAgent& agent, const std::string& name,
                                          std::string& contents) const
{
    if (name != kStyleSheetFile)
        return false;
    contents = KestravoPage::styleSheet(agent.AppletData);
    return true;
}

std::uint64_t KestravoProfile::pageSizeBound(const kzt::TkztAppletAgent& agent) const
{
    return KestravoPage::sizeBound(agent);
}

} // namespace kestravo
