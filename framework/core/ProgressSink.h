#pragma once

#include <string>

namespace kzt {

// Where long operations report what they are doing. The main window shows the
// status text, steps its progress bar and shows the busy cursor; the command
// line ignores it.
class ProgressSink
{
public:
    virtual ~ProgressSink() = default;
    // A maximum of 0 means the operation has no progress steps.
    virtual void begin(const std::string& statusText, int maximum) = 0;
    virtual void advance(int steps) = 0;
    // Progress back to 0, status text cleared, default cursor.
    virtual void end() = 0;
};

// Brackets one long operation, so every way out of it resets the display.
class ProgressScope
{
public:
    ProgressScope(ProgressSink* sink, const std::string& statusText, int maximum = 0) : m_sink(sink)
    {
        if (m_sink)
            m_sink->begin(statusText, maximum);
    }
    ~ProgressScope()
    {
        if (m_sink)
            m_sink->end();
    }
    ProgressScope(const ProgressScope&) = delete;
    ProgressScope& operator=(const ProgressScope&) = delete;

    void advance(int steps)
    {
        if (m_sink)
            m_sink->advance(steps);
    }

private:
    ProgressSink* m_sink;
};

} // namespace kzt
