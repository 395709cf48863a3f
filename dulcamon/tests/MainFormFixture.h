#pragma once

#include "AppletAgent.h"
#include "WindowTestWorld.h"
#include "dulcamon/gui/TMainForm.h"

#include <cstddef>
#include <initializer_list>
#include <memory>

// The dulcamon window in a fresh test world.
class MainFormFixture : public WindowTestWorld
{
public:
    ~MainFormFixture() override;

    dulcamon::TMainForm& window();
    kzt::TkztAppletAgent& agent() { return window().agent(); }
    QString previewDir() const;
    void clickToolButton(const char* name) { click(name); }
    // Copies the selected item's caption onto the items at `positions`
    // through the bulk copy dialog, as an author marks them and confirms.
    void copyCaptionTo(std::initializer_list<std::size_t> positions);

protected:
    kzt::EditorMainWindow& editorWindow() override { return window(); }

private:
    std::unique_ptr<dulcamon::TMainForm> m_window;
};
