// Draws the native preview of a project as the editor would after opening it
// (normal looks, scroll bar at the top), or its loading screen, and writes it
// with its geometry, for the browser tests that hold the script runtime's
// drawing against it:
//   vantrel_preview_snapshot PROJECT.vtp OUTPUT_FOLDER [loading]
// OUTPUT_FOLDER gets "preview.png" and "preview.json": the client size, each
// item's box, the area each item's caption covers (found by drawing the menu
// again with every caption empty) and the scroll bar's box; for the loading
// screen the area its two messages cover instead. The project's pictures are
// staged in OUTPUT_FOLDER/staged, as the editor stages them.
#include "PreviewSnapshot.h"
#include "vantrel/preview/TfrmWysiwyg.h"

#include "AppletAgent.h"
#include "vantrel/core/VantrelFields.h"
#include "vantrel/core/VantrelProfile.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPixmap>

#include <cstdio>
#include <string_view>

using namespace kzt;
using namespace vantrel;
namespace snapshot = kzt::snapshot;

namespace {

QImage shot(TfrmWysiwyg& window)
{
    window.refresh(-1);
    return window.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QRect rectOf(const Box& box)
{
    return QRect(QPoint(box.left, box.top), QPoint(box.right - 1, box.bottom - 1));
}

} // namespace

int main(int argc, char** argv)
{
    snapshot::preferOffscreen();
    QApplication app(argc, argv);
    const bool loading = argc == 4 && std::string_view(argv[3]) == "loading";
    if (argc != 3 && !loading) {
        std::fprintf(stderr, "usage: vantrel_preview_snapshot PROJECT.vtp OUTPUT_FOLDER [loading]\n");
        return 2;
    }
    const auto opened = snapshot::openStaged(VantrelProfile::instance(), argv[1], argv[2]);
    if (!opened)
        return 1;
    kzt::TkztAppletAgent& agent = *opened;
    const QDir output(QFileInfo(QString::fromLocal8Bit(argv[2])).absoluteFilePath());

    TfrmWysiwyg window(agent);
    window.applyAppletSize();
    window.rebuildCache();
    window.setLoadingPage(loading);
    const QImage picture = shot(window);

    QJsonObject geometry{{QStringLiteral("width"), picture.width()}, {QStringLiteral("height"), picture.height()}};
    QJsonArray items;
    for (const Box& box : window.itemBoxes())
        items.append(snapshot::boxJson(rectOf(box)));
    geometry[QStringLiteral("items")] = items;
    TKZTScrollBar* bar = window.scrollBar();
    geometry[QStringLiteral("scrollBar")] = bar->isHidden() ? QJsonValue() : snapshot::boxJson(bar->geometry());
    geometry[QStringLiteral("scrollPosition")] = bar->isHidden() ? 0 : bar->position();

    if (loading) {
        // Each message's pixels: whatever changes when it no longer shows.
        agent.AppletData.set(ShowApLoadingMsg1, "0");
        const QImage second = shot(window);
        agent.AppletData.set(ShowApLoadingMsg2, "0");
        geometry[QStringLiteral("text")] =
            QJsonArray{snapshot::boxJson(snapshot::changedArea(picture, second, picture.rect())),
                       snapshot::boxJson(snapshot::changedArea(second, shot(window), picture.rect()))};
        return snapshot::writeSnapshot(output.absolutePath(), picture, geometry) ? 0 : 1;
    }

    // The captions' pixels: whatever changes when no item has a caption.
    for (auto& item : agent.Items)
        if (item.size() > ICaption)
            item.set(ICaption, "");
    window.rebuildCache();
    const QImage blank = shot(window);
    QJsonArray text;
    for (const Box& box : window.itemBoxes())
        text.append(snapshot::boxJson(snapshot::changedArea(picture, blank, rectOf(box))));
    geometry[QStringLiteral("text")] = text;
    return snapshot::writeSnapshot(output.absolutePath(), picture, geometry) ? 0 : 1;
}
