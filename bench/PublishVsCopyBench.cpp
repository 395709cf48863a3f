// Publishing a large project against copying what it writes with cp, for
// each of the four programs. A round opens the project and saves it into an
// empty folder as `PROGRAM --publish` does, then copies every file the
// publish wrote into another empty folder with cp; publish and cp alternate
// round after round, so both see the same load on a busy machine. It prints
// the medians: publish, cp, their ratio, and the publish's stages. For
// scale, cp+sync is cp followed by `sync` on the copies, which forces each
// to disk as the publish does with every file it writes. Where the programs
// are built, each round also runs the program's own `--publish` in a
// process of its own, as an author runs it.
//
// Usage: publish_vs_copy [ITEMS] [--rounds N] [--only PROGRAM] [--no-copy] [--dir DIR] [--out DIR]
//   ITEMS      items per project (default 100000)
//   --rounds   rounds per program (default 5)
//   --only     one program only
//   --no-copy  publish only (for counting instructions: valgrind --tool=callgrind
//              --collect-atstart=no --toggle-collect='*publishOnce*' publish_vs_copy ...)
//   --dir DIR  keeps the projects in DIR and uses the ones already there
//   --out DIR  leaves what the last publish wrote in DIR/PROGRAM, to compare

#include "AppletAgent.h"
#include "BenchSupport.h"
#include "CommandLine.h"
#include "ProgressSink.h"
#include "SampleProjects.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

// The stages of a publish, in the order they run.
enum Stage { Read, StagePictures, Check, Page, Project, Report, Copies, Commit, StageCount };
const char* const kStageNames[StageCount] = {"read",   "stage pictures", "check",  "page",
                                             "project", "report",        "copies", "sync+rename"};

// Tells the stages apart by the status texts the document shows while it
// works: a stage runs from its text to the next stage's, and what follows
// the end of its status (writing the file) is its write time.
class StageClock : public kzt::ProgressSink
{
public:
    void start(Stage stage)
    {
        const auto now = Clock::now();
        close(now);
        m_current = stage;
        m_start = now;
        m_workEnd = {};
    }
    void finish() { close(Clock::now()); }

    void begin(const std::string& statusText, int) override
    {
        static const std::map<std::string, Stage> stages = {
            {"Copying Resource Files ... ...", StagePictures}, {"Making HTML Codes ... ...", Page},
            {"Saving Data ... ...", Project},                  {"Making Publish Report ... ...", Report},
            {"Copying Publishable Files ... ...", Copies},
        };
        const auto found = stages.find(statusText);
        if (found != stages.end())
            start(found->second);
    }
    void advance(int) override {}
    void end() override
    {
        m_workEnd = Clock::now();
        // What a save does after its last copy is putting the files in place.
        if (m_current == Copies)
            start(Commit);
    }

    double total[StageCount] = {};
    double write[StageCount] = {};

private:
    void close(Clock::time_point now)
    {
        if (m_current == StageCount)
            return;
        const auto ms = [](Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); };
        total[m_current] += ms(now - m_start);
        if (m_workEnd != Clock::time_point{} && m_workEnd <= now)
            write[m_current] += ms(now - m_workEnd);
        m_current = StageCount;
    }

    Stage m_current = StageCount;
    Clock::time_point m_start;
    Clock::time_point m_workEnd;
};

// What `PROGRAM --publish PROJECT --to OUT` does, stage by stage. Kept out
// of line so a profiler can count it alone.
__attribute__((noinline)) bool publishOnce(const bench::Product& product, const kzt::AppPaths& paths,
                                           const fs::path& project, const fs::path& out, StageClock& clock)
{
    kzt::TkztAppletAgent agent(product.profile, paths);
    agent.setProgress(&clock);
    clock.start(Read);
    std::ostringstream errors;
    if (!kzt::CommandLine::openToPublish(agent, project.string(), errors))
        return false;
    clock.start(Check);
    const bool saved = agent.SaveProject(out, project.filename().string()).ok();
    clock.finish();
    return saved;
}

// Runs a program to its end; `settings` are NAME=VALUE words added to the
// environment.
bool run(std::vector<std::string> words, std::vector<std::string> settings = {})
{
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    std::vector<char*> env;
    for (char** e = environ; *e; ++e)
        env.push_back(*e);
    for (std::string& setting : settings)
        env.push_back(setting.data());
    env.push_back(nullptr);
    pid_t child = 0;
    if (::posix_spawnp(&child, argv[0], nullptr, nullptr, argv.data(), env.data()) != 0)
        return false;
    int status = 0;
    return ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// `cp FILES... TARGET`, or `sync FILES...` (each file forced to disk, as the
// publish forces each file it writes) when `target` is empty.
bool runOn(const char* program, const std::vector<fs::path>& files, const fs::path& target = {})
{
    std::vector<std::string> words = {program, "--"};
    for (const fs::path& file : files)
        words.push_back(file.string());
    if (!target.empty())
        words.push_back(target.string());
    return run(std::move(words));
}

// Processor time (user and system) of this process or of its waited-for
// children so far, in milliseconds: on a busy machine it moves far less than
// the time on the clock.
double cpuMilliseconds(int who)
{
    rusage usage {};
    ::getrusage(who, &usage);
    const auto ms = [](const timeval& t) { return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_usec) / 1e3; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

void emptyFolder(const fs::path& folder)
{
    fs::remove_all(folder);
    fs::create_directories(folder);
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n == 0 ? 0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Small stand-ins for the pictures and texts the items name, so the publish
// copies them as it would an author's.
void makeItemFiles(const bench::Product& product, const kzt::AppPaths& paths, const fs::path& project)
{
    kzt::TkztAppletAgent agent(product.profile, paths);
    if (!agent.ReadProjectFile(project).ok())
        return;
    for (const std::string& name : agent.ItemFileNames(true)) {
        if (kzt::IsBareFileName(name))
            std::ofstream(project.parent_path() / name, std::ios::binary) << "GIF89a" << name;
    }
}

std::uintmax_t bytesIn(const std::vector<fs::path>& files)
{
    std::uintmax_t total = 0;
    for (const fs::path& file : files)
        total += fs::file_size(file);
    return total;
}

fs::path sourceShare(const std::string& program)
{
    return fs::path(KZT_SOURCE_DIR) / program / "share";
}

// `PROGRAM --publish PROJECT --to OUT` itself, as an author runs it: a fresh
// process that reads, publishes and ends. Empty when it was not built.
fs::path programOf(const std::string& name)
{
    const fs::path program = fs::path(KZT_BINARY_DIR) / name / name;
    return fs::exists(program) ? program : fs::path();
}

bool publishWithProgram(const fs::path& program, const std::string& name, const fs::path& home,
                        const fs::path& project, const fs::path& out)
{
    fs::create_directories(home);
    std::string upper = name;
    for (char& c : upper)
        c = static_cast<char>(c - 'a' + 'A');
    return run({program.string(), "--publish", project.string(), "--to", out.string()},
               {"HOME=" + home.string(), "XDG_DATA_HOME=" + (home / "data").string(),
                "XDG_CONFIG_HOME=" + (home / "config").string(), "XDG_CACHE_HOME=" + (home / "cache").string(),
                upper + "_SHARE_DIR=" + sourceShare(name).string(), "TMPDIR=" + home.string()});
}

} // namespace

int main(int argc, char** argv)
{
    std::size_t count = 100000;
    int rounds = 5;
    std::string only;
    bool copy = true;
    fs::path keep;
    fs::path keepOutput;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--rounds") == 0 && i + 1 < argc)
            rounds = std::max(1, std::atoi(argv[++i]));
        else if (std::strcmp(argv[i], "--only") == 0 && i + 1 < argc)
            only = argv[++i];
        else if (std::strcmp(argv[i], "--no-copy") == 0)
            copy = false;
        else if (std::strcmp(argv[i], "--dir") == 0 && i + 1 < argc)
            keep = argv[++i];
        else if (std::strcmp(argv[i], "--out") == 0 && i + 1 < argc)
            keepOutput = argv[++i];
        else
            count = std::strtoul(argv[i], nullptr, 10);
    }
    const bench::Folder folder("publish-vs-copy");
    const fs::path dir = keep.empty() ? folder.path() : keep;

    std::printf("publish against cp of its output, %zu items, median of %d rounds (publish, then cp, alternating)\n",
                count, rounds);
    std::printf("%-8s %8s %8s | %9s %8s %6s %10s %6s %10s %6s | %s | median stage times in ms, (write) = after its text was"
                " made:\n",
                "program", "project", "output", "publish", "cp", "ratio", "cp+sync", "ratio", "cp+syncfs", "ratio", "cpu: publish, cp, ratio");
    int failures = 0;
    for (const bench::Product& product : bench::products()) {
        if (!only.empty() && only != product.name)
            continue;
        const fs::path home = dir / product.name;
        const fs::path project = home / product.file;
        kzt::AppPaths paths = folder.paths();
        paths.shareDir = sourceShare(product.profile.info().executableName);
        paths.previewDir = folder.path() / "preview" / product.name;
        if (!fs::exists(project)) {
            fs::create_directories(home);
            if (!bench::makeProject(product, paths, count, project)) {
                std::printf("%-8s could not make its project\n", product.name);
                ++failures;
                continue;
            }
            makeItemFiles(product, paths, project);
        }
        const fs::path out = (keepOutput.empty() ? folder.path() / "out" : keepOutput) / product.name;
        const fs::path copied = folder.path() / "copy" / product.name;
        const fs::path program = programOf(product.profile.info().executableName);
        const fs::path programOut = folder.path() / "program" / product.name;
        std::vector<double> programTimes, programRatios, programSyncRatios;

        std::vector<double> publishTimes, copyTimes, syncTimes, ratios, syncRatios, syncfsTimes, syncfsRatios, publishCpu, copyCpu;
        std::vector<double> stageTotal[StageCount], stageWrite[StageCount];
        std::uintmax_t outputBytes = 0;
        bool ok = true;
        for (int r = 0; ok && r < rounds; ++r) {
            emptyFolder(out);
            StageClock clock;
            const double cpuStart = cpuMilliseconds(RUSAGE_SELF);
            const auto start = Clock::now();
            ok = publishOnce(product, paths, project, out, clock);
            publishTimes.push_back(bench::millisecondsSince(start));
            publishCpu.push_back(cpuMilliseconds(RUSAGE_SELF) - cpuStart);
            for (int s = 0; s < StageCount; ++s) {
                stageTotal[s].push_back(clock.total[s]);
                stageWrite[s].push_back(clock.write[s]);
            }
            std::vector<fs::path> files;
            for (const fs::directory_entry& entry : fs::directory_iterator(out))
                files.push_back(entry.path());
            outputBytes = bytesIn(files);
            if (ok && copy) {
                emptyFolder(copied);
                const double childStart = cpuMilliseconds(RUSAGE_CHILDREN);
                copyTimes.push_back(bench::timed([&] { return runOn("cp", files, copied); }));
                copyCpu.push_back(cpuMilliseconds(RUSAGE_CHILDREN) - childStart);
                ratios.push_back(publishTimes.back() / copyTimes.back());
                std::vector<fs::path> copies;
                for (const fs::path& file : files)
                    copies.push_back(copied / file.filename());
                syncTimes.push_back(copyTimes.back() + bench::timed([&] { return runOn("sync", copies); }));
                syncRatios.push_back(publishTimes.back() / syncTimes.back());
                // The same with one syncfs for all of them, as the publish does.
                emptyFolder(copied);
                const double copied2 = bench::timed([&] { return runOn("cp", files, copied); });
                syncfsTimes.push_back(copied2 + bench::timed([&] { return run({"sync", "-f", copies.front().string()}); }));
                syncfsRatios.push_back(publishTimes.back() / syncfsTimes.back());
                if (!program.empty()) {
                    emptyFolder(programOut);
                    programTimes.push_back(bench::timed([&] {
                        return publishWithProgram(program, product.profile.info().executableName, folder.path() / "home",
                                                  project, programOut);
                    }));
                    programRatios.push_back(programTimes.back() / copyTimes.back());
                    programSyncRatios.push_back(programTimes.back() / syncTimes.back());
                }
            }
        }
        if (!ok) {
            std::printf("%-8s publish failed\n", product.name);
            ++failures;
            continue;
        }
        std::printf("%-8s %5.1f MB %5.1f MB | %6.1f ms %5.1f ms %5.1fx %7.1f ms %5.1fx %7.1f ms %5.1fx |", product.name,
                    static_cast<double>(fs::file_size(project)) / 1e6, static_cast<double>(outputBytes) / 1e6,
                    median(publishTimes), median(copyTimes), median(ratios), median(syncTimes), median(syncRatios), median(syncfsTimes),
                    median(syncfsRatios));
        std::printf(" cpu %6.1f ms %5.1f ms %5.1fx |", median(publishCpu), median(copyCpu),
                    median(copyCpu) > 0 ? median(publishCpu) / median(copyCpu) : 0.0);
        for (int s = 0; s < StageCount; ++s) {
            std::printf(" %s %.1f", kStageNames[s], median(stageTotal[s]));
            if (s == Page || s == Project || s == Report)
                std::printf(" (write %.1f)", median(stageWrite[s]));
            std::printf(s + 1 < StageCount ? "," : "\n");
        }
        if (!programTimes.empty()) {
            std::printf("%-8s the program itself (%s --publish, a process of its own): %.1f ms, %.1fx cp, %.1fx cp+sync\n",
                        product.name, product.profile.info().executableName.c_str(), median(programTimes),
                        median(programRatios), median(programSyncRatios));
        }
        std::fflush(stdout);
    }
    return failures == 0 ? 0 : 1;
}
