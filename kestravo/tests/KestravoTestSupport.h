#pragma once

#include <gtest/gtest.h>

#include "AppletAgent.h"
#include "KestravoProfile.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <unistd.h>

namespace kestravo::test {

// A fresh temporary folder removed when the test ends.
class TempDir
{
public:
    TempDir()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "kestravo-test-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("mkdtemp failed");
        m_path = pattern;
    }
    ~TempDir()
    {
        std::error_code ec;
        std::filesystem::permissions(m_path, std::filesystem::perms::owner_all, ec);
        std::filesystem::remove_all(m_path, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path operator/(const std::string& name) const { return m_path / name; }

    // Share, user and preview folders inside this one; the share folder holds
    // a stand-in runtime script.
    kzt::AppPaths appPaths() const
    {
        kzt::AppPaths paths;
        paths.shareDir = m_path / "share";
        paths.userDataDir = m_path / "user";
        paths.previewDir = m_path / "user" / "preview";
        std::filesystem::create_directories(paths.shareDir);
        std::ofstream(paths.shareDir / KestravoProfile::kScriptFile, std::ios::binary) << "// runtime\r\n";
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

inline std::string golden(const std::string& name)
{
    return readFile(std::filesystem::path(KZT_TEST_DATA_DIR) / name);
}

// Adds a child of `parent` (the root when null) with the given values.
inline kzt::TreeNode* addItem(kzt::TkztAppletAgent& agent, kzt::TreeNode* parent, const std::string& caption,
                              const std::string& url = "", const std::string& target = "_self")
{
    kzt::TreeNode* node = agent.InsertItem(parent);
    const std::size_t index = agent.ItemIndexOf(node);
    agent.SetCaption(index, caption);
    agent.Items[index][pURL] = url;
    agent.Items[index][pTarget] = target;
    return node;
}

// A random menu of `count` items whose texts avoid the separator and line
// breaks but include blanks, quote marks, markup and 8-bit bytes.
inline void fillRandomMenu(kzt::TkztAppletAgent& agent, std::mt19937& random, std::size_t count)
{
    static const std::string alphabet = "abcXYZ019 <>&\"'#$@/\\:._-\xE9\xFC";
    auto text = [&](std::size_t maxLength) {
        std::string s;
        const std::size_t length = random() % (maxLength + 1);
        for (std::size_t i = 0; i < length; ++i)
            s += alphabet[random() % alphabet.size()];
        // "#$@" may come up by chance: break it so the value stays storable.
        for (std::size_t at; (at = s.find("#$@")) != std::string::npos;)
            s[at + 1] = '_';
        return s;
    };
    std::vector<kzt::TreeNode*> nodes;
    for (std::size_t i = 0; i < count; ++i) {
        kzt::TreeNode* parent = nodes.empty() || random() % 3 == 0 ? nullptr : nodes[random() % nodes.size()];
        kzt::TreeNode* node = addItem(agent, parent, text(12), text(20), text(8));
        nodes.push_back(node);
    }
    for (std::size_t field = 0; field < pInternalUse_RootDir_Local_Checked; ++field)
        agent.AppletData[field] = text(16);
    agent.AppletData[pInternalUse_RootDir_Local_Checked] = random() % 2 ? "1" : "0";
}

// Node texts, depths and stored levels agree with the records.
inline ::testing::AssertionResult treeMatchesItems(const kzt::TkztAppletAgent& agent)
{
    const auto& order = agent.tree().order();
    if (order.size() != agent.Items.size() + 1)
        return ::testing::AssertionFailure() << order.size() << " nodes for " << agent.Items.size() << " items";
    for (std::size_t k = 1; k < order.size(); ++k) {
        const kzt::TItemData& item = agent.Items[k - 1];
        if (order[k]->text() != item[ICaption])
            return ::testing::AssertionFailure() << "node " << k << " text " << order[k]->text();
        if (std::to_string(agent.tree().level(order[k])) != item[Level])
            return ::testing::AssertionFailure() << "node " << k << " level " << item[Level];
    }
    return ::testing::AssertionSuccess();
}

} // namespace kestravo::test
