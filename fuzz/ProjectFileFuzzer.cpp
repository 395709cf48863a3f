// A product's project file as an author might receive it: opened, staged,
// generated, reported, saved into a folder and read back, which must give the
// same document and the same page.
//
// Built once per product: KZT_FUZZ_PROFILE_HEADER names the product's profile
// header and KZT_FUZZ_PROFILE an expression giving its profile.
#include "FuzzSupport.h"

#include "AppletAgent.h"
#include "TextFile.h"

#include KZT_FUZZ_PROFILE_HEADER

#include <cstddef>
#include <cstdint>
#include <string>

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
        // A picture the project may name, and a link it must not follow.
        (void)kzt::TextFile::writeAtomic(made.in / "a.gif", "GIF89a");
        std::error_code ec;
        fs::create_symlink("/etc/hostname", made.in / "link.gif", ec);
        return made;
    }();
    return f;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const Folders& f = folders();
    const kzt::ProductProfile& product = KZT_FUZZ_PROFILE;
    const std::string fileName = "project." + product.info().extension;
    const std::string text(reinterpret_cast<const char*>(data), size);
    KZT_FUZZ_CHECK(kzt::TextFile::writeAtomic(f.in / fileName, text).ok());

    kzt::TkztAppletAgent agent(product, f.paths);
    const kzt::Status read = agent.ReadProjectFile(f.in / fileName);
    KZT_FUZZ_CHECK(agent.IsConsistent());
    if (!read)
        return 0;
    agent.CopyImagesToPreview(f.in);

    std::string page;
    const kzt::Status built = agent.BuildHTMLText(page);
    (void)agent.PublishReportText();
    KZT_FUZZ_CHECK(agent.IsConsistent());

    const kzt::Status saved = agent.SaveProject(f.out, fileName);
    if (saved) {
        KZT_FUZZ_CHECK(built.ok());
        kzt::TkztAppletAgent back(product, f.paths);
        const kzt::Status again = back.ReadProjectFile(f.out / fileName);
        if (!again)
            std::fprintf(stderr, "%s\n", again.message().c_str());
        KZT_FUZZ_CHECK(again.ok());
        KZT_FUZZ_CHECK(back.AppletData == agent.AppletData);
        KZT_FUZZ_CHECK(back.Items == agent.Items);
        KZT_FUZZ_CHECK(back.tree().count() == agent.tree().count());
        std::string pageBack;
        KZT_FUZZ_CHECK(back.BuildHTMLText(pageBack).ok());
        KZT_FUZZ_CHECK(pageBack == page);
        // Nothing outside the folder was published through a link.
        KZT_FUZZ_CHECK(!fs::exists(fs::symlink_status(f.out / "link.gif")) || fs::is_symlink(fs::symlink_status(f.out / "link.gif")));
    }
    agent.ClearPreview();
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(f.out, ec))
        fs::remove_all(entry.path(), ec);
    return 0;
}
