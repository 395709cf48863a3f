#include "KztTestSupport.h"
#include "LineCursor.h"
#include "ProjectFileFormat.h"
#include "TestProduct.h"
#include "TextFile.h"

#include <gtest/gtest.h>

#include <random>
#include <sys/stat.h>

using namespace kzt;
using kzt::test::TestProduct;
using kzt::test::writeFile;

namespace {

std::vector<std::string> linesRead(const std::filesystem::path& path, std::size_t chunk)
{
    TextFile::LineReader reader(chunk);
    EXPECT_TRUE(reader.open(path).ok());
    std::vector<std::string> lines;
    std::string_view line;
    while (reader.next(line))
        lines.emplace_back(line);
    EXPECT_TRUE(reader.status().ok());
    return lines;
}

std::vector<std::string> linesSplit(const std::string& text)
{
    std::vector<std::string> lines;
    for (std::string_view line : TextFile::splitLines(text))
        lines.emplace_back(line);
    return lines;
}

} // namespace

TEST(LineReader, anyBufferSize_splitsLinesAsTheWholeTextDoes)
{
    // Line ends of every kind, CR LF split across two reads, empty lines,
    // lines longer than the buffer, a last line with and without an end.
    kzt::test::TempFolder folder;
    std::mt19937 random(5);
    const char pieces[] = {'a', 'b', '\r', '\n', '#', '\0'};
    for (int round = 0; round < 200; ++round) {
        std::string text;
        const std::size_t size = random() % 300;
        for (std::size_t i = 0; i < size; ++i)
            text += pieces[random() % sizeof pieces];
        if (round % 4 == 0)
            text += std::string(1000, 'x');
        writeFile(folder / "text", text);
        for (std::size_t chunk : {1, 2, 3, 7, 64, 1 << 20})
            ASSERT_EQ(linesRead(folder / "text", chunk), linesSplit(text)) << "round " << round << " chunk " << chunk;
    }
}

TEST(LineReader, refusesWhatAWholeReadRefuses)
{
    kzt::test::TempFolder folder;
    std::string contents;
    TextFile::LineReader missing;
    EXPECT_EQ(missing.open(folder / "none").message(), TextFile::read(folder / "none", contents).message());
    TextFile::LineReader directory;
    EXPECT_EQ(directory.open(folder.path()).message(), TextFile::read(folder.path(), contents).message());
    ASSERT_EQ(::mkfifo((folder / "pipe").c_str(), 0600), 0);
    TextFile::LineReader pipe;
    const Status refused = pipe.open(folder / "pipe");
    EXPECT_FALSE(refused.ok());
    EXPECT_EQ(refused.message(), TextFile::notRegularMessage(folder / "pipe"));
    std::string_view line;
    EXPECT_FALSE(pipe.next(line));
}

TEST(LineReader, projectReadFromTheFile_isTheDocumentItsTextMakes)
{
    TestProduct product;
    kzt::test::TempFolder folder;
    TkztAppletAgent written(product, folder.appPaths());
    std::mt19937 random(3);
    for (int i = 0; i < 300; ++i) {
        TreeNode* node = written.InsertItem(written.tree().nodeAt(random() % written.tree().count()));
        written.SetCaption(written.ItemIndexOf(node), "Item " + std::to_string(i) + std::string(random() % 50, 'c'));
    }
    ASSERT_TRUE(written.WriteProjectFile(folder / "p.tst").ok());

    TkztAppletAgent fromFile(product, folder.appPaths());
    ASSERT_TRUE(fromFile.ReadProjectFile(folder / "p.tst").ok());
    TkztAppletAgent fromText(product, folder.appPaths());
    ASSERT_TRUE(product.projectFormat().readText(fromText, kzt::test::readFile(folder / "p.tst")).ok());
    EXPECT_EQ(fromFile.AppletData, fromText.AppletData);
    EXPECT_EQ(fromFile.Items, fromText.Items);
    EXPECT_EQ(fromFile.Items, written.Items);
    EXPECT_TRUE(kzt::test::treeMatchesItems(fromFile));
}
