// Shows the dulcamon window, each of its tabs and each dialog with a
// template project open, and writes a picture of each into a folder.
// Usage: dulcamon_screenshots OUTPUT_FOLDER   (run under a real X server, e.g. Xvfb)

#include "AppletAgent.h"
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

namespace {

QString g_output;

void settle()
{
    for (int i = 0; i < 20; ++i) {
        QApplication::processEvents();
        QThread::msleep(10);
    }
}

void shoot(QWidget* widget, const QString& name)
{
    widget->raise();
    widget->activateWindow();
    settle();
    const QString file = g_output + QStringLiteral("/dulcamon-window-") + name + QStringLiteral(".png");
    if (!widget->grab().save(file))
        std::fprintf(stderr, "could not write %s\n", qPrintable(file));
    else
        std::printf("%s\n", qPrintable(file));
}

} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", (home.path() + QStringLiteral("/data")).toUtf8());
    qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/config")).toUtf8());
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: dulcamon_screenshots OUTPUT_FOLDER\n");
        return 2;
    }
    g_output = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(g_output);
    kzt::MessageBox::setScripted(true);

    kzt::AppPaths paths;
    paths.shareDir = std::filesystem::path(KZT_SOURCE_DIR) / "dulcamon" / "share";
    paths.userDataDir = (home.path() + QStringLiteral("/data/dulcamon")).toStdString();
    paths.previewDir = kzt::PreviewFolder::claim(paths.userDataDir);
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
