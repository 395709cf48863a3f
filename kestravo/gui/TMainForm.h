#pragma once

#include "EditorMainWindow.h"

namespace kestravo {

class KestravoPanels;
class TfrmHelp;

// The kestravo editor window: the item tree on the left, the "Menu", "Item"
// and path conversion pages on the right, the shared document commands
// around them, and the help window beside it.
class TMainForm : public kzt::EditorMainWindow
{
    Q_OBJECT
public:
    explicit TMainForm(kzt::AppPaths paths, QWidget* parent = nullptr);
    ~TMainForm() override;

    KestravoPanels* panels() const { return m_panels; }
    TfrmHelp* helpWindow() const { return m_help; }

    void HelpButtonClick(int topic);

    static kzt::PlatformProduct platform();

protected:
    void storingItem(std::size_t index, kzt::TItemData& item) override;
    void showMenuPanels() override;
    void showItemPanels() override;
    kzt::TempletTexts templetTexts() const override;
    std::optional<kzt::MenuStructureMapping> structureMapping() const override;

private:
    // The texts kestravo gives some shared commands.
    void nameCommands();
    void connectControls();
    void placeHelpWindow();

    KestravoPanels* m_panels = nullptr;
    TfrmHelp* m_help = nullptr;
    bool m_helpPlaced = false;
};

} // namespace kestravo
