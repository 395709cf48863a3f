#include "PublishReport.h"

#include "AppletAgent.h"
#include "ProgressSink.h"
#include "TextFile.h"

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <unordered_set>

namespace kzt {

std::string PublishReport::text(const TkztAppletAgent& agent)
{
    const ReportWording& wording = agent.info().report;
    const std::string rule(77, '=');
    LineWriter out;
    out.line(rule);
    out.line(wording.purposeLine);
    out.line("All necessary files be saved in the same directory the project file (*." + wording.projectExtension
             + ") in. If you still not");
    out.line("save the current project, save it first! This message will aslo be saved in a text file along with");
    out.line("project file named \"ProjectName_PublishReport.txt\".");
    out.line(rule);
    out.line("");

    // Field by field: 100 steps over the sections' fields. Item by item: one
    // step per runtime file and per file field of each item.
    std::size_t itemFieldCount = 0;
    for (const ReportWording::Section& section : wording.sections)
        itemFieldCount += section.fields.size();
    const int maximum = wording.itemByItem
                            ? static_cast<int>(std::min<std::size_t>(
                                  agent.ScriptFiles.size() + agent.Items.size() * itemFieldCount, INT32_MAX))
                            : 101;
    ProgressScope progress(agent.progress(), "Making Publish Report ... ...", maximum);
    out.line(wording.runtimeHeading);
    for (const std::string& name : agent.ScriptFiles) {
        out.line("  " + name);
        progress.advance(1);
    }

    std::unordered_set<std::string_view> listed;
    auto list = [&](std::string_view name) {
        if (!name.empty() && listed.insert(name).second)
            out.line(std::string("  ").append(name));
    };
    for (const ReportWording::Section& section : wording.sections) {
        out.line("");
        out.line(section.heading);
        if (!wording.listOncePerReport)
            listed.clear();
        for (std::size_t field : section.appletFields)
            list(agent.AppletData.get(field));
        if (wording.itemByItem) {
            for (const TItemData& item : agent.Items) {
                for (std::size_t field : section.fields)
                    list(item.get(field));
                progress.advance(static_cast<int>(section.fields.size()));
            }
            continue;
        }
        const int step = section.fields.empty() ? 0 : static_cast<int>(100 / section.fields.size());
        for (std::size_t field : section.fields) {
            for (const TItemData& item : agent.Items)
                list(item.get(field));
            progress.advance(step);
        }
    }
    for (std::size_t i = 0; i < wording.blankLinesBeforeEnd; ++i)
        out.line("");
    out.line(rule);
    out.line("End of Publish Report");
    out.line(rule);
    return out.take();
}

} // namespace kzt
