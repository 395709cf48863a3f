#pragma once

#include "StructureFileFormat.h"

namespace dulcamon {

// Where the pop-out menu's items keep what a menu structure file carries.
class DulcamonStructure
{
public:
    static const kzt::MenuStructureMapping& mapping();
};

} // namespace dulcamon
