#pragma once

#include "RecordListener.h"

#include <cstddef>
#include <string>
#include <vector>

namespace kzt::test {

// Writes down what a document tells its record listeners, one line a call:
// "applet", "items FIRST+COUNT" or "replaced".
struct RecordRecorder : RecordListener
{
    std::vector<std::string> heard;

    void appletChanged() override { heard.push_back("applet"); }
    void itemsChanged(std::size_t first, std::size_t count) override
    {
        heard.push_back("items " + std::to_string(first) + "+" + std::to_string(count));
    }
    void recordsReplaced() override { heard.push_back("replaced"); }
};

} // namespace kzt::test
