#pragma once

#include "FieldBinding.h"
#include "Records.h"
#include "Status.h"

#include <QList>
#include <QTabWidget>

class QComboBox;
class QGridLayout;
class QGroupBox;
class QLineEdit;
class QRadioButton;
class QSpinBox;
class QToolButton;
class QVBoxLayout;

namespace kzt {
class ColorSwatch;
}

namespace kestravo {

// The three property pages of the kestravo window: "Menu" edits the menu
// parameters, "Item" the selected item, and the path page the path
// conversion settings, which stay visible whatever is selected.
class KestravoPanels : public QTabWidget
{
    Q_OBJECT
public:
    explicit KestravoPanels(QWidget* parent = nullptr);

    void showMenuPage();
    void showItemPage();

    // The help buttons in topic order (topic 1 first).
    const QList<QToolButton*>& helpButtons() const { return m_helpButtons; }

    QWidget* menuPage() const { return m_menuPage; }
    QWidget* itemPage() const { return m_itemPage; }
    QWidget* pathPage() const { return m_pathPage; }

    // Menu.
    QSpinBox* spnedtpMenuWidth = nullptr;
    QLineEdit* edtPTipMessage = nullptr;
    QLineEdit* edtpMenuFontFamily = nullptr;
    QSpinBox* spnedtpMenuFontSize = nullptr;
    QToolButton* spdbtnpMenuFontWeight = nullptr;
    QToolButton* spdbtnpMenuFontStyle = nullptr;
    kzt::ColorSwatch* pnlpMenuColor = nullptr;
    kzt::ColorSwatch* pnlpMenuBGColor = nullptr;
    kzt::ColorSwatch* pnlpTipMsgColor = nullptr;
    kzt::ColorSwatch* pnlpTipMsgBGColor = nullptr;
    kzt::ColorSwatch* pnlpMainItemColor = nullptr;
    kzt::ColorSwatch* pnlpMainItemBGColor = nullptr;
    kzt::ColorSwatch* pnlpSubItemColor = nullptr;
    kzt::ColorSwatch* pnlpSubItemBGColor = nullptr;
    kzt::ColorSwatch* pnlpSubItemAlternationColor = nullptr;
    kzt::ColorSwatch* pnlpSubItemAlternationBGColor = nullptr;
    // Item.
    QLineEdit* edtICaption = nullptr;
    QComboBox* cmbxpURL = nullptr;
    QToolButton* spdbtnpURL = nullptr;
    QComboBox* cmbxpTarget = nullptr;
    // Local && Web Path Conversion.
    QLineEdit* edtpInternalUse_RootDir_Local = nullptr;
    QLineEdit* edtpInternalUse_RootDir_Remote = nullptr;
    QRadioButton* rdbtnpInternalUse_RootDir_Local_Checked = nullptr;
    QRadioButton* rdbtnpInternalUse_RootDir_Local_Checked2 = nullptr;

private:
    QWidget* buildMenuPage();
    QWidget* buildItemPage();
    QWidget* buildPathPage();
    // A group with its grey description line and its help button.
    QGroupBox* group(QWidget* parent, const QString& title, const QString& description, int topic,
                     QVBoxLayout*& body);
    void colourGroup(QWidget* parent, QGridLayout* into, int position, const QString& title,
                     const QString& description, int topic,
                     const char* textName, kzt::ColorSwatch*& text, const char* backgroundName,
                     kzt::ColorSwatch*& background);

    QWidget* m_menuPage = nullptr;
    QWidget* m_itemPage = nullptr;
    QWidget* m_pathPage = nullptr;
    QList<QToolButton*> m_helpButtons;
};

} // namespace kestravo
