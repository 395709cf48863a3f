#include "dulcamon/core/DulcamonPage.h"

#include "AppletAgent.h"
#include "ByteScan.h"
#include "PageText.h"
#include "dulcamon/core/DulcamonProfile.h"
#include "TextFile.h"

#include <algorithm>
#include <type_traits>

namespace dulcamon {

void DulcamonPage::appendQuoted(std::string& out, std::string_view value, std::string_view prefix)
{
    out += '"';
    out += prefix;
    appendQuotedBody(out, value);
    out += '"';
}

namespace {

// Writes a value's bytes with the backslashes the script string needs into
// `out` (a string or a TextTail); a value takes at most twice its bytes.
template <typename Out>
void putQuotedBody(Out& out, std::string_view value)
{
    // Runs of plain bytes go in at once; only the bytes that need a
    // backslash are looked at one by one.
    const char* const end = value.data() + value.size();
    const char* run = value.data();
    const auto putRun = [&](const char* to) {
        if constexpr (std::is_same_v<Out, std::string>)
            out.append(run, static_cast<std::size_t>(to - run));
        else
            out.put(std::string_view(run, static_cast<std::size_t>(to - run)));
    };
    const auto putChar = [&](char c) {
        if constexpr (std::is_same_v<Out, std::string>)
            out += c;
        else
            out.put(c);
    };
    for (const char* p = run; (p = kzt::ByteScan::findAny<'"', '\\', '<'>(p, end)) != end; ++p) {
        if (*p == '<') {
            // "</" could end the script block and "<!--" would hide the rest of
            // it from the parser, so a backslash breaks both up.
            const std::string_view rest(p + 1, static_cast<std::size_t>(end - p - 1));
            if (!rest.starts_with('/') && !rest.starts_with("!--"))
                continue;
            putRun(p + 1);
            putChar('\\');
        } else {
            putRun(p);
            putChar('\\');
            putChar(*p);
        }
        run = p + 1;
    }
    putRun(end);
}

} // namespace

void DulcamonPage::appendQuotedBody(std::string& out, std::string_view value)
{
    putQuotedBody(out, value);
}

namespace {

// Writes one argument list straight into the page; `quoted` and `color` say
// how each value is written. Out is the page text or a TextTail on it.
template <typename Out>
class Arguments
{
public:
    explicit Arguments(Out& out) : m_out(out) {}
    void quoted(std::string_view value) { quotedWith(value, "\"", ",\""); }
    void color(std::string_view value) { quotedWith(value, "\"#", ",\"#"); }
    void bare(std::string_view value)
    {
        if (!m_first)
            put(',');
        m_first = false;
        put(value);
    }

private:
    void put(std::string_view bytes)
    {
        if constexpr (std::is_same_v<Out, std::string>)
            m_out += bytes;
        else
            m_out.put(bytes);
    }
    void put(char c)
    {
        if constexpr (std::is_same_v<Out, std::string>)
            m_out += c;
        else
            m_out.put(c);
    }
    // The comma and the opening go in as one piece: a large menu has
    // millions of them.
    void quotedWith(std::string_view value, std::string_view opening, std::string_view afterComma)
    {
        put(m_first ? opening : afterComma);
        m_first = false;
        putQuotedBody(m_out, value);
        put('"');
    }

    Out& m_out;
    bool m_first = true;
};

void appendConstructorLine(std::string& out, const kzt::TAppletData& m)
{
    out += m.get(MenuName);
    out += "=new TJSMenuType2(";
    Arguments<std::string> a(out);
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
    out += ");";
}

void appendItemLine(std::string& text, std::string_view menuName, const kzt::TItemData& i)
{
    // Every byte of a value at most doubled, and the quote marks, commas
    // and colour marks around each of the fourteen.
    kzt::TextTail out(text, menuName.size() + 16 + 2 * i.values().size() + 14 * 4);
    out.put(menuName);
    out.put(".qeLvorpiN(");
    Arguments<kzt::TextTail> a(out);
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
    out.put(");");
}

} // namespace

std::string DulcamonPage::generate(const kzt::TkztAppletAgent& agent)
{
    kzt::LineWriter out;
    write(agent, out);
    return out.take();
}

void DulcamonPage::write(const kzt::TkztAppletAgent& agent, kzt::LineWriter& out)
{
    const kzt::TAppletData& menu = agent.AppletData;
    const std::string menuName(menu.get(MenuName));
    // Made in memory, the page gets room for every line at once: a text
    // that outgrows its room is copied into one twice as large, and for a
    // large menu that is the peak.
    out.reserveFor([&] {
        std::size_t bytes = 1024;
        std::size_t longest = 0;
        for (const kzt::TItemData& item : agent.Items) {
            bytes += menuName.size() + 64 + item.values().size();
            longest = std::max(longest, item.values().size());
        }
        // And the room a line's writer asks for beyond what the line takes.
        return bytes + bytes / 16 + menuName.size() + 2 * longest + 128;
    });
    out.line("<HTML>");
    out.line("<body>");
    out.line("<!-- PLEASE INSERT THESE CODES BETWEEN <BODY> ... </BODY> TAGS! -->");
    out.line("<!-- START Dulcamon 1.0 config parameters. Don't modify these codes by yourself -->");
    out.line("<script type='text/javascript' src='" + agent.ScriptName + ".js'></script>");
    out.line("<script type='text/javascript'>");
    out.line("var qelVORPin=new qelvorpin();");
    out.lineFrom([&](std::string& text) { appendConstructorLine(text, menu); });
    // One line per item node, read by position.
    const std::size_t items = agent.tree().count() - 1;
    for (std::size_t k = 0; k < items && k < agent.Items.size(); ++k)
        out.lineFrom([&](std::string& text) { appendItemLine(text, menuName, agent.Items[k]); });
    out.line(menuName + ".qeLvORpin();");
    out.line("</script>");
    out.line("<noscript>Your browser does not support Javascript!</noscript>");
    out.line("<!-- END Dulcamon 1.0 config parameters -->");
    out.line("<!-- PLEASE INSERT THESE CODES BETWEEN <BODY> ... </BODY> TAGS! -->");
    out.line("</body>");
    out.line("</HTML>");
}

} // namespace dulcamon
