#pragma once

#include "ByteScan.h"

#include <string>
#include <string_view>

namespace kzt {

// A value inside a double-quoted attribute of a generated page: a quote mark
// would end the value early, so it is written as an entity; every other byte
// goes in as stored.
inline void AppendAttributeValue(std::string& out, std::string_view value)
{
    const char* const end = value.data() + value.size();
    const char* run = value.data();
    for (const char* p; (p = ByteScan::findByte(run, end, '"')) != end; run = p + 1) {
        out.append(run, static_cast<std::size_t>(p - run));
        out += "&quot;";
    }
    out.append(run, static_cast<std::size_t>(end - run));
}

} // namespace kzt
