#include "vantrel/gui/VantrelHelp.h"

#include "Help.h"

namespace vantrel {

void addHelpTopics(kzt::Help& help)
{
    (void)help;
}

} // namespace vantrel
