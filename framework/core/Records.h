#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kzt {

using TStringArray = std::vector<std::string>;

// A record of text fields; each product fixes how many fields its records
// have and what they mean. Every value is kept as the exact bytes it was
// read or typed as.
struct TFieldRecord
{
    TStringArray Fields;

    TFieldRecord() = default;
    explicit TFieldRecord(std::size_t count) : Fields(count) {}
    explicit TFieldRecord(TStringArray fields) : Fields(std::move(fields)) {}

    std::size_t size() const { return Fields.size(); }
    // Reading and storing one field; new code goes through these two.
    std::string_view get(std::size_t i) const { return Fields[i]; }
    void set(std::size_t i, std::string_view value) { Fields[i].assign(value); }
    std::string& operator[](std::size_t i) { return Fields[i]; }
    const std::string& operator[](std::size_t i) const { return Fields[i]; }
    bool operator==(const TFieldRecord&) const = default;
};

// The global parameter record of a document (menu or applet settings).
struct TAppletData : TFieldRecord
{
    using TFieldRecord::TFieldRecord;
    bool operator==(const TAppletData&) const = default;
};

// One item of the document's tree.
struct TItemData : TFieldRecord
{
    using TFieldRecord::TFieldRecord;
    bool operator==(const TItemData&) const = default;
};

using TItemArray = std::vector<TItemData>;

} // namespace kzt
