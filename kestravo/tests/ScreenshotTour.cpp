// Shows the kestravo window with a template open, each of its pages and the
// help window beside it, and writes a picture of each into a folder.
// Usage: kestravo_screenshots OUTPUT_FOLDER   (run under a real X server, e.g. Xvfb)

#include "AppletAgent.h"
#include "ScreenshotTour.h"
#include "MessageBox.h"
#include "PreviewFolder.h"
#include "TreeNode.h"
#include "kestravo/gui/KestravoPanels.h"
#include "kestravo/gui/TMainForm.h"
#include "kestravo/gui/TfrmHelp.h"

#include <QApplication>
#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QTemporaryDir>
#include <QThread>
#include <QToolButton>
#include <QTreeView>

#include <cstdio>

using namespace screenshots;

int main(int argc, char** argv)
{
    const Tour tour("kestravo");
    QApplication app(argc, argv);
    if (!tour.start(argc, argv))
        return 2;
    const kzt::AppPaths paths = tour.paths();
    const QString templates = QString::fromStdString((paths.shareDir / "templates").string());

    kestravo::TMainForm window(paths);
    window.show();
    window.move(40, 40);
    window.OpenProject(templates + QStringLiteral("/classic_blue.ksdm"));
    window.treeView()->expandAll();
    settle();
    shoot(&window, QStringLiteral("menu-page"));
    kestravo::KestravoPanels* panels = window.panels();
    panels->setCurrentWidget(panels->pathPage());
    shoot(&window, QStringLiteral("path-page"));
    kzt::TkztAppletAgent& agent = window.agent();
    if (!agent.Items.empty()) {
        window.selectNode(agent.NodeOfItem(std::min<std::size_t>(1, agent.Items.size() - 1)));
        shoot(&window, QStringLiteral("item-page"));
    }
    window.selectNode(agent.tree().root());
    settle();
    if (auto* help = window.findChild<QToolButton*>(QStringLiteral("spdbtnHelp3")))
        help->click();
    settle();
    shoot(window.helpWindow(), QStringLiteral("help"));
    // The editor with the help window beside it, as the screen shows them.
    shootTogether(&window, window.helpWindow(), QStringLiteral("with-help"));
    window.setModified(false);
    window.close();
    return 0;
}
