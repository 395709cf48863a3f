#pragma once

#include <filesystem>

namespace kzt {

// Readies the heap for the document in `file`, in a process that ends soon
// after reading it (the command line). Reading a large document makes
// hundreds of thousands of small blocks, each touched first as it is filled,
// and a fault for every fresh 4 KB page is a large share of that work. So
// room for the document is taken from the system at once, in large pages
// where the system offers them on request, and kept for the rest of the
// process. Nothing is touched: the room costs address space, not memory.
// Small documents, and systems without these calls, are left as they are.
void ReadyHeapForDocument(const std::filesystem::path& file);

} // namespace kzt
