#pragma once

#include "AppPaths.h"
#include "StructureFileFormat.h"

#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>

namespace kzt {

class EditorMainWindow;
class ProductProfile;

// What sets one program apart when it starts; the rest is runProgram's.
struct ProgramStart
{
    ProgramStart(const ProductProfile& product, std::string name, std::string sourceShareDir)
        : product(product), name(std::move(name)), sourceShareDir(std::move(sourceShareDir))
    {
    }

    const ProductProfile& product;
    // The program's own name: its folders under the user's data and config.
    std::string name;
    // The shipped files when the program runs where it was built.
    std::string sourceShareDir;
    // The name the desktop shows; the product's name when empty.
    std::string applicationName;
    // The structure file options of the command line, for the products that have them.
    std::optional<MenuStructureMapping> structure;
};

// Makes the window, shows it and opens the arguments in it.
using WindowStart = std::function<std::unique_ptr<EditorMainWindow>(AppPaths paths, const QStringList& arguments)>;

// The whole life of a program: a command-line job (its --help and --serve
// included) runs without a window or a display; anything else opens the
// editor window and runs until it closes.
int runProgram(int argc, char** argv, const ProgramStart& start, const WindowStart& window);

template <class Window> int runProgram(int argc, char** argv, const ProgramStart& start)
{
    return runProgram(argc, argv, start, [](AppPaths paths, const QStringList& arguments) {
        auto window = std::make_unique<Window>(std::move(paths));
        window->show();
        // A product with a preview window of its own shows it beside the editor.
        if constexpr (requires { window->showPreviewWindow(); })
            window->showPreviewWindow();
        window->startUp(arguments);
        return std::unique_ptr<EditorMainWindow>(std::move(window));
    });
}

} // namespace kzt
