// Drives the osmerin window offscreen with a news box of many items and
// prints how long each interaction takes, preview refresh and repaint
// included.
// Usage: osmerin_gui_bench [ITEMS]   (default 1000)

#include "AppletAgent.h"
#include "MessageBox.h"
#include "TreeNode.h"
#include "osmerin/core/OsmerinRecords.h"
#include "osmerin/gui/OsmerinPanels.h"
#include "osmerin/gui/TMainForm.h"
#include "osmerin/gui/TfrmWysiwyg.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

using Clock = std::chrono::steady_clock;

namespace {

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

struct Figures
{
    std::vector<double> samples;
    void add(double ms) { samples.push_back(ms); }
    void print(const char* what) const
    {
        std::vector<double> sorted = samples;
        std::sort(sorted.begin(), sorted.end());
        std::printf("  %-40s median %8.3f ms   worst %8.3f ms   (%zu runs)\n", what, sorted[sorted.size() / 2],
                    sorted.back(), sorted.size());
    }
};

void settle(QWidget& window, QWidget& preview)
{
    QApplication::processEvents();
    window.repaint();
    preview.repaint();
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", (home.path() + QStringLiteral("/data")).toUtf8());
    qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/config")).toUtf8());
    QApplication app(argc, argv);
    const std::size_t count = argc > 1 ? std::stoul(argv[1]) : 1000;
    kzt::MessageBox::setScripted(true);

    kzt::AppPaths paths;
    paths.shareDir = (home.path() + QStringLiteral("/share")).toStdString();
    paths.userDataDir = (home.path() + QStringLiteral("/data/osmerin")).toStdString();
    paths.previewDir = paths.userDataDir / "preview";
    osmerin::TMainForm window(paths);
    window.show();
    window.showPreviewWindow();
    osmerin::TfrmWysiwyg& preview = *window.previewWindow();
    kzt::TkztAppletAgent& agent = window.agent();

    // The news items, then one item with 99 below it: the subtree to paste.
    kzt::TreeNode* root = agent.tree().root();
    for (std::size_t i = 0; i < count; ++i) {
        kzt::TreeNode* node = agent.InsertItem(root);
        agent.Items[agent.ItemIndexOf(node)].set(osmerin::ItemText,
                                                 "News line " + std::to_string(i) + "*#$@%second line");
        agent.Items[agent.ItemIndexOf(node)].set(osmerin::ItemContent, "News line");
    }
    kzt::TreeNode* block = agent.InsertItem(root);
    for (int i = 0; i < 99; ++i)
        agent.InsertItem(block);
    settle(window, preview);
    std::printf("osmerin window with %zu items (+ a 100-item subtree), preview shown\n", agent.Items.size() - 100);

    Figures selection;
    for (int run = 0; run < 40; ++run) {
        const auto start = Clock::now();
        window.selectNode(agent.NodeOfItem(static_cast<std::size_t>(run * 97) % count));
        settle(window, preview);
        selection.add(millisecondsSince(start));
    }
    selection.print("selection change");

    Figures edit;
    auto* memo = window.panels()->memoItemText;
    for (int run = 0; run < 40; ++run) {
        const auto start = Clock::now();
        memo->setPlainText(QStringLiteral("Edited %1\nsecond line").arg(run));
        settle(window, preview);
        edit.add(millisecondsSince(start));
    }
    edit.print("edit of the item text + preview");

    Figures changed;
    for (int run = 0; run < 20; ++run) {
        const auto start = Clock::now();
        const bool differs = window.documentChanged();
        changed.add(millisecondsSince(start));
        if (!differs)
            std::fprintf(stderr, "no change found\n");
    }
    changed.print("change detection (page compared)");

    window.selectNode(block);
    window.Copy1Click();
    window.selectNode(root);
    settle(window, preview);
    Figures paste;
    for (int run = 0; run < 10; ++run) {
        const auto start = Clock::now();
        window.Paste1Click();
        settle(window, preview);
        paste.add(millisecondsSince(start));
    }
    paste.print("paste of a 100-item subtree");
    if (!agent.IsConsistent())
        std::fprintf(stderr, "list and tree differ\n");
    std::printf("  target: 16 ms each; %zu items at the end\n", agent.Items.size());
    window.close();
    return 0;
}
