#include "kestravo/core/KestravoPage.h"

#include "AppletAgent.h"
#include "AppletUtility.h"
#include "ByteScan.h"
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

// `value` with every `special` byte written as `entity`, a run of other
// bytes at a time.
void appendEncoding(std::string& out, std::string_view value, char special, std::string_view entity)
{
    const char* const end = value.data() + value.size();
    const char* run = value.data();
    for (const char* p; (p = kzt::ByteScan::findByte(run, end, special)) != end; run = p + 1) {
        out.append(run, static_cast<std::size_t>(p - run));
        out += entity;
    }
    out.append(run, static_cast<std::size_t>(end - run));
}

// `text` with every occurrence of `from`, compared without regard to ASCII
// letter case, replaced by `to`, left to right, appended to `out`.
void appendReplaced(std::string& out, std::string_view text, std::string_view from, std::string_view to)
{
    if (from.empty() || text.size() < from.size()) {
        out += text;
        return;
    }
    const char first = lowerAscii(from.front());
    std::size_t run = 0;
    for (std::size_t i = 0; i + from.size() <= text.size();) {
        if (lowerAscii(text[i]) == first && equalIgnoringCase(text.substr(i, from.size()), from)) {
            out.append(text.substr(run, i - run));
            out += to;
            i += from.size();
            run = i;
        } else {
            ++i;
        }
    }
    out.append(text.substr(run));
}

// Which root of the site an item's link loses and which it gets instead,
// worked out once for the whole page.
struct LinkRoots
{
    bool convert = false;
    std::string_view from;
    std::string_view to;
};

LinkRoots linkRoots(const kzt::TAppletData& menu)
{
    const std::string_view local = menu.get(pInternalUse_RootDir_Local);
    const std::string_view remote = menu.get(pInternalUse_RootDir_Remote);
    if (kzt::Trim(local).empty() || kzt::Trim(remote).empty())
        return {};
    if (menu.get(pInternalUse_RootDir_Local_Checked) == "1")
        return {true, remote, local};
    return {true, local, remote};
}

// A value inside a double-quoted attribute. Only the quote mark is encoded:
// it would end the attribute and break the form; everything else stays as
// the author typed it (entities included).
void appendAttribute(std::string& out, std::string_view value)
{
    appendEncoding(out, value, '"', "&quot;");
}

// Text between tags: a less-than sign is encoded, so no caption can open a
// tag or a comment. An ampersand stays, so the author's entities still work;
// every other byte goes in as stored.
void appendText(std::string& out, std::string_view value)
{
    appendEncoding(out, value, '<', "&lt;");
}

void commentLines(kzt::LineWriter& out)
{
    out.line("<!-- Drop-down menu made with Kestravo 1.0 -->");
    out.line("<!-- Copyright (C) KZT. All rights reserved. -->");
}

// The one line of the form's drop-down list, written as it goes: a large
// menu makes a line of many megabytes.
void writeSelectLine(kzt::LineWriter& out, const kzt::TkztAppletAgent& agent)
{
    std::string& line = out.text();
    const kzt::TAppletData& menu = agent.AppletData;
    line += "<SELECT name=brevanekstrvselect class=brevanekstrv style=\"width:";
    appendAttribute(line, menu.get(pMenuWidth));
    line += "px\" onChange=\"onSelectedItemChanged(document.brevanekstrvform.brevanekstrvselect)\">";
    line += "<OPTION class=brevanekstrvinitmsg value=0 selected>";
    appendText(line, menu.get(pTipMessage));
    line += "</OPTION>";

    // Sub items after each main item alternate between the two sub classes,
    // whatever their depth.
    const LinkRoots roots = linkRoots(menu);
    std::string link;
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
        if (roots.convert) {
            link.clear();
            appendReplaced(link, item.get(pURL), roots.from, roots.to);
            appendAttribute(line, link);
        } else {
            appendAttribute(line, item.get(pURL));
        }
        line += "\" target=\"";
        appendAttribute(line, item.get(pTarget));
        line += "\">";
        for (int i = 0; i < level; ++i)
            line += kIndent;
        appendText(line, item.get(ICaption));
        line += "</OPTION>";
        out.flushWhenFull();
    }
    line += "</SELECT>";
    out.line("");
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
    std::string out;
    out.reserve(text.size());
    appendReplaced(out, text, from, to);
    return out;
}

std::string KestravoPage::convertPath(std::string_view url, const kzt::TAppletData& menu)
{
    const LinkRoots roots = linkRoots(menu);
    if (!roots.convert)
        return std::string(url);
    return replaceIgnoringCase(url, roots.from, roots.to);
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
    kzt::LineWriter out;
    write(agent, out);
    return out.take();
}

void KestravoPage::write(const kzt::TkztAppletAgent& agent, kzt::LineWriter& out)
{
    const bool menuPresent = agent.tree().count() > 1 && !agent.Items.empty();
    // Made in memory, the page gets room for all of it, so it is never
    // copied while it grows.
    out.reserveFor([&] {
        std::size_t bytes = 4096;
        const auto& order = agent.tree().order();
        for (std::size_t k = 1; k < order.size() && k - 1 < agent.Items.size(); ++k) {
            const kzt::TItemData& item = agent.Items[k - 1];
            bytes += 64 + item.get(ICaption).size() + item.get(pURL).size() + item.get(pTarget).size()
                     + std::char_traits<char>::length(kIndent) * static_cast<std::size_t>(agent.tree().level(order[k]));
        }
        return bytes + bytes / 16;
    });
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
        writeSelectLine(out, agent);
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
}

} // namespace kestravo
