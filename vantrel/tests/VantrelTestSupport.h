#pragma once

#include "KztTestSupport.h"

#include "AppletAgent.h"
#include "AppletUtility.h"
#include "ProjectFileFormat.h"
#include "TextFile.h"
#include "vantrel/core/VantrelDocument.h"
#include "vantrel/core/VantrelFields.h"
#include "vantrel/core/VantrelProfile.h"

#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace vantrel::test {

using kzt::testsupport::filesIn;
using kzt::testsupport::readFile;
using kzt::testsupport::TempFolder;
using kzt::testsupport::treeMatchesItems;
using kzt::testsupport::writeFile;

inline const VantrelProfile& product()
{
    return VantrelProfile::instance();
}

inline std::string golden(const std::string& name)
{
    return readFile(std::filesystem::path(KZT_TEST_DATA_DIR) / name);
}

// The lines of a text whose lines end in CR LF.
inline std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    for (std::string_view line : kzt::TextFile::splitLines(text))
        lines.emplace_back(line);
    return lines;
}

// A text of up to `maxLength` bytes that avoids the separator and line
// breaks but has blanks, quote marks, markup and 8-bit bytes.
inline std::string randomText(std::mt19937& random, std::size_t maxLength)
{
    static const std::string alphabet = "abcXYZ019 <>&\"'#$@/\\:._-\xE9\xFC\t";
    std::string s;
    const std::size_t length = random() % (maxLength + 1);
    for (std::size_t i = 0; i < length; ++i)
        s += alphabet[random() % alphabet.size()];
    for (std::size_t at; (at = s.find("#$@")) != std::string::npos;)
        s[at + 1] = '_';
    return s;
}

// A random document of `count` items in a random tree. Looks are drawn from
// a small pool, some of them changed in one field, so items share looks.
inline void fillRandomDocument(kzt::TkztAppletAgent& agent, std::mt19937& random, std::size_t count)
{
    for (std::size_t field = 0; field < AppletFieldCount; ++field)
        agent.AppletData.set(field, randomText(random, 10));
    agent.AppletData.set(LoadAppletParamFromFile, "0");
    std::vector<kzt::TStringArray> pool(1 + random() % 5);
    for (kzt::TStringArray& look : pool) {
        for (std::size_t i = 0; i < kLookFieldCount; ++i)
            look.push_back(random() % 2 ? randomText(random, 3) : std::string(1, static_cast<char>('0' + i % 10)));
    }
    std::vector<kzt::TreeNode*> nodes;
    for (std::size_t i = 0; i < count; ++i) {
        kzt::TreeNode* parent = nodes.empty() || random() % 3 == 0 ? nullptr : nodes[random() % nodes.size()];
        kzt::TreeNode* node = agent.InsertItem(parent);
        kzt::TItemData& item = agent.Items[agent.ItemIndexOf(node)];
        const kzt::TStringArray& look = pool[random() % pool.size()];
        for (std::size_t f = 0; f < look.size(); ++f)
            item.set(f, look[f]);
        if (random() % 4 == 0)
            item.set(random() % kLookFieldCount, randomText(random, 4));
        for (std::size_t field = ICaption; field < ItemFieldCount; ++field) {
            if (field != Level)
                item.set(field, randomText(random, 8));
        }
        agent.SetCaption(agent.ItemIndexOf(node), randomText(random, 12));
        nodes.push_back(node);
    }
}

} // namespace vantrel::test
