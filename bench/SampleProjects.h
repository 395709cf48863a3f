#pragma once

// Large projects of the four programs, filled the way an author's menu or
// news box looks, for the benchmarks that open and publish them.

#include "AppletAgent.h"
#include "AppletUtility.h"
#include "dulcamon/core/DulcamonProfile.h"
#include "kestravo/core/KestravoProfile.h"
#include "osmerin/core/OsmerinProfile.h"
#include "osmerin/core/OsmerinRecords.h"
#include "vantrel/core/VantrelFields.h"
#include "vantrel/core/VantrelProfile.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

namespace bench {

inline std::string number(std::size_t i)
{
    return std::to_string(i);
}

// Fills a document of `count` items: a few levels, captions and links of
// their own, pictures shared by many items.
using Filler = std::function<void(kzt::TkztAppletAgent&, std::size_t count)>;

inline void fillDulcamon(kzt::TkztAppletAgent& agent, std::size_t count)
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

inline void fillKestravo(kzt::TkztAppletAgent& agent, std::size_t count)
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

inline void fillVantrel(kzt::TkztAppletAgent& agent, std::size_t count)
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

inline void fillOsmerin(kzt::TkztAppletAgent& agent, std::size_t count)
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

inline const Product (&products())[4]
{
    static const Product list[] = {
        {"dulcamon", "big.dlcg", dulcamon::DulcamonProfile::instance(), fillDulcamon, false},
        {"kestravo", "big.ksdm", kestravo::KestravoProfile::instance(), fillKestravo, false},
        {"vantrel", "big.vtp", vantrel::VantrelProfile::instance(), fillVantrel, false},
        {"osmerin", "big.osn", osmerin::OsmerinProfile::instance(), fillOsmerin, true},
    };
    return list;
}

// Fills a document of `count` items and gives it its tree and derived fields.
inline bool fillProject(kzt::TkztAppletAgent& agent, const Product& product, std::size_t count)
{
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
    return true;
}

inline bool makeProject(const Product& product, const kzt::AppPaths& paths, std::size_t count,
                        const std::filesystem::path& file)
{
    kzt::TkztAppletAgent agent(product.profile, paths);
    return fillProject(agent, product, count) && agent.WriteProjectFile(file).ok();
}

} // namespace bench
