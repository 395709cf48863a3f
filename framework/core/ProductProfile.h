#pragma once

#include "Records.h"
#include "Status.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace kzt {

class ProjectFormat;
class TkztAppletAgent;

// What a product's publish report says beyond the shared frame.
struct ReportWording
{
    std::string purposeLine;        // second line of the report
    std::string projectExtension;   // "dlcg", used in the third line
    std::string runtimeHeading;     // heading of the runtime-file section
    struct Section
    {
        std::string heading;
        // Item fields naming per-item files, listed in this order of fields.
        std::vector<std::size_t> fields;
    };
    std::vector<Section> sections;
};

// The values one product gives the shared container and flows.
struct ProductInfo
{
    std::string name;            // "Dulcamon": project files, window caption, root node
    std::string version;         // "1.0"
    std::string executableName;  // "dulcamon": folders, command line
    std::string noteLine;        // second line of a project file
    std::vector<std::string> acceptedNames; // product names a project file may carry
    std::string extension;       // "dlcg", without the dot
    std::string fileFilter;      // "Dulcamon Files (*.dlcg)|*.dlcg"
    std::string foreignFileMessage;
    std::size_t appletFieldCount = 0;
    std::size_t itemFieldCount = 0;
    std::size_t captionField = 0;
    std::size_t levelField = 0;
    // Without a level field the tree alone holds the depth of each item, and
    // the agent neither reads nor writes `levelField`.
    bool hasLevelField = true;
    TStringArray scriptFiles;    // runtime files published next to the page
    std::string scriptName;      // runtime script base name used by the page
    // Item fields that name files travelling with the project, in copy order.
    std::vector<std::size_t> itemFileFields;
    ReportWording report;
};

// A product's data model and generator, plugged into the shared agent.
class ProductProfile
{
public:
    virtual ~ProductProfile() = default;

    virtual const ProductInfo& info() const = 0;
    virtual TAppletData defaultAppletData() const = 0;
    virtual TItemData defaultItemData() const = 0;

    // Replaces the parameters with the defaults; a product may keep some of
    // the current values (settings that belong to the author, not the menu).
    virtual void resetAppletData(TAppletData& data) const { data = defaultAppletData(); }

    // How the product's documents are kept on disk: the tagged container
    // unless the product brings a format of its own.
    virtual const ProjectFormat& projectFormat() const;

    // Refreshes the fields derived from the tree before code generation.
    virtual void refreshDerivedFields(TkztAppletAgent& agent) const = 0;

    // The page text for the current records. Derived fields are current.
    virtual std::string generatePage(const TkztAppletAgent& agent) const = 0;

    // Where a runtime file is copied from. Shipped files come from the share
    // folder; a product may generate some into the user's folder.
    virtual std::filesystem::path runtimeFileSource(const TkztAppletAgent& agent, const std::string& name) const;

    // The publish report's text; the shared frame with the wording above
    // unless the product lists its files by rules of its own.
    virtual std::string publishReport(const TkztAppletAgent& agent) const;

    // Called after the page was generated: writes any runtime files the page
    // depends on that the product generates itself.
    virtual Status writeGeneratedFiles(const TkztAppletAgent& /*agent*/) const { return Status::success(); }
};

} // namespace kzt
