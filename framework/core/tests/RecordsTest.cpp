#include "Records.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

using namespace kzt;

namespace {

std::string randomBytes(std::mt19937& random, std::size_t size)
{
    std::string bytes(size, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random() % 256);
    return bytes;
}

// The record's fields as a plain array, to compare with a model.
TStringArray fieldsOf(const TFieldRecord& record)
{
    TStringArray fields;
    for (std::size_t i = 0; i < record.size(); ++i)
        fields.emplace_back(record.get(i));
    return fields;
}

} // namespace

TEST(FieldRecord, everyByteValue_comesBackAsStored)
{
    // One field per byte value, NUL included, then one holding all of them,
    // then an empty one: the boundaries must not depend on the contents.
    TStringArray fields;
    std::string all;
    for (int c = 0; c < 256; ++c) {
        fields.emplace_back(1, static_cast<char>(c));
        all += static_cast<char>(c);
    }
    fields.push_back(all);
    fields.emplace_back();
    const TItemData record(fields);
    ASSERT_EQ(record.size(), fields.size());
    EXPECT_EQ(fieldsOf(record), fields);
    EXPECT_EQ(record.toStrings(), fields);

    // Stored field by field, copied and moved, the bytes stay the same.
    TItemData built(fields.size());
    for (std::size_t i = fields.size(); i-- > 0;)
        built.set(i, fields[i]);
    EXPECT_EQ(built, record);
    TItemData copy = built;
    const TItemData moved = std::move(built);
    EXPECT_EQ(fieldsOf(copy), fields);
    EXPECT_EQ(fieldsOf(moved), fields);
    EXPECT_EQ(built.size(), 0u); // NOLINT(bugprone-use-after-move): a moved-from record is empty
}

TEST(FieldRecord, growingOrShrinkingOneField_leavesTheOthersIntact)
{
    std::mt19937 random(11);
    TStringArray model(20);
    TItemData record(model.size());
    for (int step = 0; step < 5000; ++step) {
        const std::size_t i = random() % model.size();
        switch (random() % 8) {
        case 0: { // another field of the same record
            const std::size_t from = random() % model.size();
            model[i] = model[from];
            record.set(i, record.get(from));
            break;
        }
        case 1: { // part of another field of the same record
            const std::size_t from = random() % model.size();
            const std::string_view source = record.get(from);
            const std::string_view part = source.substr(0, source.size() / 2);
            model[i] = std::string(part);
            record.set(i, part);
            break;
        }
        case 2:
            model[i].clear();
            record.set(i, {});
            break;
        case 3: // now and then a large value, to grow past any room
            model[i] = randomBytes(random, 1000 + random() % 3000);
            record.set(i, model[i]);
            break;
        default:
            model[i] = randomBytes(random, random() % 40);
            record.set(i, model[i]);
            break;
        }
        ASSERT_EQ(fieldsOf(record), model) << "step " << step;
    }
    // Room left behind by large values is given back once they are gone.
    for (std::size_t i = 0; i < model.size(); ++i)
        record.set(i, "x");
    EXPECT_LE(record.allocatedBytes(), 8 + 4 * model.size() + 2 * model.size() + 64);
}

TEST(FieldRecord, resize_padsWithEmptyFieldsOrCutsAtTheEnd)
{
    TItemData record(TStringArray{"one", "", "three"});
    record.resize(5);
    EXPECT_EQ(fieldsOf(record), (TStringArray{"one", "", "three", "", ""}));
    record.set(4, "five");
    record.resize(2);
    EXPECT_EQ(fieldsOf(record), (TStringArray{"one", ""}));
    record.resize(0);
    EXPECT_EQ(record.size(), 0u);
    EXPECT_EQ(record, TItemData());
    record.resize(1);
    EXPECT_EQ(fieldsOf(record), (TStringArray{""}));
}

TEST(FieldRecord, recordsCompareByContent)
{
    const TItemData read(TStringArray{"ab", "c", ""});
    // The same fields reached through edits that left room behind.
    TItemData edited(3);
    edited.set(0, std::string(40, 'z'));
    edited.set(1, "c");
    edited.set(0, "ab");
    EXPECT_GT(edited.allocatedBytes(), read.allocatedBytes());
    EXPECT_EQ(edited, read);

    // Same bytes, another boundary between two fields.
    EXPECT_NE(TItemData(TStringArray{"a", "bc", ""}), read);
    EXPECT_NE(TItemData(TStringArray{"ab", "c"}), read);
    EXPECT_NE(TItemData(TStringArray{"ab", "c", "", ""}), read);
    EXPECT_EQ(TItemData(std::size_t{0}), TItemData());
    EXPECT_NE(TItemData(std::size_t{1}), TItemData());
    EXPECT_EQ(TAppletData(TStringArray{"", ""}), TAppletData(std::size_t{2}));
}

TEST(FieldRecord, anItemCostsItsBytesAndTwoBytesAField)
{
    TStringArray fields(74, "value");
    const TItemData record(fields);
    EXPECT_EQ(record.allocatedBytes(), 8 + 74 * 2 + 74 * 5);
    EXPECT_EQ(sizeof(TItemData), sizeof(void*));
    // Past 64 KB of values the offsets take four bytes.
    fields[3] = std::string(70000, 'w');
    EXPECT_EQ(TItemData(fields).allocatedBytes(), 8 + 74 * 4 + 73 * 5 + 70000);
}

TEST(FieldRecord, valuesPastSixtyFourKilobytes_keepEveryBoundary)
{
    const TStringArray small{"first", "", "third", "fourth"};
    TItemData record(small);
    // Growing past two-byte offsets and back moves every other field.
    record.set(1, std::string(60000, 'a'));
    record.set(2, std::string(10000, 'b'));
    EXPECT_EQ(fieldsOf(record), (TStringArray{"first", std::string(60000, 'a'), std::string(10000, 'b'), "fourth"}));
    // Shrunk within its room, the record stays wide; its content decides equality.
    record.set(1, std::string(40000, 'a'));
    const TStringArray now{"first", std::string(40000, 'a'), std::string(10000, 'b'), "fourth"};
    EXPECT_EQ(fieldsOf(record), now);
    const TItemData fresh(now);
    EXPECT_LT(fresh.allocatedBytes() + 10000, record.allocatedBytes());
    EXPECT_EQ(record, fresh);
    EXPECT_EQ(TItemData(record), fresh);
    record.set(1, {});
    record.set(2, "third");
    EXPECT_EQ(fieldsOf(record), small);
    EXPECT_EQ(record.allocatedBytes(), TItemData(small).allocatedBytes());
}

// Joining writes each field followed by the separator, narrow or wide.
TEST(FieldRecord, joinInto_writesEveryFieldWithItsSeparator)
{
    for (const std::string& big : {std::string("0123456789abcdef"), std::string(70000, 'z')}) {
        const std::vector<std::string> fields = {"", "a", big, "12345678", "123456789", ""};
        const TFieldRecord record(fields);
        std::string out(record.values().size() + fields.size() * 3, '\0');
        char* end = record.joinInto(out.data(), "#$@");
        EXPECT_EQ(end, out.data() + out.size());
        EXPECT_EQ(out, "#$@a#$@" + big + "#$@12345678#$@123456789#$@#$@");
    }
}
