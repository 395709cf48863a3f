#include "ProgramStart.h"

#include "CommandLine.h"
#include "EditorMainWindow.h"
#include "PreviewFolder.h"
#include "ProductProfile.h"
#include "StructureCommandLine.h"

#include <QApplication>

#include <iostream>
#include <vector>

namespace kzt {

int runProgram(int argc, char** argv, const ProgramStart& start, const WindowStart& window)
{
    const ProductProfile& product = start.product;
    const std::vector<std::string> args(argv + 1, argv + argc);
    AppPaths paths = AppPaths::forProduct(start.name, start.sourceShareDir);
    CommandLine commandLine(product, paths);
    if (start.structure)
        StructureCommandLine::addOptions(commandLine, *start.structure);
    if (!product.info().browserRuntime.empty())
        commandLine.setScriptRuntime(EditorMainWindow::scriptRuntimeSetting(product));
    // The command-line jobs need no window and no display.
    if (commandLine.wantsCommandLine(args))
        return commandLine.run(args, std::cout, std::cerr);

    // This window's own preview folder; those of ended programs go.
    paths.previewDir = PreviewFolder::claim(paths.userDataDir);
    QApplication app(argc, argv);
    const std::string& shownName = start.applicationName.empty() ? product.info().name : start.applicationName;
    QApplication::setApplicationName(QString::fromStdString(shownName));
    const std::unique_ptr<EditorMainWindow> editor = window(std::move(paths), QApplication::arguments().mid(1));
    return QApplication::exec();
}

} // namespace kzt
