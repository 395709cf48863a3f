#include "kestravo/gui/TfrmHelp.h"

#include "EditingKit.h"

#include <QTextBrowser>

namespace kestravo {

TfrmHelp::TfrmHelp(std::filesystem::path helpFolder, QWidget* parent)
    : kzt::HelpWindow(parent), m_helpFolder(std::move(helpFolder))
{
    setObjectName(QStringLiteral("frmHelp"));
    setWindowFlags(Qt::Tool);
    setWindowTitle(QStringLiteral("Help"));
    browser()->setObjectName(QStringLiteral("WebBrowser1"));
    resize(402, 428);
}

const char* TfrmHelp::topicFile(int topic)
{
    static const char* const topics[] = {
        "getting_started.htm",
        "customizing_js_menu_menu_general.htm",
        "customizing_js_menu_menu_font_settings.htm",
        "customizing_js_menu_menu_menu.htm",
        "customizing_js_menu_menu_tip_message_first_item.htm",
        "customizing_js_menu_menu_main_item.htm",
        "customizing_js_menu_menu_sub_item.htm",
        "customizing_js_menu_menu_sub_item_alternation.htm",
        "customizing_js_item_item_caption.htm",
        "customizing_js_item_item_link.htm",
        "customizing_js_menu_path_path.htm",
    };
    constexpr int count = static_cast<int>(sizeof topics / sizeof topics[0]);
    return topics[topic > 0 && topic < count ? topic : 0];
}

QString TfrmHelp::topicUrl(const QString& path)
{
    return kzt::EditingKit::localUrl(path);
}

QString TfrmHelp::topicPath(int topic) const
{
    return QString::fromStdString((m_helpFolder / topicFile(topic)).string());
}

bool TfrmHelp::ShowTopic(int topic)
{
    if (!showPage(topicPath(topic)))
        return false;
    show();
    raise();
    return true;
}

} // namespace kestravo
