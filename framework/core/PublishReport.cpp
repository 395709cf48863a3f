#include "PublishReport.h"

#include "AppletAgent.h"
#include "ProgressSink.h"
#include "TextFile.h"

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

    ProgressScope progress(agent.progress(), "Making Publish Report ... ...", 101);
    out.line(wording.runtimeHeading);
    for (const std::string& name : agent.ScriptFiles) {
        out.line("  " + name);
        progress.advance(1);
    }

    for (const ReportWording::Section& section : wording.sections) {
        out.line("");
        out.line(section.heading);
        std::unordered_set<std::string_view> listed;
        const int step = section.fields.empty() ? 0 : static_cast<int>(100 / section.fields.size());
        for (std::size_t field : section.fields) {
            for (const TItemData& item : agent.Items) {
                const std::string& name = item[field];
                if (name.empty() || !listed.insert(name).second)
                    continue;
                out.line("  " + name);
            }
            progress.advance(step);
        }
    }
    out.line("");
    out.line("");
    out.line(rule);
    out.line("End of Publish Report");
    out.line(rule);
    return out.take();
}

} // namespace kzt
