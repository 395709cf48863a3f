#pragma once

#include <string>
#include <utility>

namespace kzt {

// The outcome of an operation that can fail. The message is shown to the
// author as it stands, so it carries the program's own wording.
class [[nodiscard]] Status
{
public:
    Status() = default;

    static Status success() { return Status(); }
    static Status failure(std::string message)
    {
        Status s;
        s.m_failed = true;
        s.m_message = std::move(message);
        return s;
    }

    bool ok() const { return !m_failed; }
    explicit operator bool() const { return ok(); }
    const std::string& message() const { return m_message; }

private:
    bool m_failed = false;
    std::string m_message;
};

} // namespace kzt
