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

std::size_t checkedBytes(std::size_t bytes)
{
    // Offsets are at most 32 bits wide: one record never holds 4 GB.
    if (bytes > kMaximumBytes)
        throw std::length_error("a record's fields exceed 4 GB");
    return bytes;
}

} // namespace

char* TFieldRecord::allocate(std::size_t count, std::size_t room)
{
    checkedBytes(count);
    checkedBytes(room);
    char* block = static_cast<char*>(::operator new(sizeof(Header) + offsetSize(room) * count + room));
    Header* head = reinterpret_cast<Header*>(block);
    head->count = static_cast<std::uint32_t>(count);
    head->room = static_cast<std::uint32_t>(room);
    return block;
}

void TFieldRecord::setEnd(char* block, std::size_t i, std::size_t end)
{
    char* ends = block + sizeof(Header);
    if (isWide(block))
        reinterpret_cast<std::uint32_t*>(ends)[i] = static_cast<std::uint32_t>(end);
    else
        reinterpret_cast<std::uint16_t*>(ends)[i] = static_cast<std::uint16_t>(end);
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
    for (std::size_t i = 0; i < count; ++i)
        setEnd(m_block, i, 0);
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
    char* bytes = bytesOf(m_block);
    std::size_t end = 0;
    for (std::size_t i = 0; i < count; ++i) {
        if (!fields[i].empty())
            std::memcpy(bytes + end, fields[i].data(), fields[i].size());
        end += fields[i].size();
        setEnd(m_block, i, end);
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
    for (std::size_t i = 0; i < count; ++i)
        setEnd(m_block, i, endOf(other.m_block, i));
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

namespace {

template <typename End>
char* joinFields(char* out, const char* bytes, const End* ends, std::size_t count, std::string_view separator)
{
    std::size_t begin = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t end = ends[i];
        // Most fields are a few bytes: copied in place, not through a call.
        if (end - begin <= 8) {
            for (std::size_t k = begin; k < end; ++k)
                *out++ = bytes[k];
        } else {
            std::memcpy(out, bytes + begin, end - begin);
            out += end - begin;
        }
        for (const char c : separator)
            *out++ = c;
        begin = end;
    }
    return out;
}

} // namespace

char* TFieldRecord::joinInto(char* out, std::string_view separator) const
{
    const std::size_t count = size();
    if (count == 0)
        return out;
    const char* ends = m_block + sizeof(Header);
    const char* bytes = bytesOf(m_block);
    if (isWide(m_block))
        return joinFields(out, bytes, reinterpret_cast<const std::uint32_t*>(ends), count, separator);
    return joinFields(out, bytes, reinterpret_cast<const std::uint16_t*>(ends), count, separator);
}

bool TFieldRecord::sameBoundaries(const TFieldRecord& other, std::size_t count) const
{
    if (count == 0)
        return true;
    if (isWide(m_block) == isWide(other.m_block))
        return std::memcmp(m_block + sizeof(Header), other.m_block + sizeof(Header), offsetSize(header()->room) * count) == 0;
    for (std::size_t i = 0; i < count; ++i) {
        if (endOf(m_block, i) != endOf(other.m_block, i))
            return false;
    }
    return true;
}

void TFieldRecord::set(std::size_t i, std::string_view value)
{
    char* bytes = bytesOf(m_block);
    const std::size_t room = header()->room;
    const std::size_t begin = i == 0 ? 0 : endOf(m_block, i - 1);
    const std::size_t end = endOf(m_block, i);
    if (value.size() == end - begin) {
        // Most stores rewrite a field at its own length: nothing else moves.
        if (!value.empty())
            std::memmove(bytes + begin, value.data(), value.size());
        return;
    }
    const std::less<const char*> before;
    if (!before(value.data(), bytes) && before(value.data(), bytes + room)) {
        // A value taken from this very record: copy it before the bytes move.
        const std::string own(value);
        set(i, own);
        return;
    }
    const std::size_t count = size();
    const std::size_t used = usedBytes();
    const std::size_t newUsed = checkedBytes(used - (end - begin) + value.size());
    const auto moved = [&](std::size_t k) { return endOf(m_block, k) - end + begin + value.size(); };

    if (newUsed <= room && room <= 2 * newUsed + 64) {
        std::memmove(bytes + begin + value.size(), bytes + end, used - end);
        if (!value.empty())
            std::memcpy(bytes + begin, value.data(), value.size());
        for (std::size_t k = i; k < count; ++k)
            setEnd(m_block, k, moved(k));
        return;
    }
    // A growing record keeps some room, so typing into one field does not
    // move the whole record each time; a shrunken one gives back what it no
    // longer needs.
    const std::size_t newRoom = newUsed > room ? std::min(newUsed + newUsed / 4, kMaximumBytes) : newUsed;
    char* block = allocate(count, newRoom);
    for (std::size_t k = 0; k < count; ++k)
        setEnd(block, k, k < i ? endOf(m_block, k) : moved(k));
    char* target = bytesOf(block);
    std::memcpy(target, bytes, begin);
    if (!value.empty())
        std::memcpy(target + begin, value.data(), value.size());
    std::memcpy(target + begin + value.size(), bytes + end, used - end);
    adopt(block);
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
    const std::size_t used = kept == 0 ? 0 : endOf(m_block, kept - 1);
    char* block = allocate(count, used);
    for (std::size_t k = 0; k < count; ++k)
        setEnd(block, k, k < kept ? endOf(m_block, k) : used);
    if (used > 0)
        std::memcpy(bytesOf(block), bytesOf(m_block), used);
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
    return m_block ? sizeof(Header) + offsetSize(header()->room) * size() + header()->room : 0;
}

bool TFieldRecord::operator==(const TFieldRecord& other) const
{
    const std::size_t count = size();
    if (count != other.size())
        return false;
    for (std::size_t i = 0; i < count; ++i) {
        if (endOf(m_block, i) != endOf(other.m_block, i))
            return false;
    }
    return count == 0 || std::memcmp(bytesOf(m_block), bytesOf(other.m_block), usedBytes()) == 0;
}

} // namespace kzt
