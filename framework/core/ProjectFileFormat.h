#pragma once

#include "Status.h"

#include <filesystem>
#include <string>
#include <vector>

namespace kzt {

class TkztAppletAgent;

// The tagged project file: warning block, product name and version, one line
// of parameters and one line per item, every field followed by "#$@".
class ProjectFileFormat
{
public:
    // Replaces the document with the file's. On failure the document is left
    // to the caller to reset; the message is the one to show.
    static Status read(TkztAppletAgent& agent, const std::filesystem::path& path);
    static Status readText(TkztAppletAgent& agent, const std::string& contents);

    static Status write(TkztAppletAgent& agent, const std::filesystem::path& path);
    // The file's contents, or a failure when a value cannot be stored.
    static Status render(TkztAppletAgent& agent, std::string& contents);

    // Refuses a document with a value that would break the file's lines.
    static Status checkStorable(const TkztAppletAgent& agent);

    // The message for an incomplete file.
    static std::string incompleteMessage();
};

// Refuses a value that would break the line structure of a data file.
Status CheckStorableFields(const std::string& what, const std::string& caption,
                           const std::vector<std::string>& fields);

} // namespace kzt
