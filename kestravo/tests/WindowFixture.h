#pragma once

#include "AppletAgent.h"
#include "WindowTestWorld.h"
#include "kestravo/gui/TMainForm.h"

#include <memory>

// The kestravo window in a fresh test world, with a private copy of the
// shipped files.
class WindowFixture : public WindowTestWorld
{
public:
    WindowFixture();
    ~WindowFixture() override;

    kestravo::TMainForm& window();
    kzt::TkztAppletAgent& agent() { return window().agent(); }
    QString shareDir() const { return path(QStringLiteral("share")); }

protected:
    kzt::EditorMainWindow& editorWindow() override { return window(); }

private:
    std::unique_ptr<kestravo::TMainForm> m_window;
};
