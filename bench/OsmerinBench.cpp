// Times the osmerin document operations on a 100,000-item news box: open,
// generate and publish a project.
#include "AppletAgent.h"
#include "BenchSupport.h"
#include "ProjectFileFormat.h"
#include "osmerin/core/OsmerinProfile.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;

using bench::timed;

int main(int argc, char** argv)
{
    const std::size_t count = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 100000;
    const bench::Folder folder("osmerin-bench");
    const fs::path& dir = folder.path();
    const kzt::AppPaths& paths = folder.paths();
    fs::create_directories(dir / "project");
    fs::create_directories(dir / "site");

    const auto& product = osmerin::OsmerinProfile::instance();
    {
        // Text, image and text-file items in turn, the files shared by many items.
        // Built in one bulk load: inserting one by one renumbers the tree each time.
        kzt::TkztAppletAgent agent(product, paths);
        agent.tree().beginBulkLoad();
        for (std::size_t i = 0; i < count; ++i) {
            const std::size_t k = agent.Items.size();
            agent.Items.push_back(agent.GetDefaultItemData());
            agent.tree().appendChildSilently(agent.tree().root(), "");
            kzt::TItemData& item = agent.Items[k];
            item.set(osmerin::ItemURL, "news/story" + std::to_string(i) + ".html");
            item.set(osmerin::ItemStatusBarText, "Read story number " + std::to_string(i));
            item.set(osmerin::ItemContentType, std::to_string(i % 3));
            item.set(osmerin::ItemText, osmerin::JoinItemText({"Headline " + std::to_string(i), "", "Second line"}));
            item.set(osmerin::ItemImageFilename, "picture" + std::to_string(i % 50) + ".gif");
            item.set(osmerin::ItemTextFilename, "story" + std::to_string(i % 50) + ".txt");
            item.set(osmerin::ItemComment, "News item " + std::to_string(i));
        }
        agent.tree().endBulkLoad();
        for (std::size_t k = 0; k < count; ++k)
            agent.tree().setText(agent.NodeOfItem(k), std::string(agent.Items[k].get(osmerin::ItemComment)));
        for (int f = 0; f < (argc > 2 ? std::atoi(argv[2]) : 50); ++f) {
            std::FILE* file = std::fopen((dir / "project" / ("picture" + std::to_string(f) + ".gif")).c_str(), "wb");
            if (file)
                std::fclose(file);
        }
        product.refreshDerivedFields(agent);
        if (!agent.WriteProjectFile(dir / "project" / "big.osn"))
            return 1;
    }

    kzt::TkztAppletAgent agent(product, paths);
    const double open = timed([&] { return agent.ReadProjectFile(dir / "project" / "big.osn").ok(); });
    agent.CopyImagesToPreview(dir / "project");
    std::size_t pageBytes = 0;
    const double generate = timed([&] {
        pageBytes = agent.BuildHTMLText().size();
        return pageBytes > 0;
    });
    std::size_t reportBytes = 0;
    const double report = timed([&] {
        reportBytes = agent.PublishReportText().size();
        return reportBytes > 0;
    });
    std::string rendered;
    const double render = timed([&] { return product.projectFormat().render(agent, rendered).ok(); });
    const double write = timed([&] { return agent.WriteProjectFile(dir / "site" / "written.osn").ok(); });
    const double publish = timed([&] { return agent.SaveProject(dir / "site", "big.osn").ok(); });

    std::printf("osmerin, %zu items (project %.1f MB, page %.1f MB, report %.1f MB)\n", count,
                static_cast<double>(fs::file_size(dir / "project" / "big.osn")) / 1e6,
                static_cast<double>(pageBytes) / 1e6, static_cast<double>(reportBytes) / 1e6);
    std::printf("  open project          %8.1f ms\n", open);
    std::printf("  generate page         %8.1f ms\n", generate);
    std::printf("  publish report        %8.1f ms\n", report);
    std::printf("  render project file   %8.1f ms\n", render);
    std::printf("  write project file    %8.1f ms\n", write);
    std::printf("  publish (save)        %8.1f ms\n", publish);
    const bool whole = agent.Items.size() == count && agent.tree().count() == count + 1;
    agent.ClearPreview();
    return whole ? 0 : 1;
}
