#include "EditorMainWindow.h"

#include "ToolIcons.h"
#include "WindowFit.h"
#include "WindowPlacement.h"

#include "AppletAgent.h"
#include "EditingKit.h"
#include "Launcher.h"
#include "MessageBox.h"

#include <QAction>
#include <QGuiApplication>
#include <QScreen>
#include <QSplitter>
#include <QTreeView>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>

namespace kzt {

PlatformProduct EditorMainWindow::platformOf(const ProductProfile& product)
{
    const ProductInfo& info = product.info();
    PlatformProduct platform;
    platform.name = info.name;
    platform.version = info.version;
    platform.executable = info.executableName;
    platform.extension = info.extension;
    platform.documentType = info.name + ".Document";
    return platform;
}

void EditorMainWindow::placeTreeAndPanels(QWidget* panels, int treeWidth, int panelsWidth)
{
    setCentralWidget(makeTreeSplitter(panels, treeWidth, panelsWidth));
}

QSplitter* EditorMainWindow::makeTreeSplitter(QWidget* panels, int treeWidth, int panelsWidth, QWidget* treePane)
{
    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->setObjectName(QStringLiteral("splttrMain"));
    if (!treePane)
        treePane = treeView();
    // The window grows for its panels rather than squeezing the tree.
    treePane->setMinimumWidth(treeWidth);
    splitter->addWidget(treePane);
    splitter->addWidget(panels);
    splitter->setStretchFactor(1, 1);
    splitter->setChildrenCollapsible(false);
    placePanes(splitter, {treeWidth, panelsWidth}, m_settings, Settings::settingsKey(m_platform));
    return splitter;
}

void EditorMainWindow::placeCentred(int width, int height)
{
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    fitToContent(this, QSize(width, height));
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

QMenu* EditorMainWindow::addMenuOf(const char* objectName, const QString& title, const QList<QObject*>& entries)
{
    QMenu* menu = menuBar()->addMenu(title);
    menu->setObjectName(QString::fromLatin1(objectName));
    for (QObject* entry : entries) {
        if (!entry)
            menu->addSeparator();
        else if (auto* sub = qobject_cast<QMenu*>(entry))
            menu->addMenu(sub);
        else if (auto* action = qobject_cast<QAction*>(entry))
            menu->addAction(action);
    }
    return menu;
}

QMenu* EditorMainWindow::addHelpMenu(const HelpMenuTargets& targets)
{
    m_helpTargets = targets;
    QAction* topics = makeAction("HelpTopics1", tr("Help &Topics"), tr("Show help document"));
    QAction* sample = makeAction("ViewSample1", tr("View &Sample..."));
    QAction* homepage = makeAction("Homepage1", tr("&Homepage"));
    QAction* contact = makeAction("ContactUs1", tr("&Contact Us"));
    QAction* about = makeAction("About1", tr("&About"));
    connect(topics, &QAction::triggered, this, &EditorMainWindow::HelpTopics1Click);
    connect(sample, &QAction::triggered, this, &EditorMainWindow::ViewSample1Click);
    connect(homepage, &QAction::triggered, this, [this] { Launcher::openUrl(m_helpTargets.homepage); });
    connect(contact, &QAction::triggered, this, [this] { Launcher::openUrl(m_helpTargets.contact); });
    connect(about, &QAction::triggered, this, &EditorMainWindow::About1Click);
    return addMenuOf("Help1", tr("&Help"), {topics, sample, nullptr, homepage, contact, about});
}

QToolBar* EditorMainWindow::addMainToolBar(const QList<QPair<QAction*, const char*>>& buttons)
{
    m_toolBar = addToolBar(tr("Tool Bar"));
    m_toolBar->setObjectName(QStringLiteral("tlbrMain"));
    m_toolBar->setMovable(false);
    m_toolBar->setIconSize(QSize(18, 18));
    const QList<QPair<QAction*, ToolIcons::Command>> icons = {
        {m_actNew, ToolIcons::New},
        {m_actOpen, ToolIcons::Open},
        {m_actSave, ToolIcons::Save},
        {m_actInsert, ToolIcons::Insert},
        {m_actDelete, ToolIcons::Delete},
        {m_actMoveUp, ToolIcons::MoveUp},
        {m_actMoveDown, ToolIcons::MoveDown},
        {m_actBuildHTML, ToolIcons::BuildHTML},
        {m_actPreview, ToolIcons::Preview},
        {findChild<QAction*>(QStringLiteral("HelpTopics1")), ToolIcons::Help},
    };
    for (const auto& [action, icon] : icons) {
        if (action && action->icon().isNull())
            action->setIcon(ToolIcons::icon(icon, style()));
    }
    for (const auto& [action, name] : buttons) {
        if (!action) {
            m_toolBar->addSeparator();
            continue;
        }
        m_toolBar->addAction(action);
        nameToolButton(m_toolBar, action, name);
    }
    connect(m_actToolBar, &QAction::toggled, m_toolBar, &QWidget::setVisible);
    return m_toolBar;
}

QToolBar* EditorMainWindow::addStandardToolBar(QAction* help)
{
    return addMainToolBar({{m_actNew, "tlbtnNew"},
                           {m_actOpen, "tlbtnOpen"},
                           {m_actSave, "tlbtnSave"},
                           {nullptr, nullptr},
                           {m_actInsert, "tlbtnInsert"},
                           {m_actDelete, "tlbtnDelete"},
                           {m_actMoveUp, "tlbtnMoveUp"},
                           {m_actMoveDown, "tlbtnMoveDown"},
                           {nullptr, nullptr},
                           {m_actBuildHTML, "tlbtnBuildHTML"},
                           {m_actPreview, "tlbtnPreview"},
                           {nullptr, nullptr},
                           {help, "tlbtnHelp"}});
}

void EditorMainWindow::buildStandardMenus(const HelpMenuTargets& targets)
{
    addMenuOf("File1", tr("&File"),
              {m_actNew, m_actOpen, m_actSave, m_actSaveAs, nullptr, m_actTemplates, m_actSaveAsTemplate, nullptr,
               m_actImport, m_actExport, nullptr, recentFilesMenu(), nullptr, m_actExit});
    addMenuOf("View1", tr("&View"), {m_actToolBar, m_actStatusBar});
    addMenuOf("Item1", tr("&Item"), {m_actInsert, m_actDelete, m_actMoveUp, m_actMoveDown});
    addMenuOf("Menu1", tr("&Menu"), {m_actPreview, m_actBuildHTML, m_actPublish});
    addMenuOf("Option1", tr("&Option"), {m_actWebBrowser});
    QAction* help = addHelpMenu(targets)->findChild<QAction*>(QStringLiteral("HelpTopics1"));
    if (!help)
        help = findChild<QAction*>(QStringLiteral("HelpTopics1"));
    addStandardToolBar(help);
}

void EditorMainWindow::HelpTopics1Click()
{
    EditingKit::openHelpPage(this, m_agent->paths().shareDir / m_helpTargets.helpIndex);
}

void EditorMainWindow::ViewSample1Click()
{
    EditingKit::openShippedPage(this, m_agent->paths().shareDir / m_helpTargets.samplePage);
}

void EditorMainWindow::About1Click()
{
    const ProductInfo& info = m_agent->info();
    MessageBox::information(this, QStringLiteral("%1 %2\n%3")
                                      .arg(QString::fromStdString(info.name), QString::fromStdString(info.version),
                                           m_helpTargets.about));
}

} // namespace kzt
