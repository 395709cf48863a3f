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
// bytes back to back. Offsets take two bytes while the record has room for
// at most 64 KB of values, four bytes beyond, so an item costs its bytes
// plus two bytes a field as a rule.
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
        const std::size_t begin = i == 0 ? 0 : endOf(m_block, i - 1);
        return {bytesOf(m_block) + begin, endOf(m_block, i) - begin};
    }
    // Every field's bytes back to back, with nothing between them: one
    // search over a whole record instead of one a field.
    std::string_view values() const { return {m_block ? bytesOf(m_block) : nullptr, usedBytes()}; }
    // Writes every field followed by `separator` at `out`, which has room
    // for values().size() + size() * separator.size() bytes; returns the
    // end of what it wrote.
    char* joinInto(char* out, std::string_view separator) const;
    // True when the first `count` fields of both records have the same
    // sizes (both records have that many): one comparison of their ends.
    bool sameBoundaries(const TFieldRecord& other, std::size_t count) const;
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
    static constexpr std::size_t kNarrowRoom = 0xFFFF;

    const Header* header() const { return reinterpret_cast<const Header*>(m_block); }
    static bool isWide(const char* block) { return reinterpret_cast<const Header*>(block)->room > kNarrowRoom; }
    static std::size_t offsetSize(std::size_t room) { return room > kNarrowRoom ? 4 : 2; }
    static std::size_t endOf(const char* block, std::size_t i)
    {
        const char* ends = block + sizeof(Header);
        return isWide(block) ? reinterpret_cast<const std::uint32_t*>(ends)[i]
                             : reinterpret_cast<const std::uint16_t*>(ends)[i];
    }
    static void setEnd(char* block, std::size_t i, std::size_t end);
    static char* bytesOf(char* block)
    {
        const Header* head = reinterpret_cast<const Header*>(block);
        return block + sizeof(Header) + offsetSize(head->room) * head->count;
    }
    std::size_t usedBytes() const { return size() == 0 ? 0 : endOf(m_block, size() - 1); }
    // A block for `count` fields with room for `room` bytes; the ends are unset.
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
