// The dulcamon window with a large menu open: how long each interaction takes.
// Usage: dulcamon_gui_bench [ITEMS] [LARGE_ITEMS]   (default 10000 and 100000)

#include "WindowBench.h"
#include "dulcamon/core/DulcamonProfile.h"
#include "dulcamon/gui/TMainForm.h"

int main(int argc, char** argv)
{
    const windowbench::Product product{dulcamon::DulcamonProfile::instance(), "dulcamon", DULCAMON_SOURCE_SHARE_DIR,
                                       dulcamon::Caption, dulcamon::Level, "edtIDescription"};
    return windowbench::run<dulcamon::TMainForm>(product, argc, argv);
}
