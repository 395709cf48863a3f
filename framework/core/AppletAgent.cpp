#include "AppletAgent.h"

#include "AppletUtility.h"
#include "ItemTreeListener.h"
#include "ProgressSink.h"
#include "ProjectFileFormat.h"
#include "PublishReport.h"
#include "TextFile.h"

#include <algorithm>
#include <functional>
#include <string_view>
#include <unordered_set>

namespace kzt {

namespace fs = std::filesystem;

TkztAppletAgent::TkztAppletAgent(const ProductProfile& product, AppPaths paths)
    : Separator(kFieldSeparator), m_product(product), m_paths(std::move(paths))
{
    ScriptFiles = info().scriptFiles;
    ScriptName = info().scriptName;
    ResetToDefaults();
}

void TkztAppletAgent::ResetToDefaults()
{
    m_product.resetAppletData(AppletData);
    AppletData.Fields.resize(info().appletFieldCount);
    Items.clear();
    ProductVersion.clear();
    m_tree.reset(info().name);
}

void TkztAppletAgent::SetAppletData(const TAppletData& data)
{
    AppletData = data;
    AppletData.Fields.resize(info().appletFieldCount);
}

void TkztAppletAgent::SetItemData(std::size_t index, const TItemData& data)
{
    if (index >= Items.size())
        return;
    Items[index] = data;
    Items[index].Fields.resize(info().itemFieldCount);
}

TItemData TkztAppletAgent::GetDefaultItemData() const
{
    TItemData item = m_product.defaultItemData();
    item.Fields.resize(info().itemFieldCount);
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
        item[info().levelField] = std::to_string(m_tree.level(parent) + 1);
    const std::string caption = item[info().captionField];
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

void TkztAppletAgent::SetCaption(std::size_t index, const std::string& caption)
{
    if (index >= Items.size())
        return;
    Items[index][info().captionField] = caption;
    m_tree.setText(NodeOfItem(index), caption);
}

void TkztAppletAgent::NumberItems(std::size_t idField, std::size_t parentField)
{
    const std::size_t levelField = info().levelField;
    for (TItemData& item : Items)
        item[parentField].clear();
    const auto& order = m_tree.order();
    for (std::size_t k = 1; k < order.size(); ++k) {
        const TreeNode* node = order[k];
        TItemData& item = Items[k - 1];
        item[idField] = "i" + std::to_string(k - 1);
        if (!node->parent()->isRoot())
            item[parentField] = "i" + std::to_string(m_tree.absoluteIndex(node->parent()) - 1);
        if (info().hasLevelField)
            item[levelField] = std::to_string(m_tree.level(node));
    }
}

void TkztAppletAgent::UpdateItemLevels()
{
    if (!info().hasLevelField)
        return;
    const std::size_t levelField = info().levelField;
    const auto& order = m_tree.order();
    for (std::size_t k = 1; k < order.size(); ++k)
        Items[k - 1][levelField] = std::to_string(m_tree.level(order[k]));
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
        item.Fields.resize(info().itemFieldCount);
        if (!hasLevels) {
            // Records without a level all stand directly under the root.
            levels.push_back(0);
            continue;
        }
        // An empty level (a line cut short of its last separator) places the
        // record at the top rather than refusing the whole file.
        const auto level = item[levelField].empty() ? std::optional<long long>(0) : ParseDecimal(item[levelField]);
        if (!level)
            return Status::failure(NotAnIntegerMessage(item[levelField]));
        levels.push_back(*level);
    }

    m_tree.beginBulkLoad();
    // path[d] is the most recent node at depth d; the root is depth 0.
    std::vector<TreeNode*> path{m_tree.root()};
    for (std::size_t r = 0; r < Items.size(); ++r) {
        const long long deepest = static_cast<long long>(path.size()) - 1;
        const long long level = std::clamp(levels[r], 0LL, deepest);
        if (hasLevels && (level != levels[r] || Items[r][levelField].empty()))
            Items[r][levelField] = std::to_string(level);
        TreeNode* parent = path[static_cast<std::size_t>(level)];
        TreeNode* node = m_tree.appendChildSilently(parent, Items[r][captionField]);
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
    }
    return status;
}

std::string TkztAppletAgent::BuildHTMLText()
{
    ProgressScope progress(m_progress, "Making HTML Codes ... ...");
    m_product.refreshDerivedFields(*this);
    return m_product.generatePage(*this);
}

Status TkztAppletAgent::BuildHTMLFile(const fs::path& path)
{
    const std::string page = BuildHTMLText();
    Status status = TextFile::writeAtomic(path, page);
    if (!status)
        return status;
    return m_product.writeGeneratedFiles(*this);
}

void TkztAppletAgent::copyRuntimeFiles(const fs::path& folder)
{
    // A missing runtime file leaves no copy; the page is still published.
    for (const std::string& name : ScriptFiles) {
        if (IsBareFileName(name))
            TextFile::copyAtomic(m_product.runtimeFileSource(*this, name), folder / name);
    }
}

Status TkztAppletAgent::SaveProject(const fs::path& folder, const std::string& fileName)
{
    // A value the project file cannot hold stops the save before anything is written.
    Status status = m_product.projectFormat().checkStorable(*this);
    if (!status)
        return status;
    const std::string base = BaseNameOf(fileName);
    status = BuildHTMLFile(folder / (base + ".html"));
    if (!status)
        return status;
    copyRuntimeFiles(folder);
    status = WriteProjectFile(folder / (base + "." + info().extension));
    if (!status)
        return status;
    status = WritePublishReport(folder, base + "_PublishReport.txt");
    if (!status)
        return status;

    forEachItemFile("Copying Publishable Files ... ...", [&](const std::string& name) {
        TextFile::copyAtomic(m_paths.previewDir / name, folder / name);
    });
    return Status::success();
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
            const std::string& name = item[field];
            if (name.empty() || (unique && !seen.insert(name).second))
                continue;
            names.push_back(name);
        }
    }
    return names;
}

void TkztAppletAgent::CopyToPreview(const fs::path& source)
{
    const std::string name = source.filename().string();
    if (IsBareFileName(name) && AppPaths::ensurePrivateFolder(m_paths.previewDir))
        TextFile::copyAtomic(source, m_paths.previewDir / name);
    PreviewFiles.push_back(name);
}

void TkztAppletAgent::CopyScriptsToPreview()
{
    for (const std::string& name : ScriptFiles) {
        if (IsBareFileName(name))
            CopyToPreview(m_product.runtimeFileSource(*this, name));
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
    for (std::size_t field : info().itemFileFields) {
        for (const TItemData& item : Items) {
            const std::string& name = item[field];
            if (IsBareFileName(name) && done.insert(name).second)
                action(name);
        }
        progress.advance(static_cast<int>(100 / groups));
    }
}

void TkztAppletAgent::ClearPreview()
{
    std::error_code ec;
    for (const std::string& name : PreviewFiles) {
        if (IsBareFileName(name))
            fs::remove(m_paths.previewDir / name, ec);
    }
    PreviewFiles.clear();
    // Removing fails, as it should, while other files are still there.
    fs::remove(m_paths.previewDir, ec);
}

Status TkztAppletAgent::WritePreviewPage(const std::string& pageText)
{
    const std::string name = "~preview.html";
    if (!AppPaths::ensurePrivateFolder(m_paths.previewDir))
        return Status::failure(TextFile::cannotWriteMessage(m_paths.previewDir / name, errno));
    Status status = TextFile::writeAtomic(m_paths.previewDir / name, pageText);
    PreviewFiles.push_back(name);
    return status;
}

const ProjectFormat& ProductProfile::projectFormat() const
{
    return ProjectFileFormat::standard();
}

std::string ProductProfile::publishReport(const TkztAppletAgent& agent) const
{
    return PublishReport::text(agent);
}

fs::path ProductProfile::runtimeFileSource(const TkztAppletAgent& agent, const std::string& name) const
{
    return agent.paths().shareDir / name;
}

} // namespace kzt
