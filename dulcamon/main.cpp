#include "ProgramStart.h"
#include "dulcamon/core/DulcamonProfile.h"
#include "dulcamon/core/DulcamonStructure.h"
#include "dulcamon/gui/TMainForm.h"

int main(int argc, char** argv)
{
    kzt::ProgramStart start{dulcamon::DulcamonProfile::instance(), "dulcamon", DULCAMON_SOURCE_SHARE_DIR};
    start.structure = dulcamon::DulcamonStructure::mapping();
    return kzt::runProgram<dulcamon::TMainForm>(argc, argv, start);
}
