#pragma once

#include "StructureFileFormat.h"

namespace kzt {

class CommandLine;

// Adds "--export-gms PROJECT OUT" and "--import-gms IN PROJECT" for the
// products that exchange menu structure files.
class StructureCommandLine
{
public:
    static void addOptions(CommandLine& commandLine, const MenuStructureMapping& mapping);
};

} // namespace kzt
