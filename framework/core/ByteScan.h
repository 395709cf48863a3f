#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <string_view>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kzt {

// Searches for a few byte values at once, eight bytes a step, for the loops
// that cut and write large documents: a byte-by-byte search, or one library
// call per field, costs more than the copying around it.
namespace ByteScan {

inline constexpr std::uint64_t kOnes = 0x0101010101010101ull;
inline constexpr std::uint64_t kHighs = 0x8080808080808080ull;

// The high bit of every byte of `word` equal to `byte`. A bit above the
// lowest may be set falsely; the lowest is always right.
inline std::uint64_t matches(std::uint64_t word, unsigned char byte)
{
    const std::uint64_t v = word ^ (kOnes * byte);
    return (v - kOnes) & ~v & kHighs;
}

// The first byte of [p, end) equal to one of `Bytes`, or end.
template <char... Bytes>
const char* findAny(const char* p, const char* end)
{
#if defined(__SSE2__)
    // Sixteen bytes a step where the processor compares them at once.
    while (end - p >= 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const __m128i hits = (_mm_cmpeq_epi8(block, _mm_set1_epi8(Bytes)) | ...);
        const int mask = _mm_movemask_epi8(hits);
        if (mask != 0)
            return p + std::countr_zero(static_cast<unsigned>(mask));
        p += 16;
    }
#endif
    if constexpr (std::endian::native == std::endian::little) {
        while (end - p >= 8) {
            std::uint64_t word;
            std::memcpy(&word, p, sizeof word);
            const std::uint64_t hits = (matches(word, static_cast<unsigned char>(Bytes)) | ...);
            if (hits != 0)
                return p + (std::countr_zero(hits) >> 3);
            p += 8;
        }
    }
    for (; p != end; ++p) {
        const char c = *p;
        if (((c == Bytes) || ...))
            return p;
    }
    return end;
}

// The same for one byte known only at run time.
inline const char* findByte(const char* p, const char* end, char byte)
{
#if defined(__SSE2__)
    const __m128i wanted = _mm_set1_epi8(byte);
    while (end - p >= 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const int mask = _mm_movemask_epi8(_mm_cmpeq_epi8(block, wanted));
        if (mask != 0)
            return p + std::countr_zero(static_cast<unsigned>(mask));
        p += 16;
    }
#endif
    if constexpr (std::endian::native == std::endian::little) {
        while (end - p >= 8) {
            std::uint64_t word;
            std::memcpy(&word, p, sizeof word);
            const std::uint64_t hits = matches(word, static_cast<unsigned char>(byte));
            if (hits != 0)
                return p + (std::countr_zero(hits) >> 3);
            p += 8;
        }
    }
    for (; p != end; ++p) {
        if (*p == byte)
            return p;
    }
    return end;
}

// Position in `text` of the first byte that is one of `Bytes`, from `from`
// on; npos when there is none.
template <char... Bytes>
std::size_t find(std::string_view text, std::size_t from = 0)
{
    if (from >= text.size())
        return std::string_view::npos;
    const char* hit = findAny<Bytes...>(text.data() + from, text.data() + text.size());
    return hit == text.data() + text.size() ? std::string_view::npos : static_cast<std::size_t>(hit - text.data());
}

inline bool hasLineBreak(std::string_view text)
{
    return find<'\r', '\n'>(text) != std::string_view::npos;
}

} // namespace ByteScan
} // namespace kzt
