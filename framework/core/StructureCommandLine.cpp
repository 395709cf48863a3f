#include "StructureCommandLine.h"

#include "AppletAgent.h"
#include "CommandLine.h"

#include <ostream>

namespace kzt {

namespace fs = std::filesystem;

namespace {

int exportStructure(const MenuStructureMapping& mapping, CommandContext& context,
                    const std::vector<std::string>& args)
{
    TkztAppletAgent agent(context.product, context.paths);
    if (!CommandLine::openProject(agent, args[0], context.err))
        return 1;
    const Status status = StructureFileFormat::ExportMenuStructure(
        agent, mapping, StructureFileFormat::withStructureExtension(args[1]));
    if (!status) {
        context.err << status.message() << '\n';
        return 1;
    }
    return 0;
}

int importStructure(const MenuStructureMapping& mapping, CommandContext& context,
                    const std::vector<std::string>& args)
{
    const fs::path project = fs::absolute(args[1]);
    const std::string fileName = project.filename().string();
    if (fileName.empty() || fileName == "." || fileName == "..") {
        context.err << "\"" << args[1] << "\" does not name a project file.\n";
        return 2;
    }
    TkztAppletAgent agent(context.product, context.paths);
    Status status = StructureFileFormat::ImportMenuStructure(agent, mapping, args[0]);
    if (!status) {
        context.err << status.message() << '\n';
        return 1;
    }
    const fs::path folder = project.parent_path();
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (!fs::is_directory(folder, ec)) {
        context.err << "Cannot create folder \"" << folder.string() << "\".\n";
        return 1;
    }
    status = agent.SaveProject(folder, fileName);
    CommandLine::printNotes(agent, context.err);
    if (!status) {
        context.err << status.message() << '\n';
        return 1;
    }
    return 0;
}

} // namespace

void StructureCommandLine::addOptions(CommandLine& commandLine, const MenuStructureMapping& mapping)
{
    commandLine.addOption({"--export-gms", "PROJECT OUT",
                           "write PROJECT's menu structure to OUT (\".gms\" is appended when OUT lacks it)", 2,
                           false,
                           [mapping](CommandContext& context, const std::vector<std::string>& args,
                                     const std::string&) { return exportStructure(mapping, context, args); }});
    commandLine.addOption({"--import-gms", "IN PROJECT",
                           "build a menu with default settings from the structure file IN and save and publish it "
                           "as PROJECT",
                           2, false,
                           [mapping](CommandContext& context, const std::vector<std::string>& args,
                                     const std::string&) { return importStructure(mapping, context, args); }});
}

} // namespace kzt
