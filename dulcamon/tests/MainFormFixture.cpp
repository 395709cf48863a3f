#include "MainFormFixture.h"

#include "PreviewFolder.h"

MainFormFixture::~MainFormFixture()
{
    closeWindow(m_window.get());
    m_window.reset();
}

dulcamon::TMainForm& MainFormFixture::window()
{
    if (!m_window) {
        kzt::AppPaths paths;
        paths.shareDir = std::filesystem::path(KZT_SOURCE_DIR) / "dulcamon" / "share";
        paths.userDataDir = path(QStringLiteral("data/dulcamon")).toStdString();
        paths.previewDir = kzt::PreviewFolder::claim(paths.userDataDir);
        m_window = std::make_unique<dulcamon::TMainForm>(paths);
        showWindow(*m_window);
    }
    return *m_window;
}

QString MainFormFixture::previewDir() const
{
    // This test program's own folder, as the window's.
    return QString::fromStdString(
        kzt::PreviewFolder::claim(path(QStringLiteral("data/dulcamon")).toStdString()).string());
}
