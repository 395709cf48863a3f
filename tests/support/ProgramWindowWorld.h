#pragma once

#include "WindowTestWorld.h"

#include "AppPaths.h"
#include "PreviewFolder.h"

#include <filesystem>
#include <memory>

// One program's main window, shown in a world of its own with the program's
// shipped files from the source tree (KZT_SOURCE_DIR), for tests that go
// over every program's window.
template <typename Window> class ProgramWindowWorld : public WindowTestWorld
{
public:
    explicit ProgramWindowWorld(const char* executable)
    {
        kzt::AppPaths paths;
        paths.shareDir = std::filesystem::path(KZT_SOURCE_DIR) / executable / "share";
        paths.userDataDir = path(QStringLiteral("data/") + QLatin1String(executable)).toStdString();
        paths.previewDir = kzt::PreviewFolder::claim(paths.userDataDir);
        m_window = std::make_unique<Window>(paths);
        showWindow(*m_window);
    }
    ~ProgramWindowWorld() override
    {
        closeWindow(m_window.get());
        m_window.reset();
    }
    Window& window() { return *m_window; }

protected:
    kzt::EditorMainWindow& editorWindow() override { return *m_window; }

private:
    std::unique_ptr<Window> m_window;
};
