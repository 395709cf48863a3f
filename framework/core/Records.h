#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kzt {

using TStringArray = std::vector<std::string>;

// A record of text fields; each product fixes how many fields its records
// have and what they mean. Every value is kept as the exact bytes it was
// read or typed as.
//
// A document holds a great many records, so one record is a single block:
// the field count, the end offset of every field, then all the fields'
// bytes back to back. An item costs its bytes plus four bytes a field.
// A view from get() points into the block: it is good until the next set()
// or resize() on the same record.
class TFieldRecord
{
public:
    TFieldRecord() noexcept = default;
    explicit TFieldRecord(std::size_t count);
    explicit TFieldRecord(const TStringArray& fields);
    // From `count` views, read as they stand; none may point into this record.
    TFieldRecord(const std::string_view* fields, std::size_t count);
    TFieldRecord(const TFieldRecord& other);
    TFieldRecord(TFieldRecord&& other) noexcept : m_block(other.m_block) { other.m_block = nullptr; }
    TFieldRecord& operator=(const TFieldRecord& other);
    TFieldRecord& operator=(TFieldRecord&& other) noexcept;
    ~TFieldRecord();

    std::size_t size() const { return m_block ? header()->count : 0; }
    std::string_view get(std::size_t i) const
    {
        const std::uint32_t* ends = endsOf(m_block);
        const std::uint32_t begin = i == 0 ? 0 : ends[i - 1];
        return {bytesOf(m_block) + begin, ends[i] - begin};
    }
    void set(std::size_t i, std::string_view value);
    // Pads with empty fields or cuts the fields past the new end.
    void resize(std::size_t count);

    // Every field as a string of its own, for code that works on arrays.
    TStringArray toStrings() const;
    // Heap bytes the record holds.
    std::size_t allocatedBytes() const;

    bool operator==(const TFieldRecord& other) const;

private:
    struct Header
    {
        std::uint32_t count;
        std::uint32_t room; // bytes the block has for field values
    };

    const Header* header() const { return reinterpret_cast<const Header*>(m_block); }
    std::size_t usedBytes() const { return size() == 0 ? 0 : endsOf(m_block)[size() - 1]; }
    static std::uint32_t* endsOf(char* block) { return reinterpret_cast<std::uint32_t*>(block + sizeof(Header)); }
    static char* bytesOf(char* block)
    {
        return block + sizeof(Header) + sizeof(std::uint32_t) * reinterpret_cast<const Header*>(block)->count;
    }
    static char* allocate(std::size_t count, std::size_t room);
    void adopt(char* block);

    char* m_block = nullptr;
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
