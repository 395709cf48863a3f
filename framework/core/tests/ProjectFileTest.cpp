#include <gtest/gtest.h>

#include "ProjectFileFormat.h"
#include "TestProduct.h"
#include "TextFile.h"

#include <csignal>
#include <random>
#include <sys/resource.h>

using namespace kzt;
using kzt::test::readFile;
using kzt::test::TestProduct;
using kzt::test::treeMatchesItems;
using kzt::test::writeFile;

namespace {

const std::string kHeader = "<Warning_Info>\r\nNote: test.\r\n"
                            "It may cause the project file can't be opened correctly if you modify it by yourself!\r\n"
                            "</Warning_Info>\r\n<Product_Name>\r\nTestmenu\r\n</Product_Name>\r\n"
                            "<Product_Version>\r\n1.0\r\n</Product_Version>\r\n";

class ProjectFile : public ::testing::Test
{
protected:
    TestProduct product;
    kzt::test::TempFolder folder;
    TkztAppletAgent agent{product, folder.appPaths()};

    std::filesystem::path file(const std::string& name) const { return folder.path() / name; }

    Status readText(const std::string& text)
    {
        writeFile(file("in.tst"), text);
        return agent.ReadProjectFile(file("in.tst"));
    }
    void expectFreshDocument()
    {
        EXPECT_TRUE(agent.Items.empty());
        EXPECT_EQ(agent.tree().count(), 1u);
        EXPECT_EQ(agent.AppletData, product.defaultAppletData());
    }
};

std::string randomText(std::mt19937& random)
{
    static const std::string pool = "aZ09 <>&\"'\\/;:,.\t{}()\xE9\xFC\x80\xFF\xC3\xA9#$@";
    std::string text;
    const std::size_t length = random() % 12;
    for (std::size_t i = 0; i < length; ++i)
        text += pool[random() % pool.size()];
    // A complete separator inside a value can never be stored.
    for (std::size_t at; (at = text.find("#$@")) != std::string::npos;)
        text.erase(at, 1);
    return text;
}

} // namespace

TEST_F(ProjectFile, writtenFile_hasExactLayout)
{
    TreeNode* a = agent.InsertItem(agent.tree().root());
    agent.InsertItem(a);
    ASSERT_TRUE(agent.WriteProjectFile(file("p.tst")).ok());
    EXPECT_EQ(readFile(file("p.tst")), kHeader
                                           + "<Applet_Parameters>\r\nmenu#$@0#$@FFFFFF#$@\r\n</Applet_Parameters>\r\n"
                                             "<Item_Parameters>\r\n#$@#$@Item#$@#$@0#$@\r\n#$@#$@Item#$@#$@1#$@\r\n"
                                             "</Item_Parameters>\r\n");
}

TEST_F(ProjectFile, randomDocuments_roundTripByteForByte)
{
    std::mt19937 random(7);
    for (int round = 0; round < 30; ++round) {
        agent.ResetToDefaults();
        for (std::size_t f = 0; f < agent.AppletData.size(); ++f)
            agent.AppletData.set(f, randomText(random));
        const int items = static_cast<int>(random() % 40);
        for (int i = 0; i < items; ++i) {
            TreeNode* parent = agent.tree().nodeAt(random() % agent.tree().count());
            TreeNode* node = agent.InsertItem(parent);
            const std::size_t index = agent.ItemIndexOf(node);
            agent.SetCaption(index, randomText(random));
            agent.Items[index].set(TestProduct::Image, randomText(random));
            agent.Items[index].set(TestProduct::Id, randomText(random));
        }
        const TAppletData applet = agent.AppletData;
        const TItemArray written = agent.Items;
        std::vector<int> shape;
        for (TreeNode* node : agent.tree().order())
            shape.push_back(agent.tree().level(node));
        ASSERT_TRUE(agent.WriteProjectFile(file("r.tst")).ok());

        TkztAppletAgent other(product, folder.appPaths());
        ASSERT_TRUE(other.ReadProjectFile(file("r.tst")).ok());
        EXPECT_EQ(other.AppletData, applet);
        EXPECT_EQ(other.Items, written);
        std::vector<int> otherShape;
        for (TreeNode* node : other.tree().order())
            otherShape.push_back(other.tree().level(node));
        EXPECT_EQ(otherShape, shape);
        EXPECT_TRUE(treeMatchesItems(other));
    }
}

TEST_F(ProjectFile, toleratedVariations_readAsTheSameDocument)
{
    const std::string params = "<Applet_Parameters>\r\nm#$@1#$@ABCDEF#$@\r\n</Applet_Parameters>\r\n";
    const std::string items = "<Item_Parameters>\r\n#$@#$@One#$@#$@0#$@\r\n#$@#$@Two#$@#$@1#$@\r\n</Item_Parameters>\r\n";
    // Lines between the blocks, LF endings, the older product name, missing
    // trailing separators.
    ASSERT_TRUE(readText("junk\r\n" + kHeader + "extra\r\n" + params + "between\r\n" + items).ok());
    EXPECT_EQ(agent.Items.size(), 2u);
    EXPECT_EQ(agent.NodeOfItem(1)->parent(), agent.NodeOfItem(0));

    std::string older = kHeader;
    older.replace(older.find("\r\nTestmenu\r\n"), 12, "\r\nOldmenu\r\n");
    std::string lf = older + params + items;
    for (std::size_t at; (at = lf.find("\r\n")) != std::string::npos;)
        lf.replace(at, 2, "\n");
    ASSERT_TRUE(readText(lf).ok());
    EXPECT_EQ(agent.AppletData.get(2), "ABCDEF");

    ASSERT_TRUE(readText(kHeader + "<Applet_Parameters>\r\nm#$@1#$@ABCDEF\r\n</Applet_Parameters>\r\n"
                         + "<Item_Parameters>\r\n#$@#$@One#$@#$@0\r\n</Item_Parameters>\r\n")
                    .ok());
    EXPECT_EQ(agent.AppletData.get(2), "");
    EXPECT_EQ(agent.Items[0].get(TestProduct::Level), "0"); // the empty level is placed at the top
    EXPECT_TRUE(treeMatchesItems(agent));

    ASSERT_TRUE(readText(kHeader + params + "<Item_Parameters>\r\n</Item_Parameters>\r\n").ok());
    EXPECT_TRUE(agent.Items.empty());
    EXPECT_EQ(agent.ProductVersion, "1.0");
}

TEST_F(ProjectFile, refusedOrDamagedFiles_leaveAFreshConsistentDocument)
{
    const std::string params = "<Applet_Parameters>\r\nm#$@1#$@ABCDEF#$@\r\n</Applet_Parameters>\r\n";
    const std::string full = kHeader + params + "<Item_Parameters>\r\n#$@#$@One#$@#$@0#$@\r\n</Item_Parameters>\r\n";
    std::string foreign = full;
    foreign.replace(foreign.find("\r\nTestmenu\r\n"), 12, "\r\nOthermenu\r\n");

    struct Case
    {
        std::string name;
        std::string text;
        std::string message;
    };
    const std::string incomplete = ProjectFileFormat::incompleteMessage();
    const std::string notOurs = product.info().foreignFileMessage;
    std::mt19937 random(3);
    std::string binary(100000, '\0');
    for (char& c : binary)
        c = static_cast<char>(random());
    const std::vector<Case> cases = {
        {"empty", "", notOurs},
        {"foreign", foreign, notOurs},
        {"binary", binary, notOurs},
        {"cut in items", full.substr(0, full.size() - 22), incomplete},
        {"cut in header", full.substr(0, full.find("<Product_Version>") + 19), incomplete},
        {"cut after parameters", kHeader + params, incomplete},
        {"bad level", kHeader + params + "<Item_Parameters>\r\n#$@#$@One#$@#$@zero#$@\r\n</Item_Parameters>\r\n",
         "'zero' is not a valid integer value"},
    };
    for (const Case& c : cases) {
        agent.InsertItem(agent.tree().root());
        const Status status = readText(c.text);
        EXPECT_FALSE(status.ok()) << c.name;
        EXPECT_EQ(status.message(), c.message) << c.name;
        expectFreshDocument();
    }
    const Status missing = agent.ReadProjectFile(file("missing.tst"));
    EXPECT_FALSE(missing.ok());
    EXPECT_NE(missing.message().find("missing.tst"), std::string::npos);
}

TEST_F(ProjectFile, hugeFile_isReadOrRefusedWithoutHanging)
{
    // 50 MB in one line, then 50 MB of item lines.
    const std::string oneLine = kHeader + "<Applet_Parameters>\r\n" + std::string(50 << 20, 'x');
    EXPECT_FALSE(readText(oneLine).ok());
    expectFreshDocument();

    std::string many = kHeader + "<Applet_Parameters>\r\nm#$@1#$@ABCDEF#$@\r\n</Applet_Parameters>\r\n<Item_Parameters>\r\n";
    const std::string line = "#$@#$@" + std::string(30, 'c') + "#$@#$@0#$@\r\n";
    while (many.size() < (50u << 20))
        many += line;
    many += "</Item_Parameters>\r\n";
    ASSERT_TRUE(readText(many).ok());
    EXPECT_GT(agent.Items.size(), 1000000u);
    EXPECT_TRUE(treeMatchesItems(agent));
}

TEST_F(ProjectFile, linesOfCountlessEmptyFields_keepNoRoomOnceRead)
{
    // Three bytes of file make a field; the fields past the record's end are
    // dropped, and so must be the room they took.
    std::string fields;
    fields.reserve(3 * 1000000);
    for (int i = 0; i < 1000000; ++i)
        fields += "#$@";
    const std::string text = kHeader + "<Applet_Parameters>\r\n" + fields + "\r\n</Applet_Parameters>\r\n"
                             + "<Item_Parameters>\r\n" + fields + "\r\n" + fields + "\r\n</Item_Parameters>\r\n";
    ASSERT_TRUE(readText(text).ok());
    ASSERT_EQ(agent.Items.size(), 2u);
    EXPECT_LE(agent.AppletData.allocatedBytes(), 8 * agent.AppletData.size() + 64);
    for (const TItemData& item : agent.Items)
        EXPECT_LE(item.allocatedBytes(), 8 * item.size() + 64);
}

TEST_F(ProjectFile, separatorOrLineBreakInAValue_isRefusedAndOldFileKept)
{
    agent.InsertItem(agent.tree().root());
    ASSERT_TRUE(agent.WriteProjectFile(file("keep.tst")).ok());
    const std::string before = readFile(file("keep.tst"));

    agent.Items[0].set(TestProduct::Image, "a#$@b");
    Status status = agent.WriteProjectFile(file("keep.tst"));
    EXPECT_FALSE(status.ok());
    EXPECT_NE(status.message().find("The text can't include \"#$@\", it is used by system!"), std::string::npos);
    EXPECT_EQ(readFile(file("keep.tst")), before);

    agent.Items[0].set(TestProduct::Image, "a");
    agent.AppletData.set(0, "two\nlines");
    EXPECT_FALSE(agent.WriteProjectFile(file("keep.tst")).ok());
    EXPECT_EQ(readFile(file("keep.tst")), before);
}

TEST_F(ProjectFile, writeFailingPartWay_keepsOldFileAndLeavesNoTemporary)
{
    // Small enough to go out at once, and large enough to go out in pieces.
    for (const std::size_t size : {2000u, 40000u}) {
        SCOPED_TRACE(size);
        while (agent.Items.size() < size)
            agent.InsertItem(agent.tree().root());
        writeFile(file("old.tst"), "old contents");

        // The file system refuses to let the file grow past 4 KB.
        struct rlimit saved {};
        ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
        auto previous = std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit small = saved;
        small.rlim_cur = 4096;
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
        const Status status = agent.WriteProjectFile(file("old.tst"));
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previous);

        EXPECT_FALSE(status.ok());
        EXPECT_EQ(readFile(file("old.tst")), "old contents");
        int entries = 0;
        for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
            (void)entry;
            ++entries;
        }
        EXPECT_EQ(entries, 1);
    }
}

// A large project goes out to its file as it is made, never whole in
// memory; the file is byte for byte the text made in memory.
TEST_F(ProjectFile, largeProjectWrittenInPieces_isTheTextMadeInMemory)
{
    std::mt19937 random(11);
    TreeNode* parent = agent.tree().root();
    for (int i = 0; i < 30000; ++i) {
        TreeNode* node = agent.InsertItem(i % 7 == 0 ? agent.tree().root() : parent);
        const std::size_t index = agent.ItemIndexOf(node);
        agent.SetCaption(index, randomText(random) + std::string(static_cast<std::size_t>(random() % 40), 'x'));
        agent.Items[index].set(TestProduct::Image, randomText(random));
        if (i % 7 == 0)
            parent = node;
    }
    std::string rendered;
    ASSERT_TRUE(product.projectFormat().render(agent, rendered).ok());
    ASSERT_GT(rendered.size(), 1u << 20);
    ASSERT_TRUE(agent.WriteProjectFile(file("big.tst")).ok());
    EXPECT_EQ(readFile(file("big.tst")), rendered);
    TkztAppletAgent back(product, folder.appPaths());
    ASSERT_TRUE(back.ReadProjectFile(file("big.tst")).ok());
    EXPECT_EQ(back.Items, agent.Items);
    EXPECT_TRUE(treeMatchesItems(back));
}

namespace {

// A product whose version "0.9" files had no colour parameter and items
// without an image field; its format brings them into today's layout.
class MigratingFormat : public ProjectFileFormat
{
protected:
    Status migrateApplet(const std::string& version, FieldViews& applet, const ProductInfo& info) const override
    {
        if (version == "0.9")
            applet.insert(applet.begin() + 2, "C0C0C0");
        return ProjectFileFormat::migrateApplet(version, applet, info);
    }
    Status migrateItem(const std::string& version, FieldViews& item, const ProductInfo& info) const override
    {
        if (version == "0.9")
            item.insert(item.begin() + TestProduct::Image, "none.gif");
        return ProjectFileFormat::migrateItem(version, item, info);
    }
};

class MigratingProduct : public TestProduct
{
public:
    const ProjectFormat& projectFormat() const override { return m_format; }

private:
    MigratingFormat m_format;
};

} // namespace

TEST(ProjectFormatSeam, productFormat_migratesOlderLayouts_andWritesTheCurrentOne)
{
    MigratingProduct product;
    kzt::test::TempFolder folder;
    TkztAppletAgent agent(product, folder.appPaths());
    std::string old = kHeader;
    old.replace(old.find("\r\n1.0\r\n"), 7, "\r\n0.9\r\n");
    writeFile(folder.path() / "old.tst", old + "<Applet_Parameters>\r\nm#$@1#$@x#$@\r\n</Applet_Parameters>\r\n"
                                               "<Item_Parameters>\r\n1#$@0#$@One#$@0#$@\r\n2#$@1#$@Two#$@1#$@\r\n"
                                               "</Item_Parameters>\r\n");
    ASSERT_TRUE(agent.ReadProjectFile(folder.path() / "old.tst").ok());
    EXPECT_EQ(agent.AppletData, TAppletData(TStringArray{"m", "1", "C0C0C0"}));
    ASSERT_EQ(agent.Items.size(), 2u);
    EXPECT_EQ(agent.Items[1], TItemData(TStringArray{"2", "1", "Two", "none.gif", "1"}));
    EXPECT_EQ(agent.NodeOfItem(1)->parent(), agent.NodeOfItem(0));
    EXPECT_TRUE(treeMatchesItems(agent));

    // Saved in today's layout, read back unchanged; today's files are not migrated.
    ASSERT_TRUE(agent.WriteProjectFile(folder.path() / "new.tst").ok());
    EXPECT_NE(readFile(folder.path() / "new.tst").find("\r\n1.0\r\n"), std::string::npos);
    TkztAppletAgent back(product, folder.appPaths());
    ASSERT_TRUE(back.ReadProjectFile(folder.path() / "new.tst").ok());
    EXPECT_EQ(back.AppletData, agent.AppletData);
    EXPECT_EQ(back.Items, agent.Items);
}
