#include "FieldSchema.h"
#include "ProductProfile.h"

#include <gtest/gtest.h>

namespace kzt {
namespace {

enum Look : std::size_t { Picture = 0, Sound, Colour, LookCount };
enum Item : std::size_t { FirstLook = 0, Caption = 2 * LookCount, Url, Depth, ItemCount };

constexpr const char* kLooks[] = {"Up", "Down"};
constexpr FieldSpec kLook[] = {
    fileName(Picture, "%Picture", "", FileRole::Image, "edt%Picture"),
    fileName(Sound, "%Sound", "", FileRole::Sound, "edt%Sound").onlyIn(0b10),
    colour(Colour, "%Colour", "FFFFFF", "pnl%Colour"),
};
constexpr FieldSpec kRest[] = {
    trimmed(Caption, "Caption", "Item", "edtCaption").withRole(FieldRole::Caption),
    fileName(Url, "Url", "", FileRole::Link, "cmbxUrl"),
    derived(Depth, "Depth", "0").withRole(FieldRole::Level),
};
constexpr SchemaPart kItemParts[] = {{kLook, kLooks}, {kRest}};
constexpr FieldSpec kApplet[] = {fileName(0, "Back", "", FileRole::Sound, "edtBack"),
                                 fileName(1, "Picture", "", FileRole::Image, "edtPicture")};
constexpr SchemaPart kAppletParts[] = {{kApplet}};
constexpr ProductSchema kSchema = {{kAppletParts}, {kItemParts}};

static_assert(kSchema.item.matches(ItemCount));
static_assert(kSchema.applet.matches(2));
// A table out of step with its enum, or short of it, is caught.
constexpr FieldSpec kSwapped[] = {colour(1, "B", "000000"), colour(0, "A", "000000")};
constexpr SchemaPart kSwappedParts[] = {{kSwapped}};
static_assert(!RecordSchema{kSwappedParts}.matches(2));
static_assert(!kSchema.item.matches(ItemCount + 1));

TEST(FieldSchemaTest, ARepeatedBlockIsDeclaredOnceAndExpandedPerCopy)
{
    const std::vector<SchemaField> fields = expandSchema(kSchema.item);
    ASSERT_EQ(fields.size(), std::size_t(ItemCount));
    EXPECT_EQ(fields[0].name, "UpPicture");
    EXPECT_EQ(fields[0].control, "edtUpPicture");
    EXPECT_EQ(fields[LookCount + Colour].name, "DownColour");
    EXPECT_EQ(fields[LookCount + Colour].copy, 1u);
    EXPECT_EQ(fields[LookCount + Colour].offset, std::size_t(Colour));
    // A copy left out of a field keeps the field without its control or file role.
    EXPECT_EQ(fields[Sound].name, "UpSound");
    EXPECT_EQ(fields[Sound].control, "");
    EXPECT_EQ(fields[Sound].file, FileRole::None);
    EXPECT_EQ(fields[LookCount + Sound].control, "edtDownSound");
    EXPECT_EQ(fields[LookCount + Sound].file, FileRole::Sound);
    EXPECT_EQ(fields[Caption].name, "Caption");
    EXPECT_FALSE(fields[Caption].repeated);

    const TStringArray defaults = schemaDefaults(kSchema.item);
    EXPECT_EQ(defaults, (TStringArray{"", "", "FFFFFF", "", "", "FFFFFF", "Item", "", "0"}));
}

TEST(FieldSchemaTest, TheProfileFollowsTheSchema)
{
    ProductInfo info;
    deriveFromSchema(info, kSchema, {{FileRole::Image, "[Pictures]"}, {FileRole::Sound, "[Sounds]"}});
    EXPECT_EQ(info.appletFieldCount, 2u);
    EXPECT_EQ(info.itemFieldCount, std::size_t(ItemCount));
    EXPECT_EQ(info.captionField, std::size_t(Caption));
    EXPECT_TRUE(info.hasLevelField);
    EXPECT_EQ(info.levelField, std::size_t(Depth));
    // Pictures first, then sounds; a link is not a file that travels.
    EXPECT_EQ(info.itemFileFields, (std::vector<std::size_t>{Picture, LookCount + Picture, LookCount + Sound}));
    EXPECT_EQ(info.appletFileFields, (std::vector<std::size_t>{1, 0}));
    ASSERT_EQ(info.report.sections.size(), 2u);
    EXPECT_EQ(info.report.sections[0].heading, "[Pictures]");
    EXPECT_EQ(info.report.sections[0].fields, (std::vector<std::size_t>{Picture, LookCount + Picture}));
    EXPECT_EQ(info.report.sections[0].appletFields, (std::vector<std::size_t>{1}));
    EXPECT_EQ(info.report.sections[1].fields, (std::vector<std::size_t>{LookCount + Sound}));
    EXPECT_EQ(info.report.sections[1].appletFields, (std::vector<std::size_t>{0}));

    // Without a level field the tree alone holds the depth.
    constexpr SchemaPart kFlat[] = {{kApplet}};
    ProductInfo flat;
    deriveFromSchema(flat, {{kFlat}, {kFlat}}, {});
    EXPECT_FALSE(flat.hasLevelField);
    EXPECT_TRUE(flat.report.sections.empty());
}

} // namespace
} // namespace kzt
