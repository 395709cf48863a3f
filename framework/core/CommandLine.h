#pragma once

#include "AppPaths.h"

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace kzt {

class ProductProfile;
class TkztAppletAgent;

// Everything an option handler needs.
struct CommandContext
{
    const ProductProfile& product;
    AppPaths paths; // with a private preview folder
    std::ostream& out;
    std::ostream& err;
    // Whether the page loads the product's browser script runtime.
    bool scriptRuntime = false;

    // The agent a job works on, with the settings of this run.
    void prepare(TkztAppletAgent& agent) const;
};

// One command-line option of the form --name ARG... [--to DIR].
struct CommandLineOption
{
    std::string name;              // "--publish"
    std::string usage;             // "PROJECT [--to DIR]"
    std::string description;
    std::size_t arguments = 1;     // required arguments after the name
    bool acceptsTo = false;        // takes an optional "--to DIR"
    std::function<int(CommandContext&, const std::vector<std::string>&, const std::string& toFolder)> run;
    std::size_t optionalArguments = 0; // more arguments the job reads itself
};

// Runs the programs without a window. Exit codes: 0 success, 1 failure with
// the program's message on the error stream, 2 bad usage.
class CommandLine
{
public:
    CommandLine(const ProductProfile& product, AppPaths paths);

    void addOption(CommandLineOption option);

    // The browser script runtime setting jobs start from (the author's
    // per-user choice); --script-runtime and --no-script-runtime override it
    // for one run in products that ship a runtime script.
    void setScriptRuntime(bool on) { m_scriptRuntime = on; }
    // Programs built without their editor window say so in the help.
    void setHasEditor(bool hasEditor) { m_hasEditor = hasEditor; }

    // True when the arguments ask for a command-line job rather than the editor.
    bool wantsCommandLine(const std::vector<std::string>& args) const;
    int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) const;

    // Opens a project as Open does, staging its files in the given preview
    // folder unless `stageFiles` is false. Prints the failure and returns
    // false when it cannot.
    static bool openProject(TkztAppletAgent& agent, const std::string& path, std::ostream& err, bool stageFiles = true);
    // Opens a project to publish it: nothing is previewed, so the items'
    // files go from the project's folder straight into the published one.
    static bool openToPublish(TkztAppletAgent& agent, const std::string& path, std::ostream& err);

    // Prints the files copies left out, one line each, and forgets them.
    static void printNotes(TkztAppletAgent& agent, std::ostream& err);

private:
    void printHelp(std::ostream& out) const;

    const ProductProfile& m_product;
    AppPaths m_paths;
    std::vector<CommandLineOption> m_options;
    bool m_scriptRuntime = false;
    bool m_hasEditor = true;
};

} // namespace kzt
