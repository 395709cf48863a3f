// Shows the osmerin window with a template open, each of its pages, the
// preview window for a text, an image and a text-file item, and the
// templates dialog, and writes a picture of each into a folder.
// Usage: osmerin_screenshots OUTPUT_FOLDER   (run under a real X server, e.g. Xvfb)

#include "AppletAgent.h"
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

namespace {

QString g_output;

void settle()
{
    for (int i = 0; i < 30; ++i) {
        QApplication::processEvents();
        QThread::msleep(10);
    }
}

void save(const QPixmap& picture, const QString& name)
{
    const QString file = g_output + QStringLiteral("/osmerin-window-") + name + QStringLiteral(".png");
    if (!picture.save(file))
        std::fprintf(stderr, "could not write %s\n", qPrintable(file));
    else
        std::printf("%s\n", qPrintable(file));
}

void shoot(QWidget* widget, const QString& name)
{
    widget->raise();
    settle();
    save(widget->grab(), name);
}

// The window and its preview as the screen shows them.
void shootBoth(QWidget* window, QWidget* preview, const QString& name)
{
    settle();
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect both = window->frameGeometry().united(preview->frameGeometry()).adjusted(-8, -8, 8, 8);
        save(screen->grabWindow(0, both.x(), both.y(), both.width(), both.height()), name);
    }
}

} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", (home.path() + QStringLiteral("/data")).toUtf8());
    qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/config")).toUtf8());
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: osmerin_screenshots OUTPUT_FOLDER\n");
        return 2;
    }
    g_output = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(g_output);
    kzt::MessageBox::setScripted(true);

    kzt::AppPaths paths;
    paths.shareDir = std::filesystem::path(KZT_SOURCE_DIR) / "osmerin" / "share";
    paths.userDataDir = (home.path() + QStringLiteral("/data/osmerin")).toStdString();
    paths.previewDir = kzt::PreviewFolder::claim(paths.userDataDir);
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
            if (agent.Items[i][osmerin::ItemContentType] != std::to_string(kind))
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
            shootBoth(&window, preview, QStringLiteral("with-preview-") + kinds[kind]);
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
