#include "ProgramStart.h"
#include "kestravo/core/KestravoProfile.h"
#include "kestravo/core/KestravoStructure.h"
#include "kestravo/gui/TMainForm.h"

int main(int argc, char** argv)
{
    kzt::ProgramStart start{kestravo::KestravoProfile::instance(), "kestravo", KESTRAVO_SOURCE_SHARE_DIR};
    start.structure = kestravo::KestravoStructure::mapping();
    return kzt::runProgram<kestravo::TMainForm>(argc, argv, start);
}
