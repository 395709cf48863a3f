#pragma once

#include "AppletAgent.h"
#include "WindowTestWorld.h"
#include "dulcamon/gui/TMainForm.h"

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

protected:
    kzt::EditorMainWindow& editorWindow() override { return window(); }

private:
    std::unique_ptr<dulcamon::TMainForm> m_window;
};
