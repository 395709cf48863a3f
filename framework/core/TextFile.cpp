#include "TextFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kzt::TextFile {

namespace {

class FileDescriptor
{
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return m_fd; }
    int release()
    {
        const int fd = m_fd;
        m_fd = -1;
        return fd;
    }

private:
    int m_fd;
};

bool writeAll(int fd, std::string_view data)
{
    while (!data.empty()) {
        const ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// Opens a fresh temporary file beside the target.
int openTemporaryBeside(const std::filesystem::path& target, std::string& tempName)
{
    std::filesystem::path folder = target.parent_path();
    if (folder.empty())
        folder = ".";
    std::string pattern = (folder / std::string(".").append(target.filename().string()).append(".XXXXXX")).string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    const int fd = ::mkstemp(buffer.data());
    if (fd >= 0)
        tempName.assign(buffer.data());
    return fd;
}

Status commitTemporary(int fd, const std::string& tempName, const std::filesystem::path& target)
{
    FileDescriptor file(fd);
    // Keep the permissions an ordinary new file would get.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(file.get(), 0666 & ~mask);
    if (::fsync(file.get()) != 0 || ::close(file.release()) != 0) {
        const int error = errno;
        ::unlink(tempName.c_str());
        return Status::failure(cannotWriteMessage(target, error));
    }
    if (::rename(tempName.c_str(), target.c_str()) != 0) {
        const int error = errno;
        ::unlink(tempName.c_str());
        return Status::failure(cannotWriteMessage(target, error));
    }
    return Status::success();
}

} // namespace

std::string cannotWriteMessage(const std::filesystem::path& path, int error)
{
    return "Cannot create file \"" + path.string() + "\". " + std::strerror(error);
}

std::string cannotReadMessage(const std::filesystem::path& path, int error)
{
    return "Cannot open file \"" + path.string() + "\". " + std::strerror(error);
}

Status read(const std::filesystem::path& path, std::string& contents)
{
    contents.clear();
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.get() < 0)
        return Status::failure(cannotReadMessage(path, errno));
    struct stat info {};
    if (::fstat(file.get(), &info) != 0)
        return Status::failure(cannotReadMessage(path, errno));
    if (!S_ISREG(info.st_mode))
        return Status::failure(cannotReadMessage(path, EISDIR));
    contents.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = ::read(file.get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return Status::failure(cannotReadMessage(path, errno));
        }
        if (n == 0)
            break;
        contents.append(buffer, static_cast<std::size_t>(n));
    }
    return Status::success();
}

std::vector<std::string_view> splitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    const std::size_t size = text.size();
    for (std::size_t i = 0; i < size; ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n')
            continue;
        lines.push_back(text.substr(start, i - start));
        if (c == '\r' && i + 1 < size && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < size)
        lines.push_back(text.substr(start));
    return lines;
}

Status writeAtomic(const std::filesystem::path& path, std::string_view contents)
{
    std::string tempName;
    const int fd = openTemporaryBeside(path, tempName);
    if (fd < 0)
        return Status::failure(cannotWriteMessage(path, errno));
    if (!writeAll(fd, contents)) {
        const int error = errno;
        ::close(fd);
        ::unlink(tempName.c_str());
        return Status::failure(cannotWriteMessage(path, error));
    }
    return commitTemporary(fd, tempName, path);
}

bool copyAtomic(const std::filesystem::path& from, const std::filesystem::path& to)
{
    std::error_code ec;
    if (std::filesystem::equivalent(from, to, ec))
        return true;
    FileDescriptor source(::open(from.c_str(), O_RDONLY | O_CLOEXEC));
    if (source.get() < 0)
        return false;
    struct stat info {};
    if (::fstat(source.get(), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    std::string tempName;
    const int fd = openTemporaryBeside(to, tempName);
    if (fd < 0)
        return false;
    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = ::read(source.get(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 || (n > 0 && !writeAll(fd, std::string_view(buffer, static_cast<std::size_t>(n))))) {
            ::close(fd);
            ::unlink(tempName.c_str());
            return false;
        }
        if (n == 0)
            break;
    }
    return commitTemporary(fd, tempName, to).ok();
}

} // namespace kzt::TextFile
