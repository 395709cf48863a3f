// The kestravo window with a large menu open: how long each interaction takes.
// Usage: kestravo_gui_bench [ITEMS] [LARGE_ITEMS]   (default 10000 and 100000)

#include "WindowBench.h"
#include "kestravo/core/KestravoProfile.h"
#include "kestravo/gui/TMainForm.h"

int main(int argc, char** argv)
{
    const windowbench::Product product{kestravo::KestravoProfile::instance(), "kestravo", KESTRAVO_SOURCE_SHARE_DIR,
                                       kestravo::ICaption, kestravo::Level, "edtICaption"};
    return windowbench::run<kestravo::TMainForm>(product, argc, argv);
}
