// Times the document operations of a large menu and prints the figures.
// Usage: dulcamon_bench [ITEMS]   (default 100000, four levels deep)

#include "AppletAgent.h"
#include "dulcamon/core/DulcamonProfile.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Worst of several timed runs of one edit, restoring the document in between.
template <typename Edit>
double worstOf(int runs, Edit edit)
{
    double worst = 0;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        edit(i);
        worst = std::max(worst, millisecondsSince(start));
    }
    return worst;
}

} // namespace

int main(int argc, char** argv)
{
    const std::size_t count = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 100000;
    std::string pattern = (fs::temp_directory_path() / "dulcamon-bench-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        return 1;
    const fs::path folder = pattern;
    kzt::AppPaths paths;
    paths.shareDir = folder / "share";
    paths.userDataDir = folder / "user";
    paths.previewDir = folder / "user" / "preview";

    const auto& product = dulcamon::DulcamonProfile::instance();
    {
        // Four levels: 10 top items of 10 children of 10 children, the rest
        // spread below those, written in tree order with their levels.
        kzt::TkztAppletAgent agent(product, paths);
        const auto buildStart = Clock::now();
        const std::size_t perThird = std::max<std::size_t>(1, (count - std::min<std::size_t>(count, 1110)) / 1000);
        std::size_t made = 0;
        auto add = [&](int level) {
            if (made >= count)
                return;
            kzt::TItemData item = agent.GetDefaultItemData();
            item.set(dulcamon::Caption, "Item " + std::to_string(made));
            item.set(dulcamon::NormalBgImage, "img" + std::to_string(made % 50) + ".gif");
            item.set(dulcamon::Level, std::to_string(level));
            agent.Items.push_back(std::move(item));
            ++made;
        };
        for (int a = 0; a < 10; ++a) {
            add(0);
            for (int b = 0; b < 10; ++b) {
                add(1);
                for (int c = 0; c < 10; ++c) {
                    add(2);
                    for (std::size_t d = 0; d < perThird; ++d)
                        add(3);
                }
            }
        }
        while (made < count)
            add(3);
        if (!agent.RebuildTreeFromLevels().ok() || !agent.WriteProjectFile(folder / "big.dlcg").ok())
            return 1;
        std::printf("make a %zu-item four-level project: %.1f ms\n", agent.Items.size(), millisecondsSince(buildStart));
    }
    for (int i = 0; i < 50; ++i) {
        FILE* f = std::fopen((folder / ("img" + std::to_string(i) + ".gif")).c_str(), "w");
        std::fputs("GIF89a", f);
        std::fclose(f);
    }

    kzt::TkztAppletAgent agent(product, paths);
    auto start = Clock::now();
    if (!agent.ReadProjectFile(folder / "big.dlcg").ok())
        return 1;
    agent.CopyImagesToPreview(folder);
    std::printf("open (read + tree + stage images): %.1f ms\n", millisecondsSince(start));

    start = Clock::now();
    const std::string page = agent.BuildHTMLText();
    std::printf("generate page (%zu bytes): %.1f ms\n", page.size(), millisecondsSince(start));

    fs::create_directories(folder / "out");
    start = Clock::now();
    if (!agent.SaveProject(folder / "out", "big.dlcg").ok())
        return 1;
    std::printf("publish (page, project, report, images): %.1f ms\n", millisecondsSince(start));

    std::mt19937 random(1);
    auto anyNode = [&] { return agent.NodeOfItem(random() % agent.Items.size()); };
    const int runs = 50;
    std::printf("worst of %d, %zu items:\n", runs, agent.Items.size());
    std::printf("  insert under a random item: %.2f ms\n", worstOf(runs, [&](int) { agent.InsertItem(anyNode()); }));
    std::printf("  insert under the root:      %.2f ms\n",
                worstOf(runs, [&](int) { agent.InsertItem(agent.tree().root()); }));
    std::printf("  move up a random item:      %.2f ms\n", worstOf(runs, [&](int) { agent.MoveItemUp(anyNode()); }));
    std::printf("  move down a random item:    %.2f ms\n", worstOf(runs, [&](int) { agent.MoveItemDown(anyNode()); }));
    // The largest blocks: a top-level item with a tenth of the menu below it.
    std::printf("  move a 10%% subtree down:    %.2f ms\n",
                worstOf(runs, [&](int) { agent.MoveItemDown(agent.tree().root()->child(0)); }));
    std::printf("  delete a random item:       %.2f ms\n", worstOf(runs, [&](int) { agent.DeleteItem(anyNode()); }));
    std::printf("  delete a 10%% subtree:       %.2f ms\n",
                worstOf(1, [&](int) { agent.DeleteItem(agent.tree().root()->child(0)); }));
    std::printf("consistent: %s\n", agent.IsConsistent() ? "yes" : "NO");

    std::error_code ec;
    fs::remove_all(folder, ec);
    return 0;
}
