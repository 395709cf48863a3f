// Times the kestravo document operations on a 100,000-item menu: open,
// generate and publish a project, export and import a structure file.
#include "AppletAgent.h"
#include "BenchSupport.h"
#include "kestravo/core/KestravoProfile.h"
#include "kestravo/core/KestravoStructure.h"
#include "StructureFileFormat.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;

using bench::timed;

int main(int argc, char** argv)
{
    const std::size_t count = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 100000;
    const bench::Folder folder("kestravo-bench");
    const fs::path& dir = folder.path();
    const kzt::AppPaths& paths = folder.paths();

    const auto& product = kestravo::KestravoProfile::instance();
    const auto& mapping = kestravo::KestravoStructure::mapping();
    {
        // Main items with three levels of sub items below each.
        kzt::TkztAppletAgent agent(product, paths);
        kzt::TreeNode* main = nullptr;
        kzt::TreeNode* sub = nullptr;
        for (std::size_t i = 0; i < count; ++i) {
            kzt::TreeNode* node;
            if (i % 20 == 0)
                node = main = agent.InsertItem(nullptr);
            else if (i % 5 == 0)
                node = sub = agent.InsertItem(main);
            else
                node = agent.InsertItem(sub);
            const std::size_t k = agent.ItemIndexOf(node);
            agent.SetCaption(k, "Menu item number " + std::to_string(i));
            agent.Items[k].set(kestravo::pURL, "FILE:///c|/site/section" + std::to_string(i % 97) + "/page"
                                             + std::to_string(i) + ".html");
        }
        agent.AppletData.set(kestravo::pInternalUse_RootDir_Local, "file:///C|/site/");
        agent.AppletData.set(kestravo::pInternalUse_RootDir_Remote, "http://www.example.com/");
        agent.AppletData.set(kestravo::pInternalUse_RootDir_Local_Checked, "0");
        product.refreshDerivedFields(agent);
        if (!agent.WriteProjectFile(dir / "big.ksdm"))
            return 1;
    }
    fs::create_directories(dir / "site");

    kzt::TkztAppletAgent agent(product, paths);
    const double open = timed([&] { return agent.ReadProjectFile(dir / "big.ksdm").ok(); });
    std::size_t pageBytes = 0;
    const double generate = timed([&] {
        pageBytes = agent.BuildHTMLText().size();
        return pageBytes > 0;
    });
    const double publish = timed([&] { return agent.SaveProject(dir / "site", "big.ksdm").ok(); });
    const double exportTime =
        timed([&] { return kzt::StructureFileFormat::ExportMenuStructure(agent, mapping, dir / "big.gms").ok(); });
    kzt::TkztAppletAgent imported(product, paths);
    const double importTime =
        timed([&] { return kzt::StructureFileFormat::ImportMenuStructure(imported, mapping, dir / "big.gms").ok(); });

    std::printf("kestravo, %zu items (project %.1f MB, page %.1f MB, structure %.1f MB)\n", count,
                static_cast<double>(fs::file_size(dir / "big.ksdm")) / 1e6, static_cast<double>(pageBytes) / 1e6,
                static_cast<double>(fs::file_size(dir / "big.gms")) / 1e6);
    std::printf("  open project          %8.1f ms\n", open);
    std::printf("  generate page         %8.1f ms\n", generate);
    std::printf("  publish (save)        %8.1f ms\n", publish);
    std::printf("  export structure      %8.1f ms\n", exportTime);
    std::printf("  import structure      %8.1f ms\n", importTime);
    return imported.Items.size() == count ? 0 : 1;
}
