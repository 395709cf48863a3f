#pragma once

#include "Records.h"
#include "Status.h"

#include <filesystem>
#include <string>
#include <vector>

namespace kzt {

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
    // The file's contents, or a failure when a value cannot be stored.
    virtual Status render(const TkztAppletAgent& agent, std::string& contents) const = 0;
    // Refuses a document with a value the file could not give back as it is.
    virtual Status checkStorable(const TkztAppletAgent& agent) const = 0;

    Status read(TkztAppletAgent& agent, const std::filesystem::path& path) const;
    Status write(const TkztAppletAgent& agent, const std::filesystem::path& path) const;
};

// The tagged project file: warning block, product name and version, one line
// of parameters and one line per item, every field followed by "#$@".
class ProjectFileFormat : public ProjectFormat
{
public:
    Status readText(TkztAppletAgent& agent, const std::string& contents) const override;
    Status render(const TkztAppletAgent& agent, std::string& contents) const override;
    Status checkStorable(const TkztAppletAgent& agent) const override;

    // The container as the products without a format of their own use it.
    static const ProjectFileFormat& standard();

    // The message for an incomplete file.
    static std::string incompleteMessage();

protected:
    // Brings the fields of a file into the current layout. `applet` and each
    // of `items` hold every field its line has, as the file's version wrote
    // them. The default pads or cuts them to the product's field counts.
    virtual Status migrate(const std::string& version, TStringArray& applet,
                           std::vector<TStringArray>& items, const ProductInfo& info) const;
};

// Refuses a value that would break the line structure of a data file.
Status CheckStorableFields(const std::string& what, const std::string& caption,
                           const std::vector<std::string>& fields);

} // namespace kzt
