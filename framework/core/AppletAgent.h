#pragma once

#include "AppPaths.h"
#include "ItemTree.h"
#include "ProductProfile.h"
#include "Records.h"
#include "Status.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>
#include <unordered_map>

namespace kzt {

class ProgressSink;
class RecordJournal;
class RecordListener;

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
    // Files a copy left out, each with the reason (a symbolic link, a name
    // the save itself writes, a staging copy that failed). Staging and Save
    // add to it; the window shows it in the status text, the command line
    // on the error stream.
    TStringArray CopyNotes;

    // The browser script runtime (ProductInfo::browserRuntime): off unless
    // the author turns it on. Turning it on lists the script among the
    // runtime files, so Save, Preview and the report carry it.
    bool ScriptRuntime() const { return m_scriptRuntime; }
    void SetScriptRuntime(bool on);

    // The largest page the generators may make.
    static constexpr std::uint64_t kMaximumPageBytes = 256ull * 1024 * 1024;

    const ProductProfile& product() const { return m_product; }
    const ProductInfo& info() const { return m_product.info(); }
    const AppPaths& paths() const { return m_paths; }
    void setPaths(AppPaths paths) { m_paths = std::move(paths); }
    ItemTree& tree() { return m_tree; }
    const ItemTree& tree() const { return m_tree; }
    ProgressSink* progress() const { return m_progress; }
    void setProgress(ProgressSink* sink) { m_progress = sink; }

    // Record changes are told to these listeners (tree changes to the
    // tree's own). Code that writes AppletData or Items directly says so with
    // the announce calls.
    void addRecordListener(RecordListener* listener);
    void removeRecordListener(RecordListener* listener);
    void announceAppletChanged();
    void announceItemsChanged(std::size_t first, std::size_t count);
    void announceRecordsReplaced();
    // The undo history's record keeper (null: none). Code that writes
    // AppletData or Items directly calls the note functions first.
    void setRecordJournal(RecordJournal* journal) { m_journal = journal; }
    RecordJournal* recordJournal() const { return m_journal; }
    void noteAppletAboutToChange();
    void noteItemAboutToChange(std::size_t index);

    // A fresh document: defaults, no items, a lone root. The root reads the
    // product's start-up text, or its text for New when afterNew is set.
    void ResetToDefaults(bool afterNew = false);
    // What the window's New does to the document.
    void NewDocument() { ResetToDefaults(true); }

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

    // Cut, Copy and Paste. CopySubtree gives the records of a node and its
    // descendants in depth-first order (none for the root);
    // SubtreeRelativeLevels their depths below the node (0 for the node).
    TItemArray CopySubtree(const TreeNode* node) const;
    std::vector<int> SubtreeRelativeLevels(const TreeNode* node) const;
    // Appends copied records as the last child of `parent` (the root when
    // null), nodes and records together, and returns the new top node.
    // Refuses, changing nothing, when the levels do not describe one
    // subtree of that many records.
    TreeNode* PasteSubtree(TreeNode* parent, const TItemArray& records, const std::vector<int>& relativeLevels);
    // The same as child `row` of `parent` (the last child when row is past the end).
    TreeNode* PasteSubtreeAt(TreeNode* parent, std::size_t row, const TItemArray& records,
                             const std::vector<int>& relativeLevels);

    // Item position of a node (absolute index - 1); the root has none.
    std::size_t ItemIndexOf(const TreeNode* node) const { return m_tree.absoluteIndex(node) - 1; }
    TreeNode* NodeOfItem(std::size_t index) const { return m_tree.nodeAt(index + 1); }
    // Writes a caption into the record and the node's text.
    void SetCaption(std::size_t index, const std::string& caption);
    // Copies the given fields of item `source` into each target item (a bulk
    // copy); the caption field also renames the targets' nodes. Listeners
    // hear of each run of neighbouring targets once.
    void CopyItemFields(std::size_t source, const std::vector<std::size_t>& targets,
                        const std::vector<std::size_t>& fields);

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
    // The page, or a failure when it would pass kMaximumPageBytes.
    Status BuildHTMLText(std::string& page);
    // The same, empty when the page is refused.
    std::string BuildHTMLText();
    Status BuildHTMLFile(const std::filesystem::path& path);
    Status SaveProject(const std::filesystem::path& folder, const std::string& fileName);
    // Refuses a save into one folder under `fileName` whose files would
    // overwrite each other (a parameters file named like the project, say),
    // or that names a file it cannot write there; nothing is written.
    Status CheckSaveOutputs(const std::string& fileName) const;
    // The same for one companion file's name, before it is in the record
    // (the window checks a name as it is typed). An empty `fileName` checks
    // against the files every save writes whatever the project is called.
    Status CheckCompanionName(const std::string& name, const std::string& what, const std::string& fileName) const;
    std::string PublishReportText();
    Status WritePublishReport(const std::filesystem::path& folder, const std::string& fileName);

    // The preview folder.
    void CopyToPreview(const std::filesystem::path& source);
    void CopyScriptsToPreview();
    void CopyImagesToPreview(const std::filesystem::path& folder);
    // Saves take the items' files straight from `folder` rather than from the
    // preview folder: for a save with no preview (the command line's
    // publish), which then need not copy them twice. Empty: the preview folder.
    void SetItemFileSource(std::filesystem::path folder) { m_itemFileSource = std::move(folder); }
    void ClearPreview();
    // Copies the page text into the preview folder as "~preview.html", with
    // the files the product writes beside its page.
    Status WritePreviewPage(const std::string& pageText);

    // Per-item file names that are safe to use as paths, in copy order.
    TStringArray ItemFileNames(bool unique) const;

private:
    bool previewUsable() const;
    Status copyRuntimeFiles(const std::filesystem::path& folder);
    Status writeSaveOutputs(const std::filesystem::path& folder, const std::string& fileName, std::size_t longestName);
    Status checkPageSize() const;
    // Brings the derived fields up to date and checks the page's size.
    Status preparePage();
    // The page made whole in memory, its charset declared when it needs one.
    Status makePage(std::string& page) const;
    static Status pageTooLarge();
    bool recordsAreAscii() const;
    Status writePageFile(const std::filesystem::path& path);
    void stageInPreview(const std::filesystem::path& source, bool shipped);

    // Files whose staging failed while writing, with the reason: a save
    // that needs them fails rather than publishing without them.
    std::unordered_map<std::string, std::string> m_failedStaging;
    std::filesystem::path m_itemFileSource;
    // Writes the product's companion files into the folder, naming each in
    // `written` when given (the preview's, written as scratch files).
    Status writeCompanionFiles(const std::filesystem::path& folder, const std::string& pageName,
                               TStringArray* written = nullptr);
    void forEachItemFile(const std::string& statusText, const std::function<void(const std::string&)>& action) const;

    template <typename Call> void tell(Call call);

    std::vector<RecordListener*> m_recordListeners;
    RecordJournal* m_journal = nullptr;
    int m_telling = 0;
    const ProductProfile& m_product;
    AppPaths m_paths;
    ItemTree m_tree;
    ProgressSink* m_progress = nullptr;
    bool m_scriptRuntime = false;
};

} // namespace kzt
