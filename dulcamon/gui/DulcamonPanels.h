#pragma once

#include <QTabWidget>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QToolButton;

namespace kzt {
class ColorSwatch;
}

namespace dulcamon {

// The four property tabs of the main window: "Menu" and "Items" edit the
// menu parameters, "Item" and "Foreground && Background" the selected item.
// The window binds the controls to the fields by their object names.
class DulcamonPanels : public QTabWidget
{
    Q_OBJECT
public:
    explicit DulcamonPanels(QWidget* parent = nullptr);

    void showMenuTabs();
    void showItemTabs();

    // The last menu name that is a valid script identifier.
    QString menuName() const;
    void setAcceptedMenuName(const QString& name) { m_acceptedMenuName = name; }
    QString acceptedMenuName() const { return m_acceptedMenuName; }

    QWidget* menuTab() const { return m_menuTab; }
    QWidget* itemsTab() const { return m_itemsTab; }
    QWidget* itemTab() const { return m_itemTab; }
    QWidget* colourTab() const { return m_colourTab; }

    // Menu.
    QLineEdit* edtMenuName = nullptr;
    QLineEdit* edtSubMenuFrameName = nullptr;
    QCheckBox* chckbxMenuScrolled = nullptr;
    QComboBox* cmbxMenuAlign = nullptr;
    QSpinBox* spnedtMainMenuHOffset = nullptr;
    QSpinBox* spnedtMainMenuVOffset = nullptr;
    QSpinBox* spnedtItemsGap = nullptr;
    QCheckBox* chckbxOnlyClickShowSub = nullptr;
    QSpinBox* spnedtSubMenuCloseDelay = nullptr;
    QSpinBox* spnedtSubMenuHOffset = nullptr;
    QSpinBox* spnedtSubMenuVOffset = nullptr;
    // Items.
    QSpinBox* spnedtCaptionFontPadding = nullptr;
    QLineEdit* edtCaptionFontFamily = nullptr;
    QSpinBox* spnedtCaptionFontSize = nullptr;
    QToolButton* spdbtnCaptionFontBold = nullptr;
    QToolButton* spdbtnCaptionFontItalic = nullptr;
    QSpinBox* spnedtItBrdWidth = nullptr;
    kzt::ColorSwatch* pnlItBrdClr = nullptr;
    QCheckBox* chckbxEnableGlideOpen = nullptr;
    QSpinBox* spnedtGlideStep = nullptr;
    QSpinBox* spnedtGlideSpeed = nullptr;
    QComboBox* chckbxFilter = nullptr;
    // Item.
    QLineEdit* edtICaption = nullptr;
    QComboBox* cmbxIURL = nullptr;
    QToolButton* spdbtnItURL = nullptr;
    QComboBox* cmbxITarget = nullptr;
    QSpinBox* spnedtIWidth = nullptr;
    QSpinBox* spnedtIHeight = nullptr;
    QLineEdit* edtIDescription = nullptr;
    QPushButton* btnGlobalPropertiesChange1 = nullptr;
    // Foreground && Background.
    QLineEdit* edtINoBgImg = nullptr;
    QToolButton* spdbtnINoBgImg = nullptr;
    QLineEdit* edtIOvBgImg = nullptr;
    QToolButton* spdbtnIOvBgImg = nullptr;
    kzt::ColorSwatch* pnlItNoBgClr = nullptr;
    kzt::ColorSwatch* pnlItOvBgClr = nullptr;
    kzt::ColorSwatch* pnlCaptionNoClr = nullptr;
    kzt::ColorSwatch* pnlCaptionOvClr = nullptr;
    QPushButton* btnGlobalPropertiesChange2 = nullptr;

private:
    QWidget* buildMenuTab();
    QWidget* buildItemsTab();
    QWidget* buildItemTab();
    QWidget* buildColourTab();
    template <typename T> T* control(const char* objectName, QWidget* parent);
    QSpinBox* spin(const char* objectName, QWidget* parent, int minimum);

    QWidget* m_menuTab = nullptr;
    QWidget* m_itemsTab = nullptr;
    QWidget* m_itemTab = nullptr;
    QWidget* m_colourTab = nullptr;
    QString m_acceptedMenuName;
};

} // namespace dulcamon
