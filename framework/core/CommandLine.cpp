#include "CommandLine.h"

#include "AppletAgent.h"
#include "HeapReserve.h"
#include "ProcessGuard.h"
#include "ProductProfile.h"
#include "ServeCommand.h"

#include <cerrno>
#include <cstring>
#include <ostream>

namespace kzt {

namespace fs = std::filesystem;

void CommandContext::prepare(TkztAppletAgent& agent) const
{
    agent.SetScriptRuntime(scriptRuntime);
}

namespace {

constexpr const char* kScriptRuntimeOn = "--script-runtime";
constexpr const char* kScriptRuntimeOff = "--no-script-runtime";

// Output that did not reach standard output is a failure the user hears of.
int finishOutput(std::ostream& out, std::ostream& err, const std::string& program)
{
    // The reason is that of the write that failed: before the flush when
    // the text did not fit the buffer, else the flush's own.
    int error = out ? 0 : errno;
    if (out) {
        errno = 0;
        out.flush();
        error = errno;
    }
    if (out)
        return 0;
    err << program << ": cannot write to standard output"
        << (error != 0 ? std::string(": ") + std::strerror(error) : std::string()) << '\n';
    return 1;
}

int buildHtml(CommandContext& context, const std::vector<std::string>& args, const std::string&)
{
    TkztAppletAgent agent(context.product, context.paths);
    context.prepare(agent);
    if (!CommandLine::openProject(agent, args[0], context.err))
        return 1;
    std::string page;
    const Status status = agent.BuildHTMLText(page);
    if (!status) {
        context.err << status.message() << '\n';
        return 1;
    }
    context.out.write(page.data(), static_cast<std::streamsize>(page.size()));
    return finishOutput(context.out, context.err, context.product.info().executableName);
}

int report(CommandContext& context, const std::vector<std::string>& args, const std::string&)
{
    TkztAppletAgent agent(context.product, context.paths);
    context.prepare(agent);
    if (!CommandLine::openProject(agent, args[0], context.err))
        return 1;
    const std::string text = agent.PublishReportText();
    context.out.write(text.data(), static_cast<std::streamsize>(text.size()));
    return finishOutput(context.out, context.err, context.product.info().executableName);
}

int publish(CommandContext& context, const std::vector<std::string>& args, const std::string& toFolder)
{
    TkztAppletAgent agent(context.product, context.paths);
    context.prepare(agent);
    if (!CommandLine::openToPublish(agent, args[0], context.err))
        return 1;
    fs::path project = fs::absolute(args[0]);
    std::error_code ec;
    // Published in place, a project given through a symbolic link is saved
    // where the link leads; the link stays a link.
    if (toFolder.empty() && fs::is_symlink(fs::symlink_status(project, ec))) {
        const fs::path target = fs::canonical(project, ec);
        if (!ec)
            project = target;
    }
    fs::path folder = toFolder.empty() ? project.parent_path() : fs::absolute(toFolder);
    fs::create_directories(folder, ec);
    if (!fs::is_directory(folder, ec)) {
        context.err << "Cannot create folder \"" << folder.string() << "\".\n";
        return 1;
    }
    const Status status = agent.SaveProject(folder, project.filename().string());
    CommandLine::printNotes(agent, context.err);
    if (!status) {
        context.err << status.message() << '\n';
        return 1;
    }
    return 0;
}

} // namespace

CommandLine::CommandLine(const ProductProfile& product, AppPaths paths) : m_product(product), m_paths(std::move(paths))
{
    // Every program makes its command line first thing, window or not.
    ProcessGuard::prepare(product.info().executableName);
    const std::string project = "PROJECT";
    addOption({"--build-html", project, "print the page that Build HTML would show", 1, false, buildHtml});
    addOption({"--report", project, "print the publish report", 1, false, report});
    addOption({"--publish", project + " [--to DIR]",
               "save and publish PROJECT into DIR (default: PROJECT's folder) under its base name", 1, true,
               publish});
    addOption(serveOption());
}

void CommandLine::addOption(CommandLineOption option)
{
    m_options.push_back(std::move(option));
}

bool CommandLine::wantsCommandLine(const std::vector<std::string>& args) const
{
    return !args.empty() && args[0].rfind("--", 0) == 0;
}

bool CommandLine::openProject(TkztAppletAgent& agent, const std::string& path, std::ostream& err, bool stageFiles)
{
    // The process ends once this document's job is done.
    ReadyHeapForDocument(path);
    const Status status = agent.ReadProjectFile(path);
    if (!status) {
        err << status.message() << '\n';
        return false;
    }
    if (stageFiles)
        agent.CopyImagesToPreview(fs::absolute(path).parent_path());
    return true;
}

bool CommandLine::openToPublish(TkztAppletAgent& agent, const std::string& path, std::ostream& err)
{
    if (!openProject(agent, path, err, false))
        return false;
    agent.SetItemFileSource(fs::absolute(path).parent_path());
    return true;
}

void CommandLine::printNotes(TkztAppletAgent& agent, std::ostream& err)
{
    for (const std::string& note : agent.CopyNotes)
        err << agent.info().executableName << ": " << note << '\n';
    agent.CopyNotes.clear();
}

void CommandLine::printHelp(std::ostream& out) const
{
    const ProductInfo& info = m_product.info();
    out << "Usage: ";
    if (m_hasEditor)
        out << info.executableName << " [PROJECT." << info.extension << "]\n       ";
    out << info.executableName << " --help | --version\n";
    for (const CommandLineOption& option : m_options)
        out << "       " << info.executableName << ' ' << option.name << ' ' << option.usage << '\n';
    if (m_hasEditor)
        out << "\nWithout an option the editor opens, with PROJECT when one is given.\n\n";
    else
        out << "\nThis build has no editor window yet: without an option this help is shown.\n\n";
    for (const CommandLineOption& option : m_options)
        out << "  " << option.name << ' ' << option.usage << "\n      " << option.description << '\n';
    if (!info.browserRuntime.empty()) {
        out << "  " << kScriptRuntimeOn << " | " << kScriptRuntimeOff << "\n      with any option above: the page loads "
            << info.browserRuntime << " (drawn without Java) or not, for this run\n";
    }
    out << "\nExit status: 0 on success, 1 on failure, 2 on bad usage.\n";
}

int CommandLine::run(const std::vector<std::string>& given, std::ostream& out, std::ostream& err) const
{
    const ProductInfo& info = m_product.info();
    // The runtime switches may stand anywhere; the last one holds.
    bool scriptRuntime = m_scriptRuntime;
    std::vector<std::string> args;
    args.reserve(given.size());
    for (const std::string& arg : given) {
        if (!info.browserRuntime.empty() && (arg == kScriptRuntimeOn || arg == kScriptRuntimeOff))
            scriptRuntime = arg == kScriptRuntimeOn;
        else
            args.push_back(arg);
    }
    if (args.empty() || args[0] == "--help" || args[0] == "-h") {
        if (args.size() > 1) {
            err << info.executableName << ": --help takes no arguments\n";
            return 2;
        }
        printHelp(out);
        return finishOutput(out, err, info.executableName);
    }
    if (args[0] == "--version") {
        out << info.name << ' ' << info.version << '\n';
        return finishOutput(out, err, info.executableName);
    }
    for (const CommandLineOption& option : m_options) {
        if (args[0] != option.name)
            continue;
        std::vector<std::string> operands(args.begin() + 1, args.end());
        std::string toFolder;
        bool emptyTo = false;
        if (option.acceptsTo && operands.size() == option.arguments + 2 && operands[option.arguments] == "--to") {
            toFolder = operands.back();
            // "--to" with an empty folder is a slip, not a wish to publish in place.
            emptyTo = toFolder.empty();
            operands.resize(option.arguments);
        }
        if (operands.size() < option.arguments || operands.size() > option.arguments + option.optionalArguments
            || emptyTo) {
            err << "Usage: " << info.executableName << ' ' << option.name << ' ' << option.usage << '\n';
            return 2;
        }
        for (const std::string& operand : operands) {
            if (operand.empty()) {
                err << "Usage: " << info.executableName << ' ' << option.name << ' ' << option.usage << '\n';
                return 2;
            }
        }
        // Command-line jobs leave the author's preview folder alone and stage
        // in scratch; without a scratch folder they stop rather than stage
        // into the working folder.
        if (ScratchFolder::path().empty()) {
            err << info.executableName << ": " << ScratchFolder::failure() << '\n';
            return 1;
        }
        AppPaths paths = m_paths;
        paths.previewDir = ScratchFolder::path() / "preview";
        CommandContext context{m_product, paths, out, err, scriptRuntime};
        try {
            return option.run(context, operands, toFolder);
        } catch (...) {
            err << info.executableName << ": " << ProcessGuard::uncaughtMessage(std::current_exception()) << '\n';
            return 1;
        }
    }
    err << info.executableName << ": unknown option " << args[0] << "\nTry '" << info.executableName
        << " --help'.\n";
    return 2;
}

} // namespace kzt
