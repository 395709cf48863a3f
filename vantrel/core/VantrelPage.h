#pragma once

#include "Records.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kzt {
class LineWriter;
}

namespace vantrel {

// The distinct looks of a document's items, numbered from 0 in the order
// they first come up in item order.
struct StyleTable
{
    // For each entry, the first item that has its look.
    std::vector<std::size_t> firstItem;
    // For each item, its entry.
    std::vector<std::size_t> entryOfItem;

    // Two items share an entry when their look fields are equal byte for byte.
    // Looks are found by hashing, so the table grows linearly with the items.
    static StyleTable build(const kzt::TItemArray& items);

    // The table the items' StyleIndex fields describe, as the last refresh
    // left them; worked out anew when a number does not fit the looks.
    static StyleTable current(const kzt::TItemArray& items);
};

// The page that embeds the applet, and the parameters file the applet reads
// instead when the document asks for one.
class VantrelPage
{
public:
    // Writes each item's entry number into its StyleIndex field.
    static void assignStyleIndexes(kzt::TItemArray& items);

    static bool usesParametersFile(const kzt::TAppletData& applet);

    // Style numbers are taken from the items when they fit their looks (as
    // after assignStyleIndexes), else worked out again.
    // With `scriptRuntime` the page loads the browser runtime script after the
    // applet, which draws the menu where Java is missing.
    static std::string page(const kzt::TAppletData& applet, const kzt::TItemArray& items, bool scriptRuntime = false);
    // The same into `page`, which may send it on as it grows.
    static void writePage(kzt::LineWriter& page, const kzt::TAppletData& applet, const kzt::TItemArray& items,
                          bool scriptRuntime);
    static std::string parametersFile(const kzt::TAppletData& applet, const kzt::TItemArray& items);

    // At least the size of the page and of the parameters file, worked out
    // without making either: every item counted once more as a look of its own.
    static std::uint64_t sizeBound(const kzt::TAppletData& applet, const kzt::TItemArray& items);

    // Fields [first, last) of a record, each followed by the separator.
    static std::string packed(const kzt::TFieldRecord& fields, std::size_t first, std::size_t last);
};

} // namespace vantrel
