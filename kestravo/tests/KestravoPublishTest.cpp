#include "KestravoTestSupport.h"

#include "kestravo/core/KestravoPage.h"

#include <set>
#include <sys/stat.h>

using namespace kestravo;
using namespace kestravo::test;

namespace fs = std::filesystem;

namespace {

const KestravoProfile& product()
{
    return KestravoProfile::instance();
}

std::set<std::string> filesIn(const fs::path& folder)
{
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

} // namespace

TEST(KestravoPublish, saveWritesPageRuntimeFilesProjectAndReport)
{
    TempDir dir;
    kzt::TkztAppletAgent agent(product(), dir.appPaths());
    addItem(agent, addItem(agent, nullptr, "Home", "index.html"), "Products", "products.html");
    fs::create_directories(dir / "site");
    ASSERT_TRUE(agent.SaveProject(dir / "site", "menu.ksdm"));

    EXPECT_EQ(filesIn(dir / "site"), (std::set<std::string>{"menu.html", "brevanekvrst.js", "brevanekvrst.css",
                                                             "menu.ksdm", "menu_PublishReport.txt"}));
    EXPECT_EQ(readFile(dir / "site" / "menu.html"), agent.BuildHTMLText());
    EXPECT_EQ(readFile(dir / "site" / "brevanekvrst.js"), "// runtime\r\n");
    EXPECT_EQ(readFile(dir / "site" / "brevanekvrst.css"), golden("default_style_sheet.css"));
    EXPECT_EQ(readFile(dir / "site" / "menu_PublishReport.txt"), golden("menu_PublishReport.txt"));
    EXPECT_EQ(agent.PublishReportText(), golden("menu_PublishReport.txt"));

    kzt::TkztAppletAgent back(product(), dir.appPaths());
    ASSERT_TRUE(back.ReadProjectFile(dir / "site" / "menu.ksdm"));
    EXPECT_EQ(back.Items, agent.Items);
    EXPECT_EQ(back.Items[1].get(Level), "1");
}

TEST(KestravoPublish, publishedStyleSheetIsThisDocuments_evenWithAStaleUserCopy)
{
    TempDir dir;
    const kzt::AppPaths paths = dir.appPaths();
    kzt::TkztAppletAgent other(product(), paths);
    other.AppletData.set(pMenuColor, "123456");
    ASSERT_TRUE(other.BuildHTMLFile(dir / "other.html"));

    kzt::TkztAppletAgent agent(product(), paths);
    agent.AppletData.set(pMenuColor, "ABCDEF");
    addItem(agent, nullptr, "A");
    // Another generation runs between this document's page and its copy.
    ASSERT_TRUE(agent.BuildHTMLFile(dir / "mine.html"));
    ASSERT_TRUE(other.BuildHTMLFile(dir / "other.html"));
    fs::create_directories(dir / "out");
    ASSERT_TRUE(agent.SaveProject(dir / "out", "mine"));
    EXPECT_EQ(readFile(dir / "out" / "brevanekvrst.css"), KestravoPage::styleSheet(agent.AppletData));
}

TEST(KestravoPublish, unwritableUserFolder_stillPublishesThisDocumentsStyleSheet)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind the superuser";
    TempDir dir;
    kzt::AppPaths paths = dir.appPaths();
    fs::create_directories(paths.userDataDir);
    writeFile(paths.userDataDir / "brevanekvrst.css", "stale");
    fs::permissions(paths.userDataDir, fs::perms::owner_read | fs::perms::owner_exec);

    kzt::TkztAppletAgent agent(product(), paths);
    agent.AppletData.set(pMenuFontSize, "17");
    addItem(agent, nullptr, "A");
    fs::create_directories(dir / "out");
    const kzt::Status status = agent.SaveProject(dir / "out", "menu.ksdm");
    fs::permissions(paths.userDataDir, fs::perms::owner_all);
    ASSERT_TRUE(status) << status.message();
    EXPECT_EQ(readFile(dir / "out" / "brevanekvrst.css"), KestravoPage::styleSheet(agent.AppletData));
}

TEST(KestravoPublish, userFolderThatIsAFile_stillPublishesThisDocumentsStyleSheet)
{
    // Works for every user, the superuser included.
    TempDir dir;
    kzt::AppPaths paths = dir.appPaths();
    writeFile(dir / "blocked", "not a folder");
    paths.userDataDir = dir / "blocked";
    kzt::TkztAppletAgent agent(product(), paths);
    agent.AppletData.set(pMenuFontSize, "23");
    fs::create_directories(dir / "out");
    ASSERT_TRUE(agent.SaveProject(dir / "out", "menu.ksdm"));
    EXPECT_EQ(readFile(dir / "out" / "brevanekvrst.css"), KestravoPage::styleSheet(agent.AppletData));
    // The preview gets the same fresh copy.
    agent.CopyScriptsToPreview();
    EXPECT_EQ(readFile(paths.previewDir / "brevanekvrst.css"), KestravoPage::styleSheet(agent.AppletData));
}

TEST(KestravoPublish, buildingTheTextAlone_writesNothing)
{
    TempDir dir;
    kzt::TkztAppletAgent agent(product(), dir.appPaths());
    addItem(agent, nullptr, "A");
    const auto before = filesIn(dir.path());
    (void)agent.BuildHTMLText();
    (void)agent.PublishReportText();
    EXPECT_EQ(filesIn(dir.path()), before);
    EXPECT_FALSE(fs::exists(dir / "user"));
}

TEST(KestravoPublish, unstorableValue_failsTheSave_andKeepsTheOldProjectFile)
{
    TempDir dir;
    kzt::TkztAppletAgent agent(product(), dir.appPaths());
    addItem(agent, nullptr, "A#$@B");
    fs::create_directories(dir / "out");
    writeFile(dir / "out" / "menu.ksdm", "previous");
    const kzt::Status status = agent.SaveProject(dir / "out", "menu.ksdm");
    ASSERT_FALSE(status);
    EXPECT_NE(status.message().find("\"#$@\""), std::string::npos);
    EXPECT_EQ(readFile(dir / "out" / "menu.ksdm"), "previous");
}
