#include "CommandLine.h"
#include "osmerin/core/OsmerinProfile.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    const auto& product = osmerin::OsmerinProfile::instance();
    const std::vector<std::string> args(argv + 1, argv + argc);
    kzt::CommandLine commandLine(product, kzt::AppPaths::forProduct("osmerin", OSMERIN_SOURCE_SHARE_DIR));
    if (commandLine.wantsCommandLine(args) || args.empty())
        return commandLine.run(args, std::cout, std::cerr);
    std::cerr << "osmerin: the editor window is not available in this build; see 'osmerin --help'.\n";
    return 2;
}
