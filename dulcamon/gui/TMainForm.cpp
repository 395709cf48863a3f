#include "dulcamon/gui/TMainForm.h"

#include "AppletAgent.h"
#include "ColorSwatch.h"
#include "EditingKit.h"
#include "dulcamon/gui/DulcamonPanels.h"
#include "dulcamon/core/DulcamonProfile.h"
#include "dulcamon/core/DulcamonStructure.h"
#include "Launcher.h"
#include "MessageBox.h"
#include "TreeNode.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSpinBox>
#include <QSplitter>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>

namespace dulcamon {

kzt::PlatformProduct TMainForm::platform()
{
    return platformOf(DulcamonProfile::instance());
}

TMainForm::TMainForm(kzt::AppPaths paths, QWidget* parent)
    : EditorMainWindow(DulcamonProfile::instance(), std::move(paths), platform(), parent)
{
    m_panels = new DulcamonPanels(this);
    placeTreeAndPanels(m_panels, 170, 480);
    buildStandardMenus({"help/index.html", "samples/normal.html", QStringLiteral("https://dulcamon.example.org/"),
                        QStringLiteral("mailto:dulcamon@example.org"),
                        QStringLiteral("A builder of pop-out script menus for web pages.")});
    connectControls();

    placeCentred(650, 465);
    FormCreate();
}

TMainForm::~TMainForm() = default;

void TMainForm::connectControls()
{
    const auto changed = [this](QWidget* control) {
        if (auto* swatch = qobject_cast<kzt::ColorSwatch*>(control))
            ColorSwatchClick(swatch);
        else if (control == m_panels->edtICaption)
            edtICaptionChange();
        else
            ControlChange(control);
    };
    m_panels->appletFields().watch(this, changed);
    m_panels->itemFields().watch(this, changed);
    connect(m_panels->edtMenuName, &QLineEdit::textEdited, this, &TMainForm::edtMenuNameEdited);
    connect(m_panels->edtMenuName, &QLineEdit::editingFinished, this, [this] {
        // An emptied name falls back to the last good one.
        if (m_panels->edtMenuName->text().trimmed().isEmpty())
            m_panels->edtMenuName->setText(m_panels->acceptedMenuName());
    });
    connect(m_panels->spdbtnItURL, &QToolButton::clicked, this, &TMainForm::spdbtnItURLClick);
    connect(m_panels->spdbtnINoBgImg, &QToolButton::clicked, this,
            [this] { ImagePickerClick(m_panels->spdbtnINoBgImg); });
    connect(m_panels->spdbtnIOvBgImg, &QToolButton::clicked, this,
            [this] { ImagePickerClick(m_panels->spdbtnIOvBgImg); });
    for (QPushButton* button : {m_panels->btnGlobalPropertiesChange1, m_panels->btnGlobalPropertiesChange2})
        connect(button, &QPushButton::clicked, this, [this] { GlobalPropertiesChangeClick(bulkCopyLayout()); });
}

void TMainForm::ControlChange(QWidget* control)
{
    setModified(true);
    CheckReservedText(control);
}

void TMainForm::CheckReservedText(QWidget* control)
{
    kzt::EditingKit::CheckReservedText(this, control);
}

void TMainForm::edtICaptionChange()
{
    setModified(true);
    kzt::TreeNode* node = selectedNode();
    if (node && !node->isRoot() && node == currentItemNode())
        agent().tree().setText(node, m_panels->itemFields().recordText(m_panels->edtICaption,
                                                                        m_panels->edtICaption->text().trimmed()));
    CheckReservedText(m_panels->edtICaption);
}

bool TMainForm::isScriptIdentifier(const QString& name)
{
    static const QRegularExpression identifier(QStringLiteral("^[A-Za-z_$][A-Za-z0-9_$]*$"));
    static const QStringList reserved = {
        "break", "case", "catch", "class", "const", "continue", "debugger", "default", "delete", "do",
        "else", "enum", "export", "extends", "false", "finally", "for", "function", "if", "import",
        "in", "instanceof", "new", "null", "return", "super", "switch", "this", "throw", "true",
        "try", "typeof", "var", "void", "while", "with", "let", "static", "yield", "await",
        "implements", "interface", "package", "private", "protected", "public", "undefined",
        "NaN", "Infinity", "eval", "arguments", "window", "document"};
    return identifier.match(name).hasMatch() && !reserved.contains(name);
}

QString TMainForm::menuNameMessage()
{
    return QStringLiteral("The menu name is the name of the menu's script variable in the page. It must begin "
                          "with a letter, \"_\" or \"$\", contain only letters, digits, \"_\" and \"$\", and "
                          "must not be a reserved word of the script language.");
}

void TMainForm::edtMenuNameEdited()
{
    QLineEdit* edit = m_panels->edtMenuName;
    const QString name = edit->text().trimmed();
    if (name.isEmpty())
        return;
    if (isScriptIdentifier(name)) {
        m_panels->setAcceptedMenuName(name);
        return;
    }
    kzt::MessageBox::warning(this, menuNameMessage(), kzt::MessageBox::Ok);
    edit->setText(m_panels->acceptedMenuName());
}

QString TMainForm::localUrl(const QString& path)
{
    return kzt::EditingKit::localUrl(path);
}

void TMainForm::spdbtnItURLClick()
{
    if (kzt::EditingKit::pickLocalUrl(this, m_panels->cmbxIURL, dialogFolder()))
        setModified(true);
}

void TMainForm::ImagePickerClick(QToolButton* button)
{
    QLineEdit* field = button == m_panels->spdbtnINoBgImg ? m_panels->edtINoBgImg : m_panels->edtIOvBgImg;
    kzt::EditingKit::pickPictureIntoPreview(this, agent(), field, m_lastPicture, dialogFolder());
}

void TMainForm::ColorSwatchClick(kzt::ColorSwatch* swatch)
{
    kzt::EditingKit::pickColour(this, swatch);
    setModified(true);
}

void TMainForm::PanelToAppletData()
{
    agent().SetAppletData(m_panels->panelToApplet(agent().AppletData));
}

void TMainForm::AppletDataToPanel()
{
    showFailure(m_panels->appletToPanel(agent().AppletData));
}

void TMainForm::PanelToItemData(std::size_t index)
{
    if (index >= agent().Items.size())
        return;
    // The derived fields are the tree's; the panel leaves them as they are.
    agent().SetItemData(index, m_panels->panelToItem(agent().Items[index]));
}

void TMainForm::ItemDataToPanel(std::size_t index)
{
    if (index >= agent().Items.size())
        return;
    showFailure(m_panels->itemToPanel(agent().Items[index]));
}

void TMainForm::showMenuPanels()
{
    m_panels->showMenuTabs();
}

void TMainForm::showItemPanels()
{
    m_panels->showItemTabs();
}

kzt::TempletTexts TMainForm::templetTexts() const
{
    kzt::TempletTexts texts;
    texts.caption = QStringLiteral("Template");
    texts.hintLines = {QStringLiteral("Click OK to open selected template or cancel to create a new project.")};
    texts.checkBoxText = QStringLiteral("Do not show this dialog again.");
    texts.pattern = QStringLiteral("*.dlcg");
    texts.createUserFolder = true;
    return texts;
}

std::optional<kzt::MenuStructureMapping> TMainForm::structureMapping() const
{
    return DulcamonStructure::mapping();
}

kzt::PropertyLayout TMainForm::bulkCopyLayout()
{
    return {QStringLiteral("Item Properties (Foreground && Backgrouind)"),
            {{QStringLiteral("Item Properties (General)"), false,
              {{"chchbxCaption", QStringLiteral("Caption"), Caption},
               {"chchbxURL", QStringLiteral("URL"), Url},
               {"chchbxTarget", QStringLiteral("Target"), Target},
               {"chchbxWidth", QStringLiteral("Width"), Width},
               {"chchbxHeight", QStringLiteral("Height"), Height},
               {"chchbxDescription", QStringLiteral("Description"), Description}}},
             {QStringLiteral("Background Image"), true,
              {{"chchbxBGImgNormal", QStringLiteral("Normal"), NormalBgImage},
               {"chchbxBGImgMouseOver", QStringLiteral("Mouse Over"), OverBgImage}}},
             {QStringLiteral("Background Color"), true,
              {{"chchbxBGColorNormal", QStringLiteral("Normal"), NormalBgColor},
               {"chchbxBGColorMouseOver", QStringLiteral("Mouse Over"), OverBgColor}}},
             {QStringLiteral("Caption Color"), true,
              {{"chchbxCaptionColorNormal", QStringLiteral("Normal"), NormalCaptionColor},
               {"chchbxCaptionColorMouseOver", QStringLiteral("Mouse Over"), OverCaptionColor}}}}};
}

} // namespace dulcamon
