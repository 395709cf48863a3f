#include "kestravo/core/KestravoStructure.h"

#include "kestravo/core/KestravoProfile.h"

namespace kestravo {

const kzt::MenuStructureMapping& KestravoStructure::mapping()
{
    static const kzt::MenuStructureMapping fields{pURL, pTarget, std::nullopt};
    return fields;
}

} // namespace kestravo
