#include "StructureFileFormat.h"

#include "AppletAgent.h"
#include "AppletUtility.h"
#include "ProgressSink.h"
#include "ProjectFileFormat.h"
#include "ReadBudget.h"
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
    std::vector<std::string_view> values(defaults.size());
    ReadBudget budget(contents.size());
    for (;;) {
        if (!lines.next(line))
            return Status::failure(ProjectFileFormat::incompleteMessage());
        if (line == kStructureEndTag)
            break;
        // The line's five fields over the defaults, made into one record at once.
        const TStringArray fields = SplitFields(line, kStructureFieldCount, agent.Separator);
        for (std::size_t i = 0; i < defaults.size(); ++i)
            values[i] = defaults.get(i);
        values[info.levelField] = fields[0];
        values[info.captionField] = fields[1];
        values[mapping.urlField] = fields[2];
        values[mapping.targetField] = fields[3];
        if (mapping.descriptionField)
            values[*mapping.descriptionField] = fields[4];
        items.emplace_back(values.data(), values.size());
        if (!budget.charge(items.back().allocatedBytes() + ReadBudget::kItemOverhead))
            return ReadBudget::refusal(items.size());
    }
    items.shrink_to_fit();
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
    // The fields a line takes from each item, checked before anything is written.
    const auto lineFields = [&](const TItemData& item) {
        return TStringArray{std::string(item.get(info.levelField)), std::string(item.get(info.captionField)),
                            std::string(item.get(mapping.urlField)), std::string(item.get(mapping.targetField)),
                            mapping.descriptionField ? std::string(item.get(*mapping.descriptionField))
                                                     : std::string()};
    };
    for (const TItemData& item : agent.Items) {
        Status status = CheckStorableFields("Item", item.get(info.captionField), lineFields(item));
        if (!status)
            return status;
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
    for (const TItemData& item : agent.Items)
        out.line(JoinFields(lineFields(item), agent.Separator));
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
    status = importText(agent, mapping, contents);
    agent.announceRecordsReplaced();
    return status;
}

} // namespace kzt
