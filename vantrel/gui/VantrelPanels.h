#pragma once

#include <QList>
#include <QWidget>

#include <array>
#include <cstddef>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QToolButton;

namespace kzt {
class ColorSwatch;
}

namespace vantrel {

// The property pages of the vantrel window: one page control with the five
// applet pages (the root) and the four item pages (an item), of which only
// one set shows at a time. Every control is made from the field table, so
// its object name, range and choice list are the ones the records use.
class VantrelPanels : public QWidget
{
    Q_OBJECT
public:
    // Page positions in pgcntrlApplet.
    enum Page : int {
        AppletSettingsPage = 0,
        AppletBackgroundPage,
        ScrollBarPage,
        LoadingPage,
        AdvancedPage,
        ItemGeneralPage,
        ItemNormalPage,
        ItemOverPage,
        ItemClickedPage,
        PageCount
    };

    explicit VantrelPanels(QWidget* parent = nullptr);

    void showAppletPages(int active);
    void showItemPages();
    bool appletPagesShown() const { return m_appletPagesShown; }

    // Greys what the governing controls switch off.
    void applyAppletRules();
    void applyItemRules();
    // Whether a control governs others (its change re-applies the rules).
    bool isGoverning(const QWidget* control) const;

    // The bold and italic buttons of every font style.
    QList<QToolButton*> fontStyleButtons() const;

    // A control by object name; null when there is none.
    QWidget* control(const QString& name) const;
    template <typename T> T* control(const char* name) const
    {
        return qobject_cast<T*>(control(QString::fromLatin1(name)));
    }

    QTabWidget* pgcntrlApplet = nullptr;
    QTabWidget* pgcntrlLoading = nullptr;
    QSpinBox* spnedtApWidth = nullptr;
    QSpinBox* spnedtApHeight = nullptr;
    QLineEdit* edtICaption = nullptr;
    QComboBox* cmbxIURL = nullptr;
    QComboBox* cmbxITarget = nullptr;
    QComboBox* cmbxItemInitVisible = nullptr;
    QToolButton* spdbtnItURL = nullptr;
    QToolButton* spdbtnApBgImg = nullptr;
    QToolButton* spdbtnApBgSnd = nullptr;
    std::array<QToolButton*, 3> spdbtnItBgImg{};
    // The normal state has no sound button.
    std::array<QToolButton*, 3> spdbtnItBgSnd{};
    // "Global Properties Change" of Item General, then of the three looks.
    QPushButton* bttnItGnGlobalChange = nullptr;
    std::array<QPushButton*, 3> bttnItGlobalChange{};

private:
    struct FontStyle
    {
        std::size_t field;
        QToolButton* bold;
        QToolButton* italic;
    };

    QWidget* makeAppletControl(std::size_t field, QWidget* parent);
    QWidget* makeItemControl(std::size_t field, QWidget* parent);
    QToolButton* pickerButton(const char* objectName, QWidget* parent);
    QWidget* buildAppletSettingsPage();
    QWidget* buildAppletBackgroundPage();
    QWidget* buildScrollBarPage();
    QWidget* buildLoadingPage();
    QWidget* buildProgressBarPage();
    QWidget* buildMessagePage();
    QGroupBox* messageGroup(QWidget* page, int which);
    QWidget* buildLoadingBackgroundPage();
    QWidget* buildAdvancedPage();
    QWidget* buildItemGeneralPage();
    QWidget* buildItemStatePage(int state);
    void setPageVisible(int page, bool visible);

    std::vector<QWidget*> m_appletControls;
    std::vector<QWidget*> m_itemControls;
    std::vector<FontStyle> m_appletFontStyles;
    std::array<FontStyle, 3> m_stateFontStyles{};
    bool m_appletPagesShown = true;
};

} // namespace vantrel
