#include <gtest/gtest.h>

#include "DocumentText.h"
#include "TestProduct.h"
#include "TextEncoding.h"

using namespace kzt;
using kzt::test::TestProduct;

TEST(TextEncoding, utf8Validity_refusesOverlongSurrogatesAndCutShortForms)
{
    EXPECT_TRUE(IsUtf8("caf\xc3\xa9 \xf0\x9f\x98\x80"));
    EXPECT_FALSE(IsUtf8("caf\xe9"));
    EXPECT_FALSE(IsUtf8("\xc0\xaf"));     // overlong
    EXPECT_FALSE(IsUtf8("\xed\xa0\x80")); // surrogate
    EXPECT_FALSE(IsUtf8("ab\xe2\x82"));   // cut short
    EXPECT_FALSE(IsUtf8("\xf4\x90\x80\x80")); // past the last code point
}

TEST(TextEncoding, windows1252_roundTripsEveryByte)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    const std::string utf8 = Windows1252ToUtf8(all);
    ASSERT_TRUE(IsUtf8(utf8));
    EXPECT_EQ(Utf8ToWindows1252(utf8), all);
    EXPECT_EQ(Windows1252ToUtf8("\x80\x9f\xe9"), "\xe2\x82\xac\xc5\xb8\xc3\xa9"); // euro, Y diaeresis, e acute
}

TEST(TextEncoding, windows1252_refusesWhatItCannotHold_namingTheCharacter)
{
    char32_t missing = 0;
    EXPECT_EQ(Utf8ToWindows1252("Caf\xc3\xa9 \xe2\x82\xac", &missing), std::string("Caf\xe9 \x80"));
    EXPECT_FALSE(Utf8ToWindows1252("a \xce\xb1 b", &missing)); // Greek alpha
    EXPECT_EQ(missing, U'\u03b1');
    EXPECT_FALSE(Utf8ToField("\xe4\xb8\xad", TextEncoding::Windows1252));
    EXPECT_EQ(Utf8ToField("\xe4\xb8\xad", TextEncoding::Utf8), "\xe4\xb8\xad");
    EXPECT_EQ(Utf8ToField(" \xc3\xbc", TextEncoding::Windows1252), " \xfc");
}

TEST(TextEncoding, fieldText_readsUtf8AsItStands_elseAsWindows1252)
{
    EXPECT_EQ(FieldToUtf8("Accueil \xe9t\xe9"), "Accueil \xc3\xa9t\xc3\xa9");
    EXPECT_EQ(FieldToUtf8("\x93quoted\x94"), "\xe2\x80\x9cquoted\xe2\x80\x9d");
    EXPECT_EQ(FieldToUtf8("Caf\xc3\xa9"), "Caf\xc3\xa9");
}

TEST(TextEncoding, declareCharset_onlyForNonAsciiPages_afterTheHtmlLine)
{
    std::string ascii = "<HTML>\r\n<body>Cafe</body>\r\n";
    DeclareCharset(ascii, TextEncoding::Utf8);
    EXPECT_EQ(ascii, "<HTML>\r\n<body>Cafe</body>\r\n");

    std::string utf8 = "<HTML>\r\n<body>Caf\xc3\xa9</body>\r\n";
    DeclareCharset(utf8, TextEncoding::Utf8);
    EXPECT_EQ(utf8, "<HTML>\r\n<meta charset=\"utf-8\">\r\n<body>Caf\xc3\xa9</body>\r\n");

    std::string legacy = "<!-- x -->\n<html>\n<p>Caf\xe9</p>\n";
    DeclareCharset(legacy, TextEncoding::Windows1252);
    EXPECT_EQ(legacy, "<!-- x -->\n<html>\n<meta charset=\"windows-1252\">\n<p>Caf\xe9</p>\n");

    std::string noHtml = "<p>Caf\xe9</p>\n";
    DeclareCharset(noHtml, TextEncoding::Windows1252);
    EXPECT_EQ(noHtml, "<p>Caf\xe9</p>\n");
}

namespace {

class DocumentTextTest : public ::testing::Test
{
protected:
    TestProduct product;
    kzt::test::TempFolder folder;
    TkztAppletAgent agent{product, folder.appPaths()};

    void addItem(const std::string& caption)
    {
        TreeNode* node = agent.InsertItem(agent.tree().root());
        agent.SetCaption(agent.ItemIndexOf(node), caption);
    }
};

} // namespace

TEST_F(DocumentTextTest, encoding_isUtf8UnlessSomeTextIsNot)
{
    EXPECT_EQ(DocumentEncoding(agent), TextEncoding::Utf8);
    addItem("Caf\xc3\xa9");
    EXPECT_EQ(DocumentEncoding(agent), TextEncoding::Utf8);
    addItem("Accueil \xe9t\xe9");
    EXPECT_EQ(DocumentEncoding(agent), TextEncoding::Windows1252);
}

TEST_F(DocumentTextTest, convert_rewritesEveryLegacyTextAndItsNode_leavesUtf8Alone)
{
    addItem("Accueil \xe9t\xe9");
    addItem("Products \xc3\xbc");
    agent.AppletData.set(0, "men\xfc");
    EXPECT_EQ(ConvertDocumentToUtf8(agent), 2u);
    EXPECT_EQ(agent.Items[0].get(TestProduct::Caption), "Accueil \xc3\xa9t\xc3\xa9");
    EXPECT_EQ(agent.NodeOfItem(0)->text(), "Accueil \xc3\xa9t\xc3\xa9");
    EXPECT_EQ(agent.Items[1].get(TestProduct::Caption), "Products \xc3\xbc");
    EXPECT_EQ(agent.AppletData.get(0), "men\xc3\xbc");
    EXPECT_EQ(DocumentEncoding(agent), TextEncoding::Utf8);
    EXPECT_TRUE(kzt::test::treeMatchesItems(agent));
}
