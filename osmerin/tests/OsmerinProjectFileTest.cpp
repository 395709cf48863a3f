#include "OsmerinTestSupport.h"

#include "TextFile.h"
#include "osmerin/core/OsmerinProjectFormat.h"

#include <functional>

using namespace osmerin;
using namespace osmerin::test;

namespace fs = std::filesystem;

namespace {

std::string render(const kzt::TkztAppletAgent& agent)
{
    std::string contents;
    EXPECT_TRUE(agent.product().projectFormat().render(agent, contents).ok());
    return contents;
}

// Lines of a text, and back with CR LF after each.
std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    for (std::string_view line : kzt::TextFile::splitLines(text))
        lines.emplace_back(line);
    return lines;
}

std::string joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

// A project with the given tree lines (root first) and one record per item
// line, each record's comment taken from its line.
std::string projectWithTree(const std::vector<std::string>& treeLines, const std::string& countLine = "")
{
    std::vector<std::string> lines = linesOf(golden("empty_document.osn"));
    const auto structure = std::find(lines.begin(), lines.end(), OsmerinProjectFormat::kStructureStart);
    lines.erase(structure + 1);
    lines.insert(std::find(lines.begin(), lines.end(), OsmerinProjectFormat::kStructureStart) + 1, treeLines.begin(),
                 treeLines.end());
    auto count = std::find(lines.begin(), lines.end(), OsmerinProjectFormat::kItemStart) + 1;
    *count = countLine.empty() ? std::to_string(treeLines.size() - 1) : countLine;
    std::vector<std::string> values;
    for (std::size_t i = 1; i < treeLines.size(); ++i) {
        kzt::TItemData item = product().defaultItemData();
        item.set(ItemComment, kzt::Trim(treeLines[i]));
        const kzt::TStringArray fields = item.toStrings();
        values.insert(values.end(), fields.begin(), fields.end());
    }
    lines.insert(count + 1, values.begin(), values.end());
    return joined(lines);
}

// Reads a text into an agent that held another document.
kzt::Status readInto(kzt::TkztAppletAgent& agent, const std::string& contents, const fs::path& path)
{
    writeFile(path, contents);
    return agent.ReadProjectFile(path);
}

void expectFreshDocument(const kzt::TkztAppletAgent& agent)
{
    EXPECT_TRUE(agent.Items.empty());
    EXPECT_EQ(agent.tree().count(), 1u);
    EXPECT_EQ(agent.tree().root()->text(), "Osmerin");
    EXPECT_EQ(agent.AppletData, product().defaultAppletData());
}

std::string depthsAndTexts(const kzt::TkztAppletAgent& agent)
{
    std::string out;
    for (const kzt::TreeNode* node : agent.tree().order())
        out += std::to_string(agent.tree().level(node) + 1) + ":" + node->text() + ";";
    return out;
}

} // namespace

TEST(OsmerinProjectFile, emptyDocument_matchesTheGolden)
{
    TempDir dir;
    kzt::TkztAppletAgent agent(product(), dir.appPaths());
    EXPECT_EQ(render(agent), golden("empty_document.osn"));

    kzt::TkztAppletAgent again(product(), dir.appPaths());
    ASSERT_TRUE(readInto(again, golden("empty_document.osn"), dir / "empty.osn").ok());
    EXPECT_EQ(render(again), golden("empty_document.osn"));
}

TEST(OsmerinProjectFile, oneWordItem_matchesTheGoldenAndReadsBack)
{
    TempDir dir;
    kzt::TkztAppletAgent agent(product(), dir.appPaths());
    agent.tree().setText(agent.tree().root(), "Osmerin 2005");
    const std::size_t index = addItem(agent, "Item");
    agent.Items[index].set(ItemText, "Hello");
    product().refreshDerivedFields(agent);
    EXPECT_EQ(render(agent), golden("one_word_item.osn"));

    kzt::TkztAppletAgent read(product(), dir.appPaths());
    ASSERT_TRUE(readInto(read, golden("one_word_item.osn"), dir / "one.osn").ok());
    EXPECT_EQ(read.tree().root()->text(), "Osmerin 2005");
    EXPECT_EQ(read.Items, agent.Items);
    EXPECT_EQ(read.AppletData.get(ItemCount), "1");
    EXPECT_TRUE(listMatchesTree(read));
}

TEST(OsmerinProjectFile, textOnThreeLines_isOneFileLineAndComesBackAsThree)
{
    TempDir dir;
    kzt::TkztAppletAgent agent(product(), dir.appPaths());
    const std::size_t index = addItem(agent, "News");
    agent.Items[index].set(ItemText, JoinItemText({"Line one", "Line #$@ two", "Line three"}));
    const std::string contents = render(agent);
    EXPECT_NE(contents.find("\r\nLine one*#$@%Line #$@ two*#$@%Line three\r\n"), std::string::npos);

    kzt::TkztAppletAgent read(product(), dir.appPaths());
    ASSERT_TRUE(readInto(read, contents, dir / "three.osn").ok());
    EXPECT_EQ(SplitItemText(read.Items[0].get(ItemText)),
              (kzt::TStringArray{"Line one", "Line #$@ two", "Line three"}));
}

TEST(OsmerinProjectFile, headerAndLineEndings_areNotChecked)
{
    TempDir dir;
    std::vector<std::string> lines = linesOf(golden("one_word_item.osn"));
    lines[0] = "Edited by hand";
    lines[4] = "Name = Something else";
    lines.erase(lines.begin() + 5); // the version line
    for (const std::string& contents :
         {joined(lines), golden("one_word_item.osn").substr(golden("one_word_item.osn").find("---------------"))}) {
        kzt::TkztAppletAgent agent(product(), dir.appPaths());
        ASSERT_TRUE(readInto(agent, contents, dir / "edited.osn").ok()) << contents;
        EXPECT_EQ(agent.Items.size(), 1u);
    }
    // LF alone, and a lone CR, end lines too; a last line may lack its end.
    std::string lf = golden("one_word_item.osn");
    for (std::size_t at; (at = lf.find("\r\n")) != std::string::npos;)
        lf.erase(at, 1);
    std::string cr = lf;
    std::replace(cr.begin(), cr.end(), '\n', '\r');
    for (const std::string& contents : {lf, cr, lf.substr(0, lf.size() - 1)}) {
        kzt::TkztAppletAgent agent(product(), dir.appPaths());
        ASSERT_TRUE(readInto(agent, contents, dir / "ends.osn").ok());
        EXPECT_EQ(agent.Items[0].get(ItemText), "Hello");
    }
}

TEST(OsmerinProjectFile, markers_areRecognisedOnlyAsWholeExactLines)
{
    TempDir dir;
    const struct
    {
        std::string marker;
        std::string changed;
        std::string problem;
    } cases[] = {
        {OsmerinProjectFormat::kStructureStart, std::string(OsmerinProjectFormat::kStructureStart) + " ",
         "it has no structure section"},
        // Read as a tree line, and a second root at that.
        {OsmerinProjectFormat::kStructureEnd, "--------------- structure description end ---------------",
         "the structure line 11 \"--------------- structure description end ---------------\" is a second root"},
        {OsmerinProjectFormat::kAppletStart, std::string(" ") + OsmerinProjectFormat::kAppletStart,
         "it has no applet parameter section"},
        {OsmerinProjectFormat::kItemStart, std::string(OsmerinProjectFormat::kItemStart) + " ",
         "it has no item parameter section"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> lines = linesOf(golden("one_word_item.osn"));
        *std::find(lines.begin(), lines.end(), c.marker) = c.changed;
        kzt::TkztAppletAgent agent(product(), dir.appPaths());
        const kzt::Status status = readInto(agent, joined(lines), dir / "marker.osn");
        EXPECT_EQ(status.message(), "This file is damaged: " + c.problem + ", open failed!") << c.changed;
    }
}

TEST(OsmerinProjectFile, valuesThatReadLikeMarkers_stayValues)
{
    TempDir dir;
    kzt::TkztAppletAgent agent(product(), dir.appPaths());
    agent.AppletData.set(LoadingMessage, OsmerinProjectFormat::kItemStart);
    const std::size_t index = addItem(agent, "Item");
    agent.Items[index].set(ItemURL, OsmerinProjectFormat::kItemEnd);
    agent.Items[index].set(ItemText, OsmerinProjectFormat::kAppletStart);
    kzt::TkztAppletAgent read(product(), dir.appPaths());
    ASSERT_TRUE(readInto(read, render(agent), dir / "values.osn").ok());
    EXPECT_EQ(read.AppletData, agent.AppletData);
    EXPECT_EQ(read.Items, agent.Items);
}

TEST(OsmerinProjectFile, treeLines_spacesCountAsLevelsAndNestingFollowsFileOrder)
{
    TempDir dir;
    kzt::TkztAppletAgent agent(product(), dir.appPaths());
    ASSERT_TRUE(readInto(agent,
                         projectWithTree({"Osmerin 2005", "\tA", "\t\tA1", " \t A1a", "  A2", " B", "\tC"}),
                         dir / "nested.osn")
                    .ok());
    EXPECT_EQ(depthsAndTexts(agent), "0:Osmerin 2005;1:A;2:A1;3:A1a;2:A2;1:B;1:C;");
    const kzt::TreeNode* a = agent.NodeOfItem(0);
    ASSERT_EQ(a->childCount(), 2u);
    EXPECT_EQ(a->child(0)->child(0)->text(), "A1a");
    EXPECT_EQ(a->child(1)->text(), "A2");
    EXPECT_EQ(agent.tree().root()->childCount(), 3u);
    EXPECT_TRUE(listMatchesTree(agent));

    // Written back with TABs, the same tree.
    const std::string written = render(agent);
    EXPECT_NE(written.find("\r\n\t\tA2\r\n\tB\r\n"), std::string::npos);
    kzt::TkztAppletAgent again(product(), dir.appPaths());
    ASSERT_TRUE(readInto(again, written, dir / "again.osn").ok());
    EXPECT_EQ(depthsAndTexts(again), depthsAndTexts(agent));
    EXPECT_EQ(render(again), written);
}

TEST(OsmerinProjectFile, damagedFiles_areRefusedWithTheirProblemAndLeaveAFreshDocument)
{
    TempDir dir;
    const std::string good = projectWithTree({"Osmerin 2005", "\tA", "\tB"});
    const struct
    {
        std::string contents;
        std::string problem;
    } cases[] = {
        {projectWithTree({"Osmerin 2005", "\tA", "\tB"}, "two"), "the item count \"two\" is not a number"},
        {projectWithTree({"Osmerin 2005", "\tA", "\tB"}, "-1"), "the item count \"-1\" is not a number"},
        {projectWithTree({"Osmerin 2005", "\tA", "\t\t\tB"}),
         "the structure line 11 \"B\" at level 3 is more than one level below the line before it"},
        {projectWithTree({"Osmerin 2005", "\tA", "Second root"}), "the structure line 11 \"Second root\" is a second root"},
    };
    std::vector<std::pair<std::string, std::string>> all;
    for (const auto& c : cases)
        all.emplace_back(c.contents, c.problem);
    // The count disagrees with the tree, higher and lower.
    for (const char* count : {"3", "1", "99999999999"}) {
        std::string contents = good;
        const std::string marker = std::string(OsmerinProjectFormat::kItemStart) + "\r\n2\r\n";
        contents.replace(contents.find(marker), marker.size(),
                         std::string(OsmerinProjectFormat::kItemStart) + "\r\n" + count + "\r\n");
        all.emplace_back(contents, std::string("it counts ") + count + " items but its structure holds 2");
    }
    // An empty structure section.
    {
        std::string contents = golden("empty_document.osn");
        const std::string root = "Start ---------------\r\nOsmerin\r\n";
        contents.erase(contents.find(root) + root.size() - 9, 9);
        all.emplace_back(contents, "the structure section is empty");
    }
    // Sections cut short: the applet values, the item values, a missing count.
    {
        std::vector<std::string> lines = linesOf(good);
        const auto appletEnd = std::find(lines.begin(), lines.end(), OsmerinProjectFormat::kAppletEnd);
        all.emplace_back(joined(std::vector<std::string>(lines.begin(), appletEnd - 2)),
                         "the applet parameters end early");
        all.emplace_back(joined(std::vector<std::string>(lines.begin(), lines.end() - 2)),
                         "the item parameters end early");
        const auto itemStart = std::find(lines.begin(), lines.end(), OsmerinProjectFormat::kItemStart);
        all.emplace_back(joined(std::vector<std::string>(lines.begin(), itemStart + 1)), "the item count is missing");
    }

    for (const auto& [contents, problem] : all) {
        kzt::TkztAppletAgent agent(product(), dir.appPaths());
        ASSERT_TRUE(readInto(agent, golden("one_word_item.osn"), dir / "before.osn").ok());
        const fs::path path = dir / "damaged.osn";
        const kzt::Status status = readInto(agent, contents, path);
        EXPECT_EQ(status.message(), "This file is damaged: " + problem + ", open failed!");
        expectFreshDocument(agent);
        EXPECT_EQ(readFile(path), contents);
    }
}

TEST(OsmerinProjectFile, everyTruncation_eitherLoadsWholeOrIsRefused)
{
    TempDir dir;
    const std::string good = projectWithTree({"Osmerin 2005", "\tA", "\t\tA1", "\tB"});
    const std::vector<std::string> lines = linesOf(good);
    for (std::size_t keep = 0; keep <= lines.size(); ++keep) {
        kzt::TkztAppletAgent agent(product(), dir.appPaths());
        const kzt::Status status =
            readInto(agent, joined(std::vector<std::string>(lines.begin(), lines.begin() + keep)), dir / "cut.osn");
        // Only the item end marker may be missing: everything else is data.
        EXPECT_EQ(status.ok(), keep + 1 >= lines.size()) << keep;
        EXPECT_TRUE(listMatchesTree(agent)) << keep;
        if (!status)
            expectFreshDocument(agent);
    }
}

TEST(OsmerinProjectFile, mangledBytes_neverBreakTheDocument)
{
    TempDir dir;
    std::mt19937 random(5);
    kzt::TkztAppletAgent source(product(), dir.appPaths());
    fillRandomDocument(source, random, 12);
    const std::string good = render(source);
    for (int round = 0; round < 400; ++round) {
        std::string contents = good;
        for (int edits = 1 + static_cast<int>(random() % 4); edits > 0; --edits) {
            const std::size_t at = random() % contents.size();
            switch (random() % 3) {
            case 0:
                contents[at] = static_cast<char>(random() % 256);
                break;
            case 1:
                contents.erase(at, random() % 40);
                break;
            default:
                contents.insert(at, std::string(1 + random() % 3, "\t\r\n -0"[random() % 6]));
                break;
            }
        }
        kzt::TkztAppletAgent agent(product(), dir.appPaths());
        const kzt::Status status = readInto(agent, contents, dir / "mangled.osn");
        ASSERT_EQ(agent.Items.size() + 1, agent.tree().count()) << round;
        if (!status)
            expectFreshDocument(agent);
        std::string again;
        EXPECT_TRUE(product().projectFormat().render(agent, again).ok());
    }
}

TEST(OsmerinProjectFile, randomDocuments_roundTrip)
{
    TempDir dir;
    std::mt19937 random(2005);
    for (int round = 0; round < 20; ++round) {
        kzt::TkztAppletAgent agent(product(), dir.appPaths());
        fillRandomDocument(agent, random, random() % 60);
        const std::string contents = render(agent);
        kzt::TkztAppletAgent read(product(), dir.appPaths());
        ASSERT_TRUE(readInto(read, contents, dir / "random.osn").ok()) << round;
        EXPECT_EQ(read.AppletData, agent.AppletData);
        EXPECT_EQ(read.Items, agent.Items);
        EXPECT_EQ(depthsAndTexts(read), depthsAndTexts(agent));
        EXPECT_TRUE(listMatchesTree(read));
        EXPECT_EQ(render(read), contents);
    }
}

TEST(OsmerinProjectFile, onlyALineBreakIsUnstorable)
{
    TempDir dir;
    kzt::TkztAppletAgent agent(product(), dir.appPaths());
    const std::size_t index = addItem(agent, "Notes");
    // The field separator of the other products is ordinary text here.
    agent.Items[index].set(ItemText, JoinItemText({"a #$@ b", "#$@"}));
    agent.Items[index].set(ItemURL, "page.html?a=#$@");
    agent.AppletData.set(LoadingMessage, "Wait #$@");
    EXPECT_TRUE(product().projectFormat().checkStorable(agent).ok());

    const fs::path site = dir / "site";
    fs::create_directories(site);
    ASSERT_TRUE(agent.SaveProject(site, "news.osn").ok());
    kzt::TkztAppletAgent read(product(), dir.appPaths());
    ASSERT_TRUE(read.ReadProjectFile(site / "news.osn").ok());
    EXPECT_EQ(read.Items, agent.Items);
    EXPECT_EQ(read.AppletData.get(LoadingMessage), "Wait #$@");

    const std::function<void(kzt::TkztAppletAgent&)> breaks[] = {
        [](kzt::TkztAppletAgent& a) { a.Items[0].set(ItemStatusBarText, "one\ntwo"); },
        [](kzt::TkztAppletAgent& a) { a.Items[0].set(ItemText, "one\r\ntwo"); },
        [](kzt::TkztAppletAgent& a) { a.AppletData.set(LoadingMessage, "Loading\r"); },
    };
    for (const auto& breakIt : breaks) {
        kzt::TkztAppletAgent broken(product(), dir.appPaths());
        ASSERT_TRUE(broken.ReadProjectFile(site / "news.osn").ok());
        breakIt(broken);
        const kzt::Status status = broken.SaveProject(dir / "other", "news.osn");
        EXPECT_FALSE(status.ok());
        EXPECT_NE(status.message().find("a value holds a line break and cannot be saved."), std::string::npos);
        EXPECT_FALSE(fs::exists(dir / "other"));
    }
}

TEST(OsmerinProjectFile, rootThatReadsLikeTheEndMarker_isSavedSoThatItOpensAgain)
{
    // The first structure line is the root whatever its indentation, so this
    // file opens; publishing it in place must not make it one that does not.
    TempDir dir;
    const fs::path site = dir / "site";
    fs::create_directories(site);
    writeFile(site / "news.osn",
              projectWithTree({std::string("\t") + OsmerinProjectFormat::kStructureEnd, "\tA", "\tB"}));
    kzt::TkztAppletAgent agent(product(), dir.appPaths());
    ASSERT_TRUE(agent.ReadProjectFile(site / "news.osn").ok());
    ASSERT_EQ(agent.tree().root()->text(), OsmerinProjectFormat::kStructureEnd);
    const std::string before = depthsAndTexts(agent);

    ASSERT_TRUE(agent.SaveProject(site, "news.osn").ok());
    kzt::TkztAppletAgent back(product(), dir.appPaths());
    const kzt::Status read = back.ReadProjectFile(site / "news.osn");
    ASSERT_TRUE(read.ok()) << read.message();
    EXPECT_EQ(depthsAndTexts(back), before);
    EXPECT_EQ(back.Items, agent.Items);
    EXPECT_EQ(back.AppletData, agent.AppletData);
    EXPECT_EQ(render(back), render(agent));
}

TEST(OsmerinProjectFile, treeTextThatWouldReadBackOtherwise_isRefusedBeforeAnythingIsWritten)
{
    // Leading blanks would read back as levels; the reader never makes such
    // a text, so a document holding one is refused rather than changed.
    TempDir dir;
    const std::function<void(kzt::TkztAppletAgent&)> cases[] = {
        [](kzt::TkztAppletAgent& a) { a.tree().setText(a.NodeOfItem(1), "\tB"); },
        [](kzt::TkztAppletAgent& a) { a.tree().setText(a.NodeOfItem(0), " A"); },
        [](kzt::TkztAppletAgent& a) { a.tree().setText(a.tree().root(), "\tTop"); },
    };
    for (const auto& spoil : cases) {
        kzt::TkztAppletAgent agent(product(), dir.appPaths());
        addItem(agent, "A");
        addItem(agent, "B");
        spoil(agent);
        const fs::path site = dir / "site";
        fs::create_directories(site);
        const kzt::Status status = agent.SaveProject(site, "news.osn");
        ASSERT_FALSE(status.ok());
        EXPECT_NE(status.message().find("begins with a TAB or space"), std::string::npos) << status.message();
        EXPECT_TRUE(filesIn(site).empty());
        fs::remove_all(site);
    }
}
