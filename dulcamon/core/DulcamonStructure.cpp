#include "dulcamon/core/DulcamonStructure.h"

#include "dulcamon/core/DulcamonProfile.h"

namespace dulcamon {

const kzt::MenuStructureMapping& DulcamonStructure::mapping()
{
    static const kzt::MenuStructureMapping fields{Url, Target, Description};
    return fields;
}

} // namespace dulcamon
