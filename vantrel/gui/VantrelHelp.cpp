#include "vantrel/gui/VantrelHelp.h"

#include "Help.h"

namespace vantrel {

void addHelpTopics(kzt::Help& help)
{
    static const struct {
        HelpContext context;
        const char* page;
    } topics[] = {
        {hcAppletSettings, "applet-settings.html"},
        {hcAppletBackground, "applet-background.html"},
        {hcScrollBar, "scroll-bar.html"},
        {hcProgressBar, "progress-bar.html"},
        {hcMessage, "loading-message.html"},
        {hcBgAndStatusBar, "loading-background.html"},
        {hcAdvanced, "advanced.html"},
        {hcItemGeneral, "item-general.html"},
        {hcItemNormal, "item-normal.html"},
        {hcItemOver, "item-mouse-over.html"},
        {hcItemClicked, "item-clicked.html"},
        {hcItemTree, "item-tree.html"},
        {hcGlobalPropertiesChange, "global-properties-change.html"},
    };
    for (const auto& topic : topics)
        help.addTopic(topic.context, QString::fromLatin1(topic.page));
}

} // namespace vantrel
