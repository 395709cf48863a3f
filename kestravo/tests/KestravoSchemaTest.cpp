#include "kestravo/core/KestravoProfile.h"
#include "kestravo/core/KestravoSchema.h"

#include "SchemaExpectations.h"

#include <gtest/gtest.h>

// The profile is made from the field schema; these are the values it had
// when it was written by hand, which the schema must give again.
namespace kestravo {
namespace {

const KestravoProfile& profile()
{
    return KestravoProfile::instance();
}

TEST(SchemaTest, DefaultRecordsAreTheOnesBefore)
{
    EXPECT_EQ(profile().defaultAppletData(), kzt::TAppletData(kzt::TStringArray{"200", "Please select ...",
        "Verdana, Arial, Helvetica, sans-serif", "10", "0", "0", "001F5B", "F2F5FF", "FFFFFF", "C0C0C0", "FFFFFF",
        "8099CA", "677695", "ECF0F8", "677695", "FFFFFF", "", "", ""}));
    EXPECT_EQ(profile().defaultItemData(), kzt::TItemData(kzt::TStringArray{"Item", "", "_self", "", ""}));
}

TEST(SchemaTest, ProfileFieldsAreTheOnesBefore)
{
    expectProfileFields(profile().info(),
                        {19, 5, 0, true, 3, {}, {},
                         {
                          {"[Image File(s)]: They should be copied to the same directory the script file in!",
                           {},
                           {}}}});
}

TEST(SchemaTest, NamesAndControlsAreUnique)
{
    expectNamesAndControlsUnique(schema::kSchema);
}

} // namespace
} // namespace kestravo
