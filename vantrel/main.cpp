#include "CommandLine.h"
#include "EditorMainWindow.h"
#include "PreviewFolder.h"
#include "vantrel/core/VantrelProfile.h"
#include "vantrel/gui/TMainForm.h"

#include <QApplication>
#include <QStringList>

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    const auto& product = vantrel::VantrelProfile::instance();
    const std::vector<std::string> args(argv + 1, argv + argc);
    kzt::AppPaths paths = kzt::AppPaths::forProduct("vantrel", VANTREL_SOURCE_SHARE_DIR);
    kzt::CommandLine commandLine(product, paths);
    commandLine.setScriptRuntime(kzt::EditorMainWindow::scriptRuntimeSetting(product));
    // The command-line jobs need no window and no display.
    if (commandLine.wantsCommandLine(args))
        return commandLine.run(args, std::cout, std::cerr);

    // This window's own preview folder; those of ended programs go.
    paths.previewDir = kzt::PreviewFolder::claim(paths.userDataDir);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vantrel 2005"));
    vantrel::TMainForm window(paths);
    window.show();
    window.showPreviewWindow();
    window.startUp(QApplication::arguments().mid(1));
    return QApplication::exec();
}
