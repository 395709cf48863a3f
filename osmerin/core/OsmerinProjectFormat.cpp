#include "osmerin/core/OsmerinProjectFormat.h"

#include "AppletAgent.h"
#include "AppletUtility.h"
#include "ByteScan.h"
#include "LineCursor.h"
#include "ProgressSink.h"
#include "ReadBudget.h"
#include "TextFile.h"
#include "osmerin/core/OsmerinRecords.h"

#include <algorithm>
#include <climits>
#include <string_view>
#include <vector>

namespace osmerin {

const char* const OsmerinProjectFormat::kStructureStart =
    "--------------- Structure Description Start ---------------";
const char* const OsmerinProjectFormat::kStructureEnd = "--------------- Structure Description End ---------------";
const char* const OsmerinProjectFormat::kAppletStart =
    "--------------- Applet Parameter Description Start ---------------";
const char* const OsmerinProjectFormat::kAppletEnd =
    "--------------- Applet Parameter Description End ---------------";
const char* const OsmerinProjectFormat::kItemStart = "--------------- Item Parameter Description Start ---------------";
const char* const OsmerinProjectFormat::kItemEnd = "--------------- Item Parameter Description End ---------------";

namespace {

const char* const kHeader[] = {
    "Note: This file be created and maintained by Osmerin,",
    "please do not modify it by yourself, otherwise the project file may not",
    "be opened correctly! Thanks!. ",
    "--------------- General Description Start ---------------",
    "Name = Osmerin",
    "Version = 10 ",
    "--------------- General Description End ---------------",
};

std::string refused(const std::string& problem)
{
    return "This file is damaged: " + problem + ", open failed!";
}

std::string quoted(std::string_view text)
{
    // Long or binary lines are cut so the message stays readable.
    std::string shown(text.substr(0, 60));
    std::replace_if(shown.begin(), shown.end(), [](char c) { return static_cast<unsigned char>(c) < ' '; }, '?');
    return "\"" + shown + (text.size() > 60 ? "...\"" : "\"");
}

// Lines of the file with their numbers, walked once: a file of one value a
// line must not cost an index entry a value. The source is a LineCursor over
// the text or a LineReader over the file; a line is used before the next.
template <typename Source>
class Lines
{
public:
    explicit Lines(Source& source) : m_cursor(source) {}

    bool skipTo(std::string_view marker)
    {
        std::string_view line;
        while (next(line)) {
            if (line == marker)
                return true;
        }
        return false;
    }
    bool next(std::string_view& line)
    {
        if (!m_cursor.next(line))
            return false;
        ++m_number;
        return true;
    }
    // Number (from 1) of the line last returned.
    std::size_t lineNumber() const { return m_number; }

private:
    Source& m_cursor;
    std::size_t m_number = 0;
};

struct TreeLine
{
    std::size_t depth;
    std::string text;
};

// Every leading TAB or space is one level; the first line is the root
// whatever its indentation.
template <typename Source>
kzt::Status readTree(Lines<Source>& lines, std::vector<TreeLine>& tree, kzt::ReadBudget& budget)
{
    std::string_view line;
    std::size_t previous = 0;
    for (;;) {
        if (!lines.next(line))
            return kzt::Status::failure(refused("the structure section has no end"));
        if (line == OsmerinProjectFormat::kStructureEnd)
            break;
        const std::size_t indent = std::min(line.find_first_not_of("\t "), line.size());
        const std::string_view text = line.substr(indent);
        if (tree.empty()) {
            tree.push_back({0, std::string(text)});
            continue;
        }
        if (indent == 0)
            return kzt::Status::failure(refused("the structure line " + std::to_string(lines.lineNumber()) + " "
                                                + quoted(text) + " is a second root"));
        if (indent > previous + 1)
            return kzt::Status::failure(refused("the structure line " + std::to_string(lines.lineNumber()) + " "
                                                + quoted(text) + " at level " + std::to_string(indent)
                                                + " is more than one level below the line before it"));
        tree.push_back({indent, std::string(text)});
        previous = indent;
        // The line now, its node later.
        if (!budget.charge(sizeof(TreeLine) + tree.back().text.capacity() + kzt::ReadBudget::kItemOverhead))
            return kzt::ReadBudget::refusal(tree.size());
    }
    if (tree.empty())
        return kzt::Status::failure(refused("the structure section is empty"));
    return kzt::Status::success();
}

void buildTree(kzt::ItemTree& tree, std::vector<TreeLine>& lines)
{
    tree.reset(std::move(lines.front().text));
    tree.beginBulkLoad();
    // path[d] is the latest node at depth d.
    std::vector<kzt::TreeNode*> path{tree.root()};
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::size_t depth = lines[i].depth;
        path.resize(depth);
        path.push_back(tree.appendChildSilently(path[depth - 1], std::move(lines[i].text)));
    }
    tree.endBulkLoad();
}

bool hasLineBreak(std::string_view value)
{
    return kzt::ByteScan::hasLineBreak(value);
}

} // namespace

const OsmerinProjectFormat& OsmerinProjectFormat::instance()
{
    static const OsmerinProjectFormat format;
    return format;
}

kzt::Status OsmerinProjectFormat::readText(kzt::TkztAppletAgent& agent, const std::string& contents) const
{
    kzt::LineCursor cursor(contents);
    return parse(agent, cursor, contents.size());
}

kzt::Status OsmerinProjectFormat::read(kzt::TkztAppletAgent& agent, const std::filesystem::path& path) const
{
    kzt::TextFile::LineReader reader;
    kzt::Status status = reader.open(path);
    if (!status)
        return status;
    status = parse(agent, reader, reader.fileSize());
    // A file that could not be read to its end is not called damaged.
    return reader.status() ? status : reader.status();
}

template <typename Source>
kzt::Status OsmerinProjectFormat::parse(kzt::TkztAppletAgent& agent, Source& source, std::uint64_t fileBytes)
{
    kzt::ProgressScope progress(agent.progress(), "Loading Data ... ...");
    Lines<Source> lines(source);
    if (!lines.skipTo(kStructureStart))
        return kzt::Status::failure(refused("it has no structure section"));
    std::vector<TreeLine> tree;
    kzt::ReadBudget budget(fileBytes);
    kzt::Status status = readTree(lines, tree, budget);
    if (!status)
        return status;

    if (!lines.skipTo(kAppletStart))
        return kzt::Status::failure(refused("it has no applet parameter section"));
    kzt::TStringArray applet(AppletFieldCount);
    for (std::string& value : applet) {
        std::string_view line;
        if (!lines.next(line))
            return kzt::Status::failure(refused("the applet parameters end early"));
        value = line;
    }

    // The search starts after the applet values, so a value that reads like
    // a marker is never taken for one.
    if (!lines.skipTo(kItemStart))
        return kzt::Status::failure(refused("it has no item parameter section"));
    std::string_view countLine;
    if (!lines.next(countLine))
        return kzt::Status::failure(refused("the item count is missing"));
    const auto count = kzt::ParseDecimal(countLine);
    if (!count || *count < 0)
        return kzt::Status::failure(refused("the item count " + quoted(countLine) + " is not a number"));
    const std::size_t itemNodes = tree.size() - 1;
    if (static_cast<unsigned long long>(*count) != itemNodes)
        return kzt::Status::failure(refused("it counts " + std::to_string(*count) + " items but its structure holds "
                                            + std::to_string(itemNodes)));

    // Every item is ItemFieldCount lines, made into its record at once. A
    // line lasts only until the next is read, so each value is copied first.
    kzt::TItemArray items;
    items.reserve(itemNodes);
    std::string values[ItemFieldCount];
    std::string_view views[ItemFieldCount];
    for (std::size_t k = 0; k < itemNodes; ++k) {
        for (std::size_t f = 0; f < ItemFieldCount; ++f) {
            std::string_view line;
            if (!lines.next(line))
                return kzt::Status::failure(refused("the item parameters end early"));
            values[f].assign(line);
            views[f] = values[f];
        }
        items.emplace_back(views, ItemFieldCount);
        if (!budget.charge(items.back().allocatedBytes() + sizeof(kzt::TItemData)))
            return kzt::ReadBudget::refusal(items.size());
    }

    // Everything was read: only now does the document change.
    agent.AppletData = kzt::TAppletData(std::move(applet));
    agent.Items = std::move(items);
    buildTree(agent.tree(), tree);
    return kzt::Status::success();
}

kzt::Status OsmerinProjectFormat::checkStorable(const kzt::TkztAppletAgent& agent) const
{
    for (std::size_t i = 0; i < agent.AppletData.size(); ++i) {
        if (hasLineBreak(agent.AppletData.get(i)))
            return kzt::Status::failure("Applet setting \"" + agent.info().name
                                        + "\": a value holds a line break and cannot be saved.");
    }
    for (const kzt::TItemData& item : agent.Items) {
        // One search over all the item's values; a break anywhere is in one of them.
        if (!hasLineBreak(item.values()))
            continue;
        for (std::size_t i = 0; i < item.size(); ++i) {
            if (hasLineBreak(item.get(i)))
                return kzt::Status::failure("Item \"" + std::string(item.size() > ItemComment ? item.get(ItemComment) : "")
                                            + "\": a value holds a line break and cannot be saved.");
        }
    }
    for (const kzt::TreeNode* node : agent.tree().order()) {
        if (hasLineBreak(node->text()))
            return kzt::Status::failure("Item \"" + node->text() + "\": a value holds a line break and cannot be saved.");
        // The reader takes leading blanks for levels, so such a text would
        // come back as another text at another level.
        if (!node->text().empty() && (node->text().front() == '\t' || node->text().front() == ' '))
            return kzt::Status::failure("Item " + quoted(std::string_view(node->text()))
                                        + ": its text begins with a TAB or space, which would read back as a level, "
                                          "so it cannot be saved.");
    }
    return kzt::Status::success();
}

void OsmerinProjectFormat::writeLines(const kzt::TkztAppletAgent& agent, kzt::LineWriter& out) const
{
    const int maximum =
        static_cast<int>(std::min<std::size_t>(agent.Items.size() * ItemFieldCount + 15, static_cast<std::size_t>(INT_MAX)));
    kzt::ProgressScope progress(agent.progress(), "Saving Data ... ...", maximum);

    // Made in memory, the text gets its exact size, so it is never moved while it grows.
    const kzt::ItemTree& tree = agent.tree();
    out.reserveFor([&] {
        std::size_t bytes = 1024 + agent.AppletData.size() * 2;
        for (std::size_t i = 0; i < agent.AppletData.size(); ++i)
            bytes += agent.AppletData.get(i).size();
        for (const kzt::TreeNode* node : tree.order())
            bytes += node->text().size() + static_cast<std::size_t>(tree.level(node) + 3);
        for (const kzt::TItemData& item : agent.Items) {
            for (std::size_t i = 0; i < item.size(); ++i)
                bytes += item.get(i).size() + 2;
        }
        return bytes + agent.Items.size() * ItemFieldCount * 2;
    });
    for (const char* line : kHeader)
        out.line(line);
    out.line(kStructureStart);
    std::string line;
    for (const kzt::TreeNode* node : tree.order()) {
        const std::string& text = node->text();
        // The first line is the root whatever its indentation: a root that
        // reads like the end marker goes behind a TAB, so the section does
        // not end before it.
        const bool rootLikeEnd = node == tree.root() && text == kStructureEnd;
        line.assign(static_cast<std::size_t>(tree.level(node) + 1) + (rootLikeEnd ? 1 : 0), '\t');
        line.append(text);
        out.line(line);
    }
    out.line(kStructureEnd);
    progress.advance(10);
    out.line(kAppletStart);
    for (std::size_t i = 0; i < AppletFieldCount; ++i)
        out.line(i < agent.AppletData.size() ? std::string_view(agent.AppletData.get(i)) : std::string_view());
    out.line(kAppletEnd);
    progress.advance(5);
    out.line(kItemStart);
    out.line(std::to_string(agent.Items.size()));
    for (const kzt::TItemData& item : agent.Items) {
        for (std::size_t i = 0; i < ItemFieldCount; ++i)
            out.line(i < item.size() ? std::string_view(item.get(i)) : std::string_view());
        progress.advance(static_cast<int>(ItemFieldCount));
    }
    out.line(kItemEnd);
}

} // namespace osmerin
