#include "CommandLine.h"
#include "PreviewFolder.h"
#include "StructureCommandLine.h"
#include "kestravo/core/KestravoProfile.h"
#include "kestravo/core/KestravoStructure.h"
#include "kestravo/gui/TMainForm.h"

#include <QApplication>
#include <QStringList>

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    const auto& product = kestravo::KestravoProfile::instance();
    const std::vector<std::string> args(argv + 1, argv + argc);
    kzt::AppPaths paths = kzt::AppPaths::forProduct("kestravo", KESTRAVO_SOURCE_SHARE_DIR);
    kzt::CommandLine commandLine(product, paths);
    kzt::StructureCommandLine::addOptions(commandLine, kestravo::KestravoStructure::mapping());
    // The command-line jobs need no window and no display.
    if (commandLine.wantsCommandLine(args))
        return commandLine.run(args, std::cout, std::cerr);

    // This window's own preview folder; those of ended programs go.
    paths.previewDir = kzt::PreviewFolder::claim(paths.userDataDir);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromStdString(product.info().name));
    kestravo::TMainForm window(paths);
    window.show();
    window.startUp(QApplication::arguments().mid(1));
    return QApplication::exec();
}
