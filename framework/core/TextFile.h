#pragma once

#include "Status.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace kzt {

namespace TextFile {

// The whole file as bytes. Only a regular file is read: a folder, device,
// socket or named pipe is refused at once ("... is not a regular file")
// without waiting on it.
Status read(const std::filesystem::path& path, std::string& contents);

// Lines split at CR LF, LF or a lone CR; the terminators are dropped.
std::vector<std::string_view> splitLines(std::string_view text);

// Reads a file a line at a time through a buffer of about `chunk` bytes, so
// a large file is never held whole. Lines end as splitLines ends them. A
// line from next() is good until the next call.
class LineReader
{
public:
    explicit LineReader(std::size_t chunk = std::size_t{1} << 20) : m_chunk(chunk == 0 ? 1 : chunk) {}
    ~LineReader();
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    // Refuses what read() refuses, with the same messages.
    Status open(const std::filesystem::path& path);
    // False at the end of the file or when reading fails (see status()).
    bool next(std::string_view& line);
    bool skipTo(std::string_view tag);
    // A read error met on the way; success otherwise.
    const Status& status() const { return m_status; }
    // The file's size when it was opened.
    std::uint64_t fileSize() const { return m_fileSize; }

private:
    bool fill();

    std::size_t m_chunk;
    int m_fd = -1;
    std::filesystem::path m_path;
    std::string m_buffer;    // holds m_size bytes read; the rest is room
    std::size_t m_size = 0;
    std::size_t m_start = 0; // first byte of the next line
    std::size_t m_scan = 0;  // where the search for its end goes on
    bool m_end = false;
    std::uint64_t m_fileSize = 0;
    Status m_status = Status::success();
};

// Writes through a temporary file in the same folder and renames it over the
// target, so a failure leaves any old file whole.
Status writeAtomic(const std::filesystem::path& path, std::string_view contents);

// How hard a write holds on to its bytes. `Scratch` skips forcing the file
// to disk: for the private preview folder, which is thrown away with the
// program and whose files a publish copies (durably) again.
enum class Durability { Durable, Scratch };

// Where a text made a piece at a time goes.
class TextSink
{
public:
    virtual ~TextSink() = default;
    virtual void write(std::string_view bytes) = 0;
};

// writeAtomic for a text made a piece at a time: the pieces go into a
// temporary file beside the target as they come, so a long text is never
// held whole, and commit() puts the file in place as writeAtomic would. A
// writer that goes without commit() removes its temporary file and leaves
// the target as it was.
class FileWriter : public TextSink
{
public:
    explicit FileWriter(const std::filesystem::path& target);
    ~FileWriter();
    FileWriter(const FileWriter&) = delete;
    FileWriter& operator=(const FileWriter&) = delete;

    // After a failure the rest is dropped, and commit() says why.
    void write(std::string_view bytes) override;
    Status commit(Durability durability = Durability::Durable);

private:
    std::filesystem::path m_target;
    std::string m_temporary;
    int m_fd = -1;
    int m_error = 0;
};

// What became of a copy.
enum class CopyResult {
    Copied,        // the target holds the source's bytes (or is the source)
    SourceMissing, // nothing to copy
    NotRegular,    // the source is a symbolic link or a special file: not followed, not read
    Failed,        // reading the source or writing the target failed
};
struct CopyOutcome
{
    CopyResult result = CopyResult::Copied;
    std::string message; // why, for NotRegular and Failed
    bool sourceFailed = false; // Failed in opening or reading the source
    bool ok() const { return result == CopyResult::Copied; }
};

// Copies a regular file the same way as writeAtomic. A source that is a
// symbolic link is never followed; the target, whatever it was (a link
// included), is replaced, never written through.
// `followSourceLink` is for shipped files only (an installed runtime file may
// be a link); files named by documents never are followed.
CopyOutcome copyRegular(const std::filesystem::path& from, const std::filesystem::path& to,
                        bool followSourceLink = false, Durability durability = Durability::Durable);

// copyRegular for callers that only care whether a copy exists now.
bool copyAtomic(const std::filesystem::path& from, const std::filesystem::path& to);

// Records the file names every atomic write and copy of this thread puts in
// place while it lives, so one operation can tell which files it wrote.
class WriteJournal
{
public:
    WriteJournal();
    ~WriteJournal();
    WriteJournal(const WriteJournal&) = delete;
    WriteJournal& operator=(const WriteJournal&) = delete;

    // True when a file of that path was written while the journal lived.
    bool wrote(const std::filesystem::path& path) const;
    void record(const std::filesystem::path& path);
    const std::vector<std::filesystem::path>& paths() const { return m_paths; }

private:
    std::vector<std::filesystem::path> m_paths;
    WriteJournal* m_outer;
};

// Gathers the atomic writes and copies of this thread while it lives (the
// durable ones; scratch copies go in place at once), so that many files are
// forced to disk together: each is written whole into its temporary file as
// before, and commit() then forces them all to disk with one call per file
// system, renames each over its target in the order written, and forces the
// folders' new entries to disk. A crash at any moment leaves every target
// either its old file or the new one whole. Until commit() the targets are
// untouched; a batch left without commit() removes its temporary files.
class WriteBatch
{
public:
    WriteBatch();
    ~WriteBatch();
    WriteBatch(const WriteBatch&) = delete;
    WriteBatch& operator=(const WriteBatch&) = delete;

    // Puts the files in place; the first failure stops it, and the files not
    // yet in place are left as they were.
    Status commit();
    // A temporary file written whole, waiting for commit().
    void add(std::string temporary, const std::filesystem::path& target);
    // True when a batch is open on this thread.
    static bool open();

private:
    struct Pending
    {
        std::string temporary;
        std::filesystem::path target;
    };
    void discard();

    std::vector<Pending> m_pending;
    WriteBatch* m_outer;
};

// Removes what runs that were killed part way left in a folder: our own
// temporary files (".NAME.XXXXXX", six random characters) beside the targets
// named, left untouched for `minimumAgeSeconds`. Nothing else is touched.
void removeStaleTemporaries(const std::filesystem::path& folder, const std::vector<std::string>& targetNames,
                            long minimumAgeSeconds = 60);

// The longest file name writeAtomic() and copyRegular() can put into the
// folder: its file system's limit less what a temporary name adds.
std::size_t longestWritableName(const std::filesystem::path& folder);

// True for a name of the form our temporary files take.
bool isTemporaryName(std::string_view name);

// "Cannot create file ..." style messages, in one place.
std::string cannotWriteMessage(const std::filesystem::path& path, int error);
std::string cannotReadMessage(const std::filesystem::path& path, int error);
std::string notRegularMessage(const std::filesystem::path& path);

// writeAtomic for the private preview folder: as atomic, but not forced to
// disk (see Durability::Scratch), so a live preview is not held up by the disk.
Status writeScratch(const std::filesystem::path& path, std::string_view contents);

} // namespace TextFile

// Builds a text whose every line ends in CR LF, the line ending of every
// file the programs write: in memory, or on its way to a file (a sink),
// where only the last few hundred kilobytes are held at a time.
class LineWriter
{
public:
    LineWriter() = default;
    explicit LineWriter(TextFile::TextSink& sink) : m_sink(&sink) { m_text.reserve(kSpillBytes + kSpillBytes / 2); }

    void line(std::string_view text)
    {
        m_text += text;
        m_text += "\r\n";
        flushWhenFull();
    }
    // A line that `write` appends straight to the text, for long or many
    // lines that would otherwise each be built apart and then copied.
    template <typename Write>
    void lineFrom(Write&& write)
    {
        write(m_text);
        m_text += "\r\n";
        flushWhenFull();
    }
    // Bytes as they stand, line ends and all.
    void append(std::string_view bytes)
    {
        m_text += bytes;
        flushWhenFull();
    }
    // Makes room for the whole text at once, when it is kept in memory:
    // `bytes()` is only asked then.
    template <typename Bytes>
    void reserveFor(Bytes&& bytes)
    {
        if (!m_sink)
            m_text.reserve(bytes());
    }
    void reserve(std::size_t bytes)
    {
        reserveFor([bytes] { return bytes; });
    }
    // The text not yet sent on. Writers of long pieces append to it
    // directly and call flushWhenFull() where the text may be cut.
    std::string& text() { return m_text; }
    const std::string& text() const { return m_text; }
    std::string take() { return std::move(m_text); }
    void flushWhenFull()
    {
        if (m_sink && m_text.size() >= kSpillBytes)
            flush();
    }
    // Sends what is left to the sink.
    void flush()
    {
        if (m_sink && !m_text.empty()) {
            m_sink->write(m_text);
            m_text.clear();
        }
    }

private:
    static constexpr std::size_t kSpillBytes = std::size_t{256} << 10;

    std::string m_text;
    TextFile::TextSink* m_sink = nullptr;
};

} // namespace kzt
