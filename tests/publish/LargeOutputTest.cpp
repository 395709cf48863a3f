// A page or project large enough to go to its file in many pieces is byte
// for byte the text the same document makes in memory, for each program; a
// page that must declare its charset is made whole and declares it.
#include "KztTestSupport.h"
#include "ProjectFileFormat.h"
#include "SampleProjects.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using kzt::testsupport::readFile;
using kzt::testsupport::TempFolder;

namespace {

class LargeOutput : public ::testing::TestWithParam<int>
{
protected:
    const bench::Product& product() const { return bench::products()[GetParam()]; }
    TempFolder m_folder;
};

std::string productName(const ::testing::TestParamInfo<int>& info)
{
    return bench::products()[info.param].name;
}

} // namespace

TEST_P(LargeOutput, writtenInPieces_isTheTextMadeInMemory)
{
    kzt::AppPaths paths;
    paths.previewDir = m_folder.path() / "preview";
    kzt::TkztAppletAgent agent(product().profile, paths);
    ASSERT_TRUE(bench::fillProject(agent, product(), 20000));
    agent.SetScriptRuntime(true);

    const fs::path page = m_folder.path() / "page.html";
    ASSERT_TRUE(agent.BuildHTMLFile(page).ok());
    const std::string made = agent.BuildHTMLText();
    ASSERT_GT(made.size(), std::size_t{2} << 20);
    EXPECT_EQ(readFile(page), made);

    std::string project;
    ASSERT_TRUE(agent.product().projectFormat().render(agent, project).ok());
    ASSERT_TRUE(agent.WriteProjectFile(m_folder.path() / "project").ok());
    EXPECT_EQ(readFile(m_folder.path() / "project"), project);

    // One accented caption near the end: the page declares its charset near
    // its top, so it is made whole first.
    kzt::TItemData& last = agent.Items[agent.Items.size() - 2];
    const std::size_t caption = agent.info().captionField;
    last.set(caption, std::string(last.get(caption)) + " Caf\xC3\xA9");
    ASSERT_TRUE(agent.BuildHTMLFile(page).ok());
    const std::string accented = agent.BuildHTMLText();
    EXPECT_EQ(readFile(page), accented);
    const bool shown = accented.find("Caf\xC3\xA9") != std::string::npos;
    EXPECT_EQ(accented.find("<meta charset=\"utf-8\">") != std::string::npos, shown);
    EXPECT_EQ(kzt::testsupport::filesIn(m_folder.path()), (std::vector<std::string>{"page.html", "project"}));
}

INSTANTIATE_TEST_SUITE_P(EachProgram, LargeOutput, ::testing::Range(0, 4), productName);
