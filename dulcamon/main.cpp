#include "CommandLine.h"
#include "DulcamonProfile.h"
#include "DulcamonStructure.h"
#include "StructureCommandLine.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    const auto& product = dulcamon::DulcamonProfile::instance();
    const std::vector<std::string> args(argv + 1, argv + argc);
    kzt::CommandLine commandLine(product, kzt::AppPaths::forProduct("dulcamon", DULCAMON_SOURCE_SHARE_DIR));
    kzt::StructureCommandLine::addOptions(commandLine, dulcamon::DulcamonStructure::mapping());
    if (commandLine.wantsCommandLine(args) || args.empty())
        return commandLine.run(args, std::cout, std::cerr);
    std::cerr << "dulcamon: the editor window is not available in this build; see 'dulcamon --help'.\n";
    return 2;
}
