// Shows the osmerin window with a template open, each of its pages, the
// preview window for a text, an image and a text-file item, and the
// templates dialog, and writes a picture of each into a folder.
// Usage: osmerin_screenshots OUTPUT_FOLDER   (run under a real X server, e.g. Xvfb)

#include "AppletAgent.h"
#include "ScreenshotTour.h"
#include "MessageBox.h"
#include "PreviewFolder.h"
#include "TfrmTemplet.h"
#include "TreeNode.h"
#include "osmerin/core/OsmerinRecords.h"
#include "osmerin/gui/OsmerinPanels.h"
#include "osmerin/gui/TMainForm.h"
#include "osmerin/gui/TfrmWysiwyg.h"

#include <QApplication>
#include <QDir>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QThread>
#include <QTreeView>

#include <cstdio>

using namespace screenshots;

int main(int argc, char** argv)
{
    const Tour tour("osmerin");
    QApplication app(argc, argv);
    if (!tour.start(argc, argv))
        return 2;
    const kzt::AppPaths paths = tour.paths();
    const QString templates = QString::fromStdString((paths.shareDir / "templates").string());

    osmerin::TMainForm window(paths);
    window.show();
    window.move(40, 40);
    window.showPreviewWindow();
    window.OpenProject(templates + QStringLiteral("/mixed_news.osn"));
    window.treeView()->expandAll();
    osmerin::TfrmWysiwyg* preview = window.previewWindow();
    preview->move(window.frameGeometry().topRight() + QPoint(8, 0));
    settle();

    osmerin::OsmerinPanels* panels = window.panels();
    const QStringList appletPages = {"applet-setting", "scroll-button", "border-and-cursor", "loading-message"};
    for (int i = 0; i < appletPages.size(); ++i) {
        panels->PageControl2->setCurrentIndex(i);
        shoot(&window, appletPages[i]);
    }
    shoot(preview, QStringLiteral("preview-root"));

    kzt::TkztAppletAgent& agent = window.agent();
    const QStringList kinds = {"text", "image", "textfile"};
    bool pagesShot = false;
    for (std::size_t kind = 0; kind < 3; ++kind) {
        for (std::size_t i = 0; i < agent.Items.size(); ++i) {
            if (agent.Items[i].get(osmerin::ItemContentType) != std::to_string(kind))
                continue;
            window.selectNode(agent.NodeOfItem(i));
            settle();
            if (!pagesShot) {
                const QStringList itemPages = {"general", "text-settings", "links"};
                for (int p = 0; p < itemPages.size(); ++p) {
                    panels->PageControl1->setCurrentIndex(p);
                    shoot(&window, itemPages[p]);
                }
                panels->PageControl1->setCurrentIndex(0);
                pagesShot = true;
            }
            shoot(preview, QStringLiteral("preview-") + kinds[kind]);
            shootTogether(&window, preview, QStringLiteral("with-preview-") + kinds[kind]);
            break;
        }
    }

    QString error;
    const auto dialog = kzt::TfrmTemplet::create(osmerin::TMainForm::platform(), kzt::TempletTexts{
        QStringLiteral("Templet"),
        {QStringLiteral("Click OK, The templet you selected will"), QStringLiteral("be opened. Click Cancel, a new project"),
         QStringLiteral("will be created.")},
        QStringLiteral("Don't show this dialog again."), QStringLiteral("*.osn"), false, true},
        templates, QString(), &window, &error);
    if (dialog) {
        dialog->show();
        shoot(dialog.get(), QStringLiteral("templets-dialog"));
        dialog->hide();
    }
    window.close();
    return 0;
}
