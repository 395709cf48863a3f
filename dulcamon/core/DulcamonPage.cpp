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
    a.quoted(m.get(MenuName));
    a.quoted(m.get(SubMenuFrameName));
    a.bare(m.get(MenuScrolled));
    a.bare(m.get(MenuAlign));
    a.bare(m.get(MainMenuHOffset));
    a.bare(m.get(MainMenuVOffset));
    a.bare(m.get(ItemsGap));
    a.bare("0"); // the reserved field is never emitted
    a.bare(m.get(OnlyClickShowSub));
    a.bare(m.get(SubMenuCloseDelay));
    a.bare(m.get(CaptionFontPadding));
    a.quoted(m.get(CaptionFontFamily));
    a.bare(m.get(CaptionFontSize));
    a.bare(m.get(CaptionFontBold));
    a.bare(m.get(CaptionFontItalic));
    a.bare(m.get(ItemBorderWidth));
    a.color(m.get(ItemBorderColor));
    a.bare(m.get(SubMenuHOffset));
    a.bare(m.get(SubMenuVOffset));
    a.bare(m.get(EnableGlideOpen));
    a.bare(m.get(GlideStep));
    a.bare(m.get(GlideSpeed));
    a.quoted(m.get(Filter));
    return std::string(m.get(MenuName)) + "=new TJSMenuType2(" + a.text() + ");";
}

std::string itemLine(const std::string& menuName, const kzt::TItemData& i)
{
    Arguments a;
    a.quoted(i.get(ItemId));
    a.quoted(i.get(ParentId));
    a.quoted(i.get(Caption));
    a.quoted(i.get(Url));
    a.quoted(i.get(Target));
    a.bare(i.get(Width));
    a.bare(i.get(Height));
    a.quoted(i.get(NormalBgImage));
    a.quoted(i.get(OverBgImage));
    a.color(i.get(NormalBgColor));
    a.color(i.get(OverBgColor));
    a.color(i.get(NormalCaptionColor));
    a.color(i.get(OverCaptionColor));
    a.quoted(i.get(Description));
    return menuName + ".qeLvorpiN(" + a.text() + ");";
}

} // namespace

std::string DulcamonPage::generate(const kzt::TkztAppletAgent& agent)
{
    const kzt::TAppletData& menu = agent.AppletData;
    const std::string menuName(menu.get(MenuName));
    // Room for every line at once: a text that outgrows its room is copied
    // into one twice as large, and for a large menu that is the peak.
    std::size_t bytes = 1024;
    for (const kzt::TItemData& item : agent.Items) {
        bytes += menuName.size() + 64;
        for (std::size_t f = 0; f < item.size(); ++f)
            bytes += item.get(f).size();
    }
    kzt::LineWriter out;
    out.reserve(bytes + bytes / 16);
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
