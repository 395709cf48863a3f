// Times the vantrel document operations on a 100,000-item menu in which every
// item has a look of its own: open, generate and publish a project, the last
// also with the parameters file.
#include "AppletAgent.h"
#include "AppletUtility.h"
#include "BenchSupport.h"
#include "vantrel/core/VantrelFields.h"
#include "vantrel/core/VantrelProfile.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <ctime>
#include <string>

namespace fs = std::filesystem;

namespace {

double cpuMilliseconds()
{
    return static_cast<double>(std::clock()) * 1e3 / CLOCKS_PER_SEC;
}

// Wall-clock and processor time of one operation: on a busy machine the
// first includes waiting for the processor and the disk.
struct Timing
{
    double wall = 0;
    double cpu = 0;
};

template <typename F>
Timing timed(F&& f)
{
    const auto start = std::chrono::steady_clock::now();
    const double cpuStart = cpuMilliseconds();
    if (!f()) {
        std::fprintf(stderr, "operation failed\n");
        std::exit(1);
    }
    return {bench::millisecondsSince(start), cpuMilliseconds() - cpuStart};
}

void print(const char* what, Timing timing)
{
    std::printf("  %-32s %8.1f ms wall %8.1f ms cpu\n", what, timing.wall, timing.cpu);
}

} // namespace

int main(int argc, char** argv)
{
    const std::size_t count = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 100000;
    const bench::Folder folder("vantrel-bench");
    const fs::path& dir = folder.path();
    const kzt::AppPaths& paths = folder.paths();

    const auto& product = vantrel::VantrelProfile::instance();
    {
        // Main items with three levels of sub items below each; every item
        // its own colours, so the style table has one entry per item. The
        // records are made the way a file read makes them, in one pass.
        kzt::TkztAppletAgent agent(product, paths);
        agent.Items.reserve(count);
        for (std::size_t i = 0; i < count; ++i) {
            const int level = i % 20 == 0 ? 0 : (i % 5 == 0 ? 1 : 2);
            kzt::TItemData item = agent.GetDefaultItemData();
            item.set(vantrel::Level, std::to_string(level));
            item.set(vantrel::IX, std::to_string(20 * (level + 1)));
            item.set(vantrel::ICaption, "Menu item number " + std::to_string(i));
            item.set(vantrel::IURL, "section" + std::to_string(i % 97) + "/page" + std::to_string(i) + ".html");
            item.set(vantrel::ItNoBgClr,
                     kzt::ColorToHex(static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i >> 8),
                                     static_cast<std::uint8_t>(i >> 16)));
            item.set(vantrel::ItOvTextClr, item.get(vantrel::ItNoBgClr));
            item.set(vantrel::ItNoBgImg, "picture" + std::to_string(i % 50) + ".gif");
            item.set(vantrel::ItOvBgSnd, "sound" + std::to_string(i % 10) + ".au");
            agent.Items.push_back(std::move(item));
        }
        if (!agent.RebuildTreeFromLevels())
            return 1;
        product.refreshDerivedFields(agent);
        if (!agent.WriteProjectFile(dir / "big.vtp"))
            return 1;
    }
    fs::create_directories(dir / "site");
    fs::create_directories(dir / "site2");

    kzt::TkztAppletAgent agent(product, paths);
    const Timing open = timed([&] { return agent.ReadProjectFile(dir / "big.vtp").ok(); });
    std::size_t pageBytes = 0;
    const Timing generate = timed([&] {
        pageBytes = agent.BuildHTMLText().size();
        return pageBytes > 0;
    });
    const std::size_t styles = std::stoul(std::string(agent.Items.back().get(vantrel::StyleIndex))) + 1;
    const Timing publish = timed([&] { return agent.SaveProject(dir / "site", "big.vtp").ok(); });
    agent.AppletData.set(vantrel::LoadAppletParamFromFile, "1");
    const Timing publishWithFile = timed([&] { return agent.SaveProject(dir / "site2", "big.vtp").ok(); });

    std::printf("vantrel, %zu items, %zu looks (project %.1f MB, page %.1f MB, parameters file %.1f MB)\n", count,
                styles, static_cast<double>(fs::file_size(dir / "big.vtp")) / 1e6, static_cast<double>(pageBytes) / 1e6,
                static_cast<double>(fs::file_size(dir / "site2" / "vantrel2_params_file")) / 1e6);
    print("open project", open);
    print("generate page", generate);
    print("publish (save)", publish);
    print("publish with parameters file", publishWithFile);
    return agent.Items.size() == count && styles == count ? 0 : 1;
}
