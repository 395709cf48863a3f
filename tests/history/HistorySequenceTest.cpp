// Random sequences of every command, recorded as history steps, against the
// core of each product: undoing them all gives back the project file as it
// was, byte for byte, and redoing them all the file as it was after them.
#include "EditSteps.h"
#include "SampleProjects.h"

#include "AppletAgent.h"
#include "ProjectFileFormat.h"
#include "StructureFileFormat.h"
#include "TreeNode.h"
#include "dulcamon/core/DulcamonStructure.h"
#include "kestravo/core/KestravoStructure.h"
#include "osmerin/core/OsmerinProfile.h"
#include "vantrel/core/VantrelDocument.h"
#include "vantrel/core/VantrelFields.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <random>
#include <vector>

namespace {

using kzt::EditStep;
using kzt::TkztAppletAgent;
using kzt::TreeNode;

// What Save writes into the project file.
std::string projectText(TkztAppletAgent& agent)
{
    agent.product().refreshDerivedFields(agent);
    std::string contents;
    EXPECT_TRUE(agent.product().projectFormat().render(agent, contents).ok());
    return contents;
}

std::optional<kzt::MenuStructureMapping> mappingOf(const std::string& product)
{
    if (product == "dulcamon")
        return dulcamon::DulcamonStructure::mapping();
    if (product == "kestravo")
        return kestravo::KestravoStructure::mapping();
    return std::nullopt;
}

class Sequence
{
public:
    Sequence(TkztAppletAgent& agent, const std::string& product, unsigned seed)
        : m_agent(agent), m_product(product), m_random(seed), m_recorder(agent)
    {
    }

    std::size_t pick(std::size_t bound) { return std::uniform_int_distribution<std::size_t>(0, bound - 1)(m_random); }
    TreeNode* anyNode() { return m_agent.tree().nodeAt(pick(m_agent.tree().count())); }
    TreeNode* anyItem()
    {
        if (m_agent.Items.empty())
            return nullptr;
        return m_agent.NodeOfItem(pick(m_agent.Items.size()));
    }
    std::string text() { return "v" + std::to_string(pick(1000)) + (pick(4) == 0 ? " \xE9" : ""); }

    // One command, done and recorded; false when it had nothing to act on.
    bool command()
    {
        std::unique_ptr<EditStep> step;
        const std::size_t fieldCount = m_agent.info().itemFieldCount;
        switch (pick(12)) {
        case 0: // typing into an item's field
        case 1: {
            TreeNode* node = anyItem();
            if (!node)
                return false;
            const std::size_t index = m_agent.ItemIndexOf(node);
            kzt::TItemData record = m_agent.Items[index];
            record.set(pick(fieldCount), text());
            m_agent.SetItemData(index, record);
            step = m_recorder.take("Edit Field");
            break;
        }
        case 2: { // the applet record
            kzt::TAppletData record = m_agent.AppletData;
            record.set(pick(record.size()), text());
            m_agent.SetAppletData(record);
            step = m_recorder.take("Edit Field");
            break;
        }
        case 3: { // insert, at the top or as a sub-item
            m_recorder.pause();
            TreeNode* node = m_agent.InsertItem(anyNode());
            m_recorder.resume();
            step = kzt::SubtreeStep::inserted("Insert Item", m_agent, node);
            break;
        }
        case 4: // delete with descendants, or cut
        case 5:
            step = kzt::SubtreeStep::remove(pick(2) ? "Delete Item" : "Cut", m_agent, anyItem());
            break;
        case 6: // move up or down
            step = kzt::MoveStep::perform("Move", m_agent, anyItem(), pick(2) == 0);
            break;
        case 7: { // paste a copied item after another one at its level
            TreeNode* copied = anyItem();
            TreeNode* target = anyNode();
            if (!copied || !target)
                return false;
            const kzt::TItemArray records = m_agent.CopySubtree(copied);
            const std::vector<int> levels = m_agent.SubtreeRelativeLevels(copied);
            TreeNode* parent = target->isRoot() ? target : target->parent();
            const std::size_t row = target->isRoot() ? 0 : target->row() + 1;
            m_recorder.pause();
            TreeNode* top = m_agent.PasteSubtreeAt(parent, row, records, levels);
            m_recorder.resume();
            step = kzt::SubtreeStep::inserted("Paste", m_agent, top);
            break;
        }
        case 8: { // bulk property copy
            if (m_agent.Items.size() < 2)
                return false;
            std::vector<std::size_t> targets, fields;
            for (int i = 0; i < 5; ++i)
                targets.push_back(pick(m_agent.Items.size()));
            for (int i = 0; i < 3; ++i)
                fields.push_back(pick(fieldCount));
            fields.push_back(m_agent.info().captionField);
            m_agent.CopyItemFields(pick(m_agent.Items.size()), targets, fields);
            step = m_recorder.take("Copy Properties");
            break;
        }
        case 9: { // a command that replaces the document
            if (pick(4) != 0)
                return false;
            auto replaced = std::make_unique<kzt::DocumentStep>("Import Menu Structure", m_agent);
            m_recorder.pause();
            if (const auto mapping = mappingOf(m_product)) {
                // Import what an export of a few items wrote.
                kzt::TkztAppletAgent source(m_agent.product(), m_agent.paths());
                bench::fillProject(source, *findProduct(), 5 + pick(30));
                std::string contents;
                EXPECT_TRUE(kzt::StructureFileFormat::render(source, *mapping, contents).ok());
                EXPECT_TRUE(kzt::StructureFileFormat::importText(m_agent, *mapping, contents).ok());
                m_agent.announceRecordsReplaced();
            } else {
                m_agent.ResetToDefaults();
                bench::fillProject(m_agent, *findProduct(), 5 + pick(30));
            }
            m_recorder.resume();
            step = std::move(replaced);
            break;
        }
        case 10: { // the product's own record commands
            TreeNode* node = anyItem();
            if (!node)
                return false;
            if (m_product == "vantrel")
                vantrel::VantrelDocument::SetInitVisibility(m_agent, node, pick(2) == 0);
            else if (m_product == "osmerin")
                osmerin::OsmerinProfile::SetItemComment(m_agent, m_agent.ItemIndexOf(node), text());
            else
                m_agent.SetCaption(m_agent.ItemIndexOf(node), text());
            step = m_recorder.take("Edit Field");
            break;
        }
        case 11: { // undo or redo in the middle of the sequence
            if (pick(2) == 0 && m_done > 0)
                undoOne();
            else if (m_done < m_steps.size())
                redoOne();
            return true;
        }
        }
        if (!step)
            return false;
        // A new step drops the steps undone before it.
        m_steps.resize(m_done);
        m_steps.push_back(std::move(step));
        ++m_done;
        return true;
    }

    void undoOne()
    {
        m_recorder.pause();
        m_steps[--m_done]->undo(m_agent);
        m_recorder.resume();
    }
    void redoOne()
    {
        m_recorder.pause();
        m_steps[m_done++]->redo(m_agent);
        m_recorder.resume();
    }
    void undoAll()
    {
        while (m_done > 0)
            undoOne();
    }
    void redoAll()
    {
        while (m_done < m_steps.size())
            redoOne();
    }
    std::size_t stepCount() const { return m_steps.size(); }

private:
    const bench::Product* findProduct() const
    {
        for (const bench::Product& product : bench::products()) {
            if (m_product == product.name)
                return &product;
        }
        return nullptr;
    }

    TkztAppletAgent& m_agent;
    std::string m_product;
    std::mt19937 m_random;
    kzt::RecordRecorder m_recorder;
    std::vector<std::unique_ptr<EditStep>> m_steps;
    std::size_t m_done = 0;
};

class HistorySequence : public testing::TestWithParam<int>
{
};

TEST_P(HistorySequence, undoAllGivesTheFileBeforeAndRedoAllTheFileAfter)
{
    const bench::Product& product = bench::products()[GetParam()];
    for (unsigned seed : {1u, 2u, 3u}) {
        SCOPED_TRACE(std::string(product.name) + " seed " + std::to_string(seed));
        TkztAppletAgent agent(product.profile, kzt::AppPaths{});
        ASSERT_TRUE(bench::fillProject(agent, product, 300));
        const std::string before = projectText(agent);
        Sequence sequence(agent, product.name, seed);
        int done = 0;
        while (done < 500) {
            if (sequence.command())
                ++done;
            ASSERT_TRUE(agent.IsConsistent());
        }
        // Where the sequence's last undos left the document.
        sequence.redoAll();
        const std::string after = projectText(agent);
        EXPECT_NE(after, before);
        sequence.undoAll();
        ASSERT_TRUE(agent.IsConsistent());
        EXPECT_EQ(projectText(agent), before);
        sequence.redoAll();
        ASSERT_TRUE(agent.IsConsistent());
        EXPECT_EQ(projectText(agent), after);
        EXPECT_GT(sequence.stepCount(), 100u);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryProduct, HistorySequence, testing::Range(0, 4),
                         [](const testing::TestParamInfo<int>& info) {
                             return std::string(bench::products()[info.param].name);
                         });

// The nodes a delete takes out come back themselves, so views that keep a
// node pointer of an item keep it across undo.
TEST(HistorySteps, undoOfDeletePutsBackTheSameNodesAndRecords)
{
    const bench::Product& product = bench::products()[0];
    TkztAppletAgent agent(product.profile, kzt::AppPaths{});
    ASSERT_TRUE(bench::fillProject(agent, product, 40));
    TreeNode* top = agent.NodeOfItem(0);
    TreeNode* child = top->child(0);
    const std::size_t count = agent.tree().countDescendants(top) + 1;
    const kzt::TItemArray records = agent.CopySubtree(top);
    auto step = kzt::SubtreeStep::remove("Delete Item", agent, top);
    ASSERT_TRUE(step);
    EXPECT_EQ(agent.Items.size(), 40u - count);
    EXPECT_GT(step->memoryBytes(), count * sizeof(kzt::TItemData));
    step->undo(agent);
    EXPECT_EQ(agent.NodeOfItem(0), top);
    EXPECT_EQ(top->child(0), child);
    EXPECT_EQ(agent.CopySubtree(top), records);
    EXPECT_TRUE(agent.IsConsistent());
}

// A commit that leaves every value as it was is no step.
TEST(HistorySteps, unchangedRecordsMakeNoStep)
{
    const bench::Product& product = bench::products()[1];
    TkztAppletAgent agent(product.profile, kzt::AppPaths{});
    ASSERT_TRUE(bench::fillProject(agent, product, 10));
    kzt::RecordRecorder recorder(agent);
    const kzt::TItemData old = agent.Items[3];
    kzt::TItemData changed = old;
    changed.set(agent.info().captionField, "typed");
    agent.SetItemData(3, changed);
    agent.SetItemData(3, old);
    agent.SetAppletData(agent.AppletData);
    EXPECT_EQ(recorder.take("Edit"), nullptr);
    agent.SetItemData(3, changed);
    auto step = recorder.take("Edit");
    ASSERT_TRUE(step);
    step->undo(agent);
    EXPECT_EQ(agent.Items[3], old);
    EXPECT_EQ(agent.NodeOfItem(3)->text(), std::string(old.get(agent.info().captionField)));
}

} // namespace
