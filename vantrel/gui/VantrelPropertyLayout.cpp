#include "vantrel/gui/VantrelPropertyLayout.h"

#include "vantrel/core/VantrelFields.h"
#include "vantrel/gui/VantrelHelp.h"

namespace vantrel {

namespace {

kzt::PropertyLayout makeLayout()
{
    kzt::PropertyLayout layout(
        QString(),
        {{QStringLiteral("Item Properties (General)"), false,
          {{"chchbxCaption", QStringLiteral("Caption"), ICaption},
           {"chchbxURL", QStringLiteral("URL"), IURL},
           {"chchbxTarget", QStringLiteral("Target"), ITarget},
           {"chchbxDescription", QStringLiteral("Description"), IDescription},
           {"chchbxX", QStringLiteral("X"), IX},
           {"chchbxY", QStringLiteral("Y"), IY},
           {"chchbxWidth", QStringLiteral("Width"), IWidth},
           {"chchbxHeight", QStringLiteral("Height"), IHeight}}},
         // Offsets inside one look's block; copied for every look checked below.
         {QStringLiteral("Item Properties (Caption, BG and Border)"), false,
          {{"chchbxFontName", QStringLiteral("Font Name"), FntName},
           {"chchbxFontSize", QStringLiteral("Font Size"), FntSize},
           {"chchbxFontStyle", QStringLiteral("Font Style"), FntStyle},
           {"chchbxCaptionColor", QStringLiteral("Caption Color"), TextClr},
           {"chchbxCaptionHAlign", QStringLiteral("Caption Horizontal Align"), TextHAlign},
           {"chchbxCaptionHOffset", QStringLiteral("Caption Horizontal Offset"), TextHOffset},
           {"chchbxCaptionVAlign", QStringLiteral("Caption Vertical Align"), TextVAlign},
           {"chchbxCaptionVOffset", QStringLiteral("Caption Vertical Offset"), TextVOffset},
           {"chchbxBgImage", QStringLiteral("Background Image"), BgImg},
           {"chchbxBgImageX", QStringLiteral("Background Image X"), BgImgX},
           {"chchbxBgImageY", QStringLiteral("Background Image Y"), BgImgY},
           {"chchbxBgImageAlign", QStringLiteral("Background Image Align"), BgImgAlign},
           {"chchbxBgSound", QStringLiteral("Background Sound"), BgSnd},
           {"chchbxBgColor", QStringLiteral("Background Color"), BgClr},
           {"chchbxBgFadeColor", QStringLiteral("Background Fade Color"), BgFdClr},
           {"chchbxBgStyle", QStringLiteral("Background Style"), BgGrdntFllDrctn},
           {"chchbxBorderWidth", QStringLiteral("Border Width"), BrdWidth},
           {"chchbxBorderStyle", QStringLiteral("Border Style"), BrdStyle},
           {"chchbxBorderColor", QStringLiteral("Border Color"), BrdClr},
           {"chchbxTransparent", QStringLiteral("Transparent"), BgImgTransparent}},
          true}});
    layout.groups[0].columns = 2;
    layout.groups[1].columns = 2;
    layout.statesTitle = QStringLiteral("Status");
    layout.states = {{"chchbxNormal", QStringLiteral("Normal"), kNormalState},
                     {"chchbxMouseOver", QStringLiteral("Mouse Over"), kOverState},
                     {"chchbxClicked", QStringLiteral("Clicked"), kClickedState}};
    layout.propertySelectButtons = true;
    layout.helpContext = hcGlobalPropertiesChange;
    return layout;
}

} // namespace

const kzt::PropertyLayout& globalPropertiesLayout()
{
    static const kzt::PropertyLayout layout = makeLayout();
    return layout;
}

} // namespace vantrel
