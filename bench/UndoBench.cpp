// Times undo and redo of history steps on a large menu and prints the
// figures, with the memory a full history holds.
// Usage: undo_bench [ITEMS]   (default 10000)

#include "AppletAgent.h"
#include "EditSteps.h"
#include "TreeNode.h"
#include "dulcamon/core/DulcamonProfile.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

using Clock = std::chrono::steady_clock;

namespace {

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// Item 0 holds half the menu below it (a few levels); the other half are
// top items with a child each.
void fill(kzt::TkztAppletAgent& agent, std::size_t count)
{
    using namespace dulcamon;
    const std::size_t half = count / 2;
    for (std::size_t i = 0; i < count; ++i) {
        kzt::TItemData item = agent.GetDefaultItemData();
        int level = 0;
        if (i > 0 && i < half)
            level = 1 + static_cast<int>(i % 3 == 0 ? 0 : i % 3);
        else if (i >= half)
            level = (i - half) % 2 == 0 ? 0 : 1;
        item.set(Caption, "Menu item number " + std::to_string(i));
        item.set(Url, "section/page" + std::to_string(i) + ".html");
        item.set(Description, "Opens page " + std::to_string(i));
        item.set(Level, std::to_string(level));
        agent.Items.push_back(std::move(item));
    }
    (void)agent.RebuildTreeFromLevels();
}

// Steps undone then redone, each timed.
struct Figures
{
    std::vector<double> undo;
    std::vector<double> redo;
};

} // namespace

int main(int argc, char** argv)
{
    const std::size_t count = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 10000;
    const auto& product = dulcamon::DulcamonProfile::instance();
    kzt::TkztAppletAgent agent(product, kzt::AppPaths{});
    fill(agent, count);
    kzt::RecordRecorder recorder(agent);
    const int runs = 51;

    Figures field;
    for (int i = 0; i < runs; ++i) {
        const std::size_t index = (static_cast<std::size_t>(i) * 7919) % agent.Items.size();
        kzt::TItemData record = agent.Items[index];
        record.set(dulcamon::Caption, "Edited " + std::to_string(i));
        agent.SetItemData(index, record);
        auto step = recorder.take("Change Properties");
        recorder.pause();
        auto start = Clock::now();
        step->undo(agent);
        field.undo.push_back(millisecondsSince(start));
        start = Clock::now();
        step->redo(agent);
        field.redo.push_back(millisecondsSince(start));
        recorder.resume();
    }

    Figures subtree;
    kzt::TreeNode* big = agent.NodeOfItem(0);
    const std::size_t size = agent.tree().countDescendants(big) + 1;
    recorder.pause();
    std::size_t stepBytes = 0;
    for (int i = 0; i < 21; ++i) {
        auto step = kzt::SubtreeStep::remove("Delete Item", agent, agent.NodeOfItem(0));
        stepBytes = step->memoryBytes();
        auto start = Clock::now();
        step->undo(agent);
        subtree.undo.push_back(millisecondsSince(start));
        start = Clock::now();
        step->redo(agent);
        subtree.redo.push_back(millisecondsSince(start));
        step->undo(agent);
    }
    recorder.resume();

    std::printf("items: %zu\n", agent.Items.size());
    std::printf("field edit: undo median %.4f ms, redo median %.4f ms (goal 16 ms)\n", median(field.undo),
                median(field.redo));
    std::printf("delete of a %zu-item sub-tree: undo median %.4f ms, redo median %.4f ms (goal 16 ms)\n", size,
                median(subtree.undo), median(subtree.redo));
    std::printf("that delete step holds %.2f MB while undoable\n", static_cast<double>(stepBytes) / (1 << 20));

    // A full history: 200 steps of the kinds an author makes most.
    std::vector<std::unique_ptr<kzt::EditStep>> history;
    std::size_t editBytes = 0;
    for (int i = 0; history.size() < 200; ++i) {
        std::unique_ptr<kzt::EditStep> step;
        const std::size_t index = (static_cast<std::size_t>(i) * 104729) % agent.Items.size();
        switch (i % 5) {
        case 0:
        case 1: {
            kzt::TItemData record = agent.Items[index];
            record.set(dulcamon::Description, "Typed text number " + std::to_string(i));
            agent.SetItemData(index, record);
            step = recorder.take("Change Properties");
            editBytes += step->memoryBytes();
            break;
        }
        case 2: {
            recorder.pause();
            kzt::TreeNode* node = agent.InsertItem(agent.NodeOfItem(index));
            recorder.resume();
            step = kzt::SubtreeStep::inserted("Insert Item", agent, node);
            break;
        }
        case 3:
            step = kzt::SubtreeStep::remove("Delete Item", agent, agent.NodeOfItem(agent.Items.size() - 1));
            break;
        case 4:
            step = kzt::MoveStep::perform("Move Up", agent, agent.NodeOfItem(index), true);
            break;
        }
        if (step)
            history.push_back(std::move(step));
    }
    std::size_t bytes = 0;
    for (const auto& step : history)
        bytes += step->memoryBytes() + sizeof(kzt::EditStep);
    std::printf("history of %zu steps (field edits, inserts, deletes, moves) at %zu items: %.1f KB "
                "(field edits %.1f KB)\n",
                history.size(), agent.Items.size(), static_cast<double>(bytes) / 1024,
                static_cast<double>(editBytes) / 1024);
    // The same 200 steps, each a delete of a 50-item sub-tree.
    std::size_t deleteBytes = 0;
    recorder.pause();
    std::vector<std::unique_ptr<kzt::EditStep>> deletes;
    for (int i = 0; i < 200 && agent.NodeOfItem(0); ++i) {
        kzt::TreeNode* node = agent.NodeOfItem(0);
        while (node && agent.tree().countDescendants(node) + 1 > 50)
            node = node->child(0);
        auto step = kzt::SubtreeStep::remove("Delete Item", agent, node);
        deleteBytes += step->memoryBytes();
        deletes.push_back(std::move(step));
    }
    recorder.resume();
    std::printf("history of %zu deletes of small sub-trees: %.1f KB (the records moved out of the document)\n",
                deletes.size(), static_cast<double>(deleteBytes) / 1024);
    return 0;
}
