#include <gtest/gtest.h>

#include "ItemTreeListener.h"
#include "TestProduct.h"

#include <random>

using namespace kzt;
namespace fs = std::filesystem;
using kzt::test::TestProduct;
using kzt::test::writeFile;
using kzt::test::treeMatchesItems;

namespace {

class AgentTree : public ::testing::Test
{
protected:
    TestProduct product;
    kzt::test::TempFolder folder;
    TkztAppletAgent agent{product, folder.appPaths()};

    TreeNode* root() { return agent.tree().root(); }
    TreeNode* add(TreeNode* parent, const std::string& caption)
    {
        TreeNode* node = agent.InsertItem(parent);
        agent.SetCaption(agent.ItemIndexOf(node), caption);
        return node;
    }
    // Captions with their stored levels, in item order.
    std::string outline() const
    {
        std::string all;
        for (const TItemData& item : agent.Items)
            all.append(item.get(TestProduct::Caption)).append(item.get(TestProduct::Level)).append(" ");
        return all;
    }
};

} // namespace

TEST_F(AgentTree, newDocument_hasRootOnlyAndDefaults)
{
    EXPECT_EQ(agent.tree().count(), 1u);
    EXPECT_TRUE(agent.Items.empty());
    EXPECT_EQ(agent.AppletData, product.defaultAppletData());
    EXPECT_EQ(root()->text(), "Testmenu");
}

TEST_F(AgentTree, insertUnderItemWithChildren_landsAfterItsWholeSubtree)
{
    TreeNode* a = add(root(), "A");
    TreeNode* a1 = add(a, "A1");
    add(a1, "A1a");
    add(root(), "B");
    TreeNode* fresh = agent.InsertItem(a);
    EXPECT_EQ(fresh->parent(), a);
    EXPECT_EQ(fresh->row(), 1u);
    EXPECT_EQ(outline(), "A0 A11 A1a2 Item1 B0 ");
    EXPECT_TRUE(treeMatchesItems(agent));
}

TEST_F(AgentTree, deleteSubtree_removesExactlyItsBlock)
{
    add(root(), "A");
    TreeNode* b = add(root(), "B");
    TreeNode* b1 = add(b, "B1");
    add(b1, "B1a");
    add(b, "B2");
    add(root(), "C");
    agent.DeleteItem(b);
    EXPECT_EQ(outline(), "A0 C0 ");
    EXPECT_TRUE(treeMatchesItems(agent));

    // The last top-level item, then the root, which stays.
    agent.DeleteItem(agent.NodeOfItem(1));
    EXPECT_EQ(outline(), "A0 ");
    agent.DeleteItem(root());
    EXPECT_EQ(agent.tree().count(), 2u);
    EXPECT_TRUE(treeMatchesItems(agent));
}

TEST_F(AgentTree, moveAcrossSiblingWithThreeDescendants_movesWholeBlocks)
{
    TreeNode* p = add(root(), "P");
    TreeNode* p1 = add(p, "P1");
    add(p1, "P1a");
    add(p, "P2");
    TreeNode* s = add(root(), "S");
    add(s, "S1");

    ASSERT_TRUE(agent.MoveItemUp(s));
    EXPECT_EQ(outline(), "S0 S11 P0 P11 P1a2 P21 ");
    EXPECT_TRUE(treeMatchesItems(agent));
    EXPECT_FALSE(agent.MoveItemUp(s)); // first child

    ASSERT_TRUE(agent.MoveItemDown(s));
    EXPECT_EQ(outline(), "P0 P11 P1a2 P21 S0 S11 ");
    EXPECT_TRUE(treeMatchesItems(agent));
    EXPECT_FALSE(agent.MoveItemDown(s)); // last child
}

TEST_F(AgentTree, rebuildFromLevels_placesEveryRecordOnce)
{
    for (const char* level : {"0", "1", "2", "1", "0"}) {
        TItemData item = agent.GetDefaultItemData();
        item.set(TestProduct::Level, level);
        item.set(TestProduct::Caption, std::string("L") + level);
        agent.Items.push_back(item);
    }
    ASSERT_TRUE(agent.RebuildTreeFromLevels().ok());
    EXPECT_TRUE(treeMatchesItems(agent));
    EXPECT_EQ(agent.NodeOfItem(3)->parent(), agent.NodeOfItem(0));
    EXPECT_EQ(agent.NodeOfItem(4)->parent(), root());

    // Levels no program writes: a first level above 0, jumps, negatives.
    agent.tree().reset("Testmenu");
    const char* odd[] = {"3", "5", "1", "-2", "7"};
    for (std::size_t i = 0; i < 5; ++i)
        agent.Items[i].set(TestProduct::Level, odd[i]);
    ASSERT_TRUE(agent.RebuildTreeFromLevels().ok());
    EXPECT_TRUE(treeMatchesItems(agent));
    EXPECT_EQ(outline(), "L00 L11 L21 L10 L01 ");
}

TEST_F(AgentTree, rebuildWithNonNumericLevel_failsWithoutBuildingNodes)
{
    TItemData item = agent.GetDefaultItemData();
    item.set(TestProduct::Level, "x1");
    agent.Items.push_back(item);
    const Status status = agent.RebuildTreeFromLevels();
    EXPECT_FALSE(status.ok());
    EXPECT_EQ(status.message(), "'x1' is not a valid integer value");
    EXPECT_EQ(agent.tree().count(), 1u);
}

TEST_F(AgentTree, numbering_derivesIdentifiersParentsAndLevels)
{
    TreeNode* a = add(root(), "A");
    add(a, "A1");
    add(root(), "B");
    agent.Items[0].set(TestProduct::Parent, "stale");
    agent.NumberItems(TestProduct::Id, TestProduct::Parent);
    EXPECT_EQ(product.generatePage(agent), "i0::A\ni1:i0:A1\ni2::B\n");
}

TEST_F(AgentTree, rawListOperations_followTheirBoundaryRules)
{
    auto captionList = [&] {
        std::string s;
        for (const TItemData& item : agent.Items)
            s += item.get(TestProduct::Caption);
        return s;
    };
    TItemData x = agent.GetDefaultItemData();
    x.set(TestProduct::Caption, "a");
    agent.InsertItemData(7, x); // empty list: whatever the index
    x.set(TestProduct::Caption, "b");
    agent.InsertItemData(1, x); // append
    x.set(TestProduct::Caption, "c");
    agent.InsertItemData(0, x);
    agent.InsertItemData(9, x); // beyond: nothing
    EXPECT_EQ(captionList(), "cab");
    agent.MoveItemDataUp(0);
    agent.MoveItemDataUp(3);
    agent.MoveItemDataUp(2);
    EXPECT_EQ(captionList(), "cba");
    agent.DeleteItemData(5);
    agent.DeleteItemData(1);
    EXPECT_EQ(captionList(), "ca");
    agent.DeleteItemData(0);
    agent.DeleteItemData(7); // a lone record: whatever the index
    EXPECT_EQ(captionList(), "");
}

namespace {

// The test product with no level in its records: the tree alone holds depth.
class LevellessProduct : public TestProduct
{
public:
    LevellessProduct()
    {
        m_levelless = TestProduct::info();
        m_levelless.hasLevelField = false;
    }
    const ProductInfo& info() const override { return m_levelless; }

private:
    ProductInfo m_levelless;
};

} // namespace

TEST(AgentWithoutLevels, neverReadsOrWritesTheLevelField)
{
    LevellessProduct product;
    kzt::test::TempFolder folder;
    TkztAppletAgent agent(product, folder.appPaths());
    TreeNode* a = agent.InsertItem(nullptr);
    agent.InsertItem(a);
    agent.InsertItem(agent.NodeOfItem(1));
    for (const TItemData& item : agent.Items)
        EXPECT_EQ(item.get(TestProduct::Level), "");
    agent.NumberItems(TestProduct::Id, TestProduct::Parent);
    agent.UpdateItemLevels();
    EXPECT_EQ(agent.Items[2].get(TestProduct::Parent), "i1");
    for (const TItemData& item : agent.Items)
        EXPECT_EQ(item.get(TestProduct::Level), "");

    // Whatever the field holds, a rebuild puts every record under the root.
    agent.Items[1].set(TestProduct::Level, "x");
    agent.Items[2].set(TestProduct::Level, "1");
    agent.tree().reset("Testmenu");
    ASSERT_TRUE(agent.RebuildTreeFromLevels().ok());
    EXPECT_EQ(agent.tree().root()->childCount(), 3u);
    EXPECT_EQ(agent.Items[1].get(TestProduct::Level), "x");
    EXPECT_TRUE(treeMatchesItems(agent));
}

namespace {

// Records the order of listener calls and checks that the document agrees
// with itself whenever a view could look.
class CheckingListener : public ItemTreeListener
{
public:
    explicit CheckingListener(const TkztAppletAgent& agent) : m_agent(agent) {}
    int calls = 0;
    int inconsistent = 0;
    void check()
    {
        ++calls;
        if (m_agent.Items.size() + 1 != m_agent.tree().count())
            ++inconsistent;
    }
    void nodeAboutToBeInserted(TreeNode*, std::size_t) override { check(); }
    void nodeInserted(TreeNode*) override { check(); }
    void nodeAboutToBeRemoved(TreeNode*) override { check(); }
    void nodeRemoved(TreeNode*, std::size_t) override { check(); }
    void nodeAboutToBeMoved(TreeNode*, std::size_t, std::size_t) override { check(); }
    void nodeMoved(TreeNode*) override { check(); }

private:
    const TkztAppletAgent& m_agent;
};

// The reference: captions and levels in depth-first order, edited naively.
struct Model
{
    std::vector<std::pair<std::string, int>> rows;

    std::size_t end(std::size_t i) const
    {
        std::size_t j = i + 1;
        while (j < rows.size() && rows[j].second > rows[i].second)
            ++j;
        return j;
    }
    // Previous sibling's position, or npos.
    std::size_t previousSibling(std::size_t i) const
    {
        for (std::size_t j = i; j-- > 0;) {
            if (rows[j].second == rows[i].second)
                return j;
            if (rows[j].second < rows[i].second)
                break;
        }
        return std::string::npos;
    }
    void moveUp(std::size_t i)
    {
        const std::size_t p = previousSibling(i);
        std::rotate(rows.begin() + static_cast<long>(p), rows.begin() + static_cast<long>(i),
                    rows.begin() + static_cast<long>(end(i)));
    }
};

} // namespace

TEST_F(AgentTree, randomEditSequence_matchesReferenceAndStaysParallel)
{
    CheckingListener listener(agent);
    agent.tree().addListener(&listener);
    Model model;
    std::mt19937 random(20261207);
    int serial = 0;
    for (int step = 0; step < 4000; ++step) {
        const std::size_t n = agent.Items.size();
        const int op = static_cast<int>(random() % 10);
        if (op < 4 || n == 0) {
            const std::size_t parent = random() % (n + 1); // 0 is the root
            const std::string caption = "n" + std::to_string(serial++);
            TreeNode* node = add(agent.tree().nodeAt(parent), caption);
            (void)node;
            const int level = parent == 0 ? 0 : model.rows[parent - 1].second + 1;
            const std::size_t at = parent == 0 ? model.rows.size() : model.end(parent - 1);
            model.rows.insert(model.rows.begin() + static_cast<long>(at), {caption, level});
        } else if (op < 6) {
            const std::size_t i = random() % n;
            agent.DeleteItem(agent.NodeOfItem(i));
            model.rows.erase(model.rows.begin() + static_cast<long>(i),
                             model.rows.begin() + static_cast<long>(model.end(i)));
        } else if (op < 8) {
            const std::size_t i = random() % n;
            const bool moved = agent.MoveItemUp(agent.NodeOfItem(i));
            ASSERT_EQ(moved, model.previousSibling(i) != std::string::npos);
            if (moved)
                model.moveUp(i);
        } else {
            const std::size_t i = random() % n;
            const std::size_t next = model.end(i);
            const bool hasNext = next < model.rows.size() && model.rows[next].second == model.rows[i].second;
            ASSERT_EQ(agent.MoveItemDown(agent.NodeOfItem(i)), hasNext);
            if (hasNext)
                model.moveUp(next);
        }
        ASSERT_EQ(agent.Items.size(), model.rows.size()) << "step " << step;
        for (std::size_t i = 0; i < model.rows.size(); ++i) {
            ASSERT_EQ(agent.Items[i].get(TestProduct::Caption), model.rows[i].first) << "step " << step;
            ASSERT_EQ(agent.tree().level(agent.NodeOfItem(i)), model.rows[i].second) << "step " << step;
        }
        ASSERT_TRUE(treeMatchesItems(agent, false)) << "step " << step;
    }
    EXPECT_GT(listener.calls, 0);
    EXPECT_EQ(listener.inconsistent, 0);
    agent.tree().removeListener(&listener);
}

TEST_F(AgentTree, veryDeepTree_isBuiltWalkedAndDestroyedWithoutRecursion)
{
    for (int i = 0; i < 200000; ++i) {
        TItemData item = agent.GetDefaultItemData();
        item.set(TestProduct::Level, std::to_string(i));
        agent.Items.push_back(item);
    }
    ASSERT_TRUE(agent.RebuildTreeFromLevels().ok());
    EXPECT_EQ(agent.tree().level(agent.NodeOfItem(199999)), 199999);
    agent.DeleteItem(agent.NodeOfItem(0));
    EXPECT_TRUE(agent.Items.empty());
    EXPECT_TRUE(treeMatchesItems(agent));
}

TEST_F(AgentTree, rootTexts_followStartNewAndOpen)
{
    product.editableInfo().rootText = "Test start";
    product.editableInfo().rootTextAfterNew = "Test 2005";
    agent.ResetToDefaults();
    EXPECT_EQ(root()->text(), "Test start");
    agent.NewDocument();
    EXPECT_EQ(root()->text(), "Test 2005");
    agent.ResetToDefaults(true);
    EXPECT_EQ(root()->text(), "Test 2005");

    add(root(), "A");
    const fs::path file = folder / "a.tst";
    ASSERT_TRUE(agent.WriteProjectFile(file).ok());
    agent.NewDocument();
    ASSERT_TRUE(agent.ReadProjectFile(file).ok());
    EXPECT_EQ(root()->text(), "Test start");
    EXPECT_EQ(agent.Items.size(), 1u);
    // A refused file leaves the start-up document.
    writeFile(folder / "bad.tst", "nonsense");
    agent.NewDocument();
    EXPECT_FALSE(agent.ReadProjectFile(folder / "bad.tst").ok());
    EXPECT_EQ(root()->text(), "Test start");

    // Without a text of its own New takes the start-up one.
    product.editableInfo().rootTextAfterNew.clear();
    agent.NewDocument();
    EXPECT_EQ(root()->text(), "Test start");
    product.editableInfo().rootText.clear();
    agent.NewDocument();
    EXPECT_EQ(root()->text(), "Testmenu");
}

namespace {

// A stand-in for a product's preview cache: one entry per item, kept in
// step from the tree's notifications alone.
class CacheListener : public ItemTreeListener
{
public:
    explicit CacheListener(const TkztAppletAgent& agent) : m_agent(agent) {}
    std::vector<std::string> entries;

    void treeReset() override
    {
        entries.clear();
        for (const TItemData& item : m_agent.Items)
            entries.emplace_back(item.get(TestProduct::Caption));
    }
    void nodeInserted(TreeNode* node) override
    {
        const std::size_t first = m_agent.ItemIndexOf(node);
        const std::size_t count = m_agent.tree().countDescendants(node) + 1;
        std::vector<std::string> block;
        for (std::size_t i = first; i < first + count; ++i)
            block.emplace_back(m_agent.Items[i].get(TestProduct::Caption));
        entries.insert(entries.begin() + static_cast<long>(first), block.begin(), block.end());
    }
    void nodeAboutToBeRemoved(TreeNode* node) override
    {
        const auto first = entries.begin() + static_cast<long>(m_agent.ItemIndexOf(node));
        entries.erase(first, first + static_cast<long>(m_agent.tree().countDescendants(node) + 1));
    }
    void nodeAboutToBeMoved(TreeNode* parent, std::size_t fromRow, std::size_t toRow) override
    {
        const ItemTree& tree = m_agent.tree();
        const TreeNode* node = parent->child(fromRow);
        const TreeNode* before = parent->child(toRow);
        const auto at = [&](std::size_t absolute) { return entries.begin() + static_cast<long>(absolute - 1); };
        if (fromRow > toRow)
            std::rotate(at(tree.absoluteIndex(before)), at(tree.absoluteIndex(node)), at(tree.subtreeEnd(node)));
        else
            std::rotate(at(tree.absoluteIndex(node)), at(tree.subtreeEnd(node)), at(tree.absoluteIndex(before)));
    }
    void nodeTextChanged(TreeNode* node) override { entries[m_agent.ItemIndexOf(node)] = node->text(); }

private:
    const TkztAppletAgent& m_agent;
};

} // namespace

TEST_F(AgentTree, copyAndPasteSubtree_landsAsLastChildWithLevels)
{
    TreeNode* a = add(root(), "A");
    TreeNode* a1 = add(a, "A1");
    add(a1, "A1a");
    add(a, "A2");
    TreeNode* b = add(root(), "B");
    add(b, "B1");

    const TItemArray records = agent.CopySubtree(a);
    const std::vector<int> levels = agent.SubtreeRelativeLevels(a);
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(levels, (std::vector<int>{0, 1, 2, 1}));
    EXPECT_TRUE(agent.CopySubtree(root()).empty());
    EXPECT_TRUE(agent.SubtreeRelativeLevels(nullptr).empty());

    TreeNode* pasted = agent.PasteSubtree(b, records, levels);
    ASSERT_NE(pasted, nullptr);
    EXPECT_EQ(pasted->parent(), b);
    EXPECT_EQ(pasted->row(), 1u);
    EXPECT_EQ(outline(), "A0 A11 A1a2 A21 B0 B11 A1 A12 A1a3 A22 ");
    EXPECT_TRUE(treeMatchesItems(agent));

    // Into its own copy's subtree, and under the root by default.
    ASSERT_NE(agent.PasteSubtree(agent.NodeOfItem(7), agent.CopySubtree(a1), agent.SubtreeRelativeLevels(a1)), nullptr);
    ASSERT_NE(agent.PasteSubtree(nullptr, agent.CopySubtree(a1), agent.SubtreeRelativeLevels(a1)), nullptr);
    EXPECT_EQ(outline(), "A0 A11 A1a2 A21 B0 B11 A1 A12 A1a3 A13 A1a4 A22 A10 A1a1 ");
    EXPECT_TRUE(treeMatchesItems(agent));

    // Short records take the product's field count.
    const TItemData shortRecord(TStringArray{"", "", "S"});
    ASSERT_NE(agent.PasteSubtree(nullptr, {shortRecord}, {0}), nullptr);
    EXPECT_EQ(agent.Items.back().size(), static_cast<std::size_t>(TestProduct::Count));
    EXPECT_TRUE(treeMatchesItems(agent));
}

TEST_F(AgentTree, pasteWithLevelsThatAreNoSubtree_changesNothing)
{
    add(root(), "A");
    TItemData x = agent.GetDefaultItemData();
    const std::vector<std::pair<TItemArray, std::vector<int>>> refused = {
        {{}, {}},              // nothing to paste
        {{x, x}, {0}},         // counts differ
        {{x}, {1}},            // top not at 0
        {{x, x}, {0, 0}},      // two tops
        {{x, x}, {0, 2}},      // a jump
        {{x, x, x}, {0, 1, -1}},
    };
    for (const auto& [records, levels] : refused) {
        EXPECT_EQ(agent.PasteSubtree(root(), records, levels), nullptr);
        EXPECT_EQ(outline(), "A0 ");
        EXPECT_TRUE(treeMatchesItems(agent));
    }
}

TEST_F(AgentTree, everyListenerIsTold_andMayLeaveWhileBeingTold)
{
    CheckingListener first(agent);
    CheckingListener second(agent);
    agent.tree().addListener(&first);
    agent.tree().addListener(&first); // once only
    agent.tree().addListener(&second);
    add(root(), "A");
    EXPECT_EQ(first.calls, 2);
    EXPECT_EQ(second.calls, 2);

    // A listener that leaves hears nothing more; the others go on.
    CheckingListener view(agent);
    agent.tree().addListener(&view);
    add(root(), "B");
    EXPECT_EQ(view.calls, 2);
    EXPECT_EQ(first.calls, 4);
    agent.tree().removeListener(&view);
    add(root(), "C");
    EXPECT_EQ(view.calls, 2);
    EXPECT_EQ(second.calls, 6);

    // A listener that removes another (and itself) while being told.
    struct Leaving : ItemTreeListener
    {
        ItemTree* tree = nullptr;
        ItemTreeListener* other = nullptr;
        int calls = 0;
        void nodeAboutToBeInserted(TreeNode*, std::size_t) override
        {
            ++calls;
            tree->removeListener(other);
            tree->removeListener(this);
        }
    } leaving;
    leaving.tree = &agent.tree();
    leaving.other = &second;
    agent.tree().removeListener(&first);
    agent.tree().addListener(&leaving);
    agent.tree().addListener(&first);
    add(root(), "D");
    EXPECT_EQ(leaving.calls, 1);
    EXPECT_EQ(second.calls, 7); // told before leaving acted, then gone
    EXPECT_EQ(first.calls, 8);
    add(root(), "E");
    EXPECT_EQ(leaving.calls, 1);
    EXPECT_EQ(second.calls, 7);
    EXPECT_EQ(first.calls, 10);
    agent.tree().removeListener(&first);
    EXPECT_EQ(first.inconsistent + second.inconsistent + view.inconsistent, 0);
}

TEST_F(AgentTree, randomEditsWithCopyAndPaste_keepEveryListenerInStep)
{
    CheckingListener checking(agent);
    CacheListener cache(agent);
    agent.tree().addListener(&checking);
    agent.tree().addListener(&cache);
    Model model;
    std::mt19937 random(4099);
    int serial = 0;
    for (int step = 0; step < 3000; ++step) {
        const std::size_t n = agent.Items.size();
        const int op = static_cast<int>(random() % 12);
        if (op < 3 || n == 0) {
            const std::size_t parent = random() % (n + 1);
            const std::string caption = "n" + std::to_string(serial++);
            add(agent.tree().nodeAt(parent), caption);
            const int level = parent == 0 ? 0 : model.rows[parent - 1].second + 1;
            const std::size_t at = parent == 0 ? model.rows.size() : model.end(parent - 1);
            model.rows.insert(model.rows.begin() + static_cast<long>(at), {caption, level});
        } else if (op < 5) {
            const std::size_t i = random() % n;
            agent.DeleteItem(agent.NodeOfItem(i));
            model.rows.erase(model.rows.begin() + static_cast<long>(i),
                             model.rows.begin() + static_cast<long>(model.end(i)));
        } else if (op < 7) {
            const std::size_t i = random() % n;
            if (agent.MoveItemUp(agent.NodeOfItem(i)))
                model.moveUp(i);
        } else if (op < 8) {
            const std::size_t i = random() % n;
            const std::size_t next = model.end(i);
            if (agent.MoveItemDown(agent.NodeOfItem(i)))
                model.moveUp(next);
        } else if (op < 9) {
            const std::size_t i = random() % n;
            const std::string caption = "r" + std::to_string(serial++);
            agent.SetCaption(i, caption);
            model.rows[i].first = caption;
        } else if (n < 400) {
            // Copy a subtree and paste it anywhere, its own inside included.
            const std::size_t i = random() % n;
            const std::size_t parent = random() % (n + 1);
            const TreeNode* source = agent.NodeOfItem(i);
            TreeNode* pasted = agent.PasteSubtree(agent.tree().nodeAt(parent), agent.CopySubtree(source),
                                                  agent.SubtreeRelativeLevels(source));
            ASSERT_NE(pasted, nullptr);
            std::vector<std::pair<std::string, int>> block(model.rows.begin() + static_cast<long>(i),
                                                           model.rows.begin() + static_cast<long>(model.end(i)));
            const int shift = (parent == 0 ? 0 : model.rows[parent - 1].second + 1) - block.front().second;
            for (auto& row : block)
                row.second += shift;
            const std::size_t at = parent == 0 ? model.rows.size() : model.end(parent - 1);
            model.rows.insert(model.rows.begin() + static_cast<long>(at), block.begin(), block.end());
        }
        ASSERT_EQ(agent.Items.size(), model.rows.size()) << "step " << step;
        for (std::size_t i = 0; i < model.rows.size(); ++i) {
            ASSERT_EQ(agent.Items[i].get(TestProduct::Caption), model.rows[i].first) << "step " << step;
            ASSERT_EQ(agent.tree().level(agent.NodeOfItem(i)), model.rows[i].second) << "step " << step;
        }
        ASSERT_EQ(cache.entries.size(), agent.Items.size()) << "step " << step;
        for (std::size_t i = 0; i < agent.Items.size(); ++i)
            ASSERT_EQ(cache.entries[i], agent.Items[i].get(TestProduct::Caption)) << "step " << step;
        ASSERT_TRUE(treeMatchesItems(agent, false)) << "step " << step;
    }
    EXPECT_EQ(checking.inconsistent, 0);
    agent.tree().removeListener(&checking);
    agent.tree().removeListener(&cache);
}
