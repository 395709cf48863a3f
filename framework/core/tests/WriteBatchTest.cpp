#include "KztTestSupport.h"
#include "TextFile.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace kzt;
using kzt::testsupport::filesIn;
using kzt::testsupport::readFile;
using kzt::testsupport::TempFolder;
using kzt::testsupport::writeFile;
namespace fs = std::filesystem;

// A batch holds every durable write back until commit(), then puts them all
// in place; the old files stay whole until then.
TEST(WriteBatch, targetsKeepTheirOldFilesUntilCommitThenGetTheNewOnes)
{
    TempFolder folder;
    writeFile(folder / "page.html", "old page");
    writeFile(folder / "picture.gif", "GIF89a new");
    fs::create_directory(folder / "preview");
    {
        TextFile::WriteBatch batch;
        ASSERT_TRUE(TextFile::writeAtomic(folder / "page.html", "new page").ok());
        ASSERT_TRUE(TextFile::writeAtomic(folder / "project.tst", "project").ok());
        ASSERT_TRUE(TextFile::copyRegular(folder / "picture.gif", folder / "copy.gif").ok());
        // A scratch copy is for the preview folder alone: in place at once.
        ASSERT_TRUE(TextFile::copyRegular(folder / "picture.gif", folder / "preview" / "picture.gif", false,
                                          TextFile::Durability::Scratch)
                        .ok());
        EXPECT_EQ(readFile(folder / "preview" / "picture.gif"), "GIF89a new");
        EXPECT_EQ(readFile(folder / "page.html"), "old page");
        EXPECT_FALSE(fs::exists(folder / "project.tst"));
        EXPECT_FALSE(fs::exists(folder / "copy.gif"));

        ASSERT_TRUE(batch.commit().ok());
    }
    EXPECT_EQ(readFile(folder / "page.html"), "new page");
    EXPECT_EQ(readFile(folder / "project.tst"), "project");
    EXPECT_EQ(readFile(folder / "copy.gif"), "GIF89a new");
    EXPECT_EQ(filesIn(folder.path()),
              (std::vector<std::string>{"copy.gif", "page.html", "picture.gif", "preview", "project.tst"}));
    // With the batch gone, writes go in place at once again.
    ASSERT_TRUE(TextFile::writeAtomic(folder / "page.html", "newest page").ok());
    EXPECT_EQ(readFile(folder / "page.html"), "newest page");
}

TEST(WriteBatch, aBatchNeverCommitted_leavesTheOldFilesAndNoTemporaries)
{
    TempFolder folder;
    writeFile(folder / "page.html", "old page");
    {
        TextFile::WriteBatch batch;
        ASSERT_TRUE(TextFile::writeAtomic(folder / "page.html", "new page").ok());
        ASSERT_TRUE(TextFile::writeAtomic(folder / "report.txt", "report").ok());
    }
    EXPECT_EQ(readFile(folder / "page.html"), "old page");
    EXPECT_EQ(filesIn(folder.path()), std::vector<std::string>{"page.html"});
}

TEST(WriteBatch, aTargetThatCannotBeReplaced_failsTheCommitAndStopsThere)
{
    TempFolder folder;
    // A folder with something in it cannot be renamed over.
    fs::create_directories(folder / "project.tst" / "inside");
    TextFile::WriteBatch batch;
    ASSERT_TRUE(TextFile::writeAtomic(folder / "page.html", "page").ok());
    ASSERT_TRUE(TextFile::writeAtomic(folder / "project.tst", "project").ok());
    ASSERT_TRUE(TextFile::writeAtomic(folder / "report.txt", "report").ok());
    const Status status = batch.commit();
    ASSERT_FALSE(status.ok());
    EXPECT_NE(status.message().find("Cannot create file \"" + (folder / "project.tst").string() + "\"."),
              std::string::npos);
    // What came before is in place; the rest is as it was, with no
    // temporary file left behind.
    EXPECT_EQ(readFile(folder / "page.html"), "page");
    EXPECT_TRUE(fs::is_directory(folder / "project.tst" / "inside"));
    EXPECT_EQ(filesIn(folder.path()), (std::vector<std::string>{"page.html", "project.tst"}));
}

TEST(WriteBatch, filesInSeveralFolders_allGoInPlace)
{
    TempFolder folder;
    fs::create_directories(folder / "a");
    fs::create_directories(folder / "b");
    TextFile::WriteBatch batch;
    ASSERT_TRUE(TextFile::writeAtomic(folder / "a" / "one.txt", "one").ok());
    ASSERT_TRUE(TextFile::writeAtomic(folder / "b" / "two.txt", "two").ok());
    ASSERT_TRUE(batch.commit().ok());
    EXPECT_EQ(readFile(folder / "a" / "one.txt"), "one");
    EXPECT_EQ(readFile(folder / "b" / "two.txt"), "two");
    EXPECT_EQ(filesIn(folder / "a"), std::vector<std::string>{"one.txt"});
}

// A file written a piece at a time is the pieces back to back, put in place
// only by commit(); a writer that goes without it leaves the old file whole.
TEST(FileWriter, piecesGoInPlaceOnCommit_andAWriterDroppedLeavesTheOldFile)
{
    TempFolder folder;
    writeFile(folder / "page.html", "old page");
    {
        TextFile::FileWriter file(folder / "page.html");
        file.write("new ");
        file.write("");
        file.write("page");
        EXPECT_EQ(readFile(folder / "page.html"), "old page");
    }
    EXPECT_EQ(readFile(folder / "page.html"), "old page");
    EXPECT_EQ(filesIn(folder.path()), std::vector<std::string>{"page.html"});

    TextFile::FileWriter file(folder / "page.html");
    file.write("new ");
    file.write("page");
    ASSERT_TRUE(file.commit().ok());
    EXPECT_EQ(readFile(folder / "page.html"), "new page");
    EXPECT_EQ(filesIn(folder.path()), std::vector<std::string>{"page.html"});

    // A folder that is not there: the failure is told at commit, nothing is made.
    TextFile::FileWriter nowhere(folder / "missing" / "page.html");
    nowhere.write("text");
    const Status status = nowhere.commit();
    ASSERT_FALSE(status.ok());
    EXPECT_EQ(status.message().rfind("Cannot create file \"" + (folder / "missing" / "page.html").string() + "\".", 0), 0u)
        << status.message();
    EXPECT_FALSE(fs::exists(folder / "missing"));
}

// Lines sent to a file leave memory as they pile up; what arrives is the text
// the same lines make in memory, whatever falls on the boundaries.
TEST(FileWriter, linesStreamedIntoAFile_areTheTextMadeInMemory)
{
    TempFolder folder;
    LineWriter memory;
    TextFile::FileWriter file(folder / "big.txt");
    std::size_t held = 0;
    {
        LineWriter streamed(file);
        std::string line;
        for (int i = 0; i < 40000; ++i) {
            line.assign(static_cast<std::size_t>(i % 97), static_cast<char>('a' + i % 26));
            memory.line(line);
            streamed.line(line);
            // Now and then a line far longer than what is held at a time.
            if (i % 10000 == 0) {
                const std::string longLine(600 * 1024, 'L');
                memory.lineFrom([&](std::string& text) { text += longLine; });
                streamed.lineFrom([&](std::string& text) { text += longLine; });
            }
            held = std::max(held, streamed.text().size());
            if (i == 100) {
                EXPECT_FALSE(fs::exists(folder / "big.txt"));
            }
        }
        streamed.flush();
    }
    // Never more than about the longest line at a time.
    EXPECT_LT(held, std::size_t{1} << 20);
    {
        TextFile::WriteBatch batch;
        ASSERT_TRUE(file.commit().ok());
        EXPECT_FALSE(fs::exists(folder / "big.txt"));
        ASSERT_TRUE(batch.commit().ok());
    }
    EXPECT_GT(memory.text().size(), 4u << 20);
    EXPECT_EQ(readFile(folder / "big.txt"), memory.text());
    EXPECT_EQ(filesIn(folder.path()), std::vector<std::string>{"big.txt"});
}
