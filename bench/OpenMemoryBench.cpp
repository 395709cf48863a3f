// Memory an open document costs, per byte of its project file, for each of
// the four programs: the bytes the records hold and the peak resident size
// (VmHWM) of opening the project and then building its page and report.
// Each product is made and opened in a process of its own, so one peak
// never hides another.
//
// Usage: open_memory_bench [MEGABYTES] [--keep DIR]
//   MEGABYTES  about how large each project is (default 50)
//   --keep DIR also leaves the projects in DIR, for measuring the programs'
//              command lines (dulcamon --report DIR/big.dlcg, ...)

#include "AppletAgent.h"
#include "AppletUtility.h"
#include "BenchSupport.h"
#include "dulcamon/core/DulcamonProfile.h"
#include "kestravo/core/KestravoProfile.h"
#include "osmerin/core/OsmerinProfile.h"
#include "osmerin/core/OsmerinRecords.h"
#include "vantrel/core/VantrelFields.h"
#include "vantrel/core/VantrelProfile.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Peak resident size of this process so far, in bytes.
std::size_t peakResidentBytes()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::strtoull(line.c_str() + 6, nullptr, 10) * 1024;
    }
    return 0;
}

std::string number(std::size_t i)
{
    return std::to_string(i);
}

// Fills a document of `count` items the way an author's menu looks: a few
// levels, captions and links of their own, pictures shared by many items.
using Filler = std::function<void(kzt::TkztAppletAgent&, std::size_t count)>;

void fillDulcamon(kzt::TkztAppletAgent& agent, std::size_t count)
{
    using namespace dulcamon;
    agent.Items.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const int level = i % 20 == 0 ? 0 : (i % 5 == 0 ? 1 : 2);
        kzt::TItemData item = agent.GetDefaultItemData();
        item.set(Caption, "Menu item number " + number(i));
        item.set(Url, "section" + number(i % 97) + "/page" + number(i) + ".html");
        item.set(NormalBgImage, "img" + number(i % 50) + ".gif");
        item.set(Description, "Opens page " + number(i) + " of the site");
        item.set(Level, number(level));
        agent.Items.push_back(std::move(item));
    }
}

void fillKestravo(kzt::TkztAppletAgent& agent, std::size_t count)
{
    using namespace kestravo;
    agent.Items.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const int level = i % 20 == 0 ? 0 : (i % 5 == 0 ? 1 : 2);
        kzt::TItemData item = agent.GetDefaultItemData();
        item.set(ICaption, "Menu item number " + number(i));
        item.set(pURL, "FILE:///c|/site/section" + number(i % 97) + "/page" + number(i) + ".html");
        item.set(Level, number(level));
        agent.Items.push_back(std::move(item));
    }
    agent.AppletData.set(pInternalUse_RootDir_Local, "file:///C|/site/");
    agent.AppletData.set(pInternalUse_RootDir_Remote, "http://www.example.com/");
    agent.AppletData.set(pInternalUse_RootDir_Local_Checked, "0");
}

void fillVantrel(kzt::TkztAppletAgent& agent, std::size_t count)
{
    using namespace vantrel;
    agent.Items.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const int level = i % 20 == 0 ? 0 : (i % 5 == 0 ? 1 : 2);
        kzt::TItemData item = agent.GetDefaultItemData();
        item.set(Level, number(level));
        item.set(IX, number(20 * (level + 1)));
        item.set(ICaption, "Menu item number " + number(i));
        item.set(IURL, "section" + number(i % 97) + "/page" + number(i) + ".html");
        // A few dozen looks, as a styled menu has.
        const std::string colour = kzt::ColorToHex(static_cast<std::uint8_t>(i % 7 * 30), 0x40,
                                                   static_cast<std::uint8_t>(i % 5 * 50));
        item.set(ItNoBgClr, colour);
        item.set(ItOvTextClr, colour);
        item.set(ItNoBgImg, "picture" + number(i % 50) + ".gif");
        agent.Items.push_back(std::move(item));
    }
}

void fillOsmerin(kzt::TkztAppletAgent& agent, std::size_t count)
{
    using namespace osmerin;
    agent.Items.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        kzt::TItemData item = agent.GetDefaultItemData();
        item.set(ItemURL, "news/story" + number(i) + ".html");
        item.set(ItemStatusBarText, "Read story number " + number(i));
        item.set(ItemContentType, number(i % 3));
        item.set(ItemText, JoinItemText({"Headline " + number(i), "", "Second line"}));
        item.set(ItemImageFilename, "picture" + number(i % 50) + ".gif");
        item.set(ItemTextFilename, "story" + number(i % 50) + ".txt");
        item.set(ItemComment, "News item " + number(i));
        agent.Items.push_back(std::move(item));
    }
}

struct Product
{
    const char* name;
    const char* file;
    const kzt::ProductProfile& profile;
    Filler fill;
    bool flatTree; // items all at the top, their node texts the comments
};

bool makeProject(const Product& product, const kzt::AppPaths& paths, std::size_t count, const fs::path& file)
{
    kzt::TkztAppletAgent agent(product.profile, paths);
    product.fill(agent, count);
    if (product.flatTree) {
        agent.tree().beginBulkLoad();
        for (std::size_t k = 0; k < count; ++k)
            agent.tree().appendChildSilently(agent.tree().root(), std::string(agent.Items[k].get(osmerin::ItemComment)));
        agent.tree().endBulkLoad();
    } else if (!agent.RebuildTreeFromLevels()) {
        return false;
    }
    product.profile.refreshDerivedFields(agent);
    return agent.WriteProjectFile(file).ok();
}

// Runs `job` in a child process; false when it failed.
template <typename Job>
bool inChild(Job job)
{
    std::fflush(stdout);
    const pid_t child = ::fork();
    if (child < 0)
        return false;
    if (child == 0) {
        const bool ok = job();
        std::fflush(stdout);
        std::_Exit(ok ? 0 : 1);
    }
    int status = 0;
    return ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool measure(const Product& product, const kzt::AppPaths& paths, const fs::path& file)
{
    const double projectBytes = static_cast<double>(fs::file_size(file));
    const std::size_t before = peakResidentBytes();
    kzt::TkztAppletAgent agent(product.profile, paths);
    const double open = bench::timed([&] { return agent.ReadProjectFile(file).ok(); });
    const std::size_t afterOpen = peakResidentBytes();

    std::size_t recordBytes = agent.AppletData.allocatedBytes() + agent.Items.capacity() * sizeof(kzt::TItemData);
    for (const kzt::TItemData& item : agent.Items)
        recordBytes += item.allocatedBytes();

    // A page past the size limit is refused; the peak then is that of trying.
    std::string page;
    const auto start = std::chrono::steady_clock::now();
    const bool built = agent.BuildHTMLText(page).ok();
    const double generate = bench::millisecondsSince(start);
    const std::size_t pageBytes = page.size();
    page = std::string();
    const std::size_t reportBytes = agent.PublishReportText().size();
    const std::size_t afterPage = peakResidentBytes();

    const auto perByte = [&](std::size_t bytes) { return static_cast<double>(bytes) / projectBytes; };
    std::printf("%-8s %8zu items %7.1f MB | records %5.2f | open peak %5.2f (+%5.2f) | page+report peak %5.2f"
                " | open %7.1f ms, page %7.1f ms (%.1f MB page%s, %.1f MB report)\n",
                product.name, agent.Items.size(), projectBytes / 1e6, perByte(recordBytes), perByte(afterOpen),
                perByte(afterOpen - before), perByte(afterPage), open, generate, static_cast<double>(pageBytes) / 1e6,
                built ? "" : " refused", static_cast<double>(reportBytes) / 1e6);
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    double megabytes = 50;
    fs::path keep;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--keep") == 0 && i + 1 < argc)
            keep = argv[++i];
        else
            megabytes = std::strtod(argv[i], nullptr);
    }
    const bench::Folder folder("open-memory-bench");
    const fs::path dir = keep.empty() ? folder.path() : keep;
    fs::create_directories(dir);

    const Product products[] = {
        {"dulcamon", "big.dlcg", dulcamon::DulcamonProfile::instance(), fillDulcamon, false},
        {"kestravo", "big.ksdm", kestravo::KestravoProfile::instance(), fillKestravo, false},
        {"vantrel", "big.vtp", vantrel::VantrelProfile::instance(), fillVantrel, false},
        {"osmerin", "big.osn", osmerin::OsmerinProfile::instance(), fillOsmerin, true},
    };
    std::printf("memory per byte of project file (open peak: VmHWM after opening, in brackets what opening"
                " added to the process)\n");
    int failures = 0;
    for (const Product& product : products) {
        const fs::path file = dir / product.file;
        // A sample sets the item count that makes a project of about the size asked for.
        const fs::path sample = folder.path() / (std::string("sample-") + product.file);
        std::size_t count = 0;
        const bool made = inChild([&] { return makeProject(product, folder.paths(), 2000, sample); })
                          && (count = static_cast<std::size_t>(megabytes * 1e6 * 2000
                                                               / static_cast<double>(fs::file_size(sample))))
                                 > 0
                          && inChild([&] { return makeProject(product, folder.paths(), count, file); });
        if (!made || !inChild([&] { return measure(product, folder.paths(), file); })) {
            std::printf("%-8s failed\n", product.name);
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
