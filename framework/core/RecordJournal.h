#pragma once

#include <cstddef>

namespace kzt {

// Told just before a record of the document takes new values, while the old
// ones can still be read: the undo history keeps them. The agent's setters
// tell it; code that writes records directly tells it through the agent's
// note calls first.
class RecordJournal
{
public:
    virtual ~RecordJournal() = default;

    virtual void appletAboutToChange() = 0;
    virtual void itemAboutToChange(std::size_t index) = 0;
};

} // namespace kzt
