#pragma once

#include "Records.h"

#include <filesystem>

namespace kzt {

class TkztAppletAgent;

// The files the document names (pictures, sounds ...) that are not in the
// folder, each once, in the order the publish report lists them; names
// that are not bare file names are not looked up.
TStringArray MissingDocumentFiles(const TkztAppletAgent& agent, const std::filesystem::path& folder);

} // namespace kzt
