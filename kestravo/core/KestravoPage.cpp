#include "kestravo/core/KestravoPage.h"

#include "AppletAgent.h"
#include "AppletUtility.h"
#include "kestravo/core/KestravoProfile.h"
#include "TextFile.h"

#include <algorithm>

namespace kestravo {

namespace {

const char* const kIndent = "&nbsp;&nbsp;&nbsp;&nbsp;";

char lowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lowerAscii(a[i]) != lowerAscii(b[i]))
            return false;
    }
    return true;
}

// A value inside a double-quoted attribute. Only the quote mark is encoded:
// it would end the attribute and break the form; everything else stays as
// the author typed it (entities included).
void appendAttribute(std::string& out, std::string_view value)
{
    for (char c : value) {
        if (c == '"')
            out += "&quot;";
        else
            out += c;
    }
}

// Text between tags: a less-than sign is encoded, so no caption can open a
// tag or a comment. An ampersand stays, so the author's entities still work;
// every other byte goes in as stored.
void appendText(std::string& out, std::string_view value)
{
    for (char c : value) {
        if (c == '<')
            out += "&lt;";
        else
            out += c;
    }
}

void commentLines(kzt::LineWriter& out)
{
    out.line("<!-- Drop-down menu made with Kestravo 1.0 -->");
    out.line("<!-- Copyright (C) KZT. All rights reserved. -->");
}

std::string selectLine(const kzt::TkztAppletAgent& agent)
{
    const kzt::TAppletData& menu = agent.AppletData;
    std::string line;
    line.reserve(256 + agent.Items.size() * 96);
    line += "<SELECT name=brevanekstrvselect class=brevanekstrv style=\"width:";
    appendAttribute(line, menu.get(pMenuWidth));
    line += "px\" onChange=\"onSelectedItemChanged(document.brevanekstrvform.brevanekstrvselect)\">";
    line += "<OPTION class=brevanekstrvinitmsg value=0 selected>";
    appendText(line, menu.get(pTipMessage));
    line += "</OPTION>";

    // Sub items after each main item alternate between the two sub classes,
    // whatever their depth.
    bool alternate = false;
    const auto& order = agent.tree().order();
    for (std::size_t k = 1; k < order.size() && k - 1 < agent.Items.size(); ++k) {
        const kzt::TItemData& item = agent.Items[k - 1];
        const int level = agent.tree().level(order[k]);
        const char* itemClass = "brevanekstrvmain";
        if (level == 0) {
            alternate = true;
        } else {
            itemClass = alternate ? "brevanekstrvsub1" : "brevanekstrvsub2";
            alternate = !alternate;
        }
        line += "<OPTION class=";
        line += itemClass;
        line += " value=\"";
        appendAttribute(line, KestravoPage::convertPath(item.get(pURL), menu));
        line += "\" target=\"";
        appendAttribute(line, item.get(pTarget));
        line += "\">";
        for (int i = 0; i < level; ++i)
            line += kIndent;
        appendText(line, item.get(ICaption));
        line += "</OPTION>";
    }
    line += "</SELECT>";
    return line;
}

} // namespace

std::uint64_t KestravoPage::sizeBound(const kzt::TkztAppletAgent& agent)
{
    const kzt::TAppletData& menu = agent.AppletData;
    // A converted link is at most its length plus one replacement per
    // occurrence of the shorter root.
    const std::uint64_t local = menu.get(pInternalUse_RootDir_Local).size();
    const std::uint64_t remote = menu.get(pInternalUse_RootDir_Remote).size();
    const std::uint64_t shorter = std::max<std::uint64_t>(1, std::min(local, remote));
    const std::uint64_t longer = std::max(local, remote);
    const std::uint64_t indent = std::char_traits<char>::length(kIndent);

    std::uint64_t total = 4096 + menu.get(pTipMessage).size() + 6 * menu.get(pMenuWidth).size();
    const auto& order = agent.tree().order();
    for (std::size_t k = 1; k < order.size() && k - 1 < agent.Items.size(); ++k) {
        const kzt::TItemData& item = agent.Items[k - 1];
        const std::uint64_t url = item.get(pURL).size();
        total += 96 + item.get(ICaption).size() + 6 * (url + url / shorter * longer) + 6 * item.get(pTarget).size()
                 + indent * static_cast<std::uint64_t>(agent.tree().level(order[k]));
    }
    return total;
}

std::string KestravoPage::replaceIgnoringCase(std::string_view text, std::string_view from, std::string_view to)
{
    if (from.empty() || text.size() < from.size())
        return std::string(text);
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        if (i + from.size() <= text.size() && equalIgnoringCase(text.substr(i, from.size()), from)) {
            out += to;
            i += from.size();
        } else {
            out += text[i++];
        }
    }
    return out;
}

std::string KestravoPage::convertPath(std::string_view url, const kzt::TAppletData& menu)
{
    const std::string_view local = menu.get(pInternalUse_RootDir_Local);
    const std::string_view remote = menu.get(pInternalUse_RootDir_Remote);
    if (kzt::Trim(local).empty() || kzt::Trim(remote).empty())
        return std::string(url);
    if (menu.get(pInternalUse_RootDir_Local_Checked) == "1")
        return replaceIgnoringCase(url, remote, local);
    return replaceIgnoringCase(url, local, remote);
}

std::string KestravoPage::styleSheet(const kzt::TAppletData& menu)
{
    const auto field = [&](std::size_t i) { return std::string(menu.get(i)); };
    kzt::LineWriter out;
    out.line(".brevanekstrv{font-size:" + field(pMenuFontSize) + "px;font-family:" + field(pMenuFontFamily)
             + ";color:#" + field(pMenuColor) + ";background-color:#" + field(pMenuBGColor) + ";"
             + (field(pMenuFontWeight) == "1" ? "font-weight:bold;" : "font-weight:normal;")
             + (field(pMenuFontStyle) == "1" ? "font-style:italic;" : "font-style:normal;") + "}");
    out.line(".brevanekstrvinitmsg{color:#" + field(pTipMsgColor) + ";background-color:#" + field(pTipMsgBGColor)
             + ";}");
    out.line(".brevanekstrvmain{color:#" + field(pMainItemColor) + ";background-color:#" + field(pMainItemBGColor)
             + ";}");
    out.line(".brevanekstrvsub1{color:#" + field(pSubItemColor) + ";background-color:#" + field(pSubItemBGColor)
             + ";}");
    out.line(".brevanekstrvsub2{color:#" + field(pSubItemAlternationColor) + ";background-color:#"
             + field(pSubItemAlternationBGColor) + ";}");
    return out.take();
}

std::string KestravoPage::generate(const kzt::TkztAppletAgent& agent)
{
    const bool menuPresent = agent.tree().count() > 1 && !agent.Items.empty();
    kzt::LineWriter out;
    out.reserve(2048 + agent.Items.size() * 96);
    out.line("<HTML>");
    out.line("<HEAD>");
    out.line("<TITLE>Preview</TITLE>");
    out.line("");
    out.line("");
    if (menuPresent) {
        commentLines(out);
        out.line("<!-- BEGIN (PART 1 of 2) -->");
        out.line("<!-- NOTE: PLEASE INSERT CODES INTO <HEAD> SECTION OF WEB PAGES -->");
        out.line("<LINK href=\"brevanekvrst.css\" type=text/css rel=stylesheet>");
        out.line("<SCRIPT type=\"text/javascript\" src=\"brevanekvrst.js\"></SCRIPT>");
        out.line("<!-- END (PART 1 of 2) -->");
    }
    out.line("");
    out.line("");
    out.line("</HEAD>");
    out.line("");
    out.line("");
    out.line("<BODY>");
    out.line("");
    out.line("");
    if (menuPresent) {
        commentLines(out);
        out.line("<!-- BEGIN (PART 2 of 2) -->");
        out.line("<!-- NOTE: PLEASE INSERT CODES INTO <BODY> SECTION WHERE YOU WANT THE MENU DISPLAY -->");
        out.line("<FORM name=\"brevanekstrvform\">");
        out.line(selectLine(agent));
        out.line("</FORM>       ");
        out.line("<!-- END (PART 2 of 2) -->");
    }
    out.line("<!-- CODES END -->");
    out.line("");
    out.line("");
    std::string breaks;
    for (int i = 0; i < 48; ++i)
        breaks += "<BR>";
    out.line(breaks);
    out.line("");
    out.line("");
    out.line("</BODY>");
    out.line("</HTML>");
    return out.take();
}

} // namespace kestravo
