// Shows the preview of every given project in its three item looks and its
// loading screen and saves each as a PNG, to look at the preview by eye.
//   vantrel_preview_tour OUTPUT_FOLDER PROJECT.vtp...
// Pictures are found next to each project, as the editor's preview folder
// would hold them.
#include "vantrel/preview/TfrmWysiwyg.h"

#include "AppletAgent.h"
#include "vantrel/core/VantrelProfile.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPixmap>
#include <QSaveFile>

#include <cstdio>

using namespace vantrel;

namespace {

bool save(TfrmWysiwyg& window, const QString& path)
{
    window.refresh(-1);
    const QPixmap shot = window.grab();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !shot.save(&file, "PNG") || !file.commit()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: vantrel_preview_tour OUTPUT_FOLDER PROJECT.vtp...\n");
        return 2;
    }
    const QString output = QString::fromLocal8Bit(argv[1]);
    int failures = 0;
    for (int i = 2; i < argc; ++i) {
        const QFileInfo project(QString::fromLocal8Bit(argv[i]));
        kzt::AppPaths paths;
        paths.previewDir = project.absolutePath().toStdString();
        kzt::TkztAppletAgent agent(VantrelProfile::instance(), paths);
        if (!agent.ReadProjectFile(project.absoluteFilePath().toStdString()).ok()) {
            std::fprintf(stderr, "cannot read %s\n", argv[i]);
            ++failures;
            continue;
        }
        TfrmWysiwyg window(agent);
        window.applyAppletSize();
        window.rebuildCache();
        const QString base = QDir(output).filePath(QStringLiteral("vantrel-preview-") + project.completeBaseName());
        const struct {
            const char* suffix;
            bool over;
            bool clicked;
            bool loading;
        } pages[] = {{"-normal", false, false, false},
                     {"-over", true, false, false},
                     {"-clicked", false, true, false},
                     {"-loading", false, false, true}};
        for (const auto& page : pages) {
            window.setItemGeneralPage(!page.over && !page.clicked && !page.loading);
            window.setItemOverPage(page.over);
            window.setItemClickedPage(page.clicked);
            window.setLoadingPage(page.loading);
            if (!save(window, base + QLatin1String(page.suffix) + QStringLiteral(".png")))
                ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
