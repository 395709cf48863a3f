#include "Records.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <limits>
#include <new>
#include <stdexcept>

namespace kzt {

namespace {

constexpr std::size_t kMaximumBytes = std::numeric_limits<std::uint32_t>::max();

std::uint32_t checkedBytes(std::size_t bytes)
{
    // Offsets are 32 bits wide: one record never holds 4 GB.
    if (bytes > kMaximumBytes)
        throw std::length_error("a record's fields exceed 4 GB");
    return static_cast<std::uint32_t>(bytes);
}

} // namespace

char* TFieldRecord::allocate(std::size_t count, std::size_t room)
{
    checkedBytes(count);
    checkedBytes(room);
    char* block = static_cast<char*>(::operator new(sizeof(Header) + sizeof(std::uint32_t) * count + room));
    Header* head = reinterpret_cast<Header*>(block);
    head->count = static_cast<std::uint32_t>(count);
    head->room = static_cast<std::uint32_t>(room);
    return block;
}

void TFieldRecord::adopt(char* block)
{
    ::operator delete(m_block);
    m_block = block;
}

TFieldRecord::TFieldRecord(std::size_t count)
{
    if (count == 0)
        return;
    m_block = allocate(count, 0);
    std::fill_n(endsOf(m_block), count, 0u);
}

TFieldRecord::TFieldRecord(const TStringArray& fields)
{
    std::vector<std::string_view> views(fields.begin(), fields.end());
    *this = TFieldRecord(views.data(), views.size());
}

TFieldRecord::TFieldRecord(const std::string_view* fields, std::size_t count)
{
    if (count == 0)
        return;
    std::size_t total = 0;
    for (std::size_t i = 0; i < count; ++i)
        total += fields[i].size();
    m_block = allocate(count, checkedBytes(total));
    std::uint32_t* ends = endsOf(m_block);
    char* bytes = bytesOf(m_block);
    std::size_t end = 0;
    for (std::size_t i = 0; i < count; ++i) {
        if (!fields[i].empty())
            std::memcpy(bytes + end, fields[i].data(), fields[i].size());
        end += fields[i].size();
        ends[i] = static_cast<std::uint32_t>(end);
    }
}

TFieldRecord::TFieldRecord(const TFieldRecord& other)
{
    const std::size_t count = other.size();
    if (count == 0)
        return;
    // A copy is as tight as a record just read.
    const std::size_t used = other.usedBytes();
    m_block = allocate(count, used);
    std::memcpy(endsOf(m_block), endsOf(other.m_block), sizeof(std::uint32_t) * count);
    std::memcpy(bytesOf(m_block), bytesOf(other.m_block), used);
}

TFieldRecord& TFieldRecord::operator=(const TFieldRecord& other)
{
    if (this != &other) {
        TFieldRecord copy(other);
        std::swap(m_block, copy.m_block);
    }
    return *this;
}

TFieldRecord& TFieldRecord::operator=(TFieldRecord&& other) noexcept
{
    if (this != &other) {
        ::operator delete(m_block);
        m_block = other.m_block;
        other.m_block = nullptr;
    }
    return *this;
}

TFieldRecord::~TFieldRecord()
{
    ::operator delete(m_block);
}

void TFieldRecord::set(std::size_t i, std::string_view value)
{
    char* bytes = bytesOf(m_block);
    const std::size_t used = usedBytes();
    const std::less<const char*> before;
    if (!before(value.data(), bytes) && before(value.data(), bytes + header()->room)) {
        // A value taken from this very record: copy it before the bytes move.
        const std::string own(value);
        set(i, own);
        return;
    }
    std::uint32_t* ends = endsOf(m_block);
    const std::size_t count = size();
    const std::size_t begin = i == 0 ? 0 : ends[i - 1];
    const std::size_t end = ends[i];
    const std::size_t newUsed = used - (end - begin) + value.size();
    checkedBytes(newUsed);

    if (newUsed <= header()->room && header()->room <= 2 * newUsed + 64) {
        std::memmove(bytes + begin + value.size(), bytes + end, used - end);
        if (!value.empty())
            std::memcpy(bytes + begin, value.data(), value.size());
    } else {
        // A growing record keeps some room, so typing into one field does
        // not move the whole record each time; a shrunken one gives back
        // what it no longer needs.
        const std::size_t room = newUsed > header()->room ? newUsed + newUsed / 4 : newUsed;
        char* block = allocate(count, std::min(room, kMaximumBytes));
        std::memcpy(endsOf(block), ends, sizeof(std::uint32_t) * count);
        char* target = bytesOf(block);
        std::memcpy(target, bytes, begin);
        if (!value.empty())
            std::memcpy(target + begin, value.data(), value.size());
        std::memcpy(target + begin + value.size(), bytes + end, used - end);
        adopt(block);
        ends = endsOf(m_block);
    }
    const std::ptrdiff_t delta = static_cast<std::ptrdiff_t>(value.size()) - static_cast<std::ptrdiff_t>(end - begin);
    if (delta != 0) {
        for (std::size_t k = i; k < count; ++k)
            ends[k] = static_cast<std::uint32_t>(static_cast<std::ptrdiff_t>(ends[k]) + delta);
    }
}

void TFieldRecord::resize(std::size_t count)
{
    const std::size_t old = size();
    if (count == old)
        return;
    if (count == 0) {
        adopt(nullptr);
        return;
    }
    const std::size_t kept = std::min(count, old);
    const std::size_t used = kept == 0 ? 0 : endsOf(m_block)[kept - 1];
    char* block = allocate(count, used);
    std::uint32_t* ends = endsOf(block);
    if (kept > 0) {
        std::memcpy(ends, endsOf(m_block), sizeof(std::uint32_t) * kept);
        std::memcpy(bytesOf(block), bytesOf(m_block), used);
    }
    std::fill(ends + kept, ends + count, static_cast<std::uint32_t>(used));
    adopt(block);
}

TStringArray TFieldRecord::toStrings() const
{
    TStringArray fields;
    fields.reserve(size());
    for (std::size_t i = 0; i < size(); ++i)
        fields.emplace_back(get(i));
    return fields;
}

std::size_t TFieldRecord::allocatedBytes() const
{
    return m_block ? sizeof(Header) + sizeof(std::uint32_t) * size() + header()->room : 0;
}

bool TFieldRecord::operator==(const TFieldRecord& other) const
{
    const std::size_t count = size();
    if (count != other.size())
        return false;
    if (count == 0)
        return true;
    return std::memcmp(endsOf(m_block), endsOf(other.m_block), sizeof(std::uint32_t) * count) == 0
           && std::memcmp(bytesOf(m_block), bytesOf(other.m_block), usedBytes()) == 0;
}

} // namespace kzt
