#include "dulcamon/core/DulcamonProfile.h"
#include "dulcamon/core/DulcamonSchema.h"

#include "SchemaExpectations.h"

#include <gtest/gtest.h>

// The profile is made from the field schema; these are the values it had
// when it was written by hand, which the schema must give again.
namespace dulcamon {
namespace {

const DulcamonProfile& profile()
{
    return DulcamonProfile::instance();
}

TEST(SchemaTest, DefaultRecordsAreTheOnesBefore)
{
    EXPECT_EQ(profile().defaultAppletData(), kzt::TAppletData(kzt::TStringArray{"dulcam10", "", "0", "0", "0", "0",
        "0", "0", "0", "1000", "2", "arial,helvetica,times new roman", "12", "0", "0", "2", "FDDE73", "40", "15",
        "1", "5", "1", ""}));
    EXPECT_EQ(profile().defaultItemData(), kzt::TItemData(kzt::TStringArray{"", "", "Item", "", "_self", "80", "20",
        "", "", "408080", "83C0C0", "00FF00", "008040", "", ""}));
}

TEST(SchemaTest, ProfileFieldsAreTheOnesBefore)
{
    expectProfileFields(profile().info(),
                        {23, 15, 2, true, 14, {NormalBgImage, OverBgImage}, {},
                         {
                          {"[Image File(s)]: They should be copied to the same directory the script file in!",
                           {NormalBgImage, OverBgImage},
                           {}}}});
}

TEST(SchemaTest, NamesAndControlsAreUnique)
{
    expectNamesAndControlsUnique(schema::kSchema);
}

} // namespace
} // namespace dulcamon
