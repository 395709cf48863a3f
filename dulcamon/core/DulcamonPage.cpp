#include "dulcamon/core/DulcamonPage.h"

#include "AppletAgent.h"
#include "dulcamon/core/DulcamonProfile.h"
#include "TextFile.h"

namespace dulcamon {

void DulcamonPage::appendQuoted(std::string& out, std::string_view value, std::string_view prefix)
{
    out += '"';
    out += prefix;
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
        // "</" could end the script block and "<!--" would hide the rest of it
        // from the parser, so a backslash breaks both up.
        if (c == '<' && value.substr(i + 1, 1) == "/")
            out += '\\';
        else if (c == '<' && value.substr(i + 1, 3) == "!--")
            out += '\\';
    }
    out += '"';
}

namespace {

// Builds one argument list; `quoted` and `color` say how each value is written.
class Arguments
{
public:
    void quoted(std::string_view value) { DulcamonPage::appendQuoted(next(), value); }
    void color(std::string_view value) { DulcamonPage::appendQuoted(next(), value, "#"); }
    void bare(std::string_view value) { next() += value; }
    const std::string& text() const { return m_text; }

private:
    std::string& next()
    {
        if (!m_first)
            m_text += ',';
        m_first = false;
        return m_text;
    }

    std::string m_text;
    bool m_first = true;
};

std::string constructorLine(const kzt::TAppletData& m)
{
    Arguments a;
    a.quoted(m[MenuName]);
    a.quoted(m[SubMenuFrameName]);
    a.bare(m[MenuScrolled]);
    a.bare(m[MenuAlign]);
    a.bare(m[MainMenuHOffset]);
    a.bare(m[MainMenuVOffset]);
    a.bare(m[ItemsGap]);
    a.bare("0"); // the reserved field is never emitted
    a.bare(m[OnlyClickShowSub]);
    a.bare(m[SubMenuCloseDelay]);
    a.bare(m[CaptionFontPadding]);
    a.quoted(m[CaptionFontFamily]);
    a.bare(m[CaptionFontSize]);
    a.bare(m[CaptionFontBold]);
    a.bare(m[CaptionFontItalic]);
    a.bare(m[ItemBorderWidth]);
    a.color(m[ItemBorderColor]);
    a.bare(m[SubMenuHOffset]);
    a.bare(m[SubMenuVOffset]);
    a.bare(m[EnableGlideOpen]);
    a.bare(m[GlideStep]);
    a.bare(m[GlideSpeed]);
    a.quoted(m[Filter]);
    return m[MenuName] + "=new TJSMenuType2(" + a.text() + ");";
}

std::string itemLine(const std::string& menuName, const kzt::TItemData& i)
{
    Arguments a;
    a.quoted(i[ItemId]);
    a.quoted(i[ParentId]);
    a.quoted(i[Caption]);
    a.quoted(i[Url]);
    a.quoted(i[Target]);
    a.bare(i[Width]);
    a.bare(i[Height]);
    a.quoted(i[NormalBgImage]);
    a.quoted(i[OverBgImage]);
    a.color(i[NormalBgColor]);
    a.color(i[OverBgColor]);
    a.color(i[NormalCaptionColor]);
    a.color(i[OverCaptionColor]);
    a.quoted(i[Description]);
    return menuName + ".qeLvorpiN(" + a.text() + ");";
}

} // namespace

std::string DulcamonPage::generate(const kzt::TkztAppletAgent& agent)
{
    const kzt::TAppletData& menu = agent.AppletData;
    const std::string& menuName = menu[MenuName];
    kzt::LineWriter out;
    out.reserve(1024 + agent.Items.size() * 160);
    out.line("<HTML>");
    out.line("<body>");
    out.line("<!-- PLEASE INSERT THESE CODES BETWEEN <BODY> ... </BODY> TAGS! -->");
    out.line("<!-- START Dulcamon 1.0 config parameters. Don't modify these codes by yourself -->");
    out.line("<script type='text/javascript' src='" + agent.ScriptName + ".js'></script>");
    out.line("<script type='text/javascript'>");
    out.line("var qelVORPin=new qelvorpin();");
    out.line(constructorLine(menu));
    // One line per item node, read by position.
    const std::size_t items = agent.tree().count() - 1;
    for (std::size_t k = 0; k < items && k < agent.Items.size(); ++k)
        out.line(itemLine(menuName, agent.Items[k]));
    out.line(menuName + ".qeLvORpin();");
    out.line("</script>");
    out.line("<noscript>Your browser does not support Javascript!</noscript>");
    out.line("<!-- END Dulcamon 1.0 config parameters -->");
    out.line("<!-- PLEASE INSERT THESE CODES BETWEEN <BODY> ... </BODY> TAGS! -->");
    out.line("</body>");
    out.line("</HTML>");
    return out.take();
}

} // namespace dulcamon
