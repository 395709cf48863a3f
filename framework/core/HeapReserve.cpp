#include "HeapReserve.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <sys/stat.h>
#include <vector>

#if defined(__linux__) && defined(__GLIBC__)
#include <malloc.h>
#include <sys/mman.h>
#endif

namespace kzt {

void ReadyHeapForDocument(const std::filesystem::path& file)
{
#if defined(__linux__) && defined(__GLIBC__) && defined(MADV_HUGEPAGE)
    constexpr std::uint64_t kSmallest = std::uint64_t{8} << 20;
    // A document takes about its file's size once read, and its tree and
    // the texts made from it as much again.
    constexpr std::uint64_t kLargest = std::uint64_t{1} << 30;
    struct stat info {};
    if (::stat(file.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return;
    const std::uint64_t size = static_cast<std::uint64_t>(info.st_size);
    if (size < kSmallest)
        return;
    const std::size_t room = static_cast<std::size_t>(std::min(2 * size, kLargest));

    // Blocks up to this size come from the heap rather than mappings of
    // their own, and freed room stays in the heap for the next blocks.
    constexpr std::size_t kPiece = std::size_t{16} << 20;
    ::mallopt(M_MMAP_THRESHOLD, static_cast<int>(2 * kPiece));
    ::mallopt(M_TRIM_THRESHOLD, static_cast<int>(std::min<std::size_t>(2 * room, INT32_MAX)));
    std::vector<char*> pieces;
    for (std::size_t taken = 0; taken < room; taken += kPiece) {
        char* piece = static_cast<char*>(std::malloc(kPiece));
        if (!piece)
            break;
        pieces.push_back(piece);
    }
    // Pieces that lie back to back (the heap grew for them) are asked for
    // large pages as one run, whole 2 MB pages inside it only.
    std::vector<char*> sorted = pieces;
    std::sort(sorted.begin(), sorted.end());
    constexpr std::uintptr_t kLargePage = std::uintptr_t{2} << 20;
    constexpr std::uintptr_t kHeader = 64;
    const auto advise = [&](std::uintptr_t from, std::uintptr_t to) {
        from = (from + kLargePage - 1) & ~(kLargePage - 1);
        to &= ~(kLargePage - 1);
        if (to > from)
            ::madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE);
    };
    std::uintptr_t runStart = 0;
    std::uintptr_t runEnd = 0;
    for (char* piece : sorted) {
        const auto start = reinterpret_cast<std::uintptr_t>(piece);
        if (runEnd != 0 && start - runEnd <= kHeader) {
            runEnd = start + kPiece;
            continue;
        }
        if (runEnd != 0)
            advise(runStart, runEnd);
        runStart = start;
        runEnd = start + kPiece;
    }
    if (runEnd != 0)
        advise(runStart, runEnd);
    for (char* piece : pieces)
        std::free(piece);
#else
    (void)file;
#endif
}

} // namespace kzt
