#include "TextFile.h"

#include "ByteScan.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <dirent.h>
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

thread_local WriteJournal* t_journal = nullptr;
thread_local WriteBatch* t_batch = nullptr;

Status commitTemporary(int fd, std::string tempName, const std::filesystem::path& target,
                       Durability durability = Durability::Durable)
{
    FileDescriptor file(fd);
    // Keep the permissions an ordinary new file would get.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(file.get(), 0666 & ~mask);
    if (durability == Durability::Durable && t_batch) {
        // Start writing it out now, while the next file is made; the batch
        // waits for all of them at once.
        ::sync_file_range(file.get(), 0, 0, SYNC_FILE_RANGE_WRITE);
        if (::close(file.release()) != 0) {
            const int error = errno;
            ::unlink(tempName.c_str());
            return Status::failure(cannotWriteMessage(target, error));
        }
        if (t_journal)
            t_journal->record(target);
        t_batch->add(std::move(tempName), target);
        return Status::success();
    }
    const bool synced = durability == Durability::Scratch || ::fsync(file.get()) == 0;
    if (!synced || ::close(file.release()) != 0) {
        const int error = errno;
        ::unlink(tempName.c_str());
        return Status::failure(cannotWriteMessage(target, error));
    }
    if (::rename(tempName.c_str(), target.c_str()) != 0) {
        const int error = errno;
        ::unlink(tempName.c_str());
        return Status::failure(cannotWriteMessage(target, error));
    }
    if (t_journal)
        t_journal->record(target);
    return Status::success();
}

// Opens a file for reading only when it is a regular file. The type is
// checked before opening, and the open itself does not wait, so a named pipe
// or a device never blocks; the descriptor's type is checked again in case
// the name changed in between. `followLinks` false refuses a symbolic link.
int openRegular(const std::filesystem::path& path, bool followLinks, int& error, bool& notRegular)
{
    notRegular = false;
    struct stat info {};
    const int statResult = followLinks ? ::stat(path.c_str(), &info) : ::lstat(path.c_str(), &info);
    if (statResult != 0) {
        error = errno;
        return -1;
    }
    if (!S_ISREG(info.st_mode)) {
        notRegular = true;
        return -1;
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | (followLinks ? 0 : O_NOFOLLOW));
    if (fd < 0) {
        error = errno;
        if (error == ELOOP)
            notRegular = true;
        return -1;
    }
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        notRegular = true;
        return -1;
    }
    // Regular files never block; plain reads from here on.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

} // namespace

WriteJournal::WriteJournal() : m_outer(t_journal)
{
    t_journal = this;
}

WriteJournal::~WriteJournal()
{
    t_journal = m_outer;
}

void WriteJournal::record(const std::filesystem::path& path)
{
    m_paths.push_back(path.lexically_normal());
    if (m_outer)
        m_outer->record(path);
}

bool WriteJournal::wrote(const std::filesystem::path& path) const
{
    const std::filesystem::path wanted = path.lexically_normal();
    return std::find(m_paths.begin(), m_paths.end(), wanted) != m_paths.end();
}

WriteBatch::WriteBatch() : m_outer(t_batch)
{
    t_batch = this;
}

WriteBatch::~WriteBatch()
{
    discard();
    t_batch = m_outer;
}

bool WriteBatch::open()
{
    return t_batch != nullptr;
}

void WriteBatch::add(std::string temporary, const std::filesystem::path& target)
{
    m_pending.push_back({std::move(temporary), target});
}

void WriteBatch::discard()
{
    for (const Pending& pending : m_pending)
        ::unlink(pending.temporary.c_str());
    m_pending.clear();
}

Status WriteBatch::commit()
{
    std::vector<Pending> pending = std::move(m_pending);
    m_pending.clear();
    // The folders the files go into, and one open folder per file system.
    std::vector<std::filesystem::path> folders;
    const auto folderOf = [](const std::filesystem::path& target) {
        std::filesystem::path folder = target.parent_path();
        return folder.empty() ? std::filesystem::path(".") : folder;
    };
    for (const Pending& file : pending) {
        std::filesystem::path folder = folderOf(file.target);
        if (std::find(folders.begin(), folders.end(), folder) == folders.end())
            folders.push_back(std::move(folder));
    }
    const auto fail = [&](std::size_t from, const std::filesystem::path& target, int error) {
        for (std::size_t i = from; i < pending.size(); ++i)
            ::unlink(pending[i].temporary.c_str());
        return Status::failure(cannotWriteMessage(target, error));
    };
    // Every byte on disk before any name changes: one syncfs a file system
    // waits for all the writes at once, where an fsync a file would wait for
    // the disk once a file.
    std::vector<dev_t> synced;
    for (const std::filesystem::path& folder : folders) {
        FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        struct stat info {};
        if (dir.get() >= 0 && ::fstat(dir.get(), &info) == 0) {
            if (std::find(synced.begin(), synced.end(), info.st_dev) != synced.end())
                continue;
            if (::syncfs(dir.get()) == 0) {
                synced.push_back(info.st_dev);
                continue;
            }
        }
        // No syncfs here: each file of the folder on its own.
        for (const Pending& file : pending) {
            if (folderOf(file.target) != folder)
                continue;
            FileDescriptor temporary(::open(file.temporary.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW));
            if (temporary.get() < 0 || ::fsync(temporary.get()) != 0)
                return fail(0, file.target, errno);
        }
    }
    for (std::size_t i = 0; i < pending.size(); ++i) {
        if (::rename(pending[i].temporary.c_str(), pending[i].target.c_str()) != 0)
            return fail(i, pending[i].target, errno);
    }
    // The new names themselves. A file system that cannot force a folder
    // has still put every file in place whole.
    for (const std::filesystem::path& folder : folders) {
        FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (dir.get() >= 0)
            ::fsync(dir.get());
    }
    return Status::success();
}

std::string notRegularMessage(const std::filesystem::path& path)
{
    std::string message = "\"";
    message += path.string();
    message += "\" is not a regular file.";
    return message;
}

std::size_t longestWritableName(const std::filesystem::path& folder)
{
    errno = 0;
    long limit = ::pathconf(folder.empty() ? "." : folder.c_str(), _PC_NAME_MAX);
    if (limit <= 0)
        limit = 255;
    // "." + name + "." + six characters.
    constexpr long kTemporaryExtra = 8;
    return limit > kTemporaryExtra ? static_cast<std::size_t>(limit - kTemporaryExtra) : 0;
}

bool isTemporaryName(std::string_view name)
{
    // "." + target name + "." + six characters of mkstemp's alphabet.
    if (name.size() < 1 + 1 + 1 + 6 || name[0] != '.' || name[name.size() - 7] != '.')
        return false;
    for (char c : name.substr(name.size() - 6)) {
        const bool alnum = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (!alnum)
            return false;
    }
    return true;
}

void removeStaleTemporaries(const std::filesystem::path& folder, const std::vector<std::string>& targetNames,
                            long minimumAgeSeconds)
{
    if (targetNames.empty())
        return;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    const uid_t me = ::geteuid();
    const std::time_t now = std::time(nullptr);
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name(entry->d_name);
        if (!isTemporaryName(name))
            continue;
        const std::string_view target = name.substr(1, name.size() - 8);
        if (std::find(targetNames.begin(), targetNames.end(), target) == targetNames.end())
            continue;
        struct stat info {};
        if (::fstatat(::dirfd(dir), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0)
            continue;
        // Only our own leftovers: regular files of this user, untouched for
        // long enough that no running save is still writing them.
        if (!S_ISREG(info.st_mode) || info.st_uid != me || now - info.st_mtime < minimumAgeSeconds)
            continue;
        ::unlinkat(::dirfd(dir), entry->d_name, 0);
    }
    ::closedir(dir);
}

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
    int error = 0;
    bool notRegular = false;
    FileDescriptor file(openRegular(path, true, error, notRegular));
    if (notRegular)
        return Status::failure(notRegularMessage(path));
    if (file.get() < 0)
        return Status::failure(cannotReadMessage(path, error));
    struct stat info {};
    if (::fstat(file.get(), &info) != 0)
        return Status::failure(cannotReadMessage(path, errno));
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

LineReader::~LineReader()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

Status LineReader::open(const std::filesystem::path& path)
{
    int error = 0;
    bool notRegular = false;
    m_fd = openRegular(path, true, error, notRegular);
    if (notRegular)
        return Status::failure(notRegularMessage(path));
    if (m_fd < 0)
        return Status::failure(cannotReadMessage(path, error));
    struct stat info {};
    if (::fstat(m_fd, &info) == 0)
        m_fileSize = static_cast<std::uint64_t>(info.st_size);
    m_path = path;
    return Status::success();
}

bool LineReader::fill()
{
    // The lines already handed out go; the one being read moves to the
    // front. The buffer itself only ever grows, so its bytes are never
    // cleared before a read overwrites them.
    const std::size_t kept = m_size - m_start;
    if (kept > 0 && m_start > 0)
        std::memmove(m_buffer.data(), m_buffer.data() + m_start, kept);
    m_scan -= m_start;
    m_start = 0;
    m_size = kept;
    if (m_buffer.size() < m_size + m_chunk)
        m_buffer.resize(m_size + m_chunk);
    for (;;) {
        const ssize_t n = ::read(m_fd, m_buffer.data() + m_size, m_chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            m_status = Status::failure(cannotReadMessage(m_path, errno));
            m_end = true;
            return false;
        }
        m_size += static_cast<std::size_t>(n);
        m_end = n == 0;
        return n > 0;
    }
}

bool LineReader::next(std::string_view& line)
{
    if (m_fd < 0 || !m_status)
        return false;
    for (;;) {
        const std::string_view buffer(m_buffer.data(), m_size);
        const std::size_t end = ByteScan::find<'\r', '\n'>(buffer, m_scan);
        if (end != std::string::npos) {
            // A CR at the end of what was read may be the first half of CR LF.
            if (buffer[end] == '\r' && end + 1 == buffer.size() && !m_end) {
                m_scan = end;
                fill();
                continue;
            }
            line = buffer.substr(m_start, end - m_start);
            m_start = end + 1;
            if (buffer[end] == '\r' && m_start < buffer.size() && buffer[m_start] == '\n')
                ++m_start;
            m_scan = m_start;
            return true;
        }
        m_scan = buffer.size();
        if (m_end || !fill()) {
            if (!m_status || m_start >= m_size)
                return false;
            line = std::string_view(m_buffer.data(), m_size).substr(m_start);
            m_start = m_scan = m_size;
            return true;
        }
    }
}

bool LineReader::skipTo(std::string_view tag)
{
    std::string_view line;
    while (next(line)) {
        if (line == tag)
            return true;
    }
    return false;
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

FileWriter::FileWriter(const std::filesystem::path& target) : m_target(target)
{
    m_fd = openTemporaryBeside(target, m_temporary);
    if (m_fd < 0)
        m_error = errno != 0 ? errno : EIO;
}

FileWriter::~FileWriter()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        ::unlink(m_temporary.c_str());
    }
}

void FileWriter::write(std::string_view bytes)
{
    if (m_error == 0 && !writeAll(m_fd, bytes))
        m_error = errno != 0 ? errno : EIO;
}

Status FileWriter::commit(Durability durability)
{
    if (m_error != 0) {
        // Nothing is put in place; the destructor removes what was written.
        return Status::failure(cannotWriteMessage(m_target, m_error));
    }
    const int fd = m_fd;
    m_fd = -1;
    return commitTemporary(fd, std::move(m_temporary), m_target, durability);
}

namespace {

Status writeThroughTemporary(const std::filesystem::path& path, std::string_view contents, Durability durability)
{
    FileWriter file(path);
    file.write(contents);
    return file.commit(durability);
}

} // namespace

Status writeAtomic(const std::filesystem::path& path, std::string_view contents)
{
    return writeThroughTemporary(path, contents, Durability::Durable);
}

CopyOutcome copyRegular(const std::filesystem::path& from, const std::filesystem::path& to, bool followSourceLink,
                        Durability durability)
{
    CopyOutcome outcome;
    int error = 0;
    bool notRegular = false;
    FileDescriptor source(openRegular(from, followSourceLink, error, notRegular));
    if (notRegular) {
        outcome.result = CopyResult::NotRegular;
        outcome.message = notRegularMessage(from);
        return outcome;
    }
    if (source.get() < 0) {
        // A name too long for the folder is one no file there can have.
        outcome.result = error == ENOENT || error == ENAMETOOLONG ? CopyResult::SourceMissing : CopyResult::Failed;
        outcome.message = cannotReadMessage(from, error);
        outcome.sourceFailed = true;
        return outcome;
    }
    // Copying a file onto itself (a runtime file published into the folder
    // it ships from) leaves it as it is.
    struct stat sourceInfo {};
    struct stat targetInfo {};
    if (::fstat(source.get(), &sourceInfo) == 0 && ::lstat(to.c_str(), &targetInfo) == 0
        && sourceInfo.st_dev == targetInfo.st_dev && sourceInfo.st_ino == targetInfo.st_ino)
        return outcome;

    std::string tempName;
    const int fd = openTemporaryBeside(to, tempName);
    if (fd < 0) {
        outcome.result = CopyResult::Failed;
        outcome.message = cannotWriteMessage(to, errno);
        return outcome;
    }
    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = ::read(source.get(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        const bool readFailed = n < 0;
        if (readFailed || (n > 0 && !writeAll(fd, std::string_view(buffer, static_cast<std::size_t>(n))))) {
            error = errno;
            ::close(fd);
            ::unlink(tempName.c_str());
            outcome.result = CopyResult::Failed;
            outcome.message = readFailed ? cannotReadMessage(from, error) : cannotWriteMessage(to, error);
            outcome.sourceFailed = readFailed;
            return outcome;
        }
        if (n == 0)
            break;
    }
    Status status = commitTemporary(fd, std::move(tempName), to, durability);
    if (!status) {
        outcome.result = CopyResult::Failed;
        outcome.message = status.message();
    }
    return outcome;
}

bool copyAtomic(const std::filesystem::path& from, const std::filesystem::path& to)
{
    return copyRegular(from, to).ok();
}

Status writeScratch(const std::filesystem::path& path, std::string_view contents)
{
    return writeThroughTemporary(path, contents, Durability::Scratch);
}

} // namespace kzt::TextFile
