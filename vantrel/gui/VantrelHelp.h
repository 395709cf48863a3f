#pragma once

namespace kzt {
class Help;
}

namespace vantrel {

// The help context numbers of the window's pages and dialogs.
enum HelpContext : int {
    hcAppletSettings = 8,
    hcAppletBackground = 9,
    hcScrollBar = 29,
    hcProgressBar = 31,
    hcMessage = 32,
    hcBgAndStatusBar = 33,
    hcAdvanced = 34,
    hcItemGeneral = 36,
    hcItemNormal = 37,
    hcItemOver = 38,
    hcItemClicked = 39,
    hcItemTree = 43,
    hcGlobalPropertiesChange = 44,
};

// Registers the topic page of every help context number.
void addHelpTopics(kzt::Help& help);

} // namespace vantrel
