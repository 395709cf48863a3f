#pragma once

#include "EditorMainWindow.h"

namespace dulcamon {

class DulcamonPanels;

// The dulcamon editor window: the item tree on the left, the four property
// tabs on the right, the shared document commands around them.
class TMainForm : public kzt::EditorMainWindow
{
    Q_OBJECT
public:
    explicit TMainForm(kzt::AppPaths paths, QWidget* parent = nullptr);
    ~TMainForm() override;

    DulcamonPanels* panels() const { return m_panels; }

    void edtMenuNameEdited();

    // A name the page can use as its menu's script variable.
    static bool isScriptIdentifier(const QString& name);
    static QString menuNameMessage();
    // "C:\site\a.html" -> "file:///C|/site/a.html"; "/site/a.html" -> "file:///site/a.html".
    static QString localUrl(const QString& path);
    static kzt::PlatformProduct platform();
    static kzt::PropertyLayout bulkCopyLayout();

protected:
    void appletShown() override;
    void storingApplet(kzt::TAppletData& data) override;
    void showMenuPanels() override;
    void showItemPanels() override;
    kzt::TempletTexts templetTexts() const override;
    std::optional<kzt::MenuStructureMapping> structureMapping() const override;

private:
    void connectControls();

    DulcamonPanels* m_panels = nullptr;
};

} // namespace dulcamon
