#include "dulcamon/gui/TMainForm.h"

#include "AppletAgent.h"
#include "EditingKit.h"
#include "FieldBinding.h"
#include "MessageBox.h"
#include "dulcamon/gui/DulcamonPanels.h"
#include "dulcamon/core/DulcamonProfile.h"
#include "dulcamon/core/DulcamonSchema.h"
#include "dulcamon/core/DulcamonStructure.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>

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
    bindFields(m_panels, schema::kSchema);
    connect(m_panels->edtMenuName, &QLineEdit::textEdited, this, &TMainForm::edtMenuNameEdited);
    connect(m_panels->edtMenuName, &QLineEdit::editingFinished, this, [this] {
        // An emptied name falls back to the last good one.
        if (m_panels->edtMenuName->text().trimmed().isEmpty())
            m_panels->edtMenuName->setText(m_panels->acceptedMenuName());
    });
    for (QPushButton* button : {m_panels->btnGlobalPropertiesChange1, m_panels->btnGlobalPropertiesChange2})
        connect(button, &QPushButton::clicked, this, [this] { GlobalPropertiesChangeClick(bulkCopyLayout()); });
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

void TMainForm::appletShown()
{
    m_panels->setAcceptedMenuName(m_panels->edtMenuName->text());
}

void TMainForm::storingApplet(kzt::TAppletData& data)
{
    // The name is the last good one, not what is being typed.
    data.set(MenuName, appletFields()->recordText(m_panels->edtMenuName, m_panels->acceptedMenuName().trimmed()));
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
