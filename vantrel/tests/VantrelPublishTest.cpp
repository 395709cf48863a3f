#include "VantrelTestSupport.h"

#include "vantrel/core/VantrelPage.h"

#include <map>
#include <set>

using namespace vantrel;
using namespace vantrel::test;

namespace fs = std::filesystem;

namespace {

class Publish : public ::testing::Test
{
protected:
    TempFolder folder;
    kzt::TkztAppletAgent agent{product(), folder.appPaths()};

    void SetUp() override
    {
        fs::create_directories(folder / "project");
        fs::create_directories(folder / "site");
    }

    kzt::TreeNode* add(kzt::TreeNode* parent, const std::string& caption)
    {
        kzt::TreeNode* node = VantrelDocument::InsertItem(agent, parent);
        agent.SetCaption(agent.ItemIndexOf(node), caption);
        return node;
    }
    kzt::TItemData& item(std::size_t i) { return agent.Items[i]; }

    // A document whose applet and items name pictures and sounds, some
    // of them more than once and one name as both picture and sound.
    void fillWithFiles()
    {
        agent.AppletData.set(ApBgImg, "back.gif");
        agent.AppletData.set(ApBgSnd, "hum.au");
        kzt::TreeNode* a = add(nullptr, "A");
        add(a, "B");
        add(nullptr, "C");
        item(0).set(ItNoBgImg, "a.gif");
        item(0).set(ItOvBgImg, "a_over.gif");
        item(0).set(ItClBgImg, "a.gif");
        item(0).set(ItOvBgSnd, "over.au");
        item(1).set(ItNoBgImg, "back.gif");
        item(1).set(ItClBgSnd, "click.au");
        item(2).set(ItOvBgImg, "c.gif");
        item(2).set(ItOvBgSnd, "a.gif");
        item(2).set(ItClBgSnd, "over.au");
        for (const char* name : {"back.gif", "hum.au", "a.gif", "a_over.gif", "over.au", "click.au", "c.gif"})
            writeFile(folder / "project" / name, std::string("data of ") + name);
    }
};

} // namespace

TEST_F(Publish, saveAsMenuVtp_writesThePageProjectAndReportAndTheRuntimeFilesThereAre)
{
    add(nullptr, "Home");
    ASSERT_TRUE(agent.SaveProject(folder / "site", "menu.vtp").ok());
    EXPECT_EQ(filesIn(folder / "site"), (std::vector<std::string>{"menu.html", "menu.vtp", "menu_PublishReport.txt"}));
    EXPECT_EQ(readFile(folder / "site" / "menu.html"), agent.BuildHTMLText());

    // Runtime files come from the share folder; a missing one is skipped.
    fs::create_directories(agent.paths().shareDir);
    writeFile(agent.paths().shareDir / "vantrel20.jar", "stand-in archive");
    writeFile(agent.paths().shareDir / "vantrel20_2.class", "stand-in class");
    ASSERT_TRUE(agent.SaveProject(folder / "site", "menu").ok());
    EXPECT_EQ(filesIn(folder / "site"), (std::vector<std::string>{"menu.html", "menu.vtp",
                                                                  "menu_PublishReport.txt", "vantrel20.jar",
                                                                  "vantrel20_2.class"}));
    EXPECT_EQ(readFile(folder / "site" / "vantrel20.jar"), "stand-in archive");
    // The report still names all three.
    const std::string report = readFile(folder / "site" / "menu_PublishReport.txt");
    EXPECT_NE(report.find("\r\n  vantrel20.jar\r\n  vantrel20.class\r\n  vantrel20_2.class\r\n\r\n"), std::string::npos);
}

TEST_F(Publish, report_listsEachPictureAndSoundOnceInTheDocumentedOrder)
{
    fillWithFiles();
    EXPECT_EQ(agent.PublishReportText(), golden("menu_PublishReport.txt"));

    // Without any file names the sections keep their headings.
    kzt::TkztAppletAgent empty(product(), folder.appPaths());
    const std::vector<std::string> lines = linesOf(empty.PublishReportText());
    ASSERT_EQ(lines.size(), 19u);
    EXPECT_EQ(lines[12], "[Image File(s)]: They should be copied to the same directory the applet class file in!");
    EXPECT_EQ(lines[13], "");
    EXPECT_EQ(lines[14], "[Audio File(s)]: They should be copied to the same directory the applet class file in!");
    EXPECT_EQ(lines[15], "");
    EXPECT_EQ(lines[16], std::string(77, '='));
}

TEST_F(Publish, appletAndItemFiles_stagedOnOpenAndCopiedBySave)
{
    fillWithFiles();
    ASSERT_TRUE(agent.WriteProjectFile(folder / "project" / "menu.vtp").ok());

    kzt::TkztAppletAgent opened(product(), folder.appPaths());
    ASSERT_TRUE(opened.ReadProjectFile(folder / "project" / "menu.vtp").ok());
    opened.CopyImagesToPreview(folder / "project");
    const std::vector<std::string> files = {"a.gif", "a_over.gif", "back.gif", "c.gif", "click.au", "hum.au", "over.au"};
    EXPECT_EQ(filesIn(opened.paths().previewDir), files);

    ASSERT_TRUE(opened.SaveProject(folder / "site", "menu.vtp").ok());
    std::vector<std::string> expected = files;
    expected.insert(expected.end(), {"menu.html", "menu.vtp", "menu_PublishReport.txt"});
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(filesIn(folder / "site"), expected);
    EXPECT_EQ(readFile(folder / "site" / "hum.au"), "data of hum.au");
    EXPECT_EQ(readFile(folder / "site" / "back.gif"), "data of back.gif");

    opened.ClearPreview();
    EXPECT_FALSE(fs::exists(opened.paths().previewDir));
}

TEST_F(Publish, namesThatAreNotBareFileNames_areNeverUsedAsPathsButStillWritten)
{
    writeFile(folder / "secret.gif", "secret");
    writeFile(folder / "project" / "secret.au", "secret");
    agent.AppletData.set(ApBgImg, "../secret.gif");
    agent.AppletData.set(ApBgSnd, (folder / "project" / "secret.au").string());
    kzt::TreeNode* node = add(nullptr, "A");
    item(agent.ItemIndexOf(node)).set(ItOvBgSnd, "sub/../../secret.gif");
    agent.CopyImagesToPreview(folder / "project");
    EXPECT_TRUE(filesIn(agent.paths().previewDir).empty());
    ASSERT_TRUE(agent.SaveProject(folder / "site", "menu.vtp").ok());
    EXPECT_EQ(filesIn(folder / "site"), (std::vector<std::string>{"menu.html", "menu.vtp", "menu_PublishReport.txt"}));
    const std::string report = readFile(folder / "site" / "menu_PublishReport.txt");
    EXPECT_NE(report.find("\r\n  ../secret.gif\r\n"), std::string::npos);
    EXPECT_NE(report.find("\r\n  " + (folder / "project" / "secret.au").string() + "\r\n"), std::string::npos);
    EXPECT_NE(readFile(folder / "site" / "menu.html").find("sub/../../secret.gif#$@"), std::string::npos);
    EXPECT_EQ(readFile(folder / "secret.gif"), "secret");
}

TEST_F(Publish, parametersFile_writtenBesideThePageAndIntoThePreviewOnly)
{
    add(nullptr, "Home");
    agent.AppletData.set(LoadAppletParamFromFile, "1");
    agent.AppletData.set(AppletParametersFileName, "menu_params");
    ASSERT_TRUE(agent.SaveProject(folder / "site", "menu.vtp").ok());
    EXPECT_EQ(filesIn(folder / "site"),
              (std::vector<std::string>{"menu.html", "menu.vtp", "menu_PublishReport.txt", "menu_params"}));
    EXPECT_EQ(readFile(folder / "site" / "menu_params"), VantrelPage::parametersFile(agent.AppletData, agent.Items));
    // It is not listed in the report.
    EXPECT_EQ(readFile(folder / "site" / "menu_PublishReport.txt").find("menu_params"), std::string::npos);
    // Nothing went into the share folder or the user's folder besides the preview.
    EXPECT_FALSE(fs::exists(agent.paths().shareDir / "menu_params"));
    EXPECT_FALSE(fs::exists(agent.paths().userDataDir / "menu_params"));

    ASSERT_TRUE(agent.WritePreviewPage(agent.BuildHTMLText()).ok());
    EXPECT_EQ(filesIn(agent.paths().previewDir), (std::vector<std::string>{"menu_params", "~preview.html"}));
    agent.ClearPreview();
    EXPECT_FALSE(fs::exists(agent.paths().previewDir));

    // A name that is no bare file name is written nowhere; neither is one
    // that would replace the page: the save is refused before it writes.
    fs::create_directories(folder / "site2");
    agent.AppletData.set(AppletParametersFileName, "../menu_params");
    EXPECT_FALSE(agent.SaveProject(folder / "site2", "menu.vtp").ok());
    agent.AppletData.set(AppletParametersFileName, "menu.html");
    EXPECT_FALSE(agent.SaveProject(folder / "site2", "menu.vtp").ok());
    EXPECT_TRUE(filesIn(folder / "site2").empty());
    EXPECT_FALSE(fs::exists(folder / "menu_params"));
}

TEST_F(Publish, parametersFileNamedLikeAnotherOutput_refusedBeforeAnythingIsWritten)
{
    add(nullptr, "Home");
    agent.SetScriptRuntime(true);
    ASSERT_TRUE(agent.SaveProject(folder / "site", "menu.vtp").ok());
    const std::vector<std::string> before = filesIn(folder / "site");
    std::map<std::string, std::string> contents;
    for (const std::string& name : before)
        contents[name] = readFile(folder / "site" / name);

    agent.AppletData.set(LoadAppletParamFromFile, "1");
    const struct
    {
        std::string name;
        std::string problem;
    } cases[] = {
        {"menu.vtp", "would overwrite the project file"},
        {"menu.html", "would overwrite the page"},
        {"menu_PublishReport.txt", "would overwrite the publish report"},
        {"vantrel20.js", "would overwrite the runtime file \"vantrel20.js\""},
        {"vantrel20.jar", "would overwrite the runtime file \"vantrel20.jar\""},
        {"", "The parameters file has no name"},
        {"sub/params.txt", "is not a plain file name"},
        {"..", "is not a plain file name"},
    };
    for (const auto& c : cases) {
        agent.AppletData.set(AppletParametersFileName, c.name);
        const kzt::Status status = agent.SaveProject(folder / "site", "menu.vtp");
        ASSERT_FALSE(status.ok()) << c.name;
        EXPECT_NE(status.message().find(c.problem), std::string::npos) << status.message();
        EXPECT_EQ(filesIn(folder / "site"), before) << c.name;
        for (const std::string& name : before)
            EXPECT_EQ(readFile(folder / "site" / name), contents[name]) << c.name << ": " << name;
    }

    // A folder in the way of the parameters file fails the save.
    fs::create_directories(folder / "site" / "params.txt");
    agent.AppletData.set(AppletParametersFileName, "params.txt");
    EXPECT_FALSE(agent.SaveProject(folder / "site", "menu.vtp").ok());
    EXPECT_EQ(readFile(folder / "site" / "menu.vtp"), contents["menu.vtp"]);
}

TEST_F(Publish, saveRefreshesTheStyleNumbersTheProjectStores)
{
    kzt::TreeNode* a = add(nullptr, "A");
    add(a, "B");
    item(1).set(ItNoTextClr, "00FF00");
    item(0).set(StyleIndex, "");
    item(1).set(StyleIndex, "");
    ASSERT_TRUE(agent.SaveProject(folder / "site", "m.vtp").ok());
    kzt::TkztAppletAgent opened(product(), folder.appPaths());
    ASSERT_TRUE(opened.ReadProjectFile(folder / "site" / "m.vtp").ok());
    EXPECT_EQ(opened.Items[0].get(StyleIndex), "0");
    EXPECT_EQ(opened.Items[1].get(StyleIndex), "1");
}

TEST(VantrelShipped, templatesReadBackUnchangedAndShowEveryKindOfLook)
{
    const fs::path templates = fs::path(KZT_SOURCE_DIR) / "vantrel" / "share" / "templates";
    std::vector<fs::path> projects;
    for (const auto& entry : fs::directory_iterator(templates)) {
        if (entry.path().extension() == ".vtp")
            projects.push_back(entry.path());
    }
    ASSERT_GE(projects.size(), 4u);
    std::set<std::string> fillModes, borderStyles, visibilities;
    bool pictures = false, threeStates = true;
    for (const fs::path& project : projects) {
        TempFolder folder;
        kzt::TkztAppletAgent agent(product(), folder.appPaths());
        ASSERT_TRUE(agent.ReadProjectFile(project).ok()) << project;
        EXPECT_TRUE(treeMatchesItems(agent));
        // As the program saves it: style numbers refreshed by the page.
        agent.BuildHTMLText();
        std::string text;
        ASSERT_TRUE(product().projectFormat().render(agent, text).ok());
        EXPECT_EQ(text, readFile(project)) << project;
        // Every file the template names is shipped beside it.
        agent.CopyImagesToPreview(templates);
        for (const std::string& name : filesIn(agent.paths().previewDir))
            EXPECT_TRUE(fs::exists(templates / name)) << name;
        for (const std::string& name : agent.ItemFileNames(true))
            EXPECT_TRUE(fs::exists(templates / name)) << project << ": " << name;
        for (std::size_t field : {ApBgImg, ApBgSnd}) {
            if (!agent.AppletData.get(field).empty()) {
                EXPECT_TRUE(fs::exists(templates / agent.AppletData.get(field))) << agent.AppletData.get(field);
            }
        }
        pictures = pictures || !agent.AppletData.get(ApBgImg).empty() || !agent.ItemFileNames(true).empty();
        fillModes.emplace(agent.AppletData.get(ApBgGrdntFllDrctn));
        for (const kzt::TItemData& item : agent.Items) {
            for (std::size_t state : kStates) {
                fillModes.emplace(item.get(state + BgGrdntFllDrctn));
                borderStyles.emplace(item.get(state + BrdStyle));
            }
            threeStates = threeStates
                          && std::string(item.get(ItNoTextClr)).append(item.get(ItNoBgClr))
                                 != std::string(item.get(ItOvTextClr)).append(item.get(ItOvBgClr));
            if (item.get(Level) != "0")
                visibilities.emplace(item.get(ItemInitVisible));
        }
    }
    EXPECT_TRUE(pictures);
    EXPECT_TRUE(threeStates);
    EXPECT_GE(fillModes.size(), 4u);
    EXPECT_TRUE(borderStyles.count("3") && borderStyles.count("4"));
    EXPECT_EQ(visibilities, (std::set<std::string>{"0", "1"}));
}

TEST(VantrelShipped, samplePageIsWhatTheProgramWritesForItsTemplate)
{
    const fs::path samples = fs::path(KZT_BINARY_DIR) / "share" / "vantrel" / "samples";
    TempFolder folder;
    kzt::TkztAppletAgent agent(product(), folder.appPaths());
    ASSERT_TRUE(agent.ReadProjectFile(fs::path(KZT_SOURCE_DIR) / "vantrel/share/templates/paper_pictures.vtp").ok());
    // The sample loads the browser script runtime, so View Sample shows a working menu.
    agent.SetScriptRuntime(true);
    // The program's page, made a whole page of its own: document type, encoding and viewport.
    const std::string page = agent.BuildHTMLText();
    ASSERT_EQ(page.rfind("<HTML>\r\n", 0), 0u);
    EXPECT_EQ(readFile(samples / "general_menu_golden_theme.html"),
              "<!DOCTYPE html>\r\n<HTML>\r\n<meta charset=\"utf-8\">\r\n"
              "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\r\n"
                  + page.substr(8));
    for (const std::string& name : agent.ItemFileNames(true))
        EXPECT_TRUE(fs::exists(samples / name)) << name;
    EXPECT_TRUE(fs::exists(samples / agent.AppletData.get(ApBgImg)));
    EXPECT_EQ(readFile(samples / "vantrel20.js"), readFile(fs::path(KZT_SOURCE_DIR) / "vantrel/share/vantrel20.js"));
    for (const std::string& name : product().info().scriptFiles)
        EXPECT_FALSE(fs::exists(samples / name)) << name;
}
