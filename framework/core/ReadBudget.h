#pragma once

#include "Status.h"

#include <cstdint>
#include <string>

namespace kzt {

// What reading one file may cost in memory: a fixed allowance plus a few
// times the file's size. A line of a file can be a single byte while the item
// it makes costs a record, a tree node and list entries, so a file of empty
// lines would otherwise need hundreds of times its size. Readers charge what
// they keep as they go and refuse the file as soon as it passes the budget,
// long before the memory runs out; files the programs write stay far below.
class ReadBudget
{
public:
    static constexpr std::uint64_t kAllowance = std::uint64_t{64} << 20;
    static constexpr std::uint64_t kTimesFileSize = 16;
    // What an item costs beside its record's bytes: its tree node, its
    // place in the item list and the tree's order, and the heap's own share.
    static constexpr std::uint64_t kItemOverhead = 144;

    explicit ReadBudget(std::uint64_t fileBytes) : m_limit(kAllowance + kTimesFileSize * fileBytes) {}

    // False once the charges pass the budget.
    bool charge(std::uint64_t bytes)
    {
        m_used += bytes;
        return m_used <= m_limit;
    }
    std::uint64_t limit() const { return m_limit; }

    // The refusal, in the words of the readers' other messages.
    static Status refusal(std::uint64_t items)
    {
        return Status::failure("This file holds more items than a file of its size can: its item lines are too short "
                               "to be items (more than " + std::to_string(items) + " of them), open failed!");
    }

private:
    std::uint64_t m_limit;
    std::uint64_t m_used = 0;
};

} // namespace kzt
