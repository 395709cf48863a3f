#pragma once

// Drives a product window offscreen with a large menu open and prints how
// long each interaction takes, events and repaint included. Each product's
// window benchmark is a main() that names its window, fields and files.

#include "AppletAgent.h"
#include "ItemTreeModel.h"
#include "MessageBox.h"
#include "ProductProfile.h"
#include "TreeNode.h"

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTreeView>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace windowbench {

using Clock = std::chrono::steady_clock;

// What the benchmark needs to know of a product.
struct Product
{
    const kzt::ProductProfile& profile;
    const char* name;          // "dulcamon"
    const char* shareDir;      // its shipped files
    std::size_t captionField;
    std::size_t levelField;
    const char* editedControl; // object name of a text box of the item page
};

inline double millisecondsSince(Clock::time_point start)
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
        const double median = sorted[sorted.size() / 2];
        std::printf("  %-34s median %8.3f ms   worst %8.3f ms   (%zu runs)\n", what, median, sorted.back(),
                    sorted.size());
    }
};

// Lets the window handle everything the operation queued, repaint included.
inline void settle(QWidget& window)
{
    QApplication::processEvents();
    window.repaint();
}

// A project of `count` items: top-level items with three levels below them.
// The items after the first `branch` ones hang under the first item.
inline QString writeProject(const Product& product, const QString& folder, const QString& name, std::size_t count,
                            std::size_t branch = 0)
{
    kzt::AppPaths paths;
    paths.shareDir = product.shareDir;
    paths.userDataDir = (folder + QStringLiteral("/gen")).toStdString();
    paths.previewDir = paths.userDataDir / "preview";
    kzt::TkztAppletAgent agent(product.profile, paths);
    agent.ResetToDefaults();
    // Built from levels in one pass, as a project file is read.
    std::mt19937 random(11);
    std::size_t previous = 0;
    for (std::size_t i = 0; i < count; ++i) {
        std::size_t level = i == 0 ? 0 : random() % (std::min<std::size_t>(previous, 2) + 2);
        if (i > 0 && i < branch)
            level = std::max<std::size_t>(level, 1);
        kzt::TItemData item = agent.GetDefaultItemData();
        item.set(product.captionField, "Item " + std::to_string(i));
        item.set(product.levelField, std::to_string(level));
        agent.Items.push_back(item);
        previous = level;
    }
    if (!agent.RebuildTreeFromLevels().ok())
        std::fprintf(stderr, "levels refused\n");
    const QString file = name + QLatin1Char('.') + QString::fromStdString(product.profile.info().extension);
    const kzt::Status status = agent.SaveProject(folder.toStdString(), file.toStdString());
    if (!status.ok())
        std::fprintf(stderr, "%s\n", status.message().c_str());
    return folder + QLatin1Char('/') + file;
}

inline kzt::AppPaths windowPaths(const Product& product, const QString& folder)
{
    kzt::AppPaths paths;
    paths.shareDir = product.shareDir;
    paths.userDataDir = (folder + QStringLiteral("/user")).toStdString();
    paths.previewDir = paths.userDataDir / "preview";
    return paths;
}

// A bench's window runs offscreen unless a platform is named, and keeps its
// settings and per-user files in the temporary folder. Call before the
// application is made.
inline void isolate(const QTemporaryDir& dir)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("XDG_DATA_HOME", (dir.path() + QStringLiteral("/data")).toUtf8());
    qputenv("XDG_CONFIG_HOME", (dir.path() + QStringLiteral("/config")).toUtf8());
}

// Usage: PROGRAM [ITEMS] [LARGE_ITEMS]   (default 10000 and 100000)
template <class Window>
int run(const Product& product, int argc, char** argv)
{
    QTemporaryDir dir;
    isolate(dir);
    QApplication app(argc, argv);
    const std::size_t items = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 10000;
    const std::size_t largeItems = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 100000;
    kzt::MessageBox::setScripted(true);

    const QString project = writeProject(product, dir.path(), QStringLiteral("menu"), items);
    const QString large = writeProject(product, dir.path(), QStringLiteral("large"), largeItems);

    Window window(windowPaths(product, dir.path()));
    window.show();
    settle(window);
    kzt::TkztAppletAgent& agent = window.agent();

    auto start = Clock::now();
    window.OpenProject(project);
    settle(window);
    std::printf("%s window, %zu items\n", product.name, agent.Items.size());
    std::printf("  %-34s %8.3f ms\n", "open until the tree shows", millisecondsSince(start));

    std::mt19937 random(5);
    auto randomItem = [&] { return agent.NodeOfItem(random() % agent.Items.size()); };
    Figures repaint, select, edit, insert, remove, moveUp, moveDown;
    auto* edited = window.template findChild<QLineEdit*>(QString::fromLatin1(product.editedControl));
    for (int run = 0; run < 60; ++run) {
        kzt::TreeNode* node = randomItem();
        start = Clock::now();
        settle(window);
        repaint.add(millisecondsSince(start));
        start = Clock::now();
        window.selectNode(node);
        settle(window);
        select.add(millisecondsSince(start));

        start = Clock::now();
        edited->setText(QStringLiteral("edit %1").arg(run));
        settle(window);
        edit.add(millisecondsSince(start));

        start = Clock::now();
        window.Insert1Click();
        settle(window);
        insert.add(millisecondsSince(start));

        window.selectNode(node->lastChild());
        kzt::MessageBox::setNextAnswer(kzt::MessageBox::Yes);
        start = Clock::now();
        window.Delete1Click();
        settle(window);
        remove.add(millisecondsSince(start));

        kzt::TreeNode* mover = randomItem();
        while (!mover->previousSibling() || !mover->nextSibling())
            mover = randomItem();
        window.selectNode(mover);
        start = Clock::now();
        window.MoveUp1Click();
        settle(window);
        moveUp.add(millisecondsSince(start));
        start = Clock::now();
        window.MoveDown1Click();
        settle(window);
        moveDown.add(millisecondsSince(start));
    }
    repaint.print("repaint alone (baseline)");
    select.print("select an item");
    edit.print("edit a field");
    insert.print("insert");
    remove.print("delete");
    moveUp.print("move up");
    moveDown.print("move down");
    if (!agent.IsConsistent())
        std::printf("  records and tree disagree!\n");

    // Undo and redo: a field edit, and the delete of a branch of half the menu.
    Figures undoEdit, redoEdit, undoDelete, redoDelete;
    for (int run = 0; run < 20; ++run) {
        window.selectNode(randomItem());
        settle(window);
        edited->setText(QStringLiteral("undone %1").arg(run));
        settle(window);
        start = Clock::now();
        window.Undo1Click();
        settle(window);
        undoEdit.add(millisecondsSince(start));
        start = Clock::now();
        window.Redo1Click();
        settle(window);
        redoEdit.add(millisecondsSince(start));
    }
    window.setModified(false);
    const QString branched = writeProject(product, dir.path(), QStringLiteral("branched"), items, items / 2);
    window.OpenProject(branched);
    settle(window);
    kzt::TreeNode* branch = agent.NodeOfItem(0);
    const std::size_t branchItems = agent.tree().countDescendants(branch) + 1;
    window.selectNode(branch);
    settle(window);
    kzt::MessageBox::setNextAnswer(kzt::MessageBox::Yes);
    window.Delete1Click();
    settle(window);
    for (int run = 0; run < 20; ++run) {
        start = Clock::now();
        window.Undo1Click();
        settle(window);
        undoDelete.add(millisecondsSince(start));
        start = Clock::now();
        window.Redo1Click();
        settle(window);
        redoDelete.add(millisecondsSince(start));
    }
    undoEdit.print("undo a field edit");
    redoEdit.print("redo a field edit");
    std::printf("  (the branch deleted: %zu of %zu items)\n", branchItems, items);
    undoDelete.print("undo the delete of the branch");
    redoDelete.print("redo the delete of the branch");
    if (!agent.IsConsistent())
        std::printf("  records and tree disagree!\n");

    window.setModified(false);
    start = Clock::now();
    window.OpenProject(large);
    settle(window);
    std::printf("%s window, %zu items\n", product.name, agent.Items.size());
    std::printf("  %-34s %8.3f ms\n", "open until the tree shows", millisecondsSince(start));
    // Save writes the page, the project, the report and the copies, as a
    // publish does.
    Figures save;
    for (int run = 0; run < 5; ++run) {
        start = Clock::now();
        window.Save1Click();
        settle(window);
        save.add(millisecondsSince(start));
    }
    save.print("save");
    window.setModified(false);
    return 0;
}

} // namespace windowbench
