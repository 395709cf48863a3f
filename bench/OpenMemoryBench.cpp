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
#include "BenchSupport.h"
#include "SampleProjects.h"

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

using bench::Product;

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

    std::printf("memory per byte of project file (open peak: VmHWM after opening, in brackets what opening"
                " added to the process)\n");
    int failures = 0;
    for (const Product& product : bench::products()) {
        const fs::path file = dir / product.file;
        // A sample sets the item count that makes a project of about the size asked for.
        const fs::path sample = folder.path() / (std::string("sample-") + product.file);
        std::size_t count = 0;
        const bool made = inChild([&] { return bench::makeProject(product, folder.paths(), 2000, sample); })
                          && (count = static_cast<std::size_t>(megabytes * 1e6 * 2000
                                                               / static_cast<double>(fs::file_size(sample))))
                                 > 0
                          && inChild([&] { return bench::makeProject(product, folder.paths(), count, file); });
        if (!made || !inChild([&] { return measure(product, folder.paths(), file); })) {
            std::printf("%-8s failed\n", product.name);
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
