// Shows the kestravo window with a template open, each of its pages and the
// help window beside it, and writes a picture of each into a folder.
// Usage: kestravo_screenshots OUTPUT_FOLDER   (run under a real X server, e.g. Xvfb)

#include "AppletAgent.h"
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
    const QString file = g_output + QStringLiteral("/kestravo-window-") + name + QStringLiteral(".png");
    if (!picture.save(file))
        std::fprintf(stderr, "could not write %s\n", qPrintable(file));
    else
        std::printf("%s\n", qPrintable(file));
}

void shoot(QWidget* widget, const QString& name)
{
    widget->raise();
    widget->activateWindow();
    settle();
    save(widget->grab(), name);
}

} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", (home.path() + QStringLiteral("/data")).toUtf8());
    qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/config")).toUtf8());
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: kestravo_screenshots OUTPUT_FOLDER\n");
        return 2;
    }
    g_output = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(g_output);
    kzt::MessageBox::setScripted(true);

    kzt::AppPaths paths;
    paths.shareDir = std::filesystem::path(KZT_SOURCE_DIR) / "kestravo" / "share";
    paths.userDataDir = (home.path() + QStringLiteral("/data/kestravo")).toStdString();
    paths.previewDir = kzt::PreviewFolder::claim(paths.userDataDir);
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
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect both = window.frameGeometry().united(window.helpWindow()->frameGeometry()).adjusted(-8, -8, 8, 8);
        save(screen->grabWindow(0, both.x(), both.y(), both.width(), both.height()), QStringLiteral("with-help"));
    }
    window.setModified(false);
    window.close();
    return 0;
}
