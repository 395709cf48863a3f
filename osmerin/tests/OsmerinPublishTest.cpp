#include "OsmerinTestSupport.h"

#include "TextFile.h"

using namespace osmerin;
using namespace osmerin::test;

namespace fs = std::filesystem;

namespace {

std::vector<std::string> pageLines(const std::string& page)
{
    std::vector<std::string> lines;
    for (std::string_view line : kzt::TextFile::splitLines(page))
        lines.emplace_back(line);
    return lines;
}

std::size_t occurrences(const std::string& text, const std::string& what)
{
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

// Three items: an image with a leftover text file name, a text with a
// leftover image name, and a text file with a leftover image name.
void addNewsItems(kzt::TkztAppletAgent& agent)
{
    std::size_t i = addItem(agent, "Photo");
    agent.Items[i].set(ItemContentType, "1");
    agent.Items[i].set(ItemImageFilename, "photo.gif");
    agent.Items[i].set(ItemTextFilename, "old.txt");
    i = addItem(agent, "Words");
    agent.Items[i].set(ItemText, "Hello");
    agent.Items[i].set(ItemImageFilename, "unused.gif");
    i = addItem(agent, "Story");
    agent.Items[i].set(ItemContentType, "2");
    agent.Items[i].set(ItemTextFilename, "story.txt");
    agent.Items[i].set(ItemImageFilename, "left.gif");
}

} // namespace

TEST(OsmerinPage, emptyDocument_isSixLines)
{
    TempDir dir;
    kzt::TkztAppletAgent agent(product(), dir.appPaths());
    const std::string page = agent.BuildHTMLText();
    EXPECT_EQ(page, golden("empty_page.html"));
    EXPECT_EQ(pageLines(page).size(), 6u);
}

TEST(OsmerinPage, newItem_getsItsValueLineAndTheCount)
{
    TempDir dir;
    kzt::TkztAppletAgent agent(product(), dir.appPaths());
    addItem(agent, "Item");
    addItem(agent, "Second");
    agent.Items[1].set(ItemText, JoinItemText({"First line", "Second line"}));
    const std::vector<std::string> lines = pageLines(agent.BuildHTMLText());
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[3], "\t<param name=\"app\" value=\"2|000000|1|0|0|125|7|10|10|EDCB0A|000000|125|17|10|10|EDCB0A|"
                        "000000|6|EDCB0A|3|FFFFFF|0000FF|Loading...|1|0|\">");
    EXPECT_EQ(lines[4], "\t<param name=\"0\" value=\"|_self||0|1|0|14|0|FFFFFF|FFFF00|0|FFFF00|1|0||\">");
    EXPECT_EQ(lines[5], "\t<param name=\"1\" value=\"|_self||0|1|0|14|0|FFFFFF|FFFF00|0|FFFF00|1|0|"
                        "First line*#$@%Second line|\">");
    EXPECT_EQ(lines[6], "</applet>");
}

TEST(OsmerinPage, quotesBecomeEntitiesAndEverythingElseGoesAsStored)
{
    TempDir dir;
    kzt::TkztAppletAgent agent(product(), dir.appPaths());
    const std::size_t i = addItem(agent, "Item");
    agent.Items[i].set(ItemURL, "a.html?x=\"1\"&y=<b>|z");
    agent.Items[i].set(ItemStatusBarText, "\xE9t\xE9 'ok'");
    agent.AppletData.set(LoadingMessage, "Say \"hi\" <now>");
    agent.AppletData.set(AppletWidth, "1\"40");
    const std::vector<std::string> lines = pageLines(agent.BuildHTMLText());
    // The 8-bit text makes this an older project's page, which says so.
    EXPECT_EQ(lines[1], "<meta charset=\"windows-1252\">");
    EXPECT_EQ(lines[2], "<applet code=\"osmeral.class\" archive=\"osmeral.jar\" width=\"1&quot;40\" height=\"230\">");
    EXPECT_NE(lines[4].find("|Say &quot;hi&quot; <now>|"), std::string::npos);
    EXPECT_TRUE(lines[5].starts_with("\t<param name=\"0\" value=\"a.html?x=&quot;1&quot;&y=<b>|z|_self|\xE9t\xE9 'ok'|"))
        << lines[5];
}

TEST(OsmerinReport, listsTheFileTheTypeUsesOncePerItem)
{
    TempDir dir;
    kzt::TkztAppletAgent agent(product(), dir.appPaths());
    addNewsItems(agent);
    EXPECT_EQ(agent.PublishReportText(), golden("news_PublishReport.txt"));

    // A name several items use is listed for each of them.
    std::size_t i = addItem(agent, "Photo again");
    agent.Items[i].set(ItemContentType, "1");
    agent.Items[i].set(ItemImageFilename, "photo.gif");
    i = addItem(agent, "No file");
    agent.Items[i].set(ItemContentType, "1");
    EXPECT_EQ(occurrences(agent.PublishReportText(), "\r\n  photo.gif\r\n"), 2u);
    EXPECT_EQ(occurrences(agent.PublishReportText(), "\r\n  \r\n"), 0u);
}

TEST(OsmerinPublish, saveWritesThePageProjectReportAndCopiesEveryNamedFile)
{
    TempDir dir;
    kzt::TkztAppletAgent agent(product(), dir.appPaths());
    addNewsItems(agent);
    const fs::path project = dir / "project";
    fs::create_directories(project);
    for (const char* name : {"photo.gif", "old.txt", "unused.gif", "story.txt"})
        writeFile(project / name, std::string("bytes of ") + name);
    agent.CopyImagesToPreview(project);
    const fs::path site = dir / "site";
    fs::create_directories(site);
    ASSERT_TRUE(agent.SaveProject(site, "NEWS.OSN").ok());
    // Image and text files travel whatever the content type; "left.gif" is
    // missing and silently not copied.
    EXPECT_EQ(filesIn(site), (std::vector<std::string>{"NEWS.html", "NEWS.osn", "NEWS_PublishReport.txt", "b.class",
                                                        "old.txt", "osmeral.class", "osmeral.jar", "photo.gif",
                                                        "story.txt", "unused.gif"}));
    EXPECT_EQ(readFile(site / "old.txt"), "bytes of old.txt");
    EXPECT_EQ(readFile(site / "osmeral.jar"), "stand-in osmeral.jar");
    EXPECT_EQ(readFile(site / "NEWS_PublishReport.txt"), golden("news_PublishReport.txt"));
    EXPECT_EQ(readFile(site / "NEWS.html"), agent.BuildHTMLText());

    kzt::TkztAppletAgent read(product(), dir.appPaths());
    ASSERT_TRUE(read.ReadProjectFile(site / "NEWS.osn").ok());
    EXPECT_EQ(read.Items, agent.Items);
    EXPECT_EQ(read.AppletData.get(ItemCount), "3");
}

TEST(OsmerinPublish, withoutTheAppletFiles_saveWritesTheThreeFiles)
{
    TempDir dir;
    kzt::TkztAppletAgent agent(product(), dir.appPaths(false));
    const fs::path site = dir / "site";
    fs::create_directories(site);
    ASSERT_TRUE(agent.SaveProject(site, "NEWS.OSN").ok());
    EXPECT_EQ(filesIn(site), (std::vector<std::string>{"NEWS.html", "NEWS.osn", "NEWS_PublishReport.txt"}));
    EXPECT_EQ(readFile(site / "NEWS.html"), golden("empty_page.html"));
    EXPECT_EQ(readFile(site / "NEWS.osn"), golden("empty_document.osn"));
    // The report still names the applet's files.
    EXPECT_NE(readFile(site / "NEWS_PublishReport.txt").find("  osmeral.jar\r\n  osmeral.class\r\n  b.class\r\n"),
              std::string::npos);
    // A version number keeps its period.
    ASSERT_TRUE(agent.SaveProject(site, "news.v2.osn").ok());
    EXPECT_TRUE(fs::exists(site / "news.v2.html"));
    EXPECT_TRUE(fs::exists(site / "news.v2.osn"));
}

TEST(OsmerinPublish, fileNamesThatAreNotBare_areWrittenButNeverUsedAsPaths)
{
    TempDir dir;
    kzt::TkztAppletAgent agent(product(), dir.appPaths());
    const fs::path project = dir / "project";
    fs::create_directories(project / "sub");
    writeFile(dir / "secret.gif", "secret");
    writeFile(project / "sub" / "inner.txt", "inner");
    const char* names[] = {"../secret.gif", "sub/inner.txt", "..", "C:secret.gif"};
    for (const char* name : names) {
        const std::size_t i = addItem(agent, name);
        agent.Items[i].set(ItemContentType, std::string(name).find(".txt") != std::string::npos ? "2" : "1");
        agent.Items[i].set(ItemImageFilename, name);
        agent.Items[i].set(ItemTextFilename, name);
    }
    agent.CopyImagesToPreview(project);
    EXPECT_TRUE(filesIn(agent.paths().previewDir).empty());
    const fs::path site = dir / "site";
    fs::create_directories(site);
    ASSERT_TRUE(agent.SaveProject(site, "news.osn").ok());
    EXPECT_EQ(filesIn(site), (std::vector<std::string>{"b.class", "news.html", "news.osn", "news_PublishReport.txt",
                                                        "osmeral.class", "osmeral.jar"}));
    const std::string page = readFile(site / "news.html");
    const std::string report = readFile(site / "news_PublishReport.txt");
    for (const char* name : names)
        EXPECT_NE(page.find(std::string("|") + name + "|"), std::string::npos) << name;
    EXPECT_NE(report.find("  ../secret.gif\r\n"), std::string::npos);
    EXPECT_NE(report.find("  sub/inner.txt\r\n"), std::string::npos);
    agent.ClearPreview();
    EXPECT_EQ(readFile(dir / "secret.gif"), "secret");
    EXPECT_EQ(readFile(project / "sub" / "inner.txt"), "inner");
}
