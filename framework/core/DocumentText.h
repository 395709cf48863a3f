#pragma once

#include "TextEncoding.h"

#include <cstddef>

namespace kzt {

class TkztAppletAgent;

// A document has one text encoding: Windows-1252 when any of its texts is
// not valid UTF-8 (it came from an older program), else UTF-8.
TextEncoding DocumentEncoding(const TkztAppletAgent& agent);

// Rewrites every text of the document that is not UTF-8 (records and tree)
// as UTF-8, reading it as Windows-1252. Returns how many texts changed.
std::size_t ConvertDocumentToUtf8(TkztAppletAgent& agent);

} // namespace kzt
