#pragma once

#include "KztTestSupport.h"

#include "AppletAgent.h"
#include "AppletUtility.h"
#include "osmerin/core/OsmerinProfile.h"

#include <filesystem>
#include <random>
#include <string>

namespace osmerin::test {

using kzt::testsupport::filesIn;
using kzt::testsupport::readFile;
using kzt::testsupport::writeFile;

// A temporary folder whose share folder holds stand-ins for the applet's
// three files, made here: the real ones are not ours.
class TempDir : public kzt::testsupport::TempFolder
{
public:
    kzt::AppPaths appPaths(bool withRuntime = true) const
    {
        kzt::AppPaths paths = TempFolder::appPaths();
        std::filesystem::create_directories(paths.shareDir);
        if (withRuntime) {
            for (const char* name :
                 {OsmerinProfile::kArchiveFile, OsmerinProfile::kClassFile, OsmerinProfile::kHelperClassFile})
                writeFile(paths.shareDir / name, std::string("stand-in ") + name);
        }
        return paths;
    }
};

inline std::string golden(const std::string& name)
{
    return readFile(std::filesystem::path(KZT_TEST_DATA_DIR) / name);
}

inline const OsmerinProfile& product()
{
    return OsmerinProfile::instance();
}

// Adds an item under the root as the window's Insert does.
inline std::size_t addItem(kzt::TkztAppletAgent& agent, const std::string& comment)
{
    kzt::TreeNode* node = agent.InsertItem(nullptr);
    const std::size_t index = agent.ItemIndexOf(node);
    OsmerinProfile::SetItemComment(agent, index, comment);
    return index;
}

// The list matches the tree: one record per item node, each node showing its
// record's comment trimmed.
inline ::testing::AssertionResult listMatchesTree(const kzt::TkztAppletAgent& agent)
{
    const auto& order = agent.tree().order();
    if (order.size() != agent.Items.size() + 1)
        return ::testing::AssertionFailure()
               << "tree has " << order.size() << " nodes for " << agent.Items.size() << " items";
    for (std::size_t k = 1; k < order.size(); ++k) {
        if (agent.Items[k - 1].size() != ItemFieldCount)
            return ::testing::AssertionFailure() << "item " << k - 1 << " has " << agent.Items[k - 1].size()
                                                 << " fields";
        if (order[k]->text() != kzt::Trim(agent.Items[k - 1].get(ItemComment)))
            return ::testing::AssertionFailure() << "node " << k << " reads '" << order[k]->text()
                                                 << "' but its item's comment is '"
                                                 << agent.Items[k - 1].get(ItemComment)
                                                 << "'";
    }
    return ::testing::AssertionSuccess();
}

// Text of random length over an alphabet with blanks, quotes, markup, the
// separators of every product and 8-bit bytes, but no line breaks.
inline std::string randomText(std::mt19937& random, std::size_t maxLength)
{
    static const std::string alphabet = "abcXYZ019 <>&\"'#$@%*|/\\:._-\t\xE9\xFC";
    std::string s;
    const std::size_t length = random() % (maxLength + 1);
    for (std::size_t i = 0; i < length; ++i)
        s += alphabet[random() % alphabet.size()];
    return s;
}

// A random news box: items nested as a hand-edited file may have them, every
// field random, texts of several lines.
inline void fillRandomDocument(kzt::TkztAppletAgent& agent, std::mt19937& random, std::size_t count)
{
    std::vector<kzt::TreeNode*> nodes;
    for (std::size_t i = 0; i < count; ++i) {
        kzt::TreeNode* parent = nodes.empty() || random() % 3 != 0 ? nullptr : nodes[random() % nodes.size()];
        kzt::TreeNode* node = agent.InsertItem(parent);
        nodes.push_back(node);
        const std::size_t index = agent.ItemIndexOf(node);
        for (std::size_t f = 0; f < ItemFieldCount; ++f)
            agent.Items[index].set(f, randomText(random, 10));
        agent.Items[index].set(ItemText, JoinItemText({randomText(random, 8), "", randomText(random, 8)}));
        OsmerinProfile::SetItemComment(agent, index, randomText(random, 12));
    }
    for (std::size_t f = 0; f < AppletFieldCount; ++f)
        agent.AppletData.set(f, randomText(random, 10));
}

} // namespace osmerin::test
