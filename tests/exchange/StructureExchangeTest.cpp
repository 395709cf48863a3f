#include "KestravoTestSupport.h"

#include "dulcamon/core/DulcamonProfile.h"
#include "dulcamon/core/DulcamonStructure.h"
#include "kestravo/core/KestravoStructure.h"
#include "StructureFileFormat.h"

#include <array>

using namespace kestravo::test;

namespace fs = std::filesystem;
using kzt::StructureFileFormat;

namespace {

const kestravo::KestravoProfile& kestravoProduct()
{
    return kestravo::KestravoProfile::instance();
}

const dulcamon::DulcamonProfile& dulcamonProduct()
{
    return dulcamon::DulcamonProfile::instance();
}

// (level, caption, URL, target) of every item, the fields both products share.
std::vector<std::array<std::string, 4>> shared(const kzt::TkztAppletAgent& agent)
{
    const kzt::ProductInfo& info = agent.info();
    const bool isKestravo = info.name == "Kestravo";
    const std::size_t url = isKestravo ? std::size_t{kestravo::pURL} : std::size_t{dulcamon::Url};
    const std::size_t target = isKestravo ? std::size_t{kestravo::pTarget} : std::size_t{dulcamon::Target};
    std::vector<std::array<std::string, 4>> rows;
    const auto& order = agent.tree().order();
    for (std::size_t k = 1; k < order.size(); ++k) {
        const kzt::TItemData& item = agent.Items[k - 1];
        rows.push_back({std::to_string(agent.tree().level(order[k])), std::string(item.get(info.captionField)),
                        std::string(item.get(url)), std::string(item.get(target))});
    }
    return rows;
}

} // namespace

TEST(StructureExchange, dulcamonExport_writesTheHeaderAndTheHomeLine)
{
    TempDir dir;
    kzt::TkztAppletAgent agent(dulcamonProduct(), dir.appPaths());
    kzt::TreeNode* node = agent.InsertItem(nullptr);
    const std::size_t i = agent.ItemIndexOf(node);
    agent.SetCaption(i, "Home");
    agent.Items[i].set(dulcamon::Url, "index.html");
    agent.Items[i].set(dulcamon::Target, "_self");
    agent.Items[i].set(dulcamon::Description, "Start page");
    ASSERT_TRUE(StructureFileFormat::ExportMenuStructure(agent, dulcamon::DulcamonStructure::mapping(),
                                                         dir / "home.gms"));
    EXPECT_EQ(readFile(dir / "home.gms"), golden("dulcamon_home.gms"));
}

TEST(StructureExchange, newKestravoDocument_exportsTheHeaderAndAnEmptySection)
{
    TempDir dir;
    kzt::TkztAppletAgent agent(kestravoProduct(), dir.appPaths());
    ASSERT_TRUE(StructureFileFormat::ExportMenuStructure(agent, kestravo::KestravoStructure::mapping(),
                                                         dir / "new.gms"));
    EXPECT_EQ(readFile(dir / "new.gms"), golden("kestravo_new.gms"));
}

TEST(StructureExchange, kestravoExportIntoDulcamon_givesEmptyDescriptionsAndDulcamonDefaults)
{
    TempDir dir;
    kzt::TkztAppletAgent source(kestravoProduct(), dir.appPaths());
    kzt::TreeNode* a = addItem(source, nullptr, "A", "a.html", "_top");
    addItem(source, addItem(source, a, "A1", "a1.html"), "A1x", "x.html", "_blank");
    addItem(source, nullptr, "B", "b.html");
    ASSERT_TRUE(StructureFileFormat::ExportMenuStructure(source, kestravo::KestravoStructure::mapping(),
                                                         dir / "k.gms"));

    kzt::TkztAppletAgent target(dulcamonProduct(), dir.appPaths());
    target.AppletData.set(dulcamon::MenuName, "changed");
    addItem(target, nullptr, "old");
    ASSERT_TRUE(StructureFileFormat::ImportMenuStructure(target, dulcamon::DulcamonStructure::mapping(),
                                                         dir / "k.gms"));
    EXPECT_EQ(target.AppletData, dulcamonProduct().defaultAppletData());
    EXPECT_EQ(shared(target), shared(source));
    EXPECT_EQ(target.ProductVersion, "1.0");
    const kzt::TItemData defaults = dulcamonProduct().defaultItemData();
    for (const kzt::TItemData& item : target.Items) {
        EXPECT_EQ(item.get(dulcamon::Description), "");
        for (std::size_t field : {dulcamon::Width, dulcamon::Height, dulcamon::NormalBgImage, dulcamon::OverBgImage,
                                  dulcamon::NormalBgColor, dulcamon::OverBgColor, dulcamon::NormalCaptionColor,
                                  dulcamon::OverCaptionColor})
            EXPECT_EQ(item.get(field), defaults.get(field)) << field;
    }
}

TEST(StructureExchange, dulcamonThroughKestravoAndBack_keepsTreeCaptionsLinksAndTargets)
{
    TempDir dir;
    kzt::TkztAppletAgent first(dulcamonProduct(), dir.appPaths());
    std::mt19937 random(7);
    std::vector<kzt::TreeNode*> nodes;
    for (int i = 0; i < 50; ++i) {
        kzt::TreeNode* parent = nodes.empty() || random() % 4 == 0 ? nullptr : nodes[random() % nodes.size()];
        kzt::TreeNode* node = first.InsertItem(parent);
        const std::size_t k = first.ItemIndexOf(node);
        first.SetCaption(k, "Item <" + std::to_string(i) + "> & \"x\"");
        first.Items[k].set(dulcamon::Url, "page" + std::to_string(i) + ".html");
        first.Items[k].set(dulcamon::Target, i % 2 ? "_blank" : "frame " + std::to_string(i));
        first.Items[k].set(dulcamon::Description, "about " + std::to_string(i));
        nodes.push_back(node);
    }
    ASSERT_TRUE(StructureFileFormat::ExportMenuStructure(first, dulcamon::DulcamonStructure::mapping(),
                                                         dir / "d.gms"));

    kzt::TkztAppletAgent middle(kestravoProduct(), dir.appPaths());
    ASSERT_TRUE(StructureFileFormat::ImportMenuStructure(middle, kestravo::KestravoStructure::mapping(),
                                                         dir / "d.gms"));
    EXPECT_TRUE(treeMatchesItems(middle));
    EXPECT_EQ(shared(middle), shared(first));
    for (const kzt::TItemData& item : middle.Items)
        EXPECT_EQ(item.get(kestravo::Reserved), "");
    ASSERT_TRUE(StructureFileFormat::ExportMenuStructure(middle, kestravo::KestravoStructure::mapping(),
                                                         dir / "k.gms"));

    kzt::TkztAppletAgent last(dulcamonProduct(), dir.appPaths());
    ASSERT_TRUE(StructureFileFormat::ImportMenuStructure(last, dulcamon::DulcamonStructure::mapping(),
                                                         dir / "k.gms"));
    EXPECT_EQ(shared(last), shared(first));
    for (const kzt::TItemData& item : last.Items)
        EXPECT_EQ(item.get(dulcamon::Description), ""); // lost through the drop-down menu
}

TEST(StructureExchange, kestravoImport_resetsTheMenuButKeepsThePathSettings)
{
    TempDir dir;
    kzt::TkztAppletAgent agent(kestravoProduct(), dir.appPaths());
    agent.AppletData.set(kestravo::pMenuWidth, "999");
    agent.AppletData.set(kestravo::pInternalUse_RootDir_Local, "file:///C|/site/");
    agent.AppletData.set(kestravo::pInternalUse_RootDir_Remote, "/web/");
    agent.AppletData.set(kestravo::pInternalUse_RootDir_Local_Checked, "1");
    ASSERT_TRUE(StructureFileFormat::ImportMenuStructure(agent, kestravo::KestravoStructure::mapping(),
                                                         KZT_TEST_DATA_DIR "/dulcamon_home.gms"));
    kzt::TAppletData expected = kestravoProduct().defaultAppletData();
    expected.set(kestravo::pInternalUse_RootDir_Local, "file:///C|/site/");
    expected.set(kestravo::pInternalUse_RootDir_Remote, "/web/");
    expected.set(kestravo::pInternalUse_RootDir_Local_Checked, "1");
    EXPECT_EQ(agent.AppletData, expected);
    ASSERT_EQ(agent.Items.size(), 1u);
    EXPECT_EQ(agent.Items[0], kzt::TItemData(kzt::TStringArray{"Home", "index.html", "_self", "0", ""}));
}

TEST(StructureExchange, randomKestravoDocuments_surviveStructureRoundTrips)
{
    TempDir dir;
    std::mt19937 random(99);
    for (int round = 0; round < 30; ++round) {
        kzt::TkztAppletAgent agent(kestravoProduct(), dir.appPaths());
        fillRandomMenu(agent, random, random() % 80);
        ASSERT_TRUE(StructureFileFormat::ExportMenuStructure(agent, kestravo::KestravoStructure::mapping(),
                                                             dir / "r.gms"));
        kzt::TkztAppletAgent back(kestravoProduct(), dir.appPaths());
        ASSERT_TRUE(StructureFileFormat::ImportMenuStructure(back, kestravo::KestravoStructure::mapping(),
                                                             dir / "r.gms"));
        EXPECT_EQ(back.Items, agent.Items) << "round " << round;
        EXPECT_TRUE(treeMatchesItems(back)) << "round " << round;
        // Appearance is not carried; the structure is.
        EXPECT_EQ(back.AppletData.get(kestravo::pTipMessage), "Please select ...");
        // Then through a project file as well.
        kestravoProduct().refreshDerivedFields(back);
        ASSERT_TRUE(back.WriteProjectFile(dir / "r.ksdm"));
        kzt::TkztAppletAgent reopened(kestravoProduct(), dir.appPaths());
        ASSERT_TRUE(reopened.ReadProjectFile(dir / "r.ksdm"));
        EXPECT_EQ(reopened.Items, agent.Items) << "round " << round;
    }
}
