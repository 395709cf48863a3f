#include "osmerin/core/OsmerinReport.h"

#include "AppletAgent.h"
#include "ProgressSink.h"
#include "TextFile.h"
#include "osmerin/core/OsmerinRecords.h"

#include <iterator>
#include <string_view>

namespace osmerin {

std::string OsmerinReport::text(const kzt::TkztAppletAgent& agent)
{
    const kzt::ReportWording& wording = agent.info().report;
    const std::string rule(77, '=');
    kzt::LineWriter out;
    out.line(rule);
    out.line(wording.purposeLine);
    out.line("All necessary files be saved in the same directory the project file (*." + wording.projectExtension
             + ") in. If you still not");
    out.line("save the current project, save it first! This message will aslo be saved in a text file along with");
    out.line("project file named \"ProjectName_PublishReport.txt\".");
    out.line(rule);
    out.line("");

    kzt::ProgressScope progress(agent.progress(), "Making Publish Report ... ...", 101);
    out.line(wording.runtimeHeading);
    for (const std::string& name : agent.ScriptFiles) {
        out.line("  " + name);
        progress.advance(1);
    }

    // Only the file the content type uses is listed; a name several items
    // use is listed for each of them.
    const struct
    {
        std::size_t field;
        std::string_view type;
    } sections[] = {{ItemImageFilename, kContentImage}, {ItemTextFilename, kContentTextFile}};
    for (std::size_t s = 0; s < std::size(sections); ++s) {
        out.line("");
        out.line(s < wording.sections.size() ? wording.sections[s].heading : std::string());
        for (const kzt::TItemData& item : agent.Items) {
            if (item.size() <= ItemTextFilename || item.get(ItemContentType) != sections[s].type)
                continue;
            const std::string_view name = item.get(sections[s].field);
            if (!name.empty())
                out.line(std::string("  ").append(name));
        }
        progress.advance(50);
    }
    out.line("");
    out.line(rule);
    out.line("End of Publish Report");
    out.line(rule);
    return out.take();
}

} // namespace osmerin
