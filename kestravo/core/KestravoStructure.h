#pragma once

#include "StructureFileFormat.h"

namespace kestravo {

// Where the drop-down menu's items keep what a menu structure file carries.
// The items have no description: it is written empty and ignored on import.
class KestravoStructure
{
public:
    static const kzt::MenuStructureMapping& mapping();
};

} // namespace kestravo
