#pragma once

#include "EditorMainWindow.h"

#include <memory>

class QToolBar;

namespace kzt {
class TreeNode;
}

namespace osmerin {

class OsmerinPanels;
class TfrmWysiwyg;

// The osmerin editor window: the tree of news items on the left, the item
// pages or the applet pages on the right, and cut, copy and paste of items
// within the program.
class TMainForm : public kzt::EditorMainWindow
{
    Q_OBJECT
public:
    explicit TMainForm(kzt::AppPaths paths, QWidget* parent = nullptr);
    ~TMainForm() override;

    OsmerinPanels* panels() const { return m_panels; }
    QToolBar* toolBar() const { return m_toolBar; }
    kzt::TreeNode* markedNode() const { return m_markedNode; }
    bool markedForCopy() const { return m_markedForCopy; }

    void Cut1Click();
    void Copy1Click();
    void Paste1Click();
    void spdbtnImageFilenameClick();
    void spdbtnTextFilenameClick();
    void ToolBar1Click(bool shown);
    void HelpTopics1Click();
    void ViewSample1Click();
    void ContactUs1Click();
    void About1Click();

    void UpdateItemCommands() override;
    // Draws the preview from the records: the global record and the selected item's.
    void RefreshPreview();
    TfrmWysiwyg* previewWindow() const { return m_preview; }
    // Shows the preview window beside the editor, as at start-up.
    void showPreviewWindow();
    void PreviewWindow1Click(bool shown);

    static kzt::PlatformProduct platform();

protected:
    void AppletDataToPanel() override;
    void ItemDataToPanel(std::size_t index) override;
    void appletShown() override;
    void itemShown(std::size_t index) override;
    void storingItem(std::size_t index, kzt::TItemData& item) override;
    // The shared change watch, then the page rules and the preview.
    void fieldEdited(QWidget* control) override;
    void showMenuPanels() override;
    void showItemPanels() override;
    kzt::TempletTexts templetTexts() const override;

private:
    class MarkWatcher;
    class PreviewFollower;

    void buildMenus();
    void buildToolBar();
    void connectControls();
    void clearMark();
    // The designed height of the window (the smallest it gets).
    int designHeight(bool toolBarShown) const;

    OsmerinPanels* m_panels = nullptr;
    TfrmWysiwyg* m_preview = nullptr;
    QAction* m_actPreviewWindow = nullptr;
    bool m_panelReady = true;
    bool m_created = false;
    QToolBar* m_toolBar = nullptr;
    QAction* m_actCut = nullptr;
    QAction* m_actCopy = nullptr;
    QAction* m_actPaste = nullptr;
    kzt::TreeNode* m_markedNode = nullptr;
    bool m_markedForCopy = false;
    std::unique_ptr<MarkWatcher> m_markWatcher;
    std::unique_ptr<PreviewFollower> m_previewFollower;
};

} // namespace osmerin
