#pragma once

#include "ItemTree.h"
#include "RecordJournal.h"
#include "Records.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace kzt {

class TkztAppletAgent;
class TreeNode;

// One step of a document's history: it was done when it is made, and
// undo and redo take the document back and forth across it. A step holds
// only what it changed (records before and after, or the items it took
// out), so undo and redo cost the size of the step, not of the document.
// Places are kept as positions, never as node pointers: every undo puts the
// document back exactly as it was, so the positions hold again.
class EditStep
{
public:
    explicit EditStep(std::string name) : m_name(std::move(name)) {}
    virtual ~EditStep() = default;
    EditStep(const EditStep&) = delete;
    EditStep& operator=(const EditStep&) = delete;

    // What the Edit menu calls the step ("Delete Item").
    const std::string& name() const { return m_name; }
    virtual void undo(TkztAppletAgent& agent) = 0;
    virtual void redo(TkztAppletAgent& agent) = 0;
    // Heap bytes the step holds.
    virtual std::size_t memoryBytes() const = 0;
    // The node to select after undo or redo (absolute index; 0 is the root).
    virtual std::size_t focusAfterUndo() const { return 0; }
    virtual std::size_t focusAfterRedo() const { return 0; }

private:
    std::string m_name;
};

// New values of records: the applet record and any items, each with its
// bytes before and after. Node texts follow the items' captions.
class RecordStep : public EditStep
{
public:
    struct ItemValues
    {
        std::size_t index;
        TItemData before;
        TItemData after;
    };

    RecordStep(std::string name, std::optional<std::pair<TAppletData, TAppletData>> applet,
               std::vector<ItemValues> items);
    void undo(TkztAppletAgent& agent) override;
    void redo(TkztAppletAgent& agent) override;
    std::size_t memoryBytes() const override;
    std::size_t focusAfterUndo() const override;
    std::size_t focusAfterRedo() const override { return focusAfterUndo(); }

private:
    void apply(TkztAppletAgent& agent, bool after);

    std::optional<std::pair<TAppletData, TAppletData>> m_applet;
    std::vector<ItemValues> m_items; // in item order
};

// Keeps the old values of the records that change while it is the agent's
// journal; take() turns them into one step.
class RecordRecorder : public RecordJournal
{
public:
    explicit RecordRecorder(TkztAppletAgent& agent);
    ~RecordRecorder() override;
    RecordRecorder(const RecordRecorder&) = delete;
    RecordRecorder& operator=(const RecordRecorder&) = delete;

    void appletAboutToChange() override;
    void itemAboutToChange(std::size_t index) override;

    // The records that changed since the last take, as one step; null when
    // every one holds its old bytes again.
    std::unique_ptr<RecordStep> take(std::string name);
    // Forgets the old values (the document was replaced).
    void discard();
    bool pending() const { return m_applet.has_value() || !m_items.empty(); }
    // While paused (a step being undone or redone, a command that records
    // its own step), changes are not kept.
    void pause() { ++m_paused; }
    void resume() { --m_paused; }

private:
    TkztAppletAgent& m_agent;
    std::optional<TAppletData> m_applet;
    std::unordered_map<std::size_t, TItemData> m_items;
    int m_paused = 0;
};

// Items with their sub-items that one way of the step puts into the document
// and the other takes out: insert, paste and delete. While out of the
// document the records and nodes live here, moved rather than copied.
class SubtreeStep : public EditStep
{
public:
    // Items the document holds now (just inserted or pasted).
    static std::unique_ptr<SubtreeStep> inserted(std::string name, TkztAppletAgent& agent, const TreeNode* top);
    // Takes the item and its descendants out of the document now.
    static std::unique_ptr<SubtreeStep> remove(std::string name, TkztAppletAgent& agent, TreeNode* top);

    void undo(TkztAppletAgent& agent) override;
    void redo(TkztAppletAgent& agent) override;
    std::size_t memoryBytes() const override;
    std::size_t focusAfterUndo() const override { return focusWhen(m_insertedByRedo ? false : true); }
    std::size_t focusAfterRedo() const override { return focusWhen(m_insertedByRedo); }

private:
    SubtreeStep(std::string name, std::size_t parent, std::size_t row, bool insertedByRedo);
    void takeOut(TkztAppletAgent& agent);
    void putBack(TkztAppletAgent& agent);
    std::size_t focusWhen(bool present) const { return present ? m_topIndex : m_parent; }

    std::size_t m_parent;  // absolute index of the parent node
    std::size_t m_row;     // the top node's row under it
    std::size_t m_topIndex = 0; // absolute index of the top node while present
    bool m_insertedByRedo;
    DetachedSubtree m_nodes;
    TItemArray m_records;
};

// Move Up or Move Down of an item with its descendants.
class MoveStep : public EditStep
{
public:
    // Moves now; null when the item has no sibling that way.
    static std::unique_ptr<MoveStep> perform(std::string name, TkztAppletAgent& agent, TreeNode* node, bool up);
    void undo(TkztAppletAgent& agent) override;
    void redo(TkztAppletAgent& agent) override;
    std::size_t memoryBytes() const override { return 0; }
    std::size_t focusAfterUndo() const override { return m_focusBefore; }
    std::size_t focusAfterRedo() const override { return m_focusAfter; }

private:
    MoveStep(std::string name, std::size_t parent, std::size_t row, bool up)
        : EditStep(std::move(name)), m_parent(parent), m_row(row), m_up(up)
    {
    }
    void move(TkztAppletAgent& agent, bool forward);

    std::size_t m_parent;
    std::size_t m_row; // the item's row before the move
    bool m_up;
    std::size_t m_focusBefore = 0;
    std::size_t m_focusAfter = 0;
};

// A command that replaces the whole document (a menu structure import, the
// conversion of every text): the step holds the other document and swaps.
class DocumentStep : public EditStep
{
public:
    // Takes a copy of the document as it is before the command.
    DocumentStep(std::string name, const TkztAppletAgent& agent);
    void undo(TkztAppletAgent& agent) override { swap(agent); }
    void redo(TkztAppletAgent& agent) override { swap(agent); }
    std::size_t memoryBytes() const override;

private:
    void swap(TkztAppletAgent& agent);

    TAppletData m_applet;
    TItemArray m_items;
    std::vector<std::string> m_texts; // node texts in depth-first order, the root's first
    std::vector<int> m_levels;        // depths of the items' nodes
    std::string m_productVersion;
};

// Steps done as one (Cut and Paste in one command): undone in reverse order.
class StepGroup : public EditStep
{
public:
    StepGroup(std::string name, std::vector<std::unique_ptr<EditStep>> steps);
    void undo(TkztAppletAgent& agent) override;
    void redo(TkztAppletAgent& agent) override;
    std::size_t memoryBytes() const override;
    std::size_t focusAfterUndo() const override;
    std::size_t focusAfterRedo() const override;

private:
    std::vector<std::unique_ptr<EditStep>> m_steps;
};

} // namespace kzt
