#include "ProjectFileFormat.h"

#include "AppletAgent.h"
#include "AppletUtility.h"
#include "ByteScan.h"
#include "ProgressSink.h"
#include "ReadBudget.h"
#include "LineCursor.h"
#include "TextFile.h"

#include <algorithm>

namespace kzt {

namespace {

const char* const kProductNameTag = "<Product_Name>";
const char* const kProductVersionTag = "<Product_Version>";
const char* const kAppletParametersTag = "<Applet_Parameters>";
const char* const kItemParametersTag = "<Item_Parameters>";
const char* const kItemParametersEndTag = "</Item_Parameters>";

} // namespace

std::string ProjectFileFormat::incompleteMessage()
{
    return "This file is incomplete, open failed!";
}

namespace {

Status checkStorableField(const std::string& what, std::string_view caption, std::string_view field)
{
    if (field.find(kFieldSeparator) != std::string_view::npos)
        return Status::failure(what + " \"" + std::string(caption)
                               + "\": The text can't include \"#$@\", it is used by system!");
    if (field.find_first_of("\r\n") != std::string_view::npos)
        return Status::failure(what + " \"" + std::string(caption)
                               + "\": a value holds a line break and cannot be saved.");
    return Status::success();
}

} // namespace

Status CheckStorableFields(const std::string& what, std::string_view caption, const std::vector<std::string>& fields)
{
    Status status = Status::success();
    for (std::size_t i = 0; status && i < fields.size(); ++i)
        status = checkStorableField(what, caption, fields[i]);
    return status;
}

namespace {

// True when no field can hold a line break or the separator: the record's
// bytes have no line break, and no "#" that starts the separator. A
// separator made up across two fields is caught too; the field by field
// check then clears it.
bool plainlyStorable(std::string_view values)
{
    const char* p = values.data();
    const char* const end = p + values.size();
    for (;;) {
        p = ByteScan::findAny<'\r', '\n', kFieldSeparator[0]>(p, end);
        if (p == end)
            return true;
        if (*p != kFieldSeparator[0] || std::string_view(p, static_cast<std::size_t>(end - p)).starts_with(kFieldSeparator))
            return false;
        ++p;
    }
}

} // namespace

Status CheckStorableFields(const std::string& what, std::string_view caption, const TFieldRecord& record)
{
    if (plainlyStorable(record.values()))
        return Status::success();
    Status status = Status::success();
    for (std::size_t i = 0; status && i < record.size(); ++i)
        status = checkStorableField(what, caption, record.get(i));
    return status;
}

Status ProjectFormat::read(TkztAppletAgent& agent, const std::filesystem::path& path) const
{
    std::string contents;
    Status status = TextFile::read(path, contents);
    if (!status)
        return status;
    return readText(agent, contents);
}

const ProjectFileFormat& ProjectFileFormat::standard()
{
    static const ProjectFileFormat format;
    return format;
}

Status ProjectFileFormat::migrateApplet(const std::string& /*version*/, FieldViews& fields,
                                        const ProductInfo& info) const
{
    fields.resize(info.appletFieldCount);
    return Status::success();
}

Status ProjectFileFormat::migrateItem(const std::string& /*version*/, FieldViews& fields, const ProductInfo& info) const
{
    fields.resize(info.itemFieldCount);
    return Status::success();
}

Status ProjectFileFormat::readText(TkztAppletAgent& agent, const std::string& contents) const
{
    LineCursor lines(contents);
    return parse(agent, lines, contents.size());
}

Status ProjectFileFormat::read(TkztAppletAgent& agent, const std::filesystem::path& path) const
{
    TextFile::LineReader lines;
    Status status = lines.open(path);
    if (!status)
        return status;
    status = parse(agent, lines, lines.fileSize());
    // A file that could not be read to its end is not called incomplete.
    return lines.status() ? status : lines.status();
}

// Lines is a LineCursor over a text or a LineReader over a file; a line is
// used before the next one is asked for.
template <typename Lines>
Status ProjectFileFormat::parse(TkztAppletAgent& agent, Lines& lines, std::uint64_t fileBytes) const
{
    const ProductInfo& info = agent.info();
    std::string_view line;

    if (!lines.skipTo(kProductNameTag) || !lines.next(line))
        return Status::failure(info.foreignFileMessage);
    const auto& names = info.acceptedNames;
    if (std::find(names.begin(), names.end(), line) == names.end())
        return Status::failure(info.foreignFileMessage);

    if (!lines.skipTo(kProductVersionTag) || !lines.next(line))
        return Status::failure(incompleteMessage());
    const std::string version(line);
    agent.ProductVersion = version;

    if (!lines.skipTo(kAppletParametersTag) || !lines.next(line))
        return Status::failure(incompleteMessage());
    FieldViews fields;
    SplitAllFields(line, fields);
    Status status = migrateApplet(version, fields, info);
    if (!status)
        return status;
    TAppletData applet(fields.data(), fields.size());

    if (!lines.skipTo(kItemParametersTag))
        return Status::failure(incompleteMessage());
    ProgressScope progress(agent.progress(), "Loading Data ... ...");
    // Each line goes straight into its compact record, so the records are
    // all that grows while a file is read.
    TItemArray items;
    ReadBudget budget(fileBytes);
    for (;;) {
        if (!lines.next(line))
            return Status::failure(incompleteMessage());
        if (line == kItemParametersEndTag)
            break;
        SplitAllFields(line, fields);
        status = migrateItem(version, fields, info);
        if (!status)
            return status;
        items.emplace_back(fields.data(), fields.size());
        if (!budget.charge(items.back().allocatedBytes() + ReadBudget::kItemOverhead))
            return ReadBudget::refusal(items.size());
    }
    // The room a growing array keeps would outlast the read.
    items.shrink_to_fit();

    agent.AppletData = std::move(applet);
    agent.Items = std::move(items);
    agent.tree().reset(info.rootNodeText());
    return agent.RebuildTreeFromLevels();
}

std::string_view ProjectFileFormat::reservedText() const
{
    return kFieldSeparator;
}

Status ProjectFileFormat::checkStorable(const TkztAppletAgent& agent) const
{
    const ProductInfo& info = agent.info();
    Status status = CheckStorableFields("Menu setting", info.name, agent.AppletData);
    for (std::size_t i = 0; status && i < agent.Items.size(); ++i)
        status = CheckStorableFields("Item", agent.Items[i].get(info.captionField), agent.Items[i]);
    return status;
}

void ProjectFileFormat::writeLines(const TkztAppletAgent& agent, LineWriter& out) const
{
    const ProductInfo& info = agent.info();
    const int maximum = static_cast<int>(std::min<std::size_t>(
        agent.Items.size() * info.itemFieldCount + 15, static_cast<std::size_t>(INT32_MAX)));
    ProgressScope progress(agent.progress(), "Saving Data ... ...", maximum);
    // Made in memory, the text gets its exact size, so it is never moved while it grows.
    out.reserveFor([&] {
        const auto lineBytes = [&](const TFieldRecord& record) {
            return record.values().size() + record.size() * agent.Separator.size() + 2;
        };
        std::size_t bytes = 1024 + info.noteLine.size() + info.name.size() + info.version.size()
                            + lineBytes(agent.AppletData);
        for (const TItemData& item : agent.Items)
            bytes += lineBytes(item);
        return bytes;
    });
    out.line("<Warning_Info>");
    out.line(info.noteLine);
    out.line("It may cause the project file can't be opened correctly if you modify it by yourself!");
    out.line("</Warning_Info>");
    out.line(kProductNameTag);
    out.line(info.name);
    out.line("</Product_Name>");
    out.line(kProductVersionTag);
    out.line(info.version);
    out.line("</Product_Version>");
    progress.advance(10);
    out.line(kAppletParametersTag);
    out.lineFrom([&](std::string& text) { AppendFields(text, agent.AppletData, agent.Separator); });
    out.line("</Applet_Parameters>");
    progress.advance(5);
    out.line(kItemParametersTag);
    for (const TItemData& item : agent.Items) {
        out.lineFrom([&](std::string& text) { AppendFields(text, item, agent.Separator); });
        progress.advance(static_cast<int>(info.itemFieldCount));
    }
    out.line(kItemParametersEndTag);
}

Status ProjectFormat::render(const TkztAppletAgent& agent, std::string& contents) const
{
    Status status = checkStorable(agent);
    if (!status)
        return status;
    LineWriter out;
    writeLines(agent, out);
    contents = out.take();
    return Status::success();
}

Status ProjectFormat::write(const TkztAppletAgent& agent, const std::filesystem::path& path) const
{
    Status status = checkStorable(agent);
    if (!status)
        return status;
    TextFile::FileWriter file(path);
    LineWriter out(file);
    writeLines(agent, out);
    out.flush();
    return file.commit();
}

} // namespace kzt
