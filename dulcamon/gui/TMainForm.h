#pragma once

#include "EditorMainWindow.h"

#include <filesystem>

class QToolBar;
class QToolButton;

namespace kzt {
class ColorSwatch;
}

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

    // Common change handler of the property controls.
    void ControlChange(QWidget* control);
    // Refuses the field separator in a text control.
    void CheckReservedText(QWidget* control);
    void edtICaptionChange();
    void edtMenuNameEdited();
    void spdbtnItURLClick();
    void ImagePickerClick(QToolButton* button);
    void ColorSwatchClick(kzt::ColorSwatch* swatch);

    // A name the page can use as its menu's script variable.
    static bool isScriptIdentifier(const QString& name);
    static QString menuNameMessage();
    // "C:\site\a.html" -> "file:///C|/site/a.html"; "/site/a.html" -> "file:///site/a.html".
    static QString localUrl(const QString& path);
    static kzt::PlatformProduct platform();
    static kzt::PropertyLayout bulkCopyLayout();

protected:
    void PanelToAppletData() override;
    void AppletDataToPanel() override;
    void PanelToItemData(std::size_t index) override;
    void ItemDataToPanel(std::size_t index) override;
    void showMenuPanels() override;
    void showItemPanels() override;
    kzt::TempletTexts templetTexts() const override;
    std::optional<kzt::MenuStructureMapping> structureMapping() const override;

private:
    void connectControls();
    // Opens a shipped page with the desktop, or says it is missing.

    DulcamonPanels* m_panels = nullptr;
    // The picture dialog's current file: the last one chosen.
    QString m_lastPicture;
};

} // namespace dulcamon
