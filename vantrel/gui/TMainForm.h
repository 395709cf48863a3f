#pragma once

#include "EditorMainWindow.h"

#include <memory>

class QLineEdit;

namespace kzt {
class Help;
class THH_Launch;
class TreeNode;
}

namespace vantrel {

class TfrmWysiwyg;
class VantrelPanels;

// The vantrel editor window: the item tree on the left, the applet or item
// pages on the right, and the native preview beside it, kept in step with
// every edit and every change of the tree.
class TMainForm : public kzt::EditorMainWindow
{
    Q_OBJECT
public:
    explicit TMainForm(kzt::AppPaths paths, QWidget* parent = nullptr);
    ~TMainForm() override;

    VantrelPanels* panels() const { return m_panels; }
    // Null until the preview is first shown.
    TfrmWysiwyg* previewWindow() const { return m_preview; }
    kzt::THH_Launch* helpLauncher() const { return m_helpLauncher; }
    // True while a project is being read: no hints, no redraws.
    bool loading() const { return m_loading; }

    // Shows the preview beside the editor, as at start-up.
    void showPreviewWindow();
    void PreviewWindow1Click(bool shown);
    void RefreshPreview();

    void cmbxItemInitVisibleChange();
    void pgcntrlAppletChange(int page);
    void spdbtnImageClick(QLineEdit* field);
    void spdbtnSoundClick(QLineEdit* field);
    void spdbtnItURLClick();
    // Leaving the parameters file name box.
    void edtAppletParametersFileNameExit();
    // The "Global Properties Change" buttons: -1 for Item General, else the look.
    void GlobalPropertiesChange(int state);

    void UpdateItemCommands() override;

    static kzt::PlatformProduct platform();

protected:
    void AppletDataToPanel() override;
    void ItemDataToPanel(std::size_t index) override;
    void appletShown() override;
    void itemShown(std::size_t index) override;
    void storingApplet(kzt::TAppletData& data) override;
    void storingItem(std::size_t index, kzt::TItemData& item) override;
    // The shared change watch, then the rules and the preview.
    void fieldEdited(QWidget* control) override;
    void showMenuPanels() override;
    void showItemPanels() override;
    kzt::TempletTexts templetTexts() const override;
    kzt::TreeNode* insertItemNode(kzt::TreeNode* parent) override;
    void documentReplaced() override;
    void HelpTopics1Click() override;
    bool event(QEvent* event) override;

private:
    class PreviewFollower;

    void buildMenus();
    void connectControls();
    void createHelp();
    void createPreview();
    void setPreviewSwitches(int page);
    int selectedItemIndex() const;
    void previewResized(int width, int height);

    VantrelPanels* m_panels = nullptr;
    TfrmWysiwyg* m_preview = nullptr;
    QAction* m_actPreviewWindow = nullptr;
    std::unique_ptr<PreviewFollower> m_follower;
    std::unique_ptr<kzt::Help> m_help;
    kzt::THH_Launch* m_helpLauncher = nullptr;
    QString m_lastPicture;
    // The applet page last active, so the root comes back to the loading page.
    int m_lastAppletPage = 0;
    bool m_loading = false;
    bool m_applyingResize = false;
};

} // namespace vantrel
