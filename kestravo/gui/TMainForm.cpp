#include "kestravo/gui/TMainForm.h"

#include "AppletAgent.h"
#include "ColorSwatch.h"
#include "EditingKit.h"
#include "Launcher.h"
#include "MessageBox.h"
#include "TreeNode.h"
#include "kestravo/core/KestravoProfile.h"
#include "kestravo/core/KestravoStructure.h"
#include "kestravo/gui/KestravoPanels.h"
#include "kestravo/gui/TfrmHelp.h"

#include <QAction>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QScreen>
#include <QSplitter>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>

namespace kestravo {

namespace {

QString fromStd(const std::string& text)
{
    return QString::fromStdString(text);
}

const QString kSeparator = QStringLiteral("#$@");

} // namespace

kzt::PlatformProduct TMainForm::platform()
{
    const auto& info = KestravoProfile::instance().info();
    kzt::PlatformProduct product;
    product.name = info.name;
    product.version = info.version;
    product.executable = info.executableName;
    product.extension = info.extension;
    product.documentType = info.name + ".Document";
    return product;
}

TMainForm::TMainForm(kzt::AppPaths paths, QWidget* parent)
    : EditorMainWindow(KestravoProfile::instance(), std::move(paths), platform(), parent)
{
    m_panels = new KestravoPanels(this);
    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->setObjectName(QStringLiteral("splttrMain"));
    splitter->addWidget(treeView());
    splitter->addWidget(m_panels);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({190, 580});
    splitter->setChildrenCollapsible(false);
    setCentralWidget(splitter);
    buildMenus();
    buildToolBar();
    connectControls();

    resize(772, 532);
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    m_help = new TfrmHelp(agent().paths().shareDir / "help", this);
    FormCreate();
}

TMainForm::~TMainForm() = default;

void TMainForm::buildMenus()
{
    m_actSaveAsTemplate->setText(tr("S&ave As Template"));
    m_actImport->setText(tr("&Import Menu Structure"));
    m_actExport->setText(tr("&Export Menu Structure"));
    m_actStatusBar->setText(tr("&Status Bar"));
    recentFilesMenu()->setTitle(tr("&Recent Files"));

    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->setObjectName(QStringLiteral("File1"));
    file->addActions({m_actNew, m_actOpen, m_actSave, m_actSaveAs});
    file->addSeparator();
    file->addActions({m_actTemplates, m_actSaveAsTemplate});
    file->addSeparator();
    file->addActions({m_actImport, m_actExport});
    file->addSeparator();
    file->addMenu(recentFilesMenu());
    file->addSeparator();
    file->addAction(m_actExit);

    QMenu* view = menuBar()->addMenu(tr("&View"));
    view->setObjectName(QStringLiteral("View1"));
    view->addActions({m_actToolBar, m_actStatusBar});

    QMenu* item = menuBar()->addMenu(tr("&Item"));
    item->setObjectName(QStringLiteral("Item1"));
    item->addActions({m_actInsert, m_actDelete, m_actMoveUp, m_actMoveDown});

    QMenu* menu = menuBar()->addMenu(tr("&Menu"));
    menu->setObjectName(QStringLiteral("Menu1"));
    menu->addActions({m_actPreview, m_actBuildHTML, m_actPublish});

    QMenu* option = menuBar()->addMenu(tr("&Option"));
    option->setObjectName(QStringLiteral("Option1"));
    option->addAction(m_actWebBrowser);

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    help->setObjectName(QStringLiteral("Help1"));
    QAction* topics = makeAction("HelpTopics1", tr("Help &Topics"), tr("Show help document"));
    QAction* sample = makeAction("ViewSample1", tr("View &Sample..."));
    QAction* homepage = makeAction("Homepage1", tr("&Homepage"));
    QAction* contact = makeAction("ContactUs1", tr("&Contact Us"));
    QAction* about = makeAction("About1", tr("&About"));
    help->addActions({topics, sample});
    help->addSeparator();
    help->addActions({homepage, contact, about});
    connect(topics, &QAction::triggered, this, &TMainForm::HelpTopics1Click);
    connect(sample, &QAction::triggered, this, &TMainForm::ViewSample1Click);
    connect(homepage, &QAction::triggered, this,
            [] { kzt::Launcher::openUrl(QStringLiteral("https://kestravo.example.org/")); });
    connect(contact, &QAction::triggered, this,
            [] { kzt::Launcher::openUrl(QStringLiteral("mailto:kestravo@example.org")); });
    connect(about, &QAction::triggered, this, &TMainForm::About1Click);
}

void TMainForm::buildToolBar()
{
    m_toolBar = addToolBar(tr("Tool Bar"));
    m_toolBar->setObjectName(QStringLiteral("tlbrMain"));
    m_toolBar->setMovable(false);
    m_toolBar->setIconSize(QSize(18, 18));
    QStyle* s = style();
    m_actNew->setIcon(s->standardIcon(QStyle::SP_FileIcon));
    m_actOpen->setIcon(s->standardIcon(QStyle::SP_DialogOpenButton));
    m_actSave->setIcon(s->standardIcon(QStyle::SP_DialogSaveButton));
    m_actInsert->setIcon(s->standardIcon(QStyle::SP_FileDialogNewFolder));
    m_actDelete->setIcon(s->standardIcon(QStyle::SP_TrashIcon));
    m_actMoveUp->setIcon(s->standardIcon(QStyle::SP_ArrowUp));
    m_actMoveDown->setIcon(s->standardIcon(QStyle::SP_ArrowDown));
    m_actBuildHTML->setIcon(s->standardIcon(QStyle::SP_FileDialogDetailedView));
    m_actPreview->setIcon(s->standardIcon(QStyle::SP_MediaPlay));
    QAction* help = findChild<QAction*>(QStringLiteral("HelpTopics1"));
    help->setIcon(s->standardIcon(QStyle::SP_MessageBoxQuestion));

    m_toolBar->addActions({m_actNew, m_actOpen, m_actSave});
    m_toolBar->addSeparator();
    m_toolBar->addActions({m_actInsert, m_actDelete, m_actMoveUp, m_actMoveDown});
    m_toolBar->addSeparator();
    m_toolBar->addActions({m_actBuildHTML, m_actPreview});
    m_toolBar->addSeparator();
    m_toolBar->addAction(help);
    nameToolButton(m_toolBar, m_actNew, "tlbtnNew");
    nameToolButton(m_toolBar, m_actOpen, "tlbtnOpen");
    nameToolButton(m_toolBar, m_actSave, "tlbtnSave");
    nameToolButton(m_toolBar, m_actInsert, "tlbtnInsert");
    nameToolButton(m_toolBar, m_actDelete, "tlbtnDelete");
    nameToolButton(m_toolBar, m_actMoveUp, "tlbtnMoveUp");
    nameToolButton(m_toolBar, m_actMoveDown, "tlbtnMoveDown");
    nameToolButton(m_toolBar, m_actBuildHTML, "tlbtnBuildHTML");
    nameToolButton(m_toolBar, m_actPreview, "tlbtnPreview");
    nameToolButton(m_toolBar, help, "tlbtnHelp");
    connect(m_actToolBar, &QAction::toggled, m_toolBar, &QWidget::setVisible);
}

void TMainForm::connectControls()
{
    const auto changed = [this](QWidget* control) {
        if (auto* swatch = qobject_cast<kzt::ColorSwatch*>(control))
            PickColor(swatch);
        else if (control == m_panels->edtICaption)
            edtICaptionChange();
        else
            ControlChange(control);
    };
    m_panels->appletFields().watch(this, changed);
    m_panels->itemFields().watch(this, changed);
    connect(m_panels->spdbtnpURL, &QToolButton::clicked, this, &TMainForm::spdbtnpURLClick);
    for (QToolButton* button : m_panels->helpButtons()) {
        const int topic = button->property("helpTopic").toInt();
        connect(button, &QToolButton::clicked, this, [this, topic] { HelpButtonClick(topic); });
    }
}

void TMainForm::ControlChange(QWidget* control)
{
    setModified(true);
    CheckReservedText(control);
}

void TMainForm::CheckReservedText(QWidget* control)
{
    kzt::EditingKit::CheckReservedText(this, control, kSeparator);
}

void TMainForm::edtICaptionChange()
{
    setModified(true);
    kzt::TreeNode* node = selectedNode();
    QLineEdit* caption = m_panels->edtICaption;
    if (node && !node->isRoot() && node == currentItemNode())
        agent().tree().setText(node, m_panels->itemFields().recordText(caption, caption->text().trimmed()));
    // Clearing the caption comes back here and clears the node's text too.
    CheckReservedText(caption);
}

void TMainForm::spdbtnpURLClick()
{
    if (kzt::EditingKit::pickLocalUrl(this, m_panels->cmbxpURL, dialogFolder()))
        setModified(true);
}

void TMainForm::PickColor(kzt::ColorSwatch* swatch)
{
    kzt::EditingKit::pickColour(this, swatch);
    setModified(true);
}

void TMainForm::placeHelpWindow()
{
    if (m_helpPlaced)
        return;
    m_helpPlaced = true;
    // Beside the editor, on the screen.
    QPoint at = frameGeometry().topRight() + QPoint(4, 0);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect room = screen->availableGeometry();
        at.setX(std::min(at.x(), room.right() - m_help->width()));
        at.setY(std::max(at.y(), room.top()));
    }
    m_help->move(at);
}

void TMainForm::HelpButtonClick(int topic)
{
    placeHelpWindow();
    if (!m_help->ShowTopic(topic))
        kzt::MessageBox::warning(this, QStringLiteral("The file \"%1\" was not found.").arg(m_help->topicPath(topic)));
}

void TMainForm::HelpTopics1Click()
{
    kzt::EditingKit::openShippedPage(this, agent().paths().shareDir / "help" / "index.html");
}

void TMainForm::ViewSample1Click()
{
    kzt::EditingKit::openShippedPage(this, agent().paths().shareDir / "samples" / "index.html");
}

void TMainForm::About1Click()
{
    const auto& info = agent().info();
    kzt::MessageBox::information(this, QStringLiteral("%1 %2\nA builder of drop-down menus for web pages.")
                                           .arg(fromStd(info.name), fromStd(info.version)));
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
    if (index < agent().Items.size())
        agent().SetItemData(index, m_panels->panelToItem(agent().Items[index]));
}

void TMainForm::ItemDataToPanel(std::size_t index)
{
    if (index < agent().Items.size())
        showFailure(m_panels->itemToPanel(agent().Items[index]));
}

void TMainForm::showMenuPanels()
{
    m_panels->showMenuPage();
}

void TMainForm::showItemPanels()
{
    m_panels->showItemPage();
}

kzt::TempletTexts TMainForm::templetTexts() const
{
    kzt::TempletTexts texts;
    texts.caption = QStringLiteral("Template");
    texts.hintLines = {QStringLiteral("Click OK, The template you selected will be opened. Click Cancel, a new project"),
                       QStringLiteral("will be created.")};
    texts.checkBoxText = QStringLiteral("Don't show this dialog again.");
    texts.pattern = QStringLiteral("*.ksdm");
    texts.createUserFolder = false;
    return texts;
}

std::optional<kzt::MenuStructureMapping> TMainForm::structureMapping() const
{
    return KestravoStructure::mapping();
}

} // namespace kestravo
