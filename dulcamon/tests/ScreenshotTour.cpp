// Shows the dulcamon window, each of its tabs and each dialog with a
// template project open, and writes a picture of each into a folder.
// Usage: dulcamon_screenshots OUTPUT_FOLDER   (run under a real X server, e.g. Xvfb)

#include "AppletAgent.h"
#include "ScreenshotTour.h"
#include "dulcamon/gui/DulcamonPanels.h"
#include "MessageBox.h"
#include "PreviewFolder.h"
#include "dulcamon/gui/TMainForm.h"
#include "TformHTML.h"
#include "TformWebBrowser.h"
#include "TfrmGlobalPropertiesChange.h"
#include "TfrmPublishReport.h"
#include "TfrmTemplet.h"
#include "TreeNode.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTemporaryDir>
#include <QThread>
#include <QTreeView>

#include <cstdio>

using namespace screenshots;

int main(int argc, char** argv)
{
    const Tour tour("dulcamon");
    QApplication app(argc, argv);
    if (!tour.start(argc, argv))
        return 2;
    const kzt::AppPaths paths = tour.paths();
    const QString templates = QString::fromStdString((paths.shareDir / "templates").string());

    dulcamon::TMainForm window(paths);
    window.show();
    window.OpenProject(templates + QStringLiteral("/classic_vertical.dlcg"));
    window.treeView()->expandAll();
    settle();
    shoot(&window, QStringLiteral("menu-tab"));
    window.panels()->setCurrentWidget(window.panels()->itemsTab());
    shoot(&window, QStringLiteral("items-tab"));
    kzt::TkztAppletAgent& agent = window.agent();
    if (!agent.Items.empty()) {
        window.selectNode(agent.NodeOfItem(std::min<std::size_t>(1, agent.Items.size() - 1)));
        shoot(&window, QStringLiteral("item-tab"));
        window.panels()->setCurrentWidget(window.panels()->colourTab());
        shoot(&window, QStringLiteral("foreground-background-tab"));
    }
    window.setModified(false);

    window.BuildHTMLIntoViewer();
    window.htmlViewer()->resize(620, 420);
    window.htmlViewer()->show();
    shoot(window.htmlViewer(), QStringLiteral("build-html"));
    window.htmlViewer()->hide();

    {
        kzt::TfrmPublishReport report(&window);
        report.setReport(agent.PublishReportText());
        report.show();
        shoot(&report, QStringLiteral("publish-report"));
    }
    {
        kzt::TformWebBrowser browser(dulcamon::TMainForm::platform(), &window);
        browser.show();
        shoot(&browser, QStringLiteral("web-browser"));
    }
    {
        QString error;
        auto dialog = kzt::TfrmTemplet::create(dulcamon::TMainForm::platform(), [] {
            kzt::TempletTexts texts;
            texts.caption = QStringLiteral("Template");
            texts.hintLines = {QStringLiteral("Click OK to open selected template or cancel to create a new project.")};
            texts.checkBoxText = QStringLiteral("Do not show this dialog again.");
            texts.pattern = QStringLiteral("*.dlcg");
            return texts;
        }(), templates, QString::fromStdString(paths.userTemplatesDir().string()), &window, &error);
        if (dialog) {
            dialog->show();
            shoot(dialog.get(), QStringLiteral("templates"));
        }
    }
    if (!agent.Items.empty()) {
        kzt::TfrmGlobalPropertiesChange bulk(agent, 0, dulcamon::TMainForm::bulkCopyLayout(), &window);
        bulk.toggleMark(agent.NodeOfItem(0));
        bulk.show();
        shoot(&bulk, QStringLiteral("global-properties-change"));
    }
    window.setModified(false);
    window.close();
    return 0;
}
