#include "MissingFiles.h"

#include "AppletAgent.h"
#include "AppletUtility.h"

#include <system_error>
#include <unordered_set>

namespace kzt {

TStringArray MissingDocumentFiles(const TkztAppletAgent& agent, const std::filesystem::path& folder)
{
    TStringArray names;
    for (std::size_t field : agent.info().appletFileFields) {
        if (field < agent.AppletData.size() && !agent.AppletData.get(field).empty())
            names.emplace_back(agent.AppletData.get(field));
    }
    for (std::string& name : agent.ItemFileNames(true))
        names.push_back(std::move(name));
    TStringArray missing;
    std::unordered_set<std::string> seen;
    for (const std::string& name : names) {
        if (!IsBareFileName(name) || !seen.insert(name).second)
            continue;
        std::error_code error;
        if (!std::filesystem::is_regular_file(folder / name, error))
            missing.push_back(name);
    }
    return missing;
}

} // namespace kzt
