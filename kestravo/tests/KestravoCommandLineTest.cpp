#include "KestravoTestSupport.h"

#include <cstdlib>
#include <set>
#include <sys/wait.h>

using namespace kestravo::test;

namespace fs = std::filesystem;

namespace {

// Runs a built program in its own working folder, with its per-user folders
// and share folder inside the test's temporary folder.
class Programs
{
public:
    Programs()
    {
        fs::create_directories(m_dir / "work");
        fs::create_directories(m_dir / "share");
        writeFile(m_dir / "share" / "brevanekvrst.js", "// kestravo runtime\r\n");
        writeFile(m_dir / "share" / "dulcamon10.js", "// dulcamon runtime\r\n");
    }

    kzt::testsupport::ProgramRun run(const std::string& program, const std::vector<std::string>& args)
    {
        return kzt::testsupport::runProgram(program, args, m_dir / "work",
                                            {{"XDG_DATA_HOME", (m_dir / "data").string()},
                                             {"XDG_CONFIG_HOME", (m_dir / "config").string()},
                                             {"KESTRAVO_SHARE_DIR", (m_dir / "share").string()},
                                             {"DULCAMON_SHARE_DIR", (m_dir / "share").string()},
                                             {"TMPDIR", m_dir.path().string()}},
                                            m_dir.path());
    }

    fs::path operator/(const std::string& name) const { return m_dir / name; }
    std::set<std::string> workFiles() const
    {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(m_dir / "work"))
            names.insert(entry.path().filename().string());
        return names;
    }

private:
    TempDir m_dir;
};

std::set<std::string> filesIn(const fs::path& folder)
{
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

std::string sixItemProject()
{
    return "<Warning_Info>\r\nNote: This file be created and maintained by Kestravo 1.0.\r\n"
           "It may cause the project file can't be opened correctly if you modify it by yourself!\r\n"
           "</Warning_Info>\r\n<Product_Name>\r\nKestravo\r\n</Product_Name>\r\n<Product_Version>\r\n1.0\r\n"
           "</Product_Version>\r\n<Applet_Parameters>\r\n"
           "200#$@Please select ...#$@Verdana, Arial, Helvetica, sans-serif#$@10#$@0#$@0#$@001F5B#$@F2F5FF#$@"
           "FFFFFF#$@C0C0C0#$@FFFFFF#$@8099CA#$@677695#$@ECF0F8#$@677695#$@FFFFFF#$@#$@#$@0#$@\r\n"
           "</Applet_Parameters>\r\n<Item_Parameters>\r\n"
           "A#$@a.html#$@_self#$@0#$@#$@\r\nA1#$@a1.html#$@_self#$@1#$@#$@\r\nA2#$@a2.html#$@_top#$@1#$@#$@\r\n"
           "A2a#$@a2a.html#$@_blank#$@2#$@#$@\r\nB#$@b.html#$@_self#$@0#$@#$@\r\nB1#$@#$@_parent#$@1#$@#$@\r\n"
           "</Item_Parameters>\r\n";
}

} // namespace

TEST(KestravoCommandLine, versionAndHelp)
{
    Programs programs;
    kzt::testsupport::ProgramRun r = programs.run("kestravo", {"--version"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "Kestravo 1.0\n");
    r = programs.run("kestravo", {"--help"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_NE(r.out.find("--export-gms PROJECT OUT"), std::string::npos);
    EXPECT_NE(r.out.find("--import-gms IN PROJECT"), std::string::npos);
    r = programs.run("dulcamon", {"--help"});
    EXPECT_NE(r.out.find("--import-gms IN PROJECT"), std::string::npos);
    r = programs.run("kestravo", {"--export-gms", "only-one"});
    EXPECT_EQ(r.exitCode, 2);
}

TEST(KestravoCommandLine, buildHtmlAndReport_printAndWriteNothing)
{
    Programs programs;
    writeFile(programs / "menu.ksdm", sixItemProject());
    kzt::testsupport::ProgramRun r = programs.run("kestravo", {"--build-html", (programs / "menu.ksdm").string()});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, golden("six_items_page.html"));
    r = programs.run("kestravo", {"--report", (programs / "menu.ksdm").string()});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, golden("menu_PublishReport.txt"));
    EXPECT_FALSE(fs::exists(programs / "data"));
    EXPECT_TRUE(programs.workFiles().empty());
}

TEST(KestravoCommandLine, publish_writesTheFiveFilesLikeASave)
{
    Programs programs;
    writeFile(programs / "menu.ksdm", sixItemProject());
    kzt::testsupport::ProgramRun r = programs.run("kestravo", {"--publish", (programs / "menu.ksdm").string(), "--to",
                                      (programs / "site").string()});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(filesIn(programs / "site"), (std::set<std::string>{"menu.html", "brevanekvrst.js", "brevanekvrst.css",
                                                                  "menu.ksdm", "menu_PublishReport.txt"}));
    EXPECT_EQ(readFile(programs / "site" / "menu.html"), golden("six_items_page.html"));
    EXPECT_EQ(readFile(programs / "site" / "brevanekvrst.css"), golden("default_style_sheet.css"));
    EXPECT_EQ(readFile(programs / "site" / "brevanekvrst.js"), "// kestravo runtime\r\n");
    EXPECT_EQ(readFile(programs / "site" / "menu.ksdm"), sixItemProject());
    EXPECT_TRUE(programs.workFiles().empty());
}

TEST(KestravoCommandLine, foreignProject_exitsOneWithItsMessage)
{
    Programs programs;
    std::string project = sixItemProject();
    project.replace(project.find("\r\nKestravo\r\n"), 12, "\r\nVantrel\r\n");
    writeFile(programs / "menu.ksdm", project);
    const kzt::testsupport::ProgramRun r = programs.run("kestravo", {"--publish", (programs / "menu.ksdm").string()});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "This file wasn't saved by Kestravo 1.0, open failed!\n");
}

TEST(KestravoCommandLine, exportAppendsTheExtensionOnlyWhenMissing)
{
    Programs programs;
    writeFile(programs / "menu.ksdm", sixItemProject());
    ASSERT_EQ(programs.run("kestravo", {"--export-gms", (programs / "menu.ksdm").string(),
                                        (programs / "menu").string()}).exitCode, 0);
    ASSERT_EQ(programs.run("kestravo", {"--export-gms", (programs / "menu.ksdm").string(),
                                        (programs / "upper.GMS").string()}).exitCode, 0);
    EXPECT_TRUE(fs::exists(programs / "menu.gms"));
    EXPECT_FALSE(fs::exists(programs / "menu"));
    EXPECT_TRUE(fs::exists(programs / "upper.GMS"));
    EXPECT_FALSE(fs::exists(programs / "upper.GMS.gms"));
    EXPECT_EQ(readFile(programs / "menu.gms"), readFile(programs / "upper.GMS"));
    EXPECT_NE(readFile(programs / "menu.gms").find("\r\n2#$@A2a#$@a2a.html#$@_blank#$@#$@\r\n"), std::string::npos);
}

TEST(KestravoCommandLine, importFromDulcamonAndBack_throughBothPrograms)
{
    Programs programs;
    writeFile(programs / "home.gms", golden("dulcamon_home.gms"));
    kzt::testsupport::ProgramRun r = programs.run("kestravo", {"--import-gms", (programs / "home.gms").string(),
                                      (programs / "k" / "menu.ksdm").string()});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(filesIn(programs / "k"), (std::set<std::string>{"menu.html", "brevanekvrst.js", "brevanekvrst.css",
                                                               "menu.ksdm", "menu_PublishReport.txt"}));
    EXPECT_NE(readFile(programs / "k" / "menu.ksdm").find("\r\nHome#$@index.html#$@_self#$@0#$@#$@\r\n"),
              std::string::npos);

    r = programs.run("kestravo", {"--export-gms", (programs / "k" / "menu.ksdm").string(),
                                  (programs / "k" / "menu").string()});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    r = programs.run("dulcamon", {"--import-gms", (programs / "k" / "menu.gms").string(),
                                  (programs / "d" / "menu.dlcg").string()});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(fs::exists(programs / "d" / "menu.html"));
    EXPECT_TRUE(fs::exists(programs / "d" / "dulcamon10.js"));
    r = programs.run("dulcamon", {"--export-gms", (programs / "d" / "menu.dlcg").string(),
                                  (programs / "d" / "again.gms").string()});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    // The description is gone; everything else came through.
    std::string expected = golden("dulcamon_home.gms");
    expected.replace(expected.find("Start page#$@"), 13, "#$@");
    EXPECT_EQ(readFile(programs / "d" / "again.gms"), expected);
    EXPECT_TRUE(programs.workFiles().empty());
}

TEST(KestravoCommandLine, foreignStructureFile_exitsOneAndWritesNoProject)
{
    Programs programs;
    writeFile(programs / "menu.ksdm", sixItemProject());
    for (const char* program : {"kestravo", "dulcamon"}) {
        const kzt::testsupport::ProgramRun r = programs.run(program, {"--import-gms", (programs / "menu.ksdm").string(),
                                             (programs / "out" / "x.ksdm").string()});
        EXPECT_EQ(r.exitCode, 1) << program;
        EXPECT_EQ(r.err, "This file wasn't saved by specified format, open failed!\n") << program;
        EXPECT_FALSE(fs::exists(programs / "out")) << program;
    }
}
