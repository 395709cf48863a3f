#include "vantrel/gui/VantrelPropertyLayout.h"

namespace vantrel {

const kzt::PropertyLayout& globalPropertiesLayout()
{
    static const kzt::PropertyLayout layout(QString(), {});
    return layout;
}

} // namespace vantrel
