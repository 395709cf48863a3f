#include "CommandLine.h"
#include "KestravoProfile.h"
#include "KestravoStructure.h"
#include "StructureCommandLine.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    const auto& product = kestravo::KestravoProfile::instance();
    const std::vector<std::string> args(argv + 1, argv + argc);
    kzt::CommandLine commandLine(product, kzt::AppPaths::forProduct("kestravo", KESTRAVO_SOURCE_SHARE_DIR));
    kzt::StructureCommandLine::addOptions(commandLine, kestravo::KestravoStructure::mapping());
    if (commandLine.wantsCommandLine(args) || args.empty())
        return commandLine.run(args, std::cout, std::cerr);
    std::cerr << "kestravo: the editor window is not available in this build; see 'kestravo --help'.\n";
    return 2;
}
