#include "ProcessGuard.h"

#include <cerrno>
#include <csignal>
#include <exception>
#include <fcntl.h>
#include <new>
#include <stdexcept>
#include <unistd.h>

namespace kzt::ProcessGuard {

namespace {

std::string& programName()
{
    static std::string name;
    return name;
}

void openNullOnClosedStandardDescriptors()
{
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF)
            continue;
        // The lowest free number is taken, which is this one: the ones
        // below it are open by now. Read-only, so writes to a closed
        // standard output still fail as they would have, and are reported.
        const int opened = ::open("/dev/null", O_RDONLY);
        if (opened >= 0 && opened != fd) {
            ::dup2(opened, fd);
            ::close(opened);
        }
    }
}

[[noreturn]] void endOnUncaughtException()
{
    std::string message = programName().empty() ? std::string("stopped") : programName();
    message += ": ";
    message += uncaughtMessage(std::current_exception());
    message += '\n';
    // No streams: whatever failed may have been theirs.
    (void)!::write(2, message.data(), message.size());
    ::_exit(1);
}

} // namespace

std::string uncaughtMessage(const std::exception_ptr& exception)
{
    if (!exception)
        return "stopped on an internal error.";
    try {
        std::rethrow_exception(exception);
    } catch (const std::bad_alloc&) {
        return "out of memory: the file needs more memory than there is, so the job was stopped.";
    } catch (const std::exception& error) {
        return std::string("stopped on an error: ") + error.what();
    } catch (...) {
        return "stopped on an internal error.";
    }
}

void prepare(const std::string& name)
{
    programName() = name;
    openNullOnClosedStandardDescriptors();
    std::signal(SIGXFSZ, SIG_IGN);
    std::set_terminate(endOnUncaughtException);
}

} // namespace kzt::ProcessGuard
