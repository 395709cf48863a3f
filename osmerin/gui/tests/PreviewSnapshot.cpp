// Draws the native preview of a project with one item selected, as the editor
// shows it after opening the project and selecting that item, and writes it
// with its geometry, for the browser tests that hold the script runtime's
// news box against it:
//   osmerin_preview_snapshot PROJECT.osn OUTPUT_FOLDER [ITEM]
// ITEM counts from 0 (the default); OUTPUT_FOLDER gets "preview.png" and
// "preview.json": the client size, the kind and box of the item's content,
// the area its text covers (found by drawing it again with the text box
// empty) and the two scroll buttons' boxes. The project's files are staged
// in OUTPUT_FOLDER/staged, as the editor stages them.
#include "PreviewSnapshot.h"

#include "AppletAgent.h"
#include "AppletUtility.h"
#include "FieldText.h"
#include "osmerin/core/OsmerinProfile.h"
#include "osmerin/core/OsmerinRecords.h"
#include "osmerin/gui/TScrlBtn.h"
#include "osmerin/gui/TfrmWysiwyg.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPixmap>
#include <QTextEdit>

#include <cstdio>

using namespace osmerin;
namespace snapshot = kzt::snapshot;

namespace {

QImage shot(TfrmWysiwyg& window)
{
    return window.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

int number(std::string_view text, int fallback)
{
    const auto value = kzt::ParseDecimal(text);
    return value ? int(std::clamp<long long>(*value, 1, 8192)) : fallback;
}

} // namespace

int main(int argc, char** argv)
{
    snapshot::preferOffscreen();
    QApplication app(argc, argv);
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: osmerin_preview_snapshot PROJECT.osn OUTPUT_FOLDER [ITEM]\n");
        return 2;
    }
    bool numeric = true;
    const int selected = argc == 4 ? QString::fromLocal8Bit(argv[3]).toInt(&numeric) : 0;
    if (!numeric || selected < 0) {
        std::fprintf(stderr, "ITEM is an item number from 0\n");
        return 2;
    }
    const auto opened = snapshot::openStaged(OsmerinProfile::instance(), argv[1], argv[2]);
    if (!opened)
        return 1;
    kzt::TkztAppletAgent& agent = *opened;
    const QDir output(QFileInfo(QString::fromLocal8Bit(argv[2])).absoluteFilePath());

    const kzt::TAppletData& applet = agent.AppletData;
    TfrmWysiwyg window;
    window.setAppletSize(number(applet.get(AppletWidth), 140), number(applet.get(AppletHeight), 230));
    // The editor commits the item before it refreshes: its content follows
    // the content type, and its text box holds the item's lines.
    const kzt::TItemData* item = nullptr;
    kzt::TItemData record;
    QStringList lines;
    if (std::size_t(selected) < agent.Items.size()) {
        record = agent.Items[std::size_t(selected)];
        if (record.size() >= ItemFieldCount) {
            record.set(ItemContent, DerivedItemContent(record));
            for (const std::string& line : SplitItemText(record.get(ItemText)))
                lines << kzt::FieldText::toControl(line);
            item = &record;
        }
    }
    window.refresh(applet, item, lines.join(QLatin1Char('\n')), agent.paths().previewDir);
    const QImage picture = shot(window);

    QJsonObject geometry{{QStringLiteral("width"), picture.width()}, {QStringLiteral("height"), picture.height()}};
    QJsonValue kind;
    QJsonValue content;
    QJsonValue text;
    if (!window.memoText->isHidden()) {
        kind = QStringLiteral("text");
        content = snapshot::boxJson(window.memoText->geometry());
        window.memoText->clear();
        text = snapshot::boxJson(snapshot::changedArea(picture, shot(window), window.memoText->geometry()));
    } else if (!window.imgImage->isHidden()) {
        kind = QStringLiteral("image");
        content = snapshot::boxJson(window.imgImage->geometry());
    }
    geometry[QStringLiteral("kind")] = kind;
    geometry[QStringLiteral("content")] = content;
    geometry[QStringLiteral("text")] = text;
    QJsonArray buttons;
    for (const TScrlBtn* button : {window.ScrlBtn1, window.ScrlBtn2})
        if (!button->isHidden())
            buttons.append(snapshot::boxJson(button->geometry()));
    geometry[QStringLiteral("buttons")] = buttons;
    return snapshot::writeSnapshot(output.absolutePath(), picture, geometry) ? 0 : 1;
}
