// Shows vantrel's bulk copy dialog and help window and writes a picture of
// each into a folder.
// Usage: vantrel_screenshots OUTPUT_FOLDER   (run under a real X server, e.g. Xvfb)

#include "AppletAgent.h"
#include "Help.h"
#include "HelpWindow.h"
#include "ScreenshotTour.h"
#include "THH_Launch.h"
#include "TfrmGlobalPropertiesChange.h"
#include "vantrel/core/VantrelFields.h"
#include "vantrel/core/VantrelProfile.h"
#include "vantrel/gui/VantrelHelp.h"
#include "vantrel/gui/VantrelPropertyLayout.h"

#include <QApplication>
#include <QCheckBox>

using namespace screenshots;

int main(int argc, char** argv)
{
    const Tour tour("vantrel");
    QApplication app(argc, argv);
    if (!tour.start(argc, argv))
        return 2;
    const kzt::AppPaths paths = tour.paths();
    kzt::TkztAppletAgent agent(vantrel::VantrelProfile::instance(), paths);
    (void)agent.ReadProjectFile(paths.shareDir / "templates" / "paper_pictures.vtp");

    QWidget owner;
    owner.resize(300, 200);
    owner.show();
    kzt::TfrmGlobalPropertiesChange bulk(agent, 0, vantrel::globalPropertiesLayout(), &owner);
    bulk.checkState(vantrel::kOverState);
    bulk.choiceBox(vantrel::ICaption)->setChecked(true);
    bulk.perStateBox(vantrel::FntName)->setChecked(true);
    if (agent.Items.size() > 2) {
        bulk.toggleMark(agent.NodeOfItem(1));
        bulk.toggleMark(agent.NodeOfItem(2));
    }
    bulk.show();
    shoot(&bulk, QStringLiteral("global-properties-change"));
    bulk.hide();

    kzt::Help help(QString::fromStdString((paths.shareDir / "help").string()));
    vantrel::addHelpTopics(help);
    kzt::THH_Launch launcher(help, &owner);
    launcher.request(kzt::THH_Launch::Request::ShowContext, vantrel::hcItemOver);
    if (kzt::HelpWindow* shown = launcher.window()) {
        shown->resize(640, 560);
        shoot(shown, QStringLiteral("help"));
    }
    return 0;
}
