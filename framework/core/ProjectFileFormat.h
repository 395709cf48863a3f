#pragma once

#include "Records.h"
#include "Status.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace kzt {

class LineWriter;
class TkztAppletAgent;
struct ProductInfo;

// How a product keeps its documents on disk. A product brings its own format
// or takes the tagged container below.
class ProjectFormat
{
public:
    virtual ~ProjectFormat() = default;

    // Replaces the document with the one the text holds. On failure the
    // agent resets the document; the message is the one to show.
    virtual Status readText(TkztAppletAgent& agent, const std::string& contents) const = 0;
    // The file's lines, for a document checkStorable() lets through.
    virtual void writeLines(const TkztAppletAgent& agent, LineWriter& out) const = 0;
    // Refuses a document with a value the file could not give back as it is.
    virtual Status checkStorable(const TkztAppletAgent& agent) const = 0;
    // Text no value may hold because the file uses it to part values; empty
    // when the format can store any text. The editor refuses it as typed.
    virtual std::string_view reservedText() const { return {}; }

    // Reads the whole file and hands its text to readText().
    virtual Status read(TkztAppletAgent& agent, const std::filesystem::path& path) const;
    // The file's contents, or a failure when a value cannot be stored.
    Status render(const TkztAppletAgent& agent, std::string& contents) const;
    // Writes the file atomically, its text made as it goes out, so a large
    // document is never held twice; nothing is written when a value cannot be
    // stored.
    Status write(const TkztAppletAgent& agent, const std::filesystem::path& path) const;
};

// The tagged project file: warning block, product name and version, one line
// of parameters and one line per item, every field followed by "#$@".
class ProjectFileFormat : public ProjectFormat
{
public:
    // The fields of one line of a file, as views into the file's text.
    using FieldViews = std::vector<std::string_view>;

    Status readText(TkztAppletAgent& agent, const std::string& contents) const override;
    // Reads the file a line at a time; the same document as readText() makes.
    Status read(TkztAppletAgent& agent, const std::filesystem::path& path) const override;
    void writeLines(const TkztAppletAgent& agent, LineWriter& out) const override;
    Status checkStorable(const TkztAppletAgent& agent) const override;
    std::string_view reservedText() const override;

    // The container as the products without a format of their own use it.
    static const ProjectFileFormat& standard();

    // The message for an incomplete file.
    static std::string incompleteMessage();

protected:
    // Bring the fields of one line into the current layout, one line at a
    // time, so a large file is never held twice. `fields` holds every field
    // the line has, as the file's version wrote them; a value put in must
    // outlive the read (a literal). The default pads or cuts them to the
    // product's field counts.
    virtual Status migrateApplet(const std::string& version, FieldViews& fields, const ProductInfo& info) const;
    virtual Status migrateItem(const std::string& version, FieldViews& fields, const ProductInfo& info) const;

private:
    template <typename Lines>
    Status parse(TkztAppletAgent& agent, Lines& lines, std::uint64_t fileBytes) const;
};

// Refuses a value that would break the line structure of a data file.
Status CheckStorableFields(const std::string& what, std::string_view caption, const std::vector<std::string>& fields);
Status CheckStorableFields(const std::string& what, std::string_view caption, const TFieldRecord& record);

} // namespace kzt
