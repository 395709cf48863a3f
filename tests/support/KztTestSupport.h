#pragma once

// Shared helpers for the core and product tests: temporary folders, whole
// files, running a built program, and the check that records match the tree.

#include <gtest/gtest.h>

#include "AppletAgent.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace kzt::testsupport {

// A fresh temporary folder removed when the test ends.
class TempFolder
{
public:
    TempFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "kzt-test-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("mkdtemp failed");
        m_path = pattern;
    }
    ~TempFolder()
    {
        std::error_code ec;
        std::filesystem::permissions(m_path, std::filesystem::perms::owner_all, ec);
        std::filesystem::remove_all(m_path, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path operator/(const std::string& name) const { return m_path / name; }

    // Share, user and preview folders inside this one.
    AppPaths appPaths() const
    {
        AppPaths paths;
        paths.shareDir = m_path / "share";
        paths.userDataDir = m_path / "user";
        paths.previewDir = paths.userDataDir / "preview";
        return paths;
    }

private:
    std::filesystem::path m_path;
};

inline std::string readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void writeFile(const std::filesystem::path& path, const std::string& contents)
{
    std::ofstream(path, std::ios::binary) << contents;
}

// Names of the entries of a folder, sorted; none when it does not exist.
inline std::vector<std::string> filesIn(const std::filesystem::path& folder)
{
    std::vector<std::string> names;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        names.push_back(it->path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

inline std::string shellQuoted(const std::string& text)
{
    std::string quoted = "'";
    for (char c : text) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    return quoted + "'";
}

struct ProgramRun
{
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs a built program (build folder + "/" + name + "/" + name) the way a
// script would: in `workDir`, with the given environment added, its output
// captured through files in `scratch`. `shellPrefix` runs before it in the
// same shell, for limits: "ulimit -v 800000 && timeout 20".
inline ProgramRun runProgram(const std::string& name, const std::vector<std::string>& args,
                             const std::filesystem::path& workDir,
                             const std::vector<std::pair<std::string, std::string>>& environment,
                             const std::filesystem::path& scratch, const std::string& shellPrefix = "")
{
    std::string command = "cd " + shellQuoted(workDir.string()) + " && ";
    if (!shellPrefix.empty())
        command += shellPrefix + " ";
    command += "env";
    for (const auto& [variable, value] : environment)
        command += " " + variable + "=" + shellQuoted(value);
    command += " " + shellQuoted(std::string(KZT_BINARY_DIR) + "/" + name + "/" + name);
    for (const std::string& arg : args)
        command += " " + shellQuoted(arg);
    command += " >" + shellQuoted((scratch / "stdout").string()) + " 2>" + shellQuoted((scratch / "stderr").string());
    const int status = std::system(command.c_str());
    ProgramRun result;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = readFile(scratch / "stdout");
    result.err = readFile(scratch / "stderr");
    return result;
}

// The item list matches the tree node by node: count, captions as node
// texts and, when asked, stored levels as node depths.
inline ::testing::AssertionResult treeMatchesItems(const TkztAppletAgent& agent, bool checkLevels = true)
{
    const auto& order = agent.tree().order();
    if (order.size() != agent.Items.size() + 1)
        return ::testing::AssertionFailure()
               << "tree has " << order.size() << " nodes for " << agent.Items.size() << " items";
    const std::size_t caption = agent.info().captionField;
    const std::size_t level = agent.info().levelField;
    for (std::size_t k = 1; k < order.size(); ++k) {
        const TItemData& item = agent.Items[k - 1];
        if (order[k]->text() != item.get(caption))
            return ::testing::AssertionFailure() << "node " << k << " reads '" << order[k]->text()
                                                 << "' but its item is '" << item.get(caption) << "'";
        if (checkLevels && agent.info().hasLevelField
            && item.get(level) != std::to_string(agent.tree().level(order[k])))
            return ::testing::AssertionFailure() << "item " << k - 1 << " has level " << item.get(level) << " at depth "
                                                 << agent.tree().level(order[k]);
    }
    return ::testing::AssertionSuccess();
}

} // namespace kzt::testsupport
