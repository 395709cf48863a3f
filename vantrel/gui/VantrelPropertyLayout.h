#pragma once

#include "PropertyChoices.h"

namespace vantrel {

// What the "Global Properties Change" dialog offers for vantrel items.
const kzt::PropertyLayout& globalPropertiesLayout();

} // namespace vantrel
