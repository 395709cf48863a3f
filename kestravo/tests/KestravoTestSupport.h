#pragma once

#include "KztTestSupport.h"

#include "AppletAgent.h"
#include "kestravo/core/KestravoProfile.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <unistd.h>

namespace kestravo::test {

using kzt::testsupport::readFile;
using kzt::testsupport::writeFile;

// A temporary folder whose share folder holds a stand-in runtime script.
class TempDir : public kzt::testsupport::TempFolder
{
public:
    kzt::AppPaths appPaths() const
    {
        kzt::AppPaths paths = TempFolder::appPaths();
        std::filesystem::create_directories(paths.shareDir);
        writeFile(paths.shareDir / KestravoProfile::kScriptFile, "// runtime\r\n");
        return paths;
    }
};

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
    agent.Items[index].set(pURL, url);
    agent.Items[index].set(pTarget, target);
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
        agent.AppletData.set(field, text(16));
    agent.AppletData.set(pInternalUse_RootDir_Local_Checked, random() % 2 ? "1" : "0");
}

using kzt::testsupport::treeMatchesItems;

} // namespace kestravo::test
