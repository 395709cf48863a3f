// An applet program's project as an author might receive it, published into
// a temporary folder the way Save and --publish do, then opened again from
// there: every file of the publish must be what the document says (the
// page, the parameters file, the runtime script, the report) and the saved
// project must read back as the same document, tree texts and depths
// included. A publish that is refused must have written nothing.
//
// Built once per applet program: KZT_FUZZ_PROFILE_HEADER names the product's
// profile header and KZT_FUZZ_PROFILE an expression giving its profile.
#include "FuzzSupport.h"

#include "AppletAgent.h"
#include "TextFile.h"

#include KZT_FUZZ_PROFILE_HEADER

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Folders
{
    fs::path in;
    fs::path out;
    kzt::AppPaths paths;
};

const Folders& folders()
{
    static const Folders f = [] {
        Folders made;
        const fs::path& work = kzt::fuzz::workFolder();
        made.in = work / "in";
        made.out = work / "out";
        made.paths.shareDir = KZT_FUZZ_SHARE_DIR;
        made.paths.userDataDir = work / "user";
        made.paths.previewDir = work / "preview";
        fs::create_directories(made.in);
        fs::create_directories(made.out);
        (void)kzt::TextFile::writeAtomic(made.in / "a.gif", "GIF89a");
        return made;
    }();
    return f;
}

std::string fileText(const fs::path& path)
{
    std::string text;
    KZT_FUZZ_CHECK(kzt::TextFile::read(path, text).ok());
    return text;
}

// The tree as depth and text of every node, in order.
std::vector<std::pair<int, std::string>> shape(const kzt::TkztAppletAgent& agent)
{
    std::vector<std::pair<int, std::string>> nodes;
    for (const kzt::TreeNode* node : agent.tree().order())
        nodes.emplace_back(agent.tree().level(node), node->text());
    return nodes;
}

void clear(const fs::path& folder)
{
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec))
        fs::remove_all(entry.path(), ec);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const Folders& f = folders();
    const kzt::ProductProfile& product = KZT_FUZZ_PROFILE;
    const std::string fileName = "project." + product.info().extension;
    const std::string base = "project";
    const std::string text(reinterpret_cast<const char*>(data), size);
    KZT_FUZZ_CHECK(kzt::TextFile::writeAtomic(f.in / fileName, text).ok());

    kzt::TkztAppletAgent agent(product, f.paths);
    // Half the inputs publish with the browser runtime script too.
    agent.SetScriptRuntime(size % 2 == 1);
    if (!agent.ReadProjectFile(f.in / fileName))
        return 0;
    agent.CopyImagesToPreview(f.in);

    const kzt::Status saved = agent.SaveProject(f.out, fileName);
    if (!saved) {
        // Refused before writing, or failed on a write: never half a project.
        KZT_FUZZ_CHECK(!fs::exists(f.out / fileName));
    } else {
        std::string page;
        KZT_FUZZ_CHECK(agent.BuildHTMLText(page).ok());
        KZT_FUZZ_CHECK(fileText(f.out / (base + ".html")) == page);
        KZT_FUZZ_CHECK(fileText(f.out / (base + "_PublishReport.txt")) == agent.PublishReportText());
        for (const kzt::ProductProfile::CompanionFile& companion : product.companionFiles(agent))
            KZT_FUZZ_CHECK(fileText(f.out / companion.name) == companion.contents);
        for (const std::string& name : agent.ScriptFiles) {
            std::string contents;
            if (product.generateRuntimeFile(agent, name, contents))
                KZT_FUZZ_CHECK(fileText(f.out / name) == contents);
        }

        kzt::TkztAppletAgent back(product, f.paths);
        back.SetScriptRuntime(agent.ScriptRuntime());
        const kzt::Status again = back.ReadProjectFile(f.out / fileName);
        if (!again)
            std::fprintf(stderr, "%s\n", again.message().c_str());
        KZT_FUZZ_CHECK(again.ok());
        KZT_FUZZ_CHECK(back.AppletData == agent.AppletData);
        KZT_FUZZ_CHECK(back.Items == agent.Items);
        KZT_FUZZ_CHECK(shape(back) == shape(agent));
        std::string pageBack;
        KZT_FUZZ_CHECK(back.BuildHTMLText(pageBack).ok());
        KZT_FUZZ_CHECK(pageBack == page);

        // Published again in place, the project stays byte for byte.
        const std::string project = fileText(f.out / fileName);
        back.CopyImagesToPreview(f.out);
        KZT_FUZZ_CHECK(back.SaveProject(f.out, fileName).ok());
        KZT_FUZZ_CHECK(fileText(f.out / fileName) == project);
        back.ClearPreview();
    }
    agent.ClearPreview();
    clear(f.out);
    return 0;
}
