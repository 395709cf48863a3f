#pragma once

#include "Records.h"
#include "Status.h"

#include <QList>
#include <QWidget>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class QToolButton;

namespace kzt {
class ColorSwatch;
class TKZTEdit;
}

namespace osmerin {

// The two page controls of the osmerin window, one above the other in the
// same place: the item pages for a selected news item and the applet pages
// for the root.
class OsmerinPanels : public QWidget
{
    Q_OBJECT
public:
    explicit OsmerinPanels(QWidget* parent = nullptr);

    // The item's lines of text, which the window's binding leaves to the
    // panels: shown split at the joiner, stored joined again (and the
    // content the applet shows made from them).
    void showItemText(const kzt::TItemData& item);
    void storeItemText(kzt::TItemData& item) const;

    void showAppletPages();
    void showItemPages();
    // Which of the item's controls take part, after the content type.
    void applyContentType();
    // The scroll-button groups follow "Show Scroll Button".
    void applyScrollButtons();

    // The controls bound by hand (the item's text); each edit of them is
    // reported as a change.
    QList<QWidget*> handBoundItemControls() const;
    // The edit beside an up-down (kzteditX for udX).
    static kzt::TKZTEdit* editOf(QSpinBox* upDown);

    QTabWidget* PageControl1 = nullptr;
    QTabWidget* PageControl2 = nullptr;

    // Applet pages.
    kzt::ColorSwatch* pnlAppletBGColor = nullptr;
    QSpinBox* udAppletWidth = nullptr;
    QSpinBox* udAppletHeight = nullptr;
    QSpinBox* udSlideSpeed = nullptr;
    QSpinBox* udSlideDelay = nullptr;
    QComboBox* cmbxSlideDirection = nullptr;
    QCheckBox* chckbxShowScrollBtnFlag = nullptr;
    QGroupBox* grpbxScrollBtn1 = nullptr;
    QGroupBox* grpbxScrollBtn2 = nullptr;
    QSpinBox* udScrollBtn1X = nullptr;
    QSpinBox* udScrollBtn1Y = nullptr;
    QSpinBox* udScrollBtn1Width = nullptr;
    QSpinBox* udScrollBtn1Height = nullptr;
    kzt::ColorSwatch* pnlScrollBtn1BGColor = nullptr;
    kzt::ColorSwatch* pnlScrollBtn1AarowColor = nullptr;
    QSpinBox* udScrollBtn2X = nullptr;
    QSpinBox* udScrollBtn2Y = nullptr;
    QSpinBox* udScrollBtn2Width = nullptr;
    QSpinBox* udScrollBtn2Height = nullptr;
    kzt::ColorSwatch* pnlScrollBtn2BGColor = nullptr;
    kzt::ColorSwatch* pnlScrollBtn2AarowColor = nullptr;
    QSpinBox* udAppletBorderWidth = nullptr;
    kzt::ColorSwatch* pnlAppletBorderColor = nullptr;
    QComboBox* cmbxAppletBorderStyle = nullptr;
    QRadioButton* rdbtnCursorType1 = nullptr;
    QRadioButton* rdbtnCursorType2 = nullptr;
    QRadioButton* rdbtnCursorType3 = nullptr;
    kzt::ColorSwatch* pnlLoadingBGColor = nullptr;
    kzt::ColorSwatch* pnlLoadingMessageColor = nullptr;
    QLineEdit* editLoadingMessage = nullptr;

    // Item pages.
    QLineEdit* editItemComment = nullptr;
    QRadioButton* rdbtnContentTypeText = nullptr;
    QRadioButton* rdbtnContentTypeImage = nullptr;
    QRadioButton* rdbtnContentTypeTextFile = nullptr;
    QPlainTextEdit* memoItemText = nullptr;
    QLineEdit* editItemImageFilename = nullptr;
    QToolButton* spdbtnImageFilename = nullptr;
    QComboBox* cmbxItemImageAlign = nullptr;
    QLineEdit* editItemTextFilename = nullptr;
    QToolButton* spdbtnTextFilename = nullptr;
    QToolButton* spdbtnFontAlignLeft = nullptr;
    QToolButton* spdbtnFontAlignCenter = nullptr;
    QToolButton* spdbtnFontAlignRight = nullptr;
    QComboBox* cmbxItemFont = nullptr;
    QToolButton* spdbtnFontBold = nullptr;
    QToolButton* spdbtnFontItalic = nullptr;
    QComboBox* cmbxItemFontSize = nullptr;
    QComboBox* cmbxItemFontEffect = nullptr;
    kzt::ColorSwatch* pnlItemFontColor = nullptr;
    kzt::ColorSwatch* pnlItemFontHoverColor = nullptr;
    kzt::ColorSwatch* pnlItemHighlightColor = nullptr;
    QRadioButton* rdbtnUnderlineNever = nullptr;
    QRadioButton* rdbtnUnderlineHover = nullptr;
    QRadioButton* rdbtnUnderlineAlways = nullptr;
    QLineEdit* editItemURL = nullptr;
    QComboBox* cmbxItemTarget = nullptr;
    QLineEdit* editItemStatusBarText = nullptr;

private:
    QWidget* buildGeneralPage();
    QWidget* buildTextSettingsPage();
    QWidget* buildLinksPage();
    QWidget* buildAppletSettingPage();
    QWidget* buildScrollButtonPage();
    QWidget* buildBorderPage();
    QWidget* buildLoadingPage();
    QGroupBox* scrollButtonGroup(QWidget* page, const QString& title, int which);

    QButtonGroup* m_textAlign = nullptr;
    QButtonGroup* m_underline = nullptr;
    QButtonGroup* m_contentType = nullptr;
    QButtonGroup* m_cursorType = nullptr;
    QString m_shownMemo;
};

} // namespace osmerin
