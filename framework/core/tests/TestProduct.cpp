#include <gtest/gtest.h>

#include "TestProduct.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace kzt::test {

TempFolder::TempFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "kzt-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    m_path = pattern;
}

TempFolder::~TempFolder()
{
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
}

AppPaths TempFolder::appPaths() const
{
    AppPaths paths;
    paths.shareDir = m_path / "share";
    paths.userDataDir = m_path / "user";
    paths.previewDir = paths.userDataDir / "preview";
    return paths;
}

std::string readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void writeFile(const std::filesystem::path& path, const std::string& contents)
{
    std::ofstream out(path, std::ios::binary);
    out << contents;
}

::testing::AssertionResult treeMatchesItems(const TkztAppletAgent& agent, bool checkLevels)
{
    const auto& order = agent.tree().order();
    if (order.size() != agent.Items.size() + 1)
        return ::testing::AssertionFailure()
               << "tree has " << order.size() << " nodes for " << agent.Items.size() << " items";
    for (std::size_t k = 1; k < order.size(); ++k) {
        const TItemData& item = agent.Items[k - 1];
        if (order[k]->text() != item[agent.info().captionField])
            return ::testing::AssertionFailure() << "node " << k << " reads '" << order[k]->text()
                                                 << "' but its item is '" << item[agent.info().captionField] << "'";
        if (checkLevels && item[agent.info().levelField] != std::to_string(agent.tree().level(order[k])))
            return ::testing::AssertionFailure() << "item " << k - 1 << " has level "
                                                 << item[agent.info().levelField] << " at depth "
                                                 << agent.tree().level(order[k]);
    }
    return ::testing::AssertionSuccess();
}

} // namespace kzt::test
