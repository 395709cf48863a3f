#include "osmerin/core/OsmerinProfile.h"
#include "osmerin/core/OsmerinSchema.h"

#include "SchemaExpectations.h"

#include <gtest/gtest.h>

// The profile is made from the field schema; these are the values it had
// when it was written by hand, which the schema must give again.
namespace osmerin {
namespace {

const OsmerinProfile& profile()
{
    return OsmerinProfile::instance();
}

TEST(SchemaTest, DefaultRecordsAreTheOnesBefore)
{
    EXPECT_EQ(profile().defaultAppletData(), kzt::TAppletData(kzt::TStringArray{"0", "000000", "1", "0", "0", "125",
        "7", "10", "10", "EDCB0A", "000000", "125", "17", "10", "10", "EDCB0A", "000000", "6", "EDCB0A", "3",
        "FFFFFF", "0000FF", "Loading...", "1", "0", "140", "230"}));
    EXPECT_EQ(profile().defaultItemData(), kzt::TItemData(kzt::TStringArray{"", "_self", "", "0", "1", "0", "14",
        "0", "FFFFFF", "FFFF00", "0", "FFFF00", "1", "0", "", "", "", "", "Item"}));
}

TEST(SchemaTest, ProfileFieldsAreTheOnesBefore)
{
    expectProfileFields(profile().info(),
                        {27, 19, ItemComment, false, 0, {ItemImageFilename, ItemTextFilename}, {},
                         {
                          {"[Image File(s)]: They should be copied to the same directory the applet class file in!",
                           {ItemImageFilename},
                           {}},
                          {"[Text File(s)]: They should be copied to the same directory the applet class file in!",
                           {ItemTextFilename},
                           {}}}});
}

TEST(SchemaTest, NamesAndControlsAreUnique)
{
    expectNamesAndControlsUnique(schema::kSchema);
}

} // namespace
} // namespace osmerin
