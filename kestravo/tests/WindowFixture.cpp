#include "WindowFixture.h"


WindowFixture::WindowFixture()
{
    copyFolder(QStringLiteral(KZT_SOURCE_DIR "/kestravo/share"), shareDir());
}

WindowFixture::~WindowFixture()
{
    closeWindow(m_window.get());
    m_window.reset();
}

kestravo::TMainForm& WindowFixture::window()
{
    if (!m_window) {
        kzt::AppPaths paths;
        paths.shareDir = shareDir().toStdString();
        paths.userDataDir = path(QStringLiteral("data/kestravo")).toStdString();
        paths.previewDir = paths.userDataDir / "preview";
        m_window = std::make_unique<kestravo::TMainForm>(paths);
        showWindow(*m_window);
    }
    return *m_window;
}
