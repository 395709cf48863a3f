#include "CommandLine.h"
#include "dulcamon/core/DulcamonProfile.h"
#include "dulcamon/core/DulcamonStructure.h"
#include "PreviewFolder.h"
#include "StructureCommandLine.h"
#include "dulcamon/gui/TMainForm.h"

#include <QApplication>
#include <QStringList>

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    const auto& product = dulcamon::DulcamonProfile::instance();
    const std::vector<std::string> args(argv + 1, argv + argc);
    kzt::AppPaths paths = kzt::AppPaths::forProduct("dulcamon", DULCAMON_SOURCE_SHARE_DIR);
    kzt::CommandLine commandLine(product, paths);
    kzt::StructureCommandLine::addOptions(commandLine, dulcamon::DulcamonStructure::mapping());
    // The command-line jobs need no window and no display.
    if (commandLine.wantsCommandLine(args))
        return commandLine.run(args, std::cout, std::cerr);

    // This window's own preview folder; those of ended programs go.
    paths.previewDir = kzt::PreviewFolder::claim(paths.userDataDir);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromStdString(product.info().name));
    dulcamon::TMainForm window(paths);
    window.show();
    window.startUp(QApplication::arguments().mid(1));
    return QApplication::exec();
}
