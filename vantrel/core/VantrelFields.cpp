#include "vantrel/core/VantrelFields.h"

#include <limits>

namespace vantrel {

namespace {
constexpr int kUnbounded = std::numeric_limits<int>::max();
} // namespace

const ChoiceList FillModes = {"Full fill the background", "Gradient Fill (Horizontal,Single-Direction)",
                              "Gradient Fill (Horizontal,Bi-Direction)", "Gradient Fill (Vertical,Single-Direction)",
                              "Gradient Fill (Vertical,Bi-Direction)"};
const ChoiceList ImageAlignments = {"Free", "Center", "Left", "Right", "Tile", "Resize"};
const ChoiceList BorderStyles = {"No Border", "Raised Frame", "Lowered Frame", "Raised Bevel", "Lowered Bevel"};
const ChoiceList FontNames = {"TimesRoman", "Helvetica", "Courier", "Dialog"};
const ChoiceList HorizontalAlignments = {"Left", "Center", "Right"};
const ChoiceList VerticalAlignments = {"Top", "Center", "Bottom"};
const ChoiceList CursorChoices = {"Use Default Cursor", "Use Hand Cursor when mouse over a item",
                                  "Always Use Hand Cursor"};
const ChoiceList ScrollBarAlignments = {"Left", "Right"};
const ChoiceList Visibilities = {"Invisible", "Visible"};
const ChoiceList UrlSuggestions = {"http://", "mailto://", "javascript:", "ftp://", "news://"};
const ChoiceList TargetSuggestions = {"_self", "_top", "_blank", "_parent"};

const std::vector<FieldDescription>& appletFieldDescriptions()
{
    static const std::vector<FieldDescription> table = {
        {"ApBgImg", "", FieldKind::TrimmedText, 0, 0, nullptr, "edtApBgImg", ""},
        {"ApBgImgX", "0", FieldKind::Integer, -9999, 9999, nullptr, "spnedtApBgImgX", ""},
        {"ApBgImgY", "0", FieldKind::Integer, -9999, 9999, nullptr, "spnedtApBgImgY", ""},
        {"ApBgImgShowType", "0", FieldKind::Choice, 0, 0, &ImageAlignments, "cmbxApBgImgShowType", ""},
        {"ApBgSnd", "", FieldKind::TrimmedText, 0, 0, nullptr, "edtApBgSnd", ""},
        {"ApBgClr", "000000", FieldKind::Colour, 0, 0, nullptr, "pnlApBgClr", ""},
        {"ApBgFdClr", "FFFFFF", FieldKind::Colour, 0, 0, nullptr, "pnlApBgFdClr", ""},
        {"ApBgGrdntFllDrctn", "0", FieldKind::Choice, 0, 0, &FillModes, "cmbxApBgGrdntFllDrctn", ""},
        {"ApBrdWidth", "4", FieldKind::Integer, 0, 9999, nullptr, "spnedtApBrdWidth", ""},
        {"ApBrdStyle", "1", FieldKind::Choice, 0, 0, &BorderStyles, "cmbxApBrdStyle", ""},
        {"ApBrdClr", "C0C0C0", FieldKind::Colour, 0, 0, nullptr, "pnlApBrdClr", ""},
        {"ApReserved1", "0", FieldKind::Reserved, 0, 0, nullptr, "", ""},
        {"ApReserved2", "0", FieldKind::Reserved, 0, 0, nullptr, "", ""},
        {"GlideOpen", "1", FieldKind::Flag, 0, 0, nullptr, "chckbxGlideOpen", ""},
        {"GlideClose", "1", FieldKind::Flag, 0, 0, nullptr, "chckbxGlideClose", ""},
        {"GlideOpenSpeed", "8", FieldKind::Integer, 1, 9999, nullptr, "spnedtGlideOpenSpeed", ""},
        {"GlideCloseSpeed", "8", FieldKind::Integer, 1, 9999, nullptr, "spnedtGlideCloseSpeed", ""},
        {"ApLoadingBgClr", "000000", FieldKind::Colour, 0, 0, nullptr, "pnlApLoadingBgClr", ""},
        {"ApLoadingBarX", "20", FieldKind::Integer, -9999, 9999, nullptr, "spnedtApLoadingBarX", ""},
        {"ApLoadingBarY", "60", FieldKind::Integer, -9999, 9999, nullptr, "spnedtApLoadingBarY", ""},
        {"ApLoadingBarWidth", "100", FieldKind::Integer, 0, 9999, nullptr, "spnedtApLoadingBarWidth", ""},
        {"ApLoadingBarHeight", "20", FieldKind::Integer, 0, 9999, nullptr, "spnedtApLoadingBarHeight", ""},
        {"ApLoadingBarBrdWidth", "2", FieldKind::Integer, 0, 9999, nullptr, "spnedtApLoadingBarBrdWidth", ""},
        {"ApLoadingBarBrdStyle", "1", FieldKind::Choice, 0, 0, &BorderStyles, "cmbxApLoadingBarBrdStyle", ""},
        {"ApLoadingBarBrdClr", "C0C0C0", FieldKind::Colour, 0, 0, nullptr, "pnlApLoadingBarBrdClr", ""},
        {"ApLoadingBarBlankClr", "C0C0C0", FieldKind::Colour, 0, 0, nullptr, "pnlApLoadingBarBlankClr", ""},
        {"ApLoadingBarFillClr", "0000A0", FieldKind::Colour, 0, 0, nullptr, "pnlApLoadingBarFillClr", ""},
        {"ShowLoadingBar", "1", FieldKind::Flag, 0, 0, nullptr, "chckbxShowLoadingBar", ""},
        {"ApLoadingMsg1X", "20", FieldKind::Integer, -9999, 9999, nullptr, "spnedtApLoadingMsg1X", ""},
        {"ApLoadingMsg1Y", "40", FieldKind::Integer, -9999, 9999, nullptr, "spnedtApLoadingMsg1Y", ""},
        {"ApLoadingMsg1Width", "80", FieldKind::Integer, 0, 9999, nullptr, "spnedtApLoadingMsg1Width", ""},
        {"ApLoadingMsg1AutoClr", "1", FieldKind::Flag, 0, 0, nullptr, "chckbxApLoadingMsg1AutoClr", ""},
        {"ApLoadingMsg1FntName", "1", FieldKind::Choice, 0, 0, &FontNames, "cmbxApLoadingMsg1FntName", ""},
        {"ApLoadingMsg1FntSize", "14", FieldKind::Integer, -9999, 9999, nullptr, "spnedtApLoadingMsg1FntSize", ""},
        {"ApLoadingMsg1FntStyle", "0", FieldKind::FontStyle, 0, 3, nullptr, "spdbtnApLoadingMsg1FontBold", "spdbtnApLoadingMsg1FntItalic"},
        {"ApLoadingMsg1Clr", "FFFF00", FieldKind::Colour, 0, 0, nullptr, "pnlApLoadingMsg1Clr", ""},
        {"ApLoadingMsg1", "Loading ...", FieldKind::Text, 0, 0, nullptr, "edtApLoadingMsg1", ""},
        {"ShowApLoadingMsg1", "1", FieldKind::Flag, 0, 0, nullptr, "chckbxShowApLoadingMsg1", ""},
        {"ApLoadingMsg2X", "20", FieldKind::Integer, -9999, 9999, nullptr, "spnedtApLoadingMsg2X", ""},
        {"ApLoadingMsg2Y", "120", FieldKind::Integer, -9999, 9999, nullptr, "spnedtApLoadingMsg2Y", ""},
        {"ApLoadingMsg2Width", "140", FieldKind::Integer, 0, 9999, nullptr, "spnedtApLoadingMsg2Width", ""},
        {"ApLoadingMsg2AutoClr", "1", FieldKind::Flag, 0, 0, nullptr, "chckbxApLoadingMsg2AutoClr", ""},
        {"ApLoadingMsg2FntName", "1", FieldKind::Choice, 0, 0, &FontNames, "cmbxApLoadingMsg2FntName", ""},
        {"ApLoadingMsg2FntSize", "14", FieldKind::Integer, -9999, 9999, nullptr, "spnedtApLoadingMsg2FntSize", ""},
        {"ApLoadingMsg2FntStyle", "0", FieldKind::FontStyle, 0, 3, nullptr, "spdbtnApLoadingMsg2FontBold", "spdbtnApLoadingMsg2FntItalic"},
        {"ApLoadingMsg2Clr", "FFFF00", FieldKind::Colour, 0, 0, nullptr, "pnlApLoadingMsg2Clr", ""},
        {"ApLoadingMsg2", "More Loading Message Here ... ", FieldKind::Text, 0, 0, nullptr, "edtApLoadingMsg2", ""},
        {"ShowApLoadingMsg2", "0", FieldKind::Flag, 0, 0, nullptr, "chckbxShowApLoadingMsg2", ""},
        {"ApLoadingStatusBarMsg", "", FieldKind::Text, 0, 0, nullptr, "edtApLoadingStatusBarMsg", ""},
        {"VSBAlign", "1", FieldKind::Choice, 0, 0, &ScrollBarAlignments, "cmbxVSBAlign", ""},
        {"VSBBgClr", "E1E1E1", FieldKind::Colour, 0, 0, nullptr, "pnlVSBBgClr", ""},
        {"VSBVisibleClr", "C0C0C0", FieldKind::Colour, 0, 0, nullptr, "pnlVSBVisibleClr", ""},
        {"VSBUpBtnClr", "C0C0C0", FieldKind::Colour, 0, 0, nullptr, "pnlVSBUpBtnClr", ""},
        {"VSBDownBtnClr", "C0C0C0", FieldKind::Colour, 0, 0, nullptr, "pnlVSBDownBtnClr", ""},
        {"VSBUpBtnArwClr", "000000", FieldKind::Colour, 0, 0, nullptr, "pnlVSBUpBtnArwClr", ""},
        {"VSBDownBtnArwClr", "000000", FieldKind::Colour, 0, 0, nullptr, "pnlVSBDownBtnArwClr", ""},
        {"VSBWidth", "20", FieldKind::Integer, -kUnbounded, kUnbounded, nullptr, "spnedtVSBWidth", ""},
        {"ShowCursorType", "1", FieldKind::Choice, 0, 0, &CursorChoices, "cmbxShowCursorType", ""},
        {"VSBScrollAuto", "1", FieldKind::Flag, 0, 0, nullptr, "chckbxVSBScrollAuto", ""},
        {"OpenOneSubMenuOnly", "1", FieldKind::Flag, 0, 0, nullptr, "chckbxOpenOneSubMenuOnly", ""},
        {"ApWidth", "200", FieldKind::Integer, 0, 9999, nullptr, "spnedtApWidth", ""},
        {"ApHeight", "400", FieldKind::Integer, 0, 9999, nullptr, "spnedtApHeight", ""},
        {"LoadAppletParamFromFile", "0", FieldKind::Flag, 0, 0, nullptr, "chckbxLoadAppletParamFromFile", ""},
        {"AppletParametersFileName", "vantrel2_params_file", FieldKind::Text, 0, 0, nullptr, "edtAppletParametersFileName", ""},
    };
    return table;
}

const std::vector<FieldDescription>& itemFieldDescriptions()
{
    static const std::vector<FieldDescription> table = {
        {"ItNoFntName", "1", FieldKind::Choice, 0, 0, &FontNames, "cmbxItNoFntName", ""},
        {"ItNoFntSize", "14", FieldKind::Integer, -9999, 9999, nullptr, "spnedtItNoFntSize", ""},
        {"ItNoFntStyle", "0", FieldKind::FontStyle, 0, 3, nullptr, "spdbtnItNoFntBold", "spdbtnItNoFntItalic"},
        {"ItNoTextClr", "000000", FieldKind::Colour, 0, 0, nullptr, "pnlItNoTextClr", ""},
        {"ItNoTextHAlign", "1", FieldKind::Choice, 0, 0, &HorizontalAlignments, "cmbxItNoTextHAlign", ""},
        {"ItNoTextHOffset", "0", FieldKind::Integer, -9999, 9999, nullptr, "spnedtItNoTextHOffset", ""},
        {"ItNoTextVAlign", "1", FieldKind::Choice, 0, 0, &VerticalAlignments, "cmbxItNoTextVAlign", ""},
        {"ItNoTextVOffset", "0", FieldKind::Integer, -9999, 9999, nullptr, "spnedtItNoTextVOffset", ""},
        {"ItNoBgImg", "", FieldKind::TrimmedText, 0, 0, nullptr, "edtItemNoBgImg", ""},
        {"ItNoBgImgX", "0", FieldKind::Integer, -9999, 9999, nullptr, "spnedtItNoBgImgX", ""},
        {"ItNoBgImgY", "0", FieldKind::Integer, -9999, 9999, nullptr, "spnedtItNoBgImgY", ""},
        {"ItNoBgImgAlign", "0", FieldKind::Choice, 0, 0, &ImageAlignments, "spnedtItNoBgImgAlign", ""},
        {"ItNoBgSnd", "", FieldKind::TrimmedText, 0, 0, nullptr, "", ""},
        {"ItNoBgClr", "FFFFFF", FieldKind::Colour, 0, 0, nullptr, "pnlItNoBgClr", ""},
        {"ItNoBgFdClr", "000000", FieldKind::Colour, 0, 0, nullptr, "pnlItNoBgFdClr", ""},
        {"ItNoBgGrdntFllDrctn", "0", FieldKind::Choice, 0, 0, &FillModes, "cmbxItNoBgGrdntFllDrctn", ""},
        {"ItNoBrdWidth", "0", FieldKind::Integer, 0, 9999, nullptr, "spnedtItNoBrdWidth", ""},
        {"ItNoBrdStyle", "0", FieldKind::Choice, 0, 0, &BorderStyles, "cmbxItNoBrdStyle", ""},
        {"ItNoBrdClr", "000000", FieldKind::Colour, 0, 0, nullptr, "pnlItNoBrdClr", ""},
        {"ItNoBgImgTransparent", "0", FieldKind::Flag, 0, 0, nullptr, "chckbxItNoBgImgTransparent", ""},
        {"ItOvFntName", "1", FieldKind::Choice, 0, 0, &FontNames, "cmbxItOvFntName", ""},
        {"ItOvFntSize", "14", FieldKind::Integer, -9999, 9999, nullptr, "spnedtItOvFntSize", ""},
        {"ItOvFntStyle", "0", FieldKind::FontStyle, 0, 3, nullptr, "spdbtnItOvFntBold", "spdbtnItOvFntItalic"},
        {"ItOvTextClr", "000000", FieldKind::Colour, 0, 0, nullptr, "pnlItOvTextClr", ""},
        {"ItOvTextHAlign", "1", FieldKind::Choice, 0, 0, &HorizontalAlignments, "cmbxItOvTextHAlign", ""},
        {"ItOvTextHOffset", "0", FieldKind::Integer, -9999, 9999, nullptr, "spnedtItOvTextHOffset", ""},
        {"ItOvTextVAlign", "1", FieldKind::Choice, 0, 0, &VerticalAlignments, "cmbxItOvTextVAlign", ""},
        {"ItOvTextVOffset", "0", FieldKind::Integer, -9999, 9999, nullptr, "spnedtItOvTextVOffset", ""},
        {"ItOvBgImg", "", FieldKind::TrimmedText, 0, 0, nullptr, "edtItemOvBgImg", ""},
        {"ItOvBgImgX", "0", FieldKind::Integer, -9999, 9999, nullptr, "spnedtItOvBgImgX", ""},
        {"ItOvBgImgY", "0", FieldKind::Integer, -9999, 9999, nullptr, "spnedtItOvBgImgY", ""},
        {"ItOvBgImgAlign", "0", FieldKind::Choice, 0, 0, &ImageAlignments, "spnedtItOvBgImgAlign", ""},
        {"ItOvBgSnd", "", FieldKind::TrimmedText, 0, 0, nullptr, "edtItemOvBgSnd", ""},
        {"ItOvBgClr", "FFFFFF", FieldKind::Colour, 0, 0, nullptr, "pnlItOvBgClr", ""},
        {"ItOvBgFdClr", "000000", FieldKind::Colour, 0, 0, nullptr, "pnlItOvBgFdClr", ""},
        {"ItOvBgGrdntFllDrctn", "0", FieldKind::Choice, 0, 0, &FillModes, "cmbxItOvBgGrdntFllDrctn", ""},
        {"ItOvBrdWidth", "0", FieldKind::Integer, 0, 9999, nullptr, "spnedtItOvBrdWidth", ""},
        {"ItOvBrdStyle", "0", FieldKind::Choice, 0, 0, &BorderStyles, "cmbxItOvBrdStyle", ""},
        {"ItOvBrdClr", "000000", FieldKind::Colour, 0, 0, nullptr, "pnlItOvBrdClr", ""},
        {"ItOvBgImgTransparent", "0", FieldKind::Flag, 0, 0, nullptr, "chckbxItOvBgImgTransparent", ""},
        {"ItClFntName", "1", FieldKind::Choice, 0, 0, &FontNames, "cmbxItClFntName", ""},
        {"ItClFntSize", "14", FieldKind::Integer, -9999, 9999, nullptr, "spnedtItClFntSize", ""},
        {"ItClFntStyle", "0", FieldKind::FontStyle, 0, 3, nullptr, "spdbtnItClFntBold", "spdbtnItClFntItalic"},
        {"ItClTextClr", "000000", FieldKind::Colour, 0, 0, nullptr, "pnlItClTextClr", ""},
        {"ItClTextHAlign", "1", FieldKind::Choice, 0, 0, &HorizontalAlignments, "cmbxItClTextHAlign", ""},
        {"ItClTextHOffset", "0", FieldKind::Integer, -9999, 9999, nullptr, "spnedtItClTextHOffset", ""},
        {"ItClTextVAlign", "1", FieldKind::Choice, 0, 0, &VerticalAlignments, "cmbxItClTextVAlign", ""},
        {"ItClTextVOffset", "0", FieldKind::Integer, -9999, 9999, nullptr, "spnedtItClTextVOffset", ""},
        {"ItClBgImg", "", FieldKind::TrimmedText, 0, 0, nullptr, "edtItemClBgImg", ""},
        {"ItClBgImgX", "0", FieldKind::Integer, -9999, 9999, nullptr, "spnedtItClBgImgX", ""},
        {"ItClBgImgY", "0", FieldKind::Integer, -9999, 9999, nullptr, "spnedtItClBgImgY", ""},
        {"ItClBgImgAlign", "0", FieldKind::Choice, 0, 0, &ImageAlignments, "spnedtItClBgImgAlign", ""},
        {"ItClBgSnd", "", FieldKind::TrimmedText, 0, 0, nullptr, "edtItemClBgSnd", ""},
        {"ItClBgClr", "FFFFFF", FieldKind::Colour, 0, 0, nullptr, "pnlItClBgClr", ""},
        {"ItClBgFdClr", "000000", FieldKind::Colour, 0, 0, nullptr, "pnlItClBgFdClr", ""},
        {"ItClBgGrdntFllDrctn", "0", FieldKind::Choice, 0, 0, &FillModes, "cmbxItClBgGrdntFllDrctn", ""},
        {"ItClBrdWidth", "0", FieldKind::Integer, 0, 9999, nullptr, "spnedtItClBrdWidth", ""},
        {"ItClBrdStyle", "0", FieldKind::Choice, 0, 0, &BorderStyles, "cmbxItClBrdStyle", ""},
        {"ItClBrdClr", "000000", FieldKind::Colour, 0, 0, nullptr, "pnlItClBrdClr", ""},
        {"ItClBgImgTransparent", "0", FieldKind::Flag, 0, 0, nullptr, "chckbxItClBgImgTransparent", ""},
        {"ICaption", "Item", FieldKind::TrimmedText, 0, 0, nullptr, "edtICaption", ""},
        {"IURL", "", FieldKind::TrimmedText, 0, 0, nullptr, "cmbxIURL", ""},
        {"ITarget", "_self", FieldKind::TrimmedText, 0, 0, nullptr, "cmbxITarget", ""},
        {"IDescription", "", FieldKind::TrimmedText, 0, 0, nullptr, "edtIDescription", ""},
        {"Reserved", "0", FieldKind::Reserved, 0, 0, nullptr, "", ""},
        {"Reserved2", "0", FieldKind::Reserved, 0, 0, nullptr, "", ""},
        {"Reserved3", "0", FieldKind::Reserved, 0, 0, nullptr, "", ""},
        {"Level", "0", FieldKind::Derived, 0, 0, nullptr, "", ""},
        {"ItemInitVisible", "1", FieldKind::Choice, 0, 0, &Visibilities, "cmbxItemInitVisible", ""},
        {"StyleIndex", "0", FieldKind::Derived, 0, 0, nullptr, "", ""},
        {"IX", "20", FieldKind::Integer, -9999, 9999, nullptr, "spnedtIX", ""},
        {"IY", "5", FieldKind::Integer, -9999, 9999, nullptr, "spnedtIY", ""},
        {"IWidth", "80", FieldKind::Integer, 0, 9999, nullptr, "spnedtIWidth", ""},
        {"IHeight", "20", FieldKind::Integer, 0, 9999, nullptr, "spnedtIHeight", ""},
    };
    return table;
}

} // namespace vantrel
