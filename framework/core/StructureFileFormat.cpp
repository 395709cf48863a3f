#include "StructureFileFormat.h"

#include "AppletAgent.h"
#include "AppletUtility.h"
#include "ProgressSink.h"
#include "ProjectFileFormat.h"
#include "LineCursor.h"
#include "TextFile.h"

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <vector>

namespace kzt {

namespace {

const char* const kFormatName = "General Menu Structure Description Format";
const char* const kFormatVersion = "1.0";
const char* const kProductNameTag = "<Product_Name>";
const char* const kProductVersionTag = "<Product_Version>";
const char* const kStructureTag = "<Structure_Description>";
const char* const kStructureEndTag = "</Structure_Description>";
constexpr std::size_t kStructureFieldCount = 5;

// Reads the file's items without touching the document, so a refused or
// cut-short file cannot leave half a menu behind.
Status parse(const TkztAppletAgent& agent, const MenuStructureMapping& mapping, const std::string& contents,
             std::string& version, TItemArray& items)
{
    const ProductInfo& info = agent.info();
    LineCursor lines(contents);
    std::string_view line;

    if (!lines.skipTo(kProductNameTag) || !lines.next(line) || line != kFormatName)
        return Status::failure(StructureFileFormat::foreignFormatMessage());
    if (!lines.skipTo(kProductVersionTag) || !lines.next(line))
        return Status::failure(ProjectFileFormat::incompleteMessage());
    version = std::string(line);
    if (!lines.skipTo(kStructureTag))
        return Status::failure(ProjectFileFormat::incompleteMessage());

    ProgressScope progress(agent.progress(), "Loading Data ... ...");
    const TItemData defaults = agent.GetDefaultItemData();
    for (;;) {
        if (!lines.next(line))
            return Status::failure(ProjectFileFormat::incompleteMessage());
        if (line == kStructureEndTag)
            break;
        TStringArray fields = SplitFields(line, kStructureFieldCount, agent.Separator);
        TItemData& item = items.emplace_back(defaults);
        item[info.levelField] = std::move(fields[0]);
        item[info.captionField] = std::move(fields[1]);
        item[mapping.urlField] = std::move(fields[2]);
        item[mapping.targetField] = std::move(fields[3]);
        if (mapping.descriptionField)
            item[*mapping.descriptionField] = std::move(fields[4]);
    }
    return Status::success();
}

} // namespace

std::string StructureFileFormat::foreignFormatMessage()
{
    return "This file wasn't saved by specified format, open failed!";
}

std::string StructureFileFormat::formatName()
{
    return kFormatName;
}

std::string StructureFileFormat::withStructureExtension(const std::string& path)
{
    std::string ending = path.size() >= 4 ? path.substr(path.size() - 4) : path;
    std::transform(ending.begin(), ending.end(), ending.begin(),
                   [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c); });
    return ending == ".gms" ? path : path + ".gms";
}

Status StructureFileFormat::render(TkztAppletAgent& agent, const MenuStructureMapping& mapping,
                                   std::string& contents)
{
    const ProductInfo& info = agent.info();
    agent.UpdateItemLevels();
    std::vector<TStringArray> lines;
    lines.reserve(agent.Items.size());
    for (const TItemData& item : agent.Items) {
        TStringArray fields{item[info.levelField], item[info.captionField], item[mapping.urlField],
                            item[mapping.targetField],
                            mapping.descriptionField ? item[*mapping.descriptionField] : std::string()};
        Status status = CheckStorableFields("Item", item[info.captionField], fields);
        if (!status)
            return status;
        lines.push_back(std::move(fields));
    }

    const int maximum = static_cast<int>(std::min<std::size_t>(agent.Items.size() * info.itemFieldCount + 15,
                                                               static_cast<std::size_t>(INT32_MAX)));
    ProgressScope progress(agent.progress(), "Saving Data ... ...", maximum);
    LineWriter out;
    out.reserve(512 + agent.Items.size() * 48);
    out.line("<Generator_Name>");
    out.line(info.name);
    out.line("</Generator_Name>");
    out.line("<Generator_Version>");
    out.line(info.version);
    out.line("</Generator_Version>");
    out.line(kProductNameTag);
    out.line(kFormatName);
    out.line("</Product_Name>");
    out.line(kProductVersionTag);
    out.line(kFormatVersion);
    out.line("</Product_Version>");
    progress.advance(10);
    progress.advance(5);
    out.line(kStructureTag);
    for (const TStringArray& fields : lines)
        out.line(JoinFields(fields, agent.Separator));
    out.line(kStructureEndTag);
    contents = out.take();
    return Status::success();
}

Status StructureFileFormat::ExportMenuStructure(TkztAppletAgent& agent, const MenuStructureMapping& mapping,
                                                const std::filesystem::path& path)
{
    std::string contents;
    Status status = render(agent, mapping, contents);
    if (!status)
        return status;
    status = TextFile::writeAtomic(path, contents);
    // What an export that was killed part way left beside the file.
    TextFile::removeStaleTemporaries(path.parent_path().empty() ? "." : path.parent_path(),
                                     {path.filename().string()});
    return status;
}

Status StructureFileFormat::importText(TkztAppletAgent& agent, const MenuStructureMapping& mapping,
                                       const std::string& contents)
{
    std::string version;
    TItemArray items;
    Status status = parse(agent, mapping, contents, version, items);
    agent.ResetToDefaults();
    if (!status)
        return status;
    agent.Items = std::move(items);
    status = agent.RebuildTreeFromLevels();
    if (!status) {
        agent.ResetToDefaults();
        return status;
    }
    agent.ProductVersion = std::move(version);
    return Status::success();
}

Status StructureFileFormat::ImportMenuStructure(TkztAppletAgent& agent, const MenuStructureMapping& mapping,
                                                const std::filesystem::path& path)
{
    std::string contents;
    Status status = TextFile::read(path, contents);
    if (!status) {
        agent.ResetToDefaults();
        return status;
    }
    return importText(agent, mapping, contents);
}

} // namespace kzt
