#pragma once

#include "AppPaths.h"
#include "ItemTree.h"
#include "ProductProfile.h"
#include "Records.h"
#include "Status.h"

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>

namespace kzt {

class ProgressSink;

// The document: the global parameters, the item records and the item tree,
// kept parallel at all times (node k stands for item k-1), plus the names of
// the runtime files and of the files staged for previewing.
class TkztAppletAgent
{
public:
    TkztAppletAgent(const ProductProfile& product, AppPaths paths);
    TkztAppletAgent(const TkztAppletAgent&) = delete;
    TkztAppletAgent& operator=(const TkztAppletAgent&) = delete;

    TAppletData AppletData;
    TItemArray Items;
    TStringArray ScriptFiles;
    std::string ScriptName;
    TStringArray PreviewFiles;
    std::string Separator;
    std::string ProductVersion;

    const ProductProfile& product() const { return m_product; }
    const ProductInfo& info() const { return m_product.info(); }
    const AppPaths& paths() const { return m_paths; }
    void setPaths(AppPaths paths) { m_paths = std::move(paths); }
    ItemTree& tree() { return m_tree; }
    const ItemTree& tree() const { return m_tree; }
    ProgressSink* progress() const { return m_progress; }
    void setProgress(ProgressSink* sink) { m_progress = sink; }

    // A fresh document: defaults, no items, a lone root.
    void ResetToDefaults();

    TAppletData GetAppletData() const { return AppletData; }
    void SetAppletData(const TAppletData& data);
    TItemData GetItemData(std::size_t index) const { return Items.at(index); }
    void SetItemData(std::size_t index, const TItemData& data);
    TItemData GetDefaultItemData() const;

    // Positional edits of the item list alone (the tree edits below use them).
    void InsertItemData(std::size_t index, TItemData data);
    void DeleteItemData(std::size_t index);
    void MoveItemDataUp(std::size_t index);

    // Structural edits of tree and item list together.
    TreeNode* InsertItem(TreeNode* parent);
    void DeleteItem(TreeNode* node);
    bool MoveItemUp(TreeNode* node);
    bool MoveItemDown(TreeNode* node);

    // Item position of a node (absolute index - 1); the root has none.
    std::size_t ItemIndexOf(const TreeNode* node) const { return m_tree.absoluteIndex(node) - 1; }
    TreeNode* NodeOfItem(std::size_t index) const { return m_tree.nodeAt(index + 1); }
    // Writes a caption into the record and the node's text.
    void SetCaption(std::size_t index, const std::string& caption);

    // Identifier, parent identifier and level of every item, from the tree.
    void NumberItems(std::size_t idField, std::size_t parentField);
    void UpdateItemLevels();

    // Rebuilds the tree from the level fields of Items (the tree holds only
    // its root). Levels that would leave a record without a node are placed
    // under the nearest possible parent.
    Status RebuildTreeFromLevels();

    // Holds when the item list matches the tree.
    bool IsConsistent() const { return Items.size() + 1 == m_tree.count(); }

    // Files.
    Status WriteProjectFile(const std::filesystem::path& path);
    Status ReadProjectFile(const std::filesystem::path& path);
    std::string BuildHTMLText();
    Status BuildHTMLFile(const std::filesystem::path& path);
    Status SaveProject(const std::filesystem::path& folder, const std::string& fileName);
    std::string PublishReportText();
    Status WritePublishReport(const std::filesystem::path& folder, const std::string& fileName);

    // The preview folder.
    void CopyToPreview(const std::filesystem::path& source);
    void CopyScriptsToPreview();
    void CopyImagesToPreview(const std::filesystem::path& folder);
    void ClearPreview();
    // Copies the page text into the preview folder as "~preview.html", with
    // the files the product writes beside its page.
    Status WritePreviewPage(const std::string& pageText);

    // Per-item file names that are safe to use as paths, in copy order.
    TStringArray ItemFileNames(bool unique) const;

private:
    void copyRuntimeFiles(const std::filesystem::path& folder);
    // Writes the product's companion files into the folder, naming each in
    // `written` when given.
    Status writeCompanionFiles(const std::filesystem::path& folder, const std::string& pageName,
                               TStringArray* written = nullptr);
    void forEachItemFile(const std::string& statusText, const std::function<void(const std::string&)>& action) const;

    const ProductProfile& m_product;
    AppPaths m_paths;
    ItemTree m_tree;
    ProgressSink* m_progress = nullptr;
};

} // namespace kzt
