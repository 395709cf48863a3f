// Times the vantrel document operations on a 100,000-item menu in which every
// item has a look of its own: open, generate and publish a project, the last
// also with the parameters file.
#include "AppletAgent.h"
#include "AppletUtility.h"
#include "vantrel/core/VantrelDocument.h"
#include "vantrel/core/VantrelFields.h"
#include "vantrel/core/VantrelProfile.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

double millisecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

template <typename F>
double timed(F&& f)
{
    const auto start = std::chrono::steady_clock::now();
    if (!f()) {
        std::fprintf(stderr, "operation failed\n");
        std::exit(1);
    }
    return millisecondsSince(start);
}

} // namespace

int main(int argc, char** argv)
{
    const std::size_t count = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 100000;
    std::string pattern = (fs::temp_directory_path() / "vantrel-bench-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        return 1;
    const fs::path dir = pattern;
    kzt::AppPaths paths;
    paths.shareDir = dir / "share";
    paths.userDataDir = dir / "user";
    paths.previewDir = dir / "preview";

    const auto& product = vantrel::VantrelProfile::instance();
    {
        // Main items with three levels of sub items below each; every item
        // its own colours, so the style table has one entry per item.
        kzt::TkztAppletAgent agent(product, paths);
        kzt::TreeNode* main = nullptr;
        kzt::TreeNode* sub = nullptr;
        for (std::size_t i = 0; i < count; ++i) {
            kzt::TreeNode* node;
            if (i % 20 == 0)
                node = main = vantrel::VantrelDocument::InsertItem(agent, nullptr);
            else if (i % 5 == 0)
                node = sub = vantrel::VantrelDocument::InsertItem(agent, main);
            else
                node = vantrel::VantrelDocument::InsertItem(agent, sub);
            const std::size_t k = agent.ItemIndexOf(node);
            agent.SetCaption(k, "Menu item number " + std::to_string(i));
            kzt::TItemData& item = agent.Items[k];
            item[vantrel::IURL] = "section" + std::to_string(i % 97) + "/page" + std::to_string(i) + ".html";
            item[vantrel::ItNoBgClr] = kzt::ColorToHex(static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i >> 8),
                                                       static_cast<std::uint8_t>(i >> 16));
            item[vantrel::ItOvTextClr] = item[vantrel::ItNoBgClr];
            item[vantrel::ItNoBgImg] = "picture" + std::to_string(i % 50) + ".gif";
            item[vantrel::ItOvBgSnd] = "sound" + std::to_string(i % 10) + ".au";
        }
        product.refreshDerivedFields(agent);
        if (!agent.WriteProjectFile(dir / "big.vtp"))
            return 1;
    }
    fs::create_directories(dir / "site");
    fs::create_directories(dir / "site2");

    kzt::TkztAppletAgent agent(product, paths);
    const double open = timed([&] { return agent.ReadProjectFile(dir / "big.vtp").ok(); });
    std::size_t pageBytes = 0;
    const double generate = timed([&] {
        pageBytes = agent.BuildHTMLText().size();
        return pageBytes > 0;
    });
    const std::size_t styles = std::stoul(agent.Items.back()[vantrel::StyleIndex]) + 1;
    const double publish = timed([&] { return agent.SaveProject(dir / "site", "big.vtp").ok(); });
    agent.AppletData[vantrel::LoadAppletParamFromFile] = "1";
    const double publishWithFile = timed([&] { return agent.SaveProject(dir / "site2", "big.vtp").ok(); });

    std::printf("vantrel, %zu items, %zu looks (project %.1f MB, page %.1f MB, parameters file %.1f MB)\n", count,
                styles, static_cast<double>(fs::file_size(dir / "big.vtp")) / 1e6, static_cast<double>(pageBytes) / 1e6,
                static_cast<double>(fs::file_size(dir / "site2" / "vantrel2_params_file")) / 1e6);
    std::printf("  open project                    %8.1f ms\n", open);
    std::printf("  generate page                   %8.1f ms\n", generate);
    std::printf("  publish (save)                  %8.1f ms\n", publish);
    std::printf("  publish with parameters file    %8.1f ms\n", publishWithFile);
    std::error_code ec;
    fs::remove_all(dir, ec);
    return agent.Items.size() == count && styles == count ? 0 : 1;
}
