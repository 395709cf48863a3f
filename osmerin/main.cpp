#include "ProgramStart.h"
#include "osmerin/core/OsmerinProfile.h"
#include "osmerin/gui/TMainForm.h"

int main(int argc, char** argv)
{
    kzt::ProgramStart start{osmerin::OsmerinProfile::instance(), "osmerin", OSMERIN_SOURCE_SHARE_DIR};
    start.applicationName = "Osmerin 2005";
    return kzt::runProgram<osmerin::TMainForm>(argc, argv, start);
}
