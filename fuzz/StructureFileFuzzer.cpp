// A general menu structure file imported by both script-menu builders; the
// import and a fresh export of what was imported must agree.
#include "FuzzSupport.h"

#include "AppletAgent.h"
#include "StructureFileFormat.h"

#include "dulcamon/core/DulcamonProfile.h"
#include "dulcamon/core/DulcamonStructure.h"
#include "kestravo/core/KestravoProfile.h"
#include "kestravo/core/KestravoStructure.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

void importAndExport(const kzt::ProductProfile& product, const kzt::MenuStructureMapping& mapping,
                     const std::string& text)
{
    kzt::AppPaths paths;
    paths.userDataDir = kzt::fuzz::workFolder() / "user";
    paths.previewDir = kzt::fuzz::workFolder() / "preview";
    kzt::TkztAppletAgent agent(product, paths);
    const kzt::Status imported = kzt::StructureFileFormat::importText(agent, mapping, text);
    KZT_FUZZ_CHECK(agent.IsConsistent());
    if (!imported) {
        KZT_FUZZ_CHECK(agent.Items.empty());
        return;
    }
    std::string exported;
    if (!kzt::StructureFileFormat::render(agent, mapping, exported))
        return;
    kzt::TkztAppletAgent back(product, paths);
    KZT_FUZZ_CHECK(kzt::StructureFileFormat::importText(back, mapping, exported).ok());
    KZT_FUZZ_CHECK(back.Items == agent.Items);
    std::string again;
    KZT_FUZZ_CHECK(kzt::StructureFileFormat::render(back, mapping, again).ok());
    KZT_FUZZ_CHECK(again == exported);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    importAndExport(dulcamon::DulcamonProfile::instance(), dulcamon::DulcamonStructure::mapping(), text);
    importAndExport(kestravo::KestravoProfile::instance(), kestravo::KestravoStructure::mapping(), text);
    return 0;
}
