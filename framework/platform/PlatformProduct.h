#pragma once

#include <string>

namespace kzt {

// The few facts about a product that the platform layer needs. Everything in
// this library takes one of these instead of knowing the products.
struct PlatformProduct
{
    std::string name;          // "Dulcamon": settings file, key paths, window titles
    std::string version;       // "1.0": key paths
    std::string executable;    // "dulcamon": data folders, desktop entry, MIME type
    std::string extension;     // "dlcg": project files, without the dot
    std::string documentType;  // "Dulcamon.Document"
    std::string mimeComment;   // "Dulcamon project"; empty means name + " project"

    // "application/x-dulcamon-project"
    std::string mimeType() const { return "application/x-" + executable + "-project"; }
};

} // namespace kzt
