#include "AppletUtility.h"
#include "ByteScan.h"
#include "ProjectFileFormat.h"
#include "Records.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using namespace kzt;

namespace {

// Bytes from a small alphabet, so the searched bytes, their neighbours in
// value and the separator's pieces come up often and next to each other.
std::string randomText(std::mt19937& random, std::size_t size)
{
    static const char alphabet[] = {'\r', '\n', '\x0C', '\x0E', '\x0B', '#', '$', '@', 'a', '\x80', '\xFF', '\0'};
    std::string text(size, '\0');
    for (char& c : text)
        c = alphabet[random() % sizeof alphabet];
    return text;
}

const char* naiveFind(const char* p, const char* end, std::string_view bytes)
{
    for (; p != end; ++p) {
        if (bytes.find(*p) != std::string_view::npos)
            return p;
    }
    return end;
}

} // namespace

TEST(ByteScan, findsTheFirstOfTheBytes_atEveryOffsetAndLength)
{
    std::mt19937 random(7);
    for (int round = 0; round < 400; ++round) {
        const std::string text = randomText(random, random() % 40);
        const char* const base = text.data();
        for (std::size_t from = 0; from <= text.size(); ++from) {
            for (std::size_t to = from; to <= text.size(); ++to) {
                ASSERT_EQ((ByteScan::findAny<'\r', '\n'>(base + from, base + to)),
                          naiveFind(base + from, base + to, "\r\n"))
                    << round << ' ' << from << ' ' << to;
                ASSERT_EQ((ByteScan::findAny<'\r', '\n', '#'>(base + from, base + to)),
                          naiveFind(base + from, base + to, "\r\n#"));
                ASSERT_EQ(ByteScan::findByte(base + from, base + to, '\x80'),
                          naiveFind(base + from, base + to, "\x80"));
            }
        }
    }
}

TEST(ByteScan, splitFieldViews_matchTheFieldsOfASearchForTheSeparator)
{
    std::mt19937 random(11);
    std::vector<std::string_view> views;
    for (int round = 0; round < 5000; ++round) {
        // Short lines, and lines of many sixteen-byte blocks.
        const std::string line = randomText(random, random() % (round % 2 ? 60 : 300));
        // The owning split is the plain search for the separator, left to right.
        const TStringArray expected = SplitAllFields(line);
        SplitAllFields(line, views);
        ASSERT_EQ(views.size(), expected.size()) << line;
        for (std::size_t i = 0; i < views.size(); ++i)
            ASSERT_EQ(views[i], expected[i]) << line;
    }
    SplitAllFields("#$#$@##$@$@#$@", views);
    EXPECT_EQ(views, (std::vector<std::string_view>{"#$", "#", "$@"}));
}

TEST(ByteScan, storableCheck_findsEveryBreakAndSeparatorInAField_andNoneAcrossTwo)
{
    // A separator made of the end of one field and the start of the next is
    // not in any field.
    EXPECT_TRUE(CheckStorableFields("Item", "x", TFieldRecord(TStringArray{"a#", "$@b", "#$", "@"})).ok());
    EXPECT_TRUE(CheckStorableFields("Item", "x", TFieldRecord(TStringArray{"#", "$", "@", "#$"})).ok());
    EXPECT_FALSE(CheckStorableFields("Item", "x", TFieldRecord(TStringArray{"a", "b#$@c"})).ok());
    EXPECT_FALSE(CheckStorableFields("Item", "x", TFieldRecord(TStringArray{"##$@", ""})).ok());
    EXPECT_FALSE(CheckStorableFields("Item", "x", TFieldRecord(TStringArray{"", "line\nbreak"})).ok());
    EXPECT_FALSE(CheckStorableFields("Item", "x", TFieldRecord(TStringArray{"cr\r"})).ok());
    EXPECT_TRUE(CheckStorableFields("Item", "x", TFieldRecord()).ok());

    // And it agrees with the field by field check of the plain strings.
    std::mt19937 random(5);
    for (int round = 0; round < 5000; ++round) {
        TStringArray fields(random() % 5);
        for (std::string& field : fields)
            field = randomText(random, random() % 6);
        ASSERT_EQ(CheckStorableFields("Item", "x", TFieldRecord(fields)).ok(),
                  CheckStorableFields("Item", "x", fields).ok());
    }
}
