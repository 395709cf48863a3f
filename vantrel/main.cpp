#include "ProgramStart.h"
#include "vantrel/core/VantrelProfile.h"
#include "vantrel/gui/TMainForm.h"

int main(int argc, char** argv)
{
    kzt::ProgramStart start{vantrel::VantrelProfile::instance(), "vantrel", VANTREL_SOURCE_SHARE_DIR};
    start.applicationName = "Vantrel 2005";
    return kzt::runProgram<vantrel::TMainForm>(argc, argv, start);
}
