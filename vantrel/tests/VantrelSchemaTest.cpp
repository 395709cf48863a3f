#include "vantrel/core/VantrelProfile.h"
#include "vantrel/core/VantrelSchema.h"

#include "SchemaExpectations.h"

#include <gtest/gtest.h>

#include <limits>

// The profile is made from the field schema; these are the values it had
// when it was written by hand, which the schema must give again.
namespace vantrel {
namespace {

const VantrelProfile& profile()
{
    return VantrelProfile::instance();
}

TEST(SchemaTest, DefaultRecordsAreTheOnesBefore)
{
    EXPECT_EQ(profile().defaultAppletData(), kzt::TAppletData(kzt::TStringArray{"", "0", "0", "0", "", "000000",
        "FFFFFF", "0", "4", "1", "C0C0C0", "0", "0", "1", "1", "8", "8", "000000", "20", "60", "100", "20", "2",
        "1", "C0C0C0", "C0C0C0", "0000A0", "1", "20", "40", "80", "1", "1", "14", "0", "FFFF00", "Loading ...", "1",
        "20", "120", "140", "1", "1", "14", "0", "FFFF00", "More Loading Message Here ... ", "0", "", "1", "E1E1E1",
        "C0C0C0", "C0C0C0", "C0C0C0", "000000", "000000", "20", "1", "1", "1", "200", "400", "0",
        "vantrel2_params_file"}));
    EXPECT_EQ(profile().defaultItemData(), kzt::TItemData(kzt::TStringArray{"1", "14", "0", "000000", "1", "0", "1",
        "0", "", "0", "0", "0", "", "FFFFFF", "000000", "0", "0", "0", "000000", "0", "1", "14", "0", "000000", "1",
        "0", "1", "0", "", "0", "0", "0", "", "FFFFFF", "000000", "0", "0", "0", "000000", "0", "1", "14", "0",
        "000000", "1", "0", "1", "0", "", "0", "0", "0", "", "FFFFFF", "000000", "0", "0", "0", "000000", "0",
        "Item", "", "_self", "", "0", "0", "0", "0", "1", "0", "20", "5", "80", "20"}));
}

TEST(SchemaTest, ProfileFieldsAreTheOnesBefore)
{
    expectProfileFields(profile().info(),
                        {64, 74, ICaption, true, Level, {ItNoBgImg, ItOvBgImg, ItClBgImg, ItOvBgSnd, ItClBgSnd},
                         {ApBgImg, ApBgSnd},
                         {
                          {"[Image File(s)]: They should be copied to the same directory the applet class file in!",
                           {ItNoBgImg, ItOvBgImg, ItClBgImg},
                           {ApBgImg}},
                          {"[Audio File(s)]: They should be copied to the same directory the applet class file in!",
                           {ItOvBgSnd, ItClBgSnd},
                           {ApBgSnd}}}});
}

TEST(SchemaTest, NamesAndControlsAreUnique)
{
    expectNamesAndControlsUnique(schema::kSchema);
}

// The table the field descriptions were written as, name and controls,
// before the looks were declared once.
TEST(SchemaTest, DescriptionsAreTheOnesBefore)
{
    const char* const names[] = {"ApBgImg", "ApBgImgX", "ApBgImgY", "ApBgImgShowType", "ApBgSnd", "ApBgClr",
        "ApBgFdClr", "ApBgGrdntFllDrctn", "ApBrdWidth", "ApBrdStyle", "ApBrdClr", "ApReserved1", "ApReserved2",
        "GlideOpen", "GlideClose", "GlideOpenSpeed", "GlideCloseSpeed", "ApLoadingBgClr", "ApLoadingBarX",
        "ApLoadingBarY", "ApLoadingBarWidth", "ApLoadingBarHeight", "ApLoadingBarBrdWidth", "ApLoadingBarBrdStyle",
        "ApLoadingBarBrdClr", "ApLoadingBarBlankClr", "ApLoadingBarFillClr", "ShowLoadingBar", "ApLoadingMsg1X",
        "ApLoadingMsg1Y", "ApLoadingMsg1Width", "ApLoadingMsg1AutoClr", "ApLoadingMsg1FntName",
        "ApLoadingMsg1FntSize", "ApLoadingMsg1FntStyle", "ApLoadingMsg1Clr", "ApLoadingMsg1", "ShowApLoadingMsg1",
        "ApLoadingMsg2X", "ApLoadingMsg2Y", "ApLoadingMsg2Width", "ApLoadingMsg2AutoClr", "ApLoadingMsg2FntName",
        "ApLoadingMsg2FntSize", "ApLoadingMsg2FntStyle", "ApLoadingMsg2Clr", "ApLoadingMsg2", "ShowApLoadingMsg2",
        "ApLoadingStatusBarMsg", "VSBAlign", "VSBBgClr", "VSBVisibleClr", "VSBUpBtnClr", "VSBDownBtnClr",
        "VSBUpBtnArwClr", "VSBDownBtnArwClr", "VSBWidth", "ShowCursorType", "VSBScrollAuto", "OpenOneSubMenuOnly",
        "ApWidth", "ApHeight", "LoadAppletParamFromFile", "AppletParametersFileName", "ItNoFntName", "ItNoFntSize",
        "ItNoFntStyle", "ItNoTextClr", "ItNoTextHAlign", "ItNoTextHOffset", "ItNoTextVAlign", "ItNoTextVOffset",
        "ItNoBgImg", "ItNoBgImgX", "ItNoBgImgY", "ItNoBgImgAlign", "ItNoBgSnd", "ItNoBgClr", "ItNoBgFdClr",
        "ItNoBgGrdntFllDrctn", "ItNoBrdWidth", "ItNoBrdStyle", "ItNoBrdClr", "ItNoBgImgTransparent", "ItOvFntName",
        "ItOvFntSize", "ItOvFntStyle", "ItOvTextClr", "ItOvTextHAlign", "ItOvTextHOffset", "ItOvTextVAlign",
        "ItOvTextVOffset", "ItOvBgImg", "ItOvBgImgX", "ItOvBgImgY", "ItOvBgImgAlign", "ItOvBgSnd", "ItOvBgClr",
        "ItOvBgFdClr", "ItOvBgGrdntFllDrctn", "ItOvBrdWidth", "ItOvBrdStyle", "ItOvBrdClr", "ItOvBgImgTransparent",
        "ItClFntName", "ItClFntSize", "ItClFntStyle", "ItClTextClr", "ItClTextHAlign", "ItClTextHOffset",
        "ItClTextVAlign", "ItClTextVOffset", "ItClBgImg", "ItClBgImgX", "ItClBgImgY", "ItClBgImgAlign", "ItClBgSnd",
        "ItClBgClr", "ItClBgFdClr", "ItClBgGrdntFllDrctn", "ItClBrdWidth", "ItClBrdStyle", "ItClBrdClr",
        "ItClBgImgTransparent", "ICaption", "IURL", "ITarget", "IDescription", "Reserved", "Reserved2", "Reserved3",
        "Level", "ItemInitVisible", "StyleIndex", "IX", "IY", "IWidth", "IHeight"};
    const char* const controls[][2] = {{"edtApBgImg", ""}, {"spnedtApBgImgX", ""}, {"spnedtApBgImgY", ""},
        {"cmbxApBgImgShowType", ""}, {"edtApBgSnd", ""}, {"pnlApBgClr", ""}, {"pnlApBgFdClr", ""},
        {"cmbxApBgGrdntFllDrctn", ""}, {"spnedtApBrdWidth", ""}, {"cmbxApBrdStyle", ""}, {"pnlApBrdClr", ""},
        {"", ""}, {"", ""}, {"chckbxGlideOpen", ""}, {"chckbxGlideClose", ""}, {"spnedtGlideOpenSpeed", ""},
        {"spnedtGlideCloseSpeed", ""}, {"pnlApLoadingBgClr", ""}, {"spnedtApLoadingBarX", ""},
        {"spnedtApLoadingBarY", ""}, {"spnedtApLoadingBarWidth", ""}, {"spnedtApLoadingBarHeight", ""},
        {"spnedtApLoadingBarBrdWidth", ""}, {"cmbxApLoadingBarBrdStyle", ""}, {"pnlApLoadingBarBrdClr", ""},
        {"pnlApLoadingBarBlankClr", ""}, {"pnlApLoadingBarFillClr", ""}, {"chckbxShowLoadingBar", ""},
        {"spnedtApLoadingMsg1X", ""}, {"spnedtApLoadingMsg1Y", ""}, {"spnedtApLoadingMsg1Width", ""},
        {"chckbxApLoadingMsg1AutoClr", ""}, {"cmbxApLoadingMsg1FntName", ""}, {"spnedtApLoadingMsg1FntSize", ""},
        {"spdbtnApLoadingMsg1FontBold", "spdbtnApLoadingMsg1FntItalic"}, {"pnlApLoadingMsg1Clr", ""},
        {"edtApLoadingMsg1", ""}, {"chckbxShowApLoadingMsg1", ""}, {"spnedtApLoadingMsg2X", ""},
        {"spnedtApLoadingMsg2Y", ""}, {"spnedtApLoadingMsg2Width", ""}, {"chckbxApLoadingMsg2AutoClr", ""},
        {"cmbxApLoadingMsg2FntName", ""}, {"spnedtApLoadingMsg2FntSize", ""},
        {"spdbtnApLoadingMsg2FontBold", "spdbtnApLoadingMsg2FntItalic"}, {"pnlApLoadingMsg2Clr", ""},
        {"edtApLoadingMsg2", ""}, {"chckbxShowApLoadingMsg2", ""}, {"edtApLoadingStatusBarMsg", ""},
        {"cmbxVSBAlign", ""}, {"pnlVSBBgClr", ""}, {"pnlVSBVisibleClr", ""}, {"pnlVSBUpBtnClr", ""},
        {"pnlVSBDownBtnClr", ""}, {"pnlVSBUpBtnArwClr", ""}, {"pnlVSBDownBtnArwClr", ""}, {"spnedtVSBWidth", ""},
        {"cmbxShowCursorType", ""}, {"chckbxVSBScrollAuto", ""}, {"chckbxOpenOneSubMenuOnly", ""},
        {"spnedtApWidth", ""}, {"spnedtApHeight", ""}, {"chckbxLoadAppletParamFromFile", ""},
        {"edtAppletParametersFileName", ""}, {"cmbxItNoFntName", ""}, {"spnedtItNoFntSize", ""},
        {"spdbtnItNoFntBold", "spdbtnItNoFntItalic"}, {"pnlItNoTextClr", ""}, {"cmbxItNoTextHAlign", ""},
        {"spnedtItNoTextHOffset", ""}, {"cmbxItNoTextVAlign", ""}, {"spnedtItNoTextVOffset", ""},
        {"edtItemNoBgImg", ""}, {"spnedtItNoBgImgX", ""}, {"spnedtItNoBgImgY", ""}, {"spnedtItNoBgImgAlign", ""},
        {"", ""}, {"pnlItNoBgClr", ""}, {"pnlItNoBgFdClr", ""}, {"cmbxItNoBgGrdntFllDrctn", ""},
        {"spnedtItNoBrdWidth", ""}, {"cmbxItNoBrdStyle", ""}, {"pnlItNoBrdClr", ""},
        {"chckbxItNoBgImgTransparent", ""}, {"cmbxItOvFntName", ""}, {"spnedtItOvFntSize", ""},
        {"spdbtnItOvFntBold", "spdbtnItOvFntItalic"}, {"pnlItOvTextClr", ""}, {"cmbxItOvTextHAlign", ""},
        {"spnedtItOvTextHOffset", ""}, {"cmbxItOvTextVAlign", ""}, {"spnedtItOvTextVOffset", ""},
        {"edtItemOvBgImg", ""}, {"spnedtItOvBgImgX", ""}, {"spnedtItOvBgImgY", ""}, {"spnedtItOvBgImgAlign", ""},
        {"edtItemOvBgSnd", ""}, {"pnlItOvBgClr", ""}, {"pnlItOvBgFdClr", ""}, {"cmbxItOvBgGrdntFllDrctn", ""},
        {"spnedtItOvBrdWidth", ""}, {"cmbxItOvBrdStyle", ""}, {"pnlItOvBrdClr", ""},
        {"chckbxItOvBgImgTransparent", ""}, {"cmbxItClFntName", ""}, {"spnedtItClFntSize", ""},
        {"spdbtnItClFntBold", "spdbtnItClFntItalic"}, {"pnlItClTextClr", ""}, {"cmbxItClTextHAlign", ""},
        {"spnedtItClTextHOffset", ""}, {"cmbxItClTextVAlign", ""}, {"spnedtItClTextVOffset", ""},
        {"edtItemClBgImg", ""}, {"spnedtItClBgImgX", ""}, {"spnedtItClBgImgY", ""}, {"spnedtItClBgImgAlign", ""},
        {"edtItemClBgSnd", ""}, {"pnlItClBgClr", ""}, {"pnlItClBgFdClr", ""}, {"cmbxItClBgGrdntFllDrctn", ""},
        {"spnedtItClBrdWidth", ""}, {"cmbxItClBrdStyle", ""}, {"pnlItClBrdClr", ""},
        {"chckbxItClBgImgTransparent", ""}, {"edtICaption", ""}, {"cmbxIURL", ""}, {"cmbxITarget", ""},
        {"edtIDescription", ""}, {"", ""}, {"", ""}, {"", ""}, {"", ""}, {"cmbxItemInitVisible", ""}, {"", ""},
        {"spnedtIX", ""}, {"spnedtIY", ""}, {"spnedtIWidth", ""}, {"spnedtIHeight", ""}};
    const auto& applet = appletFieldDescriptions();
    const auto& item = itemFieldDescriptions();
    ASSERT_EQ(applet.size() + item.size(), std::size(names));
    for (std::size_t i = 0; i < std::size(names); ++i) {
        const FieldDescription& field = i < applet.size() ? applet[i] : item[i - applet.size()];
        EXPECT_STREQ(field.name, names[i]);
        EXPECT_STREQ(field.control, controls[i][0]) << names[i];
        EXPECT_STREQ(field.secondControl, controls[i][1]) << names[i];
    }
    EXPECT_EQ(item[ItNoBgSnd].kind, FieldKind::TrimmedText);
    EXPECT_EQ(item[IURL].kind, FieldKind::TrimmedText);
    EXPECT_EQ(item[ItClFntStyle].kind, FieldKind::FontStyle);
    EXPECT_EQ(item[ItOvBgImgAlign].choices, &ImageAlignments);
    EXPECT_EQ(applet[VSBWidth].maximum, std::numeric_limits<int>::max());
}

} // namespace
} // namespace vantrel
