#include "AppletAgent.h"

#include "AppletUtility.h"
#include "DocumentText.h"
#include "ItemTreeListener.h"
#include "ProgressSink.h"
#include "ProjectFileFormat.h"
#include "PublishReport.h"
#include "RecordJournal.h"
#include "RecordListener.h"
#include "TextFile.h"

#include <algorithm>
#include <charconv>
#include <functional>
#include <iterator>
#include <string_view>
#include <unordered_set>

namespace kzt {

namespace fs = std::filesystem;

namespace {

// A number's decimal digits in a buffer of the caller's, with no string made:
// the numbering runs over every item at every save.
class Digits
{
public:
    explicit Digits(long long value, char prefix = 0)
    {
        char* p = m_text;
        if (prefix)
            *p++ = prefix;
        m_end = std::to_chars(p, m_text + sizeof m_text, value).ptr;
    }
    std::string_view view() const { return {m_text, static_cast<std::size_t>(m_end - m_text)}; }

private:
    char m_text[24];
    char* m_end;
};

} // namespace

TkztAppletAgent::TkztAppletAgent(const ProductProfile& product, AppPaths paths)
    : Separator(kFieldSeparator), m_product(product), m_paths(std::move(paths))
{
    ScriptFiles = info().scriptFiles;
    ScriptName = info().scriptName;
    ResetToDefaults();
}

void TkztAppletAgent::SetScriptRuntime(bool on)
{
    const std::string& script = info().browserRuntime;
    if (script.empty() || on == m_scriptRuntime)
        return;
    m_scriptRuntime = on;
    const auto listed = std::find(ScriptFiles.begin(), ScriptFiles.end(), script);
    if (on && listed == ScriptFiles.end())
        ScriptFiles.push_back(script);
    else if (!on && listed != ScriptFiles.end())
        ScriptFiles.erase(listed);
}

void TkztAppletAgent::addRecordListener(RecordListener* listener)
{
    if (listener && std::find(m_recordListeners.begin(), m_recordListeners.end(), listener) == m_recordListeners.end())
        m_recordListeners.push_back(listener);
}

void TkztAppletAgent::removeRecordListener(RecordListener* listener)
{
    const auto it = std::find(m_recordListeners.begin(), m_recordListeners.end(), listener);
    if (it == m_recordListeners.end())
        return;
    // While listeners are being told, the slot is only emptied, so the loop
    // telling them stays valid.
    if (m_telling > 0)
        *it = nullptr;
    else
        m_recordListeners.erase(it);
}

template <typename Call> void TkztAppletAgent::tell(Call call)
{
    ++m_telling;
    const std::size_t count = m_recordListeners.size();
    for (std::size_t i = 0; i < count; ++i) {
        if (m_recordListeners[i])
            call(*m_recordListeners[i]);
    }
    if (--m_telling == 0)
        std::erase(m_recordListeners, nullptr);
}

void TkztAppletAgent::announceAppletChanged()
{
    tell([](RecordListener& l) { l.appletChanged(); });
}

void TkztAppletAgent::announceItemsChanged(std::size_t first, std::size_t count)
{
    if (count > 0)
        tell([&](RecordListener& l) { l.itemsChanged(first, count); });
}

void TkztAppletAgent::announceRecordsReplaced()
{
    tell([](RecordListener& l) { l.recordsReplaced(); });
}

void TkztAppletAgent::noteAppletAboutToChange()
{
    if (m_journal)
        m_journal->appletAboutToChange();
}

void TkztAppletAgent::noteItemAboutToChange(std::size_t index)
{
    if (m_journal && index < Items.size())
        m_journal->itemAboutToChange(index);
}

void TkztAppletAgent::ResetToDefaults(bool afterNew)
{
    m_product.resetAppletData(AppletData);
    AppletData.resize(info().appletFieldCount);
    Items.clear();
    ProductVersion.clear();
    m_tree.reset(info().rootNodeText(afterNew));
    announceRecordsReplaced();
}

void TkztAppletAgent::SetAppletData(const TAppletData& data)
{
    TAppletData next = data;
    next.resize(info().appletFieldCount);
    if (next == AppletData)
        return;
    noteAppletAboutToChange();
    AppletData = std::move(next);
    announceAppletChanged();
}

void TkztAppletAgent::SetItemData(std::size_t index, const TItemData& data)
{
    if (index >= Items.size())
        return;
    TItemData next = data;
    next.resize(info().itemFieldCount);
    if (next == Items[index])
        return;
    noteItemAboutToChange(index);
    Items[index] = std::move(next);
    announceItemsChanged(index, 1);
}

void TkztAppletAgent::CopyItemFields(std::size_t source, const std::vector<std::size_t>& targets,
                                     const std::vector<std::size_t>& fields)
{
    if (source >= Items.size())
        return;
    const TItemData from = Items[source];
    const std::size_t captionField = info().captionField;
    const bool captionCopied = std::find(fields.begin(), fields.end(), captionField) != fields.end();
    std::vector<std::size_t> changed;
    for (std::size_t target : targets) {
        if (target >= Items.size())
            continue;
        TItemData& item = Items[target];
        const auto copies = [&](std::size_t field) {
            return field < item.size() && field < from.size() && item.get(field) != from.get(field);
        };
        const bool differs = std::any_of(fields.begin(), fields.end(), copies);
        if (differs)
            noteItemAboutToChange(target);
        for (std::size_t field : fields) {
            if (copies(field))
                item.set(field, from.get(field));
        }
        // Node texts follow the copied captions.
        if (captionCopied && captionField < from.size())
            m_tree.setText(NodeOfItem(target), std::string(from.get(captionField)));
        if (differs)
            changed.push_back(target);
    }
    std::sort(changed.begin(), changed.end());
    for (std::size_t i = 0; i < changed.size();) {
        std::size_t end = i + 1;
        while (end < changed.size() && changed[end] == changed[end - 1] + 1)
            ++end;
        announceItemsChanged(changed[i], end - i);
        i = end;
    }
}

TItemData TkztAppletAgent::GetDefaultItemData() const
{
    TItemData item = m_product.defaultItemData();
    item.resize(info().itemFieldCount);
    return item;
}

void TkztAppletAgent::InsertItemData(std::size_t index, TItemData data)
{
    if (Items.empty()) {
        Items.push_back(std::move(data));
        return;
    }
    if (index > Items.size())
        return;
    Items.insert(Items.begin() + static_cast<std::ptrdiff_t>(index), std::move(data));
}

void TkztAppletAgent::DeleteItemData(std::size_t index)
{
    // A lone record goes whatever the index, as the list operations define it.
    if (Items.size() == 1) {
        Items.clear();
        return;
    }
    if (index >= Items.size())
        return;
    Items.erase(Items.begin() + static_cast<std::ptrdiff_t>(index));
}

void TkztAppletAgent::MoveItemDataUp(std::size_t index)
{
    if (index == 0 || index >= Items.size())
        return;
    std::swap(Items[index], Items[index - 1]);
}

TreeNode* TkztAppletAgent::InsertItem(TreeNode* parent)
{
    if (!parent)
        parent = m_tree.root();
    TItemData item = GetDefaultItemData();
    if (info().hasLevelField)
        item.set(info().levelField, std::to_string(m_tree.level(parent) + 1));
    std::string caption(item.get(info().captionField));
    // The new record lands right after the last record of the parent's subtree.
    const std::size_t position = m_tree.subtreeEnd(parent) - 1;
    return m_tree.appendChild(parent, caption, [&] { InsertItemData(position, std::move(item)); });
}

void TkztAppletAgent::DeleteItem(TreeNode* node)
{
    if (!node || node->isRoot())
        return;
    const std::size_t first = m_tree.absoluteIndex(node) - 1;
    const std::size_t count = m_tree.countDescendants(node) + 1;
    m_tree.removeSubtree(node, [&] {
        const auto begin = Items.begin() + static_cast<std::ptrdiff_t>(first);
        Items.erase(begin, begin + static_cast<std::ptrdiff_t>(count));
    });
}

bool TkztAppletAgent::MoveItemUp(TreeNode* node)
{
    TreeNode* previous = node ? node->previousSibling() : nullptr;
    if (!previous)
        return false;
    // The node's block of records and its previous sibling's block are
    // adjacent; swapping them is one rotation.
    const std::size_t previousFirst = m_tree.absoluteIndex(previous) - 1;
    const std::size_t nodeFirst = m_tree.absoluteIndex(node) - 1;
    const std::size_t nodeEnd = nodeFirst + m_tree.countDescendants(node) + 1;
    m_tree.moveBefore(node, previous, [&] {
        const auto base = Items.begin();
        std::rotate(base + static_cast<std::ptrdiff_t>(previousFirst), base + static_cast<std::ptrdiff_t>(nodeFirst),
                    base + static_cast<std::ptrdiff_t>(nodeEnd));
    });
    return true;
}

bool TkztAppletAgent::MoveItemDown(TreeNode* node)
{
    TreeNode* next = node ? node->nextSibling() : nullptr;
    if (!next)
        return false;
    return MoveItemUp(next);
}

TItemArray TkztAppletAgent::CopySubtree(const TreeNode* node) const
{
    if (!node || node->isRoot())
        return {};
    const std::size_t first = m_tree.absoluteIndex(node) - 1;
    const std::size_t end = m_tree.subtreeEnd(node) - 1;
    if (end > Items.size())
        return {};
    return TItemArray(Items.begin() + static_cast<std::ptrdiff_t>(first),
                      Items.begin() + static_cast<std::ptrdiff_t>(end));
}

std::vector<int> TkztAppletAgent::SubtreeRelativeLevels(const TreeNode* node) const
{
    if (!node || node->isRoot())
        return {};
    const auto& order = m_tree.order();
    const int base = m_tree.level(node);
    std::vector<int> levels;
    levels.reserve(m_tree.countDescendants(node) + 1);
    for (std::size_t k = m_tree.absoluteIndex(node); k < m_tree.subtreeEnd(node); ++k)
        levels.push_back(m_tree.level(order[k]) - base);
    return levels;
}

TreeNode* TkztAppletAgent::PasteSubtree(TreeNode* parent, const TItemArray& records,
                                        const std::vector<int>& relativeLevels)
{
    if (!parent)
        parent = m_tree.root();
    return PasteSubtreeAt(parent, parent->childCount(), records, relativeLevels);
}

TreeNode* TkztAppletAgent::PasteSubtreeAt(TreeNode* parent, std::size_t row, const TItemArray& records,
                                          const std::vector<int>& relativeLevels)
{
    if (!parent)
        parent = m_tree.root();
    if (records.size() != relativeLevels.size() || !ItemTree::isSubtreeShape(relativeLevels))
        return nullptr;
    const std::size_t fieldCount = info().itemFieldCount;
    const std::size_t levelField = info().levelField;
    const int top = m_tree.level(parent) + 1;
    TItemArray pasted = records;
    std::vector<std::string> texts;
    texts.reserve(pasted.size());
    for (std::size_t i = 0; i < pasted.size(); ++i) {
        pasted[i].resize(fieldCount);
        // The copy lands at another depth; its stored levels follow it.
        if (info().hasLevelField && levelField < fieldCount)
            pasted[i].set(levelField, std::to_string(top + relativeLevels[i]));
        texts.emplace_back(pasted[i].get(info().captionField));
    }
    row = std::min(row, parent->childCount());
    // The block lands where the records of the node now at that row begin,
    // or after the last record of the parent's subtree.
    const std::size_t position = row < parent->childCount() ? m_tree.absoluteIndex(parent->child(row)) - 1
                                                            : m_tree.subtreeEnd(parent) - 1;
    if (position > Items.size())
        return nullptr;
    const std::size_t count = pasted.size();
    TreeNode* topNode = m_tree.attachSubtree(parent, row, ItemTree::buildSubtree(texts, relativeLevels), [&] {
        Items.insert(Items.begin() + static_cast<std::ptrdiff_t>(position), std::make_move_iterator(pasted.begin()),
                     std::make_move_iterator(pasted.end()));
    });
    if (topNode)
        announceItemsChanged(position, count);
    return topNode;
}

void TkztAppletAgent::SetCaption(std::size_t index, const std::string& caption)
{
    if (index >= Items.size())
        return;
    const bool differs = Items[index].get(info().captionField) != caption;
    if (differs)
        noteItemAboutToChange(index);
    Items[index].set(info().captionField, caption);
    m_tree.setText(NodeOfItem(index), caption);
    if (differs)
        announceItemsChanged(index, 1);
}

void TkztAppletAgent::NumberItems(std::size_t idField, std::size_t parentField)
{
    const std::size_t levelField = info().levelField;
    const auto& order = m_tree.order();
    // Records past the tree's nodes keep no parent.
    for (std::size_t k = order.size() - 1; k < Items.size(); ++k)
        Items[k].set(parentField, {});
    for (std::size_t k = 1; k < order.size(); ++k) {
        const TreeNode* node = order[k];
        TItemData& item = Items[k - 1];
        // "i" followed by the item's position, as the pages name items.
        item.set(idField, Digits(static_cast<long long>(k - 1), 'i').view());
        if (node->parent()->isRoot())
            item.set(parentField, {});
        else
            item.set(parentField, Digits(static_cast<long long>(m_tree.absoluteIndex(node->parent()) - 1), 'i').view());
        if (info().hasLevelField)
            item.set(levelField, Digits(m_tree.level(node)).view());
    }
}

void TkztAppletAgent::UpdateItemLevels()
{
    if (!info().hasLevelField)
        return;
    const std::size_t levelField = info().levelField;
    const auto& order = m_tree.order();
    for (std::size_t k = 1; k < order.size(); ++k)
        Items[k - 1].set(levelField, Digits(m_tree.level(order[k])).view());
}

Status TkztAppletAgent::RebuildTreeFromLevels()
{
    const std::size_t levelField = info().levelField;
    const std::size_t captionField = info().captionField;
    const bool hasLevels = info().hasLevelField;
    // Check every level first, so a bad one leaves no half-built tree.
    std::vector<long long> levels;
    levels.reserve(Items.size());
    for (TItemData& item : Items) {
        item.resize(info().itemFieldCount);
        if (!hasLevels) {
            // Records without a level all stand directly under the root.
            levels.push_back(0);
            continue;
        }
        // An empty level (a line cut short of its last separator) places the
        // record at the top rather than refusing the whole file.
        const std::string_view text = item.get(levelField);
        const auto level = text.empty() ? std::optional<long long>(0) : ParseDecimal(text);
        if (!level)
            return Status::failure(NotAnIntegerMessage(text));
        levels.push_back(*level);
    }

    m_tree.beginBulkLoad();
    // path[d] is the most recent node at depth d; the root is depth 0.
    std::vector<TreeNode*> path{m_tree.root()};
    for (std::size_t r = 0; r < Items.size(); ++r) {
        const long long deepest = static_cast<long long>(path.size()) - 1;
        const long long level = std::clamp(levels[r], 0LL, deepest);
        if (hasLevels && (level != levels[r] || Items[r].get(levelField).empty()))
            Items[r].set(levelField, std::to_string(level));
        TreeNode* parent = path[static_cast<std::size_t>(level)];
        TreeNode* node = m_tree.appendChildSilently(parent, std::string(Items[r].get(captionField)));
        path.resize(static_cast<std::size_t>(level) + 1);
        path.push_back(node);
    }
    m_tree.endBulkLoad();
    return Status::success();
}

Status TkztAppletAgent::WriteProjectFile(const fs::path& path)
{
    return m_product.projectFormat().write(*this, path);
}

Status TkztAppletAgent::ReadProjectFile(const fs::path& path)
{
    Status status = m_product.projectFormat().read(*this, path);
    if (!status) {
        // Whatever the file got through, the author gets a whole document back.
        ResetToDefaults();
    } else {
        announceRecordsReplaced();
    }
    return status;
}

Status TkztAppletAgent::checkPageSize() const
{
    const std::uint64_t bound = m_product.pageSizeBound(*this);
    if (bound <= kMaximumPageBytes)
        return Status::success();
    const std::uint64_t megabyte = 1024 * 1024;
    return Status::failure("The page would take " + std::to_string((bound + megabyte - 1) / megabyte)
                           + " MB, more than the " + std::to_string(kMaximumPageBytes / megabyte)
                           + " MB a page may take. Make the menu less deeply nested.");
}

Status TkztAppletAgent::preparePage()
{
    m_product.refreshDerivedFields(*this);
    return checkPageSize();
}

Status TkztAppletAgent::makePage(std::string& page) const
{
    page = m_product.generatePage(*this);
    // The products without a bound of their own are held to the same limit.
    if (page.size() > kMaximumPageBytes) {
        page = std::string();
        return pageTooLarge();
    }
    if (!IsAscii(page))
        DeclareCharset(page, DocumentEncoding(*this));
    return Status::success();
}

Status TkztAppletAgent::pageTooLarge()
{
    return Status::failure("The page would take more than the " + std::to_string(kMaximumPageBytes >> 20)
                           + " MB a page may take.");
}

Status TkztAppletAgent::BuildHTMLText(std::string& page)
{
    page.clear();
    ProgressScope progress(m_progress, "Making HTML Codes ... ...");
    Status status = preparePage();
    if (!status)
        return status;
    return makePage(page);
}

std::string TkztAppletAgent::BuildHTMLText()
{
    std::string page;
    (void)BuildHTMLText(page);
    return page;
}

namespace {

// Passes a page on to its file while it is plain ASCII and within the
// largest page there may be; past either it drops the rest.
class PageSink : public TextFile::TextSink
{
public:
    explicit PageSink(TextFile::FileWriter& file) : m_file(file) {}
    void write(std::string_view bytes) override
    {
        m_bytes += bytes.size();
        if (!m_ascii || m_bytes > TkztAppletAgent::kMaximumPageBytes)
            return;
        m_ascii = IsAscii(bytes);
        if (m_ascii)
            m_file.write(bytes);
    }
    bool ascii() const { return m_ascii; }
    std::uint64_t bytes() const { return m_bytes; }

private:
    TextFile::FileWriter& m_file;
    std::uint64_t m_bytes = 0;
    bool m_ascii = true;
};

} // namespace

bool TkztAppletAgent::recordsAreAscii() const
{
    if (!IsAscii(AppletData.values()) || !IsAscii(ScriptName))
        return false;
    return std::all_of(Items.begin(), Items.end(), [](const TItemData& item) { return IsAscii(item.values()); });
}

Status TkztAppletAgent::writePageFile(const fs::path& path)
{
    ProgressScope progress(m_progress, "Making HTML Codes ... ...");
    Status status = preparePage();
    if (!status)
        return status;
    // A page of plain ASCII goes to its file as it is made, so a large one
    // is never held whole. A page with other bytes declares its charset
    // near its top, so it is made whole first, as is one whose text turns
    // out not to be ASCII after all.
    if (recordsAreAscii()) {
        TextFile::FileWriter file(path);
        PageSink sink(file);
        LineWriter out(sink);
        m_product.writePage(*this, out);
        out.flush();
        if (sink.bytes() > kMaximumPageBytes)
            return pageTooLarge();
        if (sink.ascii())
            return file.commit();
    }
    std::string page;
    status = makePage(page);
    if (!status)
        return status;
    return TextFile::writeAtomic(path, page);
}

Status TkztAppletAgent::BuildHTMLFile(const fs::path& path)
{
    Status status = writePageFile(path);
    if (!status)
        return status;
    status = writeCompanionFiles(path.parent_path(), path.filename().string());
    if (!status)
        return status;
    return m_product.writeGeneratedFiles(*this);
}

Status TkztAppletAgent::writeCompanionFiles(const fs::path& folder, const std::string& pageName,
                                             TStringArray* written)
{
    for (const ProductProfile::CompanionFile& file : m_product.companionFiles(*this)) {
        // Never a path taken from the document, and never over the page itself.
        if (!IsBareFileName(file.name) || file.name == pageName)
            continue;
        // Those of the preview (named in `written`) are scratch files.
        Status status = written ? TextFile::writeScratch(folder / file.name, file.contents)
                                : TextFile::writeAtomic(folder / file.name, file.contents);
        if (written)
            written->push_back(file.name);
        if (!status)
            return status;
    }
    return Status::success();
}

Status TkztAppletAgent::copyRuntimeFiles(const fs::path& folder)
{
    for (const std::string& name : ScriptFiles) {
        if (!IsBareFileName(name))
            continue;
        std::string contents;
        if (m_product.generateRuntimeFile(*this, name, contents)) {
            Status status = TextFile::writeAtomic(folder / name, contents);
            if (!status)
                return status;
            continue;
        }
        // A runtime file missing beside the program leaves no copy; the page
        // is still published. A copy that fails while writing fails the save.
        const TextFile::CopyOutcome outcome =
            TextFile::copyRegular(m_product.runtimeFileSource(*this, name), folder / name, true);
        if (outcome.result == TextFile::CopyResult::Failed)
            return Status::failure(outcome.message);
    }
    return Status::success();
}

namespace {

struct SaveOutput
{
    std::string name;
    std::string what;
};

// The files every save writes whatever the document says, each with what it is.
std::vector<SaveOutput> fixedSaveOutputs(const TkztAppletAgent& agent, const std::string& fileName)
{
    std::vector<SaveOutput> outputs;
    if (!fileName.empty()) {
        const std::string base = BaseNameOf(fileName);
        outputs.push_back({base + ".html", "the page"});
        outputs.push_back({base + "." + agent.info().extension, "the project file"});
        outputs.push_back({base + "_PublishReport.txt", "the publish report"});
    }
    for (const std::string& name : agent.ScriptFiles)
        outputs.push_back({name, "the runtime file \"" + name + "\""});
    return outputs;
}

} // namespace

Status TkztAppletAgent::CheckCompanionName(const std::string& name, const std::string& what,
                                           const std::string& fileName) const
{
    if (name.empty())
        return Status::failure("The " + what + " has no name. Name it, or turn the " + what + " off.");
    if (!IsBareFileName(name))
        return Status::failure("The " + what + " name \"" + name
                               + "\" is not a plain file name: it is written beside the page.");
    for (const SaveOutput& output : fixedSaveOutputs(*this, fileName)) {
        if (output.name == name)
            return Status::failure("The " + what + " \"" + name + "\" would overwrite " + output.what
                                   + " of the same name. Give it another name.");
    }
    return Status::success();
}

Status TkztAppletAgent::CheckSaveOutputs(const std::string& fileName) const
{
    std::vector<SaveOutput> outputs = fixedSaveOutputs(*this, fileName);
    for (std::size_t i = 0; i < outputs.size(); ++i) {
        for (std::size_t k = i + 1; k < outputs.size(); ++k) {
            if (outputs[i].name == outputs[k].name)
                return Status::failure("This save would write " + outputs[i].what + " and " + outputs[k].what
                                       + " under one name, \"" + outputs[i].name + "\".");
        }
    }
    std::vector<std::string> companions;
    for (const ProductProfile::CompanionName& companion : m_product.companionFileNames(*this)) {
        Status status = CheckCompanionName(companion.name, companion.what, fileName);
        if (!status)
            return status;
        if (std::find(companions.begin(), companions.end(), companion.name) != companions.end())
            return Status::failure("Two files of this save are named \"" + companion.name + "\".");
        companions.push_back(companion.name);
    }
    return Status::success();
}

Status TkztAppletAgent::SaveProject(const fs::path& folder, const std::string& fileName)
{
    // A value the project file cannot hold stops the save before anything is written.
    Status status = m_product.projectFormat().checkStorable(*this);
    if (!status)
        return status;
    // So do files of this save that would overwrite each other, or whose
    // names the folder cannot hold.
    status = CheckSaveOutputs(fileName);
    if (!status)
        return status;
    const std::size_t longestName = TextFile::longestWritableName(folder);
    std::vector<std::string> outputNames;
    for (const SaveOutput& output : fixedSaveOutputs(*this, fileName))
        outputNames.push_back(output.name);
    for (const ProductProfile::CompanionName& companion : m_product.companionFileNames(*this))
        outputNames.push_back(companion.name);
    for (const std::string& name : outputNames) {
        if (name.size() > longestName)
            return Status::failure("The file name \"" + name + "\" is too long for the folder \"" + folder.string()
                                   + "\" (at most " + std::to_string(longestName) + " bytes). Give the project a shorter name.");
    }
    // The files go in place together once all are written: one wait for
    // the disk instead of one a file. What was written before a failure is
    // still put in place.
    TextFile::WriteBatch batch;
    status = writeSaveOutputs(folder, fileName, longestName);
    const Status committed = batch.commit();
    return status ? committed : status;
}

Status TkztAppletAgent::writeSaveOutputs(const fs::path& folder, const std::string& fileName, std::size_t longestName)
{
    // Everything this save writes, so no item file is copied over it.
    TextFile::WriteJournal written;
    const std::string base = BaseNameOf(fileName);
    Status status = BuildHTMLFile(folder / (base + ".html"));
    if (!status)
        return status;
    status = copyRuntimeFiles(folder);
    if (!status)
        return status;
    status = WriteProjectFile(folder / (base + "." + info().extension));
    if (!status)
        return status;
    status = WritePublishReport(folder, base + "_PublishReport.txt");
    if (!status)
        return status;

    std::vector<std::string> names;
    forEachItemFile("Copying Publishable Files ... ...", [&](const std::string& name) {
        names.push_back(name);
        const bool direct = !m_itemFileSource.empty();
        if (!status || (!direct && !previewUsable()))
            return;
        const fs::path target = folder / name;
        if (name.size() > longestName) {
            // No file of that name can be there to copy; the rest is published.
            std::string note = "\"";
            note.append(name, 0, 60);
            note += "...\" was not copied: its name is too long for this file system.";
            CopyNotes.push_back(std::move(note));
            return;
        }
        if (written.wrote(target)) {
            // Copying would put an old file over the one just written.
            CopyNotes.push_back("\"" + name + "\" was not copied: this save writes a file of that name.");
            return;
        }
        const TextFile::CopyOutcome outcome =
            TextFile::copyRegular((direct ? m_itemFileSource : m_paths.previewDir) / name, target);
        const auto failedStaging = m_failedStaging.find(name);
        // A source that cannot be read is noted as staging notes it.
        if (direct && outcome.result == TextFile::CopyResult::Failed && outcome.sourceFailed)
            CopyNotes.push_back("\"" + name + "\" was not copied: " + outcome.message);
        if (outcome.result == TextFile::CopyResult::Failed)
            status = Status::failure(outcome.message);
        else if (outcome.result == TextFile::CopyResult::SourceMissing && failedStaging != m_failedStaging.end())
            status = Status::failure(failedStaging->second);
        else if (outcome.result == TextFile::CopyResult::NotRegular)
            CopyNotes.push_back("\"" + name + "\" was not copied: it is not a regular file.");
    });
    // Leftovers of earlier saves that were killed part way.
    for (const fs::path& path : written.paths())
        names.push_back(path.filename().string());
    TextFile::removeStaleTemporaries(folder, names);
    return status;
}

std::string TkztAppletAgent::PublishReportText()
{
    return m_product.publishReport(*this);
}

Status TkztAppletAgent::WritePublishReport(const fs::path& folder, const std::string& fileName)
{
    if (folder.empty())
        return Status::failure("The publish report needs a folder.");
    return TextFile::writeAtomic(folder / fileName, PublishReportText());
}

TStringArray TkztAppletAgent::ItemFileNames(bool unique) const
{
    TStringArray names;
    std::unordered_set<std::string_view> seen;
    for (std::size_t field : info().itemFileFields) {
        for (const TItemData& item : Items) {
            const std::string_view name = item.get(field);
            if (name.empty() || (unique && !seen.insert(name).second))
                continue;
            names.emplace_back(name);
        }
    }
    return names;
}

void TkztAppletAgent::CopyToPreview(const fs::path& source)
{
    stageInPreview(source, false);
}

void TkztAppletAgent::stageInPreview(const fs::path& source, bool shipped)
{
    const std::string name = source.filename().string();
    if (IsBareFileName(name) && previewUsable() && AppPaths::ensurePrivateFolder(m_paths.previewDir)) {
        // A missing file is simply not there to preview; a link or a special
        // file is never followed, so nothing outside the folder gets staged.
        const TextFile::CopyOutcome outcome =
            TextFile::copyRegular(source, m_paths.previewDir / name, shipped, TextFile::Durability::Scratch);
        m_failedStaging.erase(name);
        if (outcome.result == TextFile::CopyResult::NotRegular) {
            CopyNotes.push_back("\"" + name + "\" was not copied: it is not a regular file.");
        } else if (outcome.result == TextFile::CopyResult::Failed) {
            CopyNotes.push_back("\"" + name + "\" was not copied: " + outcome.message);
            m_failedStaging.emplace(name, outcome.message);
        }
    }
    PreviewFiles.push_back(name);
}

void TkztAppletAgent::CopyScriptsToPreview()
{
    for (const std::string& name : ScriptFiles) {
        if (!IsBareFileName(name))
            continue;
        std::string contents;
        if (m_product.generateRuntimeFile(*this, name, contents)) {
            if (AppPaths::ensurePrivateFolder(m_paths.previewDir))
                (void)TextFile::writeScratch(m_paths.previewDir / name, contents);
            PreviewFiles.push_back(name);
            continue;
        }
        stageInPreview(m_product.runtimeFileSource(*this, name), true);
    }
}

void TkztAppletAgent::CopyImagesToPreview(const fs::path& folder)
{
    forEachItemFile("Copying Resource Files ... ...", [&](const std::string& name) { CopyToPreview(folder / name); });
}

void TkztAppletAgent::forEachItemFile(const std::string& statusText,
                                      const std::function<void(const std::string&)>& action) const
{
    ProgressScope progress(m_progress, statusText, 100);
    const std::size_t groups = std::max<std::size_t>(1, info().itemFileFields.size());
    // Each file once, however many items use it; names that are not plain
    // file names are never used as paths.
    std::unordered_set<std::string_view> done;
    for (std::size_t field : info().appletFileFields) {
        const std::string_view name = AppletData.get(field);
        if (IsBareFileName(name) && done.insert(name).second)
            action(std::string(name));
    }
    for (std::size_t field : info().itemFileFields) {
        for (const TItemData& item : Items) {
            const std::string_view name = item.get(field);
            if (IsBareFileName(name) && done.insert(name).second)
                action(std::string(name));
        }
        progress.advance(static_cast<int>(100 / groups));
    }
}

bool TkztAppletAgent::previewUsable() const
{
    // A relative preview folder would lie in the working folder.
    return m_paths.previewDir.is_absolute();
}

void TkztAppletAgent::ClearPreview()
{
    std::error_code ec;
    if (!previewUsable()) {
        PreviewFiles.clear();
        return;
    }
    for (const std::string& name : PreviewFiles) {
        if (IsBareFileName(name))
            fs::remove(m_paths.previewDir / name, ec);
    }
    // And what stagings of a run that was killed left half written.
    TextFile::removeStaleTemporaries(m_paths.previewDir, PreviewFiles);
    PreviewFiles.clear();
    m_failedStaging.clear();
    // Removing fails, as it should, while other files are still there.
    fs::remove(m_paths.previewDir, ec);
}

Status TkztAppletAgent::WritePreviewPage(const std::string& pageText)
{
    const std::string name = "~preview.html";
    if (!previewUsable())
        return Status::failure("There is no folder to preview in.");
    if (!AppPaths::ensurePrivateFolder(m_paths.previewDir))
        return Status::failure(TextFile::cannotWriteMessage(m_paths.previewDir / name, errno));
    // A scratch file: thrown away with the program, written anew on every change.
    Status status = TextFile::writeScratch(m_paths.previewDir / name, pageText);
    PreviewFiles.push_back(name);
    if (!status)
        return status;
    return writeCompanionFiles(m_paths.previewDir, name, &PreviewFiles);
}

const ProjectFormat& ProductProfile::projectFormat() const
{
    return ProjectFileFormat::standard();
}

std::string ProductProfile::publishReport(const TkztAppletAgent& agent) const
{
    return PublishReport::text(agent);
}

void ProductProfile::writePage(const TkztAppletAgent& agent, LineWriter& out) const
{
    out.append(generatePage(agent));
}

fs::path ProductProfile::runtimeFileSource(const TkztAppletAgent& agent, const std::string& name) const
{
    return agent.paths().shareDir / name;
}

} // namespace kzt
