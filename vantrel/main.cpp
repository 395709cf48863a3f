#include "CommandLine.h"
#include "EditorMainWindow.h"
#include "vantrel/core/VantrelProfile.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    const auto& product = vantrel::VantrelProfile::instance();
    const std::vector<std::string> args(argv + 1, argv + argc);
    kzt::CommandLine commandLine(product, kzt::AppPaths::forProduct("vantrel", VANTREL_SOURCE_SHARE_DIR));
    commandLine.setHasEditor(false);
    commandLine.setScriptRuntime(kzt::EditorMainWindow::scriptRuntimeSetting(product));
    if (commandLine.wantsCommandLine(args) || args.empty())
        return commandLine.run(args, std::cout, std::cerr);
    std::cerr << "vantrel: the editor window is not available in this build; see 'vantrel --help'.\n";
    return 2;
}
