// Shows the vantrel window with a template open: each applet page and the
// three inner pages of "Loading...", each item page, the preview window
// beside the editor, the bulk copy, web browser and templates dialogs and
// the help window, and writes a picture of each into a folder.
// Usage: vantrel_screenshots OUTPUT_FOLDER   (run under a real X server, e.g. Xvfb)

#include "AppletAgent.h"
#include "HelpWindow.h"
#include "ScreenshotTour.h"
#include "THH_Launch.h"
#include "TfrmGlobalPropertiesChange.h"
#include "TreeNode.h"
#include "WindowTestWorld.h"
#include "vantrel/core/VantrelFields.h"
#include "vantrel/gui/TMainForm.h"
#include "vantrel/gui/VantrelHelp.h"
#include "vantrel/gui/VantrelPanels.h"
#include "vantrel/preview/TfrmWysiwyg.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTreeView>

#include <functional>

using namespace screenshots;

namespace {

// Runs a command that shows a modal dialog, pictures the dialog (after
// `prepare`), and closes it again with Cancel.
void shootModal(const std::function<void()>& command, const QString& name,
                const std::function<void(QDialog*)>& prepare = {})
{
    WindowTestWorld::whenModal([name, prepare](QDialog* dialog) {
        if (prepare)
            prepare(dialog);
        shoot(dialog, name);
        dialog->reject();
    });
    command();
    settle();
}

void trigger(vantrel::TMainForm& window, const char* action)
{
    if (QAction* found = window.findChild<QAction*>(QString::fromLatin1(action)))
        found->trigger();
}

} // namespace

int main(int argc, char** argv)
{
    const Tour tour("vantrel");
    QApplication app(argc, argv);
    if (!tour.start(argc, argv))
        return 2;
    const kzt::AppPaths paths = tour.paths();
    const QString templates = QString::fromStdString((paths.shareDir / "templates").string());

    vantrel::TMainForm window(paths);
    window.show();
    window.move(20, 20);
    window.showPreviewWindow();
    settle();
    // The templates dialog, as at start-up, before any project is open.
    shootModal([&] { trigger(window, "Templates1"); }, QStringLiteral("templates"));

    window.OpenProject(templates + QStringLiteral("/paper_pictures.vtp"));
    window.treeView()->expandAll();
    vantrel::TfrmWysiwyg* preview = window.previewWindow();
    if (preview)
        preview->move(window.frameGeometry().topRight() + QPoint(8, 0));
    settle();

    vantrel::VantrelPanels* panels = window.panels();
    const QStringList appletPages = {"applet-settings", "applet-background", "scroll-bar", "loading", "advanced"};
    const QStringList loadingPages = {"loading-progress-bar", "loading-message", "loading-bg-and-status-bar"};
    for (int page = 0; page < appletPages.size(); ++page) {
        panels->pgcntrlApplet->setCurrentIndex(page);
        settle();
        if (page != vantrel::VantrelPanels::LoadingPage) {
            shoot(&window, appletPages[page]);
            continue;
        }
        for (int inner = 0; inner < loadingPages.size(); ++inner) {
            panels->pgcntrlLoading->setCurrentIndex(inner);
            shoot(&window, loadingPages[inner]);
        }
        if (preview)
            shootTogether(&window, preview, QStringLiteral("with-preview-loading"));
        panels->pgcntrlLoading->setCurrentIndex(0);
    }
    panels->pgcntrlApplet->setCurrentIndex(vantrel::VantrelPanels::AppletSettingsPage);
    settle();
    if (preview)
        shootTogether(&window, preview, QStringLiteral("with-preview"));

    kzt::TkztAppletAgent& agent = window.agent();
    if (agent.Items.size() > 2) {
        window.selectNode(agent.NodeOfItem(1));
        settle();
        const QStringList itemPages = {"item-general", "item-normal", "item-mouse-over", "item-clicked"};
        for (int page = 0; page < itemPages.size(); ++page) {
            panels->pgcntrlApplet->setCurrentIndex(vantrel::VantrelPanels::ItemGeneralPage + page);
            shoot(&window, itemPages[page]);
            if (page == 2 && preview)
                shootTogether(&window, preview, QStringLiteral("with-preview-item"));
        }
        // From the mouse-over page: that look comes checked.
        panels->pgcntrlApplet->setCurrentIndex(vantrel::VantrelPanels::ItemOverPage);
        shootModal([&] { panels->bttnItGlobalChange[1]->click(); }, QStringLiteral("global-properties-change"),
                   [&](QDialog* dialog) {
                       auto* bulk = qobject_cast<kzt::TfrmGlobalPropertiesChange*>(dialog);
                       if (!bulk)
                           return;
                       bulk->choiceBox(vantrel::ICaption)->setChecked(true);
                       bulk->perStateBox(vantrel::FntName)->setChecked(true);
                       bulk->toggleMark(agent.NodeOfItem(0));
                       bulk->toggleMark(agent.NodeOfItem(2));
                   });
        // F1 on the page asks for its topic.
        QTest::keyClick(panels->pgcntrlApplet->currentWidget(), Qt::Key_F1);
        settle();
        if (kzt::THH_Launch* launcher = window.helpLauncher(); launcher && launcher->window()) {
            launcher->window()->resize(640, 560);
            launcher->window()->move(window.frameGeometry().topRight() + QPoint(8, 0));
            shoot(launcher->window(), QStringLiteral("help"));
            launcher->request(kzt::THH_Launch::Request::Quit);
        }
    }
    shootModal([&] { trigger(window, "WebBrowser1"); }, QStringLiteral("web-browser"));

    window.setModified(false);
    window.close();
    return 0;
}
