#pragma once

#include "Records.h"
#include "Status.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace kzt {

class LineWriter;
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
        // Applet fields naming files of this section, listed before the items'.
        std::vector<std::size_t> appletFields = {};
    };
    std::vector<Section> sections;
    // Each item's files of a section together, item after item, rather than
    // one field over all items, then the next field.
    bool itemByItem = false;
    // A name is listed once in the whole report, not once per section.
    bool listOncePerReport = false;
    // Empty lines between the last section and the closing rule.
    std::size_t blankLinesBeforeEnd = 2;
};

// The values one product gives the shared container and flows.
struct ProductInfo
{
    std::string name;            // "Dulcamon": project files, window caption, root node
    // The root node's text at start-up and after Open, and after New; an
    // empty text falls back to rootText, then to the product name.
    std::string rootText;
    std::string rootTextAfterNew;
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
    // The script that draws the applet's box in browsers without Java, when
    // the product ships one ("vantrel20.js"); the page loads it and it
    // travels with the runtime files only while the agent's ScriptRuntime is on.
    std::string browserRuntime;
    // Item fields that name files travelling with the project, in copy order.
    std::vector<std::size_t> itemFileFields;
    // Applet-level fields that name such files (a background picture or
    // sound): copied by Save and staged for Preview with the items' files.
    std::vector<std::size_t> appletFileFields;
    ReportWording report;
    // Item fields the program fills in from the tree or the other fields
    // before every output (the level field is always one): a commit that
    // changes only these is no edit of the author's.
    std::vector<std::size_t> derivedItemFields;

    const std::string& rootNodeText(bool afterNew = false) const
    {
        if (afterNew && !rootTextAfterNew.empty())
            return rootTextAfterNew;
        return rootText.empty() ? name : rootText;
    }

    // How the main window treats the document.
    enum class ChangeDetection {
        Flag,          // edits and commands mark the document changed
        PageComparison // changed when the page differs from the one of the last New, Open or Save
    };
    // The applet builders' older browser dialog keeps no settings: the choice
    // lasts while the program runs, the named program's path is kept in
    // "wbrwsr.dat" of the user's folder. Picking a browser from its list
    // checks the known choice where the product says so.
    bool olderBrowserDialog = false;
    bool browserPickChecksKnown = true;
    bool selectionMarksChanged = true; // moving from item to item marks the document changed
    bool hasRecentFiles = true;        // the File menu lists recent projects
    ChangeDetection changeDetection = ChangeDetection::Flag;
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
    // The same text into `out`, which may send it on to its file as it
    // grows, so a large page is never held whole. By default the text
    // generatePage() makes.
    virtual void writePage(const TkztAppletAgent& agent, LineWriter& out) const;

    // Where a runtime file is copied from. Shipped files come from the share
    // folder; a product may generate some into the user's folder.
    virtual std::filesystem::path runtimeFileSource(const TkztAppletAgent& agent, const std::string& name) const;

    // The publish report's text; the shared frame with the wording above
    // unless the product lists its files by rules of its own.
    virtual std::string publishReport(const TkztAppletAgent& agent) const;

    // Called after the page was generated: writes any runtime files the page
    // depends on that the product generates itself.
    virtual Status writeGeneratedFiles(const TkztAppletAgent& /*agent*/) const { return Status::success(); }

    // A runtime file the product makes from the document: its text, written
    // straight into each folder that gets the runtime files (never copied
    // through a file other running programs also write). False for shipped
    // files, which are copied from runtimeFileSource.
    virtual bool generateRuntimeFile(const TkztAppletAgent& /*agent*/, const std::string& /*name*/,
                                     std::string& /*contents*/) const
    {
        return false;
    }

    // An upper bound of the page's size in bytes for the current records, for
    // products whose page can grow faster than the document; 0 when the page
    // is never more than a small multiple of the document.
    virtual std::uint64_t pageSizeBound(const TkztAppletAgent& /*agent*/) const { return 0; }

    // Files the page reads that the product writes beside it (a parameters
    // file, for instance), for the current records. Names are used only when
    // they are bare file names.
    struct CompanionFile
    {
        std::string name;
        std::string contents;
    };
    virtual std::vector<CompanionFile> companionFiles(const TkztAppletAgent& /*agent*/) const { return {}; }
    // The names companionFiles() gives, each with what the file is for the
    // author ("parameters file"), without making the contents. A save checks
    // them before it writes anything.
    struct CompanionName
    {
        std::string name;
        std::string what;
    };
    virtual std::vector<CompanionName> companionFileNames(const TkztAppletAgent& /*agent*/) const { return {}; }
};

} // namespace kzt
